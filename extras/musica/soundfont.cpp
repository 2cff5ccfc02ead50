#include "soundfont.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace music {

bool plainSoundFont(const QString& path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty() || !QFileInfo(real).isFile() || real.endsWith(QLatin1String(".sf3"), Qt::CaseInsensitive))
        return false;
    QFile file(real);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(512);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "sfbk")
        return false;
    const auto le32 = [&](qsizetype at) {
        return quint32(uchar(head[at])) | quint32(uchar(head[at + 1])) << 8 | quint32(uchar(head[at + 2])) << 16
            | quint32(uchar(head[at + 3])) << 24;
    };
    if (qint64(le32(4)) + 8 > file.size())
        return false; // cut short
    const qsizetype at = head.indexOf("ifil");
    if (at < 0 || head.size() < at + 10)
        return false;
    const int major = uchar(head[at + 8]) | (uchar(head[at + 9]) << 8);
    return major == 2;
}

QStringList soundfontCandidates(const QString& songFolder, const QStringList& chosen, const QString& synthDefault)
{
    QStringList list;
    const QDir dir(songFolder);
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
        if (name.endsWith(QLatin1String(".sf2"), Qt::CaseInsensitive))
            list << dir.filePath(name);
    if (!chosen.isEmpty())
        return list + chosen;
    list << QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2") << QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
    if (!synthDefault.isEmpty())
        list << synthDefault;
    list << QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2");
    return list;
}

} // namespace music
