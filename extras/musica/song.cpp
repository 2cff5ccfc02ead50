#include "song.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace music {

QString findSong(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QFileInfo info(name);
    if (info.isFile())
        return info.absoluteFilePath();
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return {};
    const QString base = info.completeBaseName();
    const QDir dir = info.absoluteDir();
    for (const QString& entry : dir.entryList(QDir::Files)) {
        const QFileInfo candidate(dir.filePath(entry));
        if (candidate.completeBaseName() == base && candidate.suffix().compare(suffix, Qt::CaseInsensitive) == 0)
            return candidate.absoluteFilePath();
    }
    return {};
}

std::optional<SongTimeline> loadSong(const QString& path, int sampleRate)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly) || file.size() > largestSongBytes)
        return std::nullopt;
    const QByteArray bytes = file.read(largestSongBytes + 1);
    if (bytes.size() > largestSongBytes)
        return std::nullopt; // grew since it was measured, or a device with no size
    return readSmf(std::string_view(bytes.constData(), size_t(bytes.size())), sampleRate);
}

} // namespace music
