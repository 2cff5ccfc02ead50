#include "folders.h"

#include <QDir>
#include <QFileInfo>

namespace music {

QStringList musicFolders(const QString& program)
{
    const QDir here(program);
    return {here.filePath(QStringLiteral("music")),
            QDir::cleanPath(here.filePath(QStringLiteral(LATRELVA_DATADIR "/music")))};
}

QString musicFolder(const QString& program)
{
    const QStringList candidate = musicFolders(program);
    for (const QString& folder : candidate)
        if (QFileInfo(folder).isDir())
            return folder;
    return candidate.first();
}

} // namespace music
