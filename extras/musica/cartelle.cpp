#include "cartelle.h"

#include <QDir>
#include <QFileInfo>

QStringList cartelleMusica(const QString& programma)
{
    const QDir qui(programma);
    return {qui.filePath(QStringLiteral("music")),
            QDir::cleanPath(qui.filePath(QStringLiteral(LATRELVA_DATADIR "/music")))};
}

QString cartellaMusica(const QString& programma)
{
    const QStringList candidate = cartelleMusica(programma);
    for (const QString& cartella : candidate)
        if (QFileInfo(cartella).isDir())
            return cartella;
    return candidate.first();
}
