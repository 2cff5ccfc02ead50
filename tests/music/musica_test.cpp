// The music menu's logic over an offline control and a music folder of short
// test songs, each of its own length so that the song opened can be told.
#include "musica_prova.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace trelva;
using namespace trelva::prova;

namespace {

qint64 lengthOf(int index)
{
    return 2000 + 500 * index;
}

// A music folder holding songs 1..5, song i with the extension exts[i - 1],
// an offline control and the menu over them.
struct Banco {
    explicit Banco(const QStringList& exts = QStringList(5, ".mid"))
    {
        for (int i = 1; i <= 5; ++i)
            QVERIFY(scrivi(path(Musica::canzoni().at(i) + exts.at(i - 1)), canzone(int(lengthOf(i)))));
    }
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    MMC1 mmc{offlineOptions};
    Musica musica{mmc, dir.path()};
};

} // namespace

class MusicaTest : public QObject {
    Q_OBJECT

private slots:
    // Start-up asks for ".mid", the menu for ".MID": each finds its song
    // whatever the spelling on disk.
    void startUpAndMenuFindEitherSpelling()
    {
        Banco b({".MID", ".mid", ".Mid", ".MID", ".mid"});
        QSignalSpy checks(&b.musica, &Musica::spuntaCambiata);
        b.musica.avvio();
        QCOMPARE(b.musica.spuntata(), 1);
        QCOMPARE(checks.count(), 1);
        for (int i = 1; i <= 5; ++i) {
            if (i > 1)
                b.musica.canzoni_Click(i);
            b.mmc.waitForIdle();
            QCOMPARE(b.mmc.length(), lengthOf(i));
            QVERIFY(suona(b.mmc, 0.3).rms > soundingRms);
        }
    }

    // One entry is checked, the last chosen, even where its song is missing;
    // "No Music" stays silent through what the window sends on minimise and restore.
    void oneEntryCheckedAndNoMusicStaysClosed()
    {
        Terminale terminal;
        Banco b;
        QVERIFY(QFile::remove(b.path("Guapparia.mid")));
        QSignalSpy checks(&b.musica, &Musica::spuntaCambiata);
        b.musica.avvio();
        b.musica.canzoni_Click(4);
        b.musica.canzoni_Click(3);
        QCOMPARE(b.musica.spuntata(), 3);
        QCOMPARE(checks.last().at(0).toInt(), 3);
        for (int outOfRange : {-1, 6})
            b.musica.canzoni_Click(outOfRange);
        QCOMPARE(b.musica.spuntata(), 3);
        b.mmc.waitForIdle();
        QCOMPARE(b.mmc.length(), lengthOf(3));

        for (int silent : {5, 0}) {
            b.musica.canzoni_Click(silent);
            QCOMPARE(b.musica.spuntata(), silent);
            QCOMPARE(checks.last().at(0).toInt(), silent);
            QCOMPARE(b.mmc.length(), 0);
            for (const char* word : {"pause", "play"})
                b.mmc.setCommand(word);
            consegna();
            QCOMPARE(suona(b.mmc, 0.3).peak, 0.0);
        }
        b.musica.canzoni_Click(2);
        QVERIFY(suona(b.mmc, 0.3).rms > soundingRms);
        QCOMPARE(terminal.take(), QByteArray());
    }

    // Done comes by the event loop, never from inside render(), and the menu
    // then plays the song again from its start.
    void aSongThatEndsStartsAgain()
    {
        Banco b;
        QVERIFY(scrivi(b.path("O' surdat nnammurat.mid"), canzone(500)));
        QSignalSpy done(&b.mmc, &MMC1::Done);
        b.musica.avvio();
        b.mmc.waitForIdle();
        consegna();
        QCOMPARE(done.count(), 1); // the open
        for (int round = 1; round <= 3; ++round) {
            QVERIFY(suona(b.mmc, 0.3).rms > soundingRms);
            suona(b.mmc, 0.25);
            QCOMPARE(b.mmc.position(), b.mmc.length());
            QCOMPARE(done.count(), round);
            consegna();
            QCOMPARE(done.count(), round + 1);
            QCOMPARE(done.last().at(0).toInt(), MMC1::Successful);
            b.mmc.waitForIdle();
            QCOMPARE(b.mmc.position(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(MusicaTest)
#include "musica_test.moc"
