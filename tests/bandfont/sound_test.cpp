// Each song, an excerpt of it, played through the game's soundfont and
// through FluidR3: as loud and the same sound.
#include "compare.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

namespace {

const QString fluidR3 = QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2");
constexpr qint64 excerptFromMs = 20000;
constexpr qint64 excerptMs = 10000;

} // namespace

class Sound : public QObject {
    Q_OBJECT

private slots:
    void sameSongsAsFluidR3()
    {
        const QString folder = QCoreApplication::applicationDirPath() + "/music";
        const QString ours = folder + "/latrelva.sf2";
        if (!QFile::exists(ours) || !QFile::exists(fluidR3))
            QSKIP("the game's soundfont or FluidR3 is missing");
        const QStringList songs = QDir(folder).entryList({"*.mid"}, QDir::Files);
        QCOMPARE(songs.size(), 5);
        for (const QString& name : songs) {
            const QString song = QDir(folder).filePath(name);
            const auto reference = bandfont::renderSong(song, fluidR3, excerptFromMs, excerptMs);
            const auto cut = bandfont::renderSong(song, ours, excerptFromMs, excerptMs);
            QVERIFY(reference.left.size() > size_t(reference.rate));
            const double delta = bandfont::loudness(cut) - bandfont::loudness(reference);
            const double r = bandfont::correlation(reference, cut);
            QVERIFY2(std::abs(delta) <= 0.5, qPrintable(QString("%1: %2 LU").arg(name).arg(delta)));
            QVERIFY2(r >= 0.95, qPrintable(QString("%1: correlation %2").arg(name).arg(r)));
        }
    }
};

QTEST_GUILESS_MAIN(Sound)
#include "sound_test.moc"
