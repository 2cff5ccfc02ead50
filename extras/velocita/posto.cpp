#include "posto.h"

#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace trelva {

namespace postoritmo {
PostoRitmo scegli(const QString& programma, const Ambiente& ambiente)
{
    if (ambiente.accanto)
        return PostoRitmo::accanto(programma);
    QString utente;
    if (QDir::isAbsolutePath(ambiente.xdgConfigHome))
        utente = QDir(ambiente.xdgConfigHome).filePath(QStringLiteral("latrelva"));
    else if (QDir::isAbsolutePath(ambiente.home))
        utente = QDir(ambiente.home).filePath(QStringLiteral(".config/latrelva"));
    if (utente.isEmpty())
        return {{programma}, {}};
    utente = QDir::cleanPath(utente);
    // A file beside an installed program is still read when the user has none
    // of their own: whoever installed it may have put a default there.
    return {{utente, programma}, utente};
}

Ambiente ambiente(const QString& programma)
{
    const bool installata = QFileInfo(QDir(programma).filePath(QStringLiteral(LATRELVA_DATADIR))).isDir();
    const bool scrivibile = access(QFile::encodeName(programma).constData(), W_OK) == 0;
    return {scrivibile && !installata, qEnvironmentVariable("XDG_CONFIG_HOME"),
            qEnvironmentVariable("HOME")};
}

} // namespace postoritmo

} // namespace trelva
