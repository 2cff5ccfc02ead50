// The music menu's logic over an offline control and a music folder of short
// test songs, each of its own length so that the song opened can be told.
#include "aiuto.h"
#include "musica.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace aiuto;

namespace {

qint64 lengthOf(int index) { return 2000 + 500 * index; }

// Songs 1..5 in `folder`, song i with the extension exts[i - 1].
void fill(const QString& folder, const QStringList& exts, const QSet<int>& missing = {})
{
    QDir().mkpath(folder);
    for (int i = 1; i <= 5; ++i)
        if (!missing.contains(i))
            QVERIFY(scrivi(QDir(folder).filePath(Musica::canzoni().at(i) + exts.at(i - 1)),
                           canzoneContinua(int(lengthOf(i)))));
}

} // namespace

class MusicaTest : public QObject {
    Q_OBJECT

private slots:
    void captionsAreTheMenu()
    {
        const QStringList expected{"No Music", "O' surdat nnammurat", "Ie te vurria vasa'",
                                   "E duje paravise", "Anema e core", "Guapparia"};
        QCOMPARE(Musica::canzoni(), expected);
    }

    void startUpPlaysTheFirstSongAndChecksIt()
    {
        QTemporaryDir dir;
        fill(dir.path(), {".mid", ".mid", ".mid", ".mid", ".mid"});
        MMC1 mmc(offline());
        Musica musica(mmc, dir.path());
        QSignalSpy checks(&musica, &Musica::spuntaCambiata);
        QCOMPARE(musica.spuntata(), -1);

        musica.avvio();
        QCOMPARE(musica.spuntata(), 1);
        QCOMPARE(checks.count(), 1);
        QCOMPARE(checks.last().at(0).toInt(), 1);
        QVERIFY(mmc.notify());
        QCOMPARE(mmc.fileName(), QDir(dir.path()).filePath("O' surdat nnammurat.mid"));
        QVERIFY(suona(mmc, 0.5).rms > kSounding);
        QCOMPARE(mmc.length(), lengthOf(1));
    }

    // Start-up asks for ".mid", the menu for ".MID": each finds the song
    // whatever the spelling on disk.
    void eitherSpellingOfTheExtensionIsFound_data()
    {
        QTest::addColumn<QStringList>("exts");
        QTest::newRow("all .mid") << QStringList{".mid", ".mid", ".mid", ".mid", ".mid"};
        QTest::newRow("all .MID") << QStringList{".MID", ".MID", ".MID", ".MID", ".MID"};
        QTest::newRow("mixed") << QStringList{".MID", ".mid", ".Mid", ".MID", ".mid"};
    }

    void eitherSpellingOfTheExtensionIsFound()
    {
        QFETCH(QStringList, exts);
        QTemporaryDir dir;
        fill(dir.path(), exts);
        MMC1 mmc(offline());
        Musica musica(mmc, dir.path());
        musica.avvio();
        mmc.waitForIdle();
        QCOMPARE(mmc.length(), lengthOf(1));
        for (int i = 1; i <= 5; ++i) {
            musica.canzoni_Click(i);
            QCOMPARE(mmc.fileName(), QDir(dir.path()).filePath(Musica::canzoni().at(i) + ".MID"));
            mmc.waitForIdle();
            QCOMPARE(mmc.length(), lengthOf(i));
            QVERIFY(suona(mmc, 0.3).rms > kSounding);
        }
    }

    void onlyTheLastChoiceIsChecked()
    {
        QTemporaryDir dir;
        fill(dir.path(), {".mid", ".mid", ".mid", ".mid", ".mid"});
        MMC1 mmc(offline());
        Musica musica(mmc, dir.path());
        QSignalSpy checks(&musica, &Musica::spuntaCambiata);
        musica.avvio();
        musica.canzoni_Click(4);
        musica.canzoni_Click(3);
        QCOMPARE(musica.spuntata(), 3);
        QCOMPARE(checks.last().at(0).toInt(), 3);
        mmc.waitForIdle();
        QCOMPARE(mmc.length(), lengthOf(3));

        musica.canzoni_Click(-1);
        musica.canzoni_Click(6);
        QCOMPARE(musica.spuntata(), 3);
        QCOMPARE(mmc.length(), lengthOf(3));
    }

    void noMusicStopsAndStaysStopped()
    {
        QTemporaryDir dir;
        fill(dir.path(), {".mid", ".mid", ".mid", ".mid", ".mid"});
        MMC1 mmc(offline());
        Musica musica(mmc, dir.path());
        musica.avvio();
        QVERIFY(suona(mmc, 0.3).rms > kSounding);

        musica.canzoni_Click(0);
        QCOMPARE(musica.spuntata(), 0);
        QCOMPARE(mmc.length(), 0);
        QCOMPARE(suona(mmc, 0.3).peak, 0.0);
        // What the window sends on minimise and restore.
        mmc.setCommand("pause");
        mmc.setCommand("play");
        QCOMPARE(suona(mmc, 0.3).peak, 0.0);
        consegna();
        QCOMPARE(suona(mmc, 0.3).peak, 0.0);
    }

    void aSongThatEndsStartsAgain()
    {
        QTemporaryDir dir;
        fill(dir.path(), {".mid", ".mid", ".mid", ".mid", ".mid"}, {1});
        QVERIFY(scrivi(dir.filePath("O' surdat nnammurat.mid"), canzone({{0, 400, 67}}, 500)));
        MMC1 mmc(offline());
        Musica musica(mmc, dir.path());
        QSignalSpy done(&mmc, &MMC1::Done);
        musica.avvio();
        mmc.waitForIdle();
        consegna();
        for (int round = 0; round < 3; ++round) {
            QVERIFY(suona(mmc, 0.3).rms > kSounding);
            suona(mmc, 0.25);
            QCOMPARE(mmc.position(), mmc.length());
            consegna();   // Done reaches the menu, which plays the song again
            mmc.waitForIdle();
            QCOMPARE(mmc.position(), 0);
        }
        QCOMPARE(done.count(), 4);   // the open, then three ends
    }

    void choosingThePlayingSongStartsItAgain()
    {
        QTemporaryDir dir;
        fill(dir.path(), {".mid", ".mid", ".mid", ".mid", ".mid"});
        MMC1 mmc(offline());
        Musica musica(mmc, dir.path());
        musica.avvio();
        musica.canzoni_Click(5);
        suona(mmc, 1.0);
        QCOMPARE(mmc.position(), 1000);
        musica.canzoni_Click(5);
        suona(mmc, 0.1);
        QCOMPARE(mmc.position(), 100);
        QCOMPARE(musica.spuntata(), 5);
    }

    void aMissingSongIsCheckedAndSilent()
    {
        QTemporaryDir dir;
        fill(dir.path(), {".mid", ".mid", ".mid", ".mid", ".mid"}, {1, 5});
        Terminale terminal;
        MMC1 mmc(offline());
        Musica musica(mmc, dir.path());
        musica.avvio();
        QCOMPARE(musica.spuntata(), 1);
        QCOMPARE(suona(mmc, 0.3).peak, 0.0);
        musica.canzoni_Click(5);
        QCOMPARE(musica.spuntata(), 5);
        QCOMPARE(suona(mmc, 0.3).peak, 0.0);
        consegna();
        musica.canzoni_Click(2);
        QVERIFY(suona(mmc, 0.3).rms > kSounding);
        QCOMPARE(terminal.take(), QByteArray());
    }

    void noMusicFolderAtAll()
    {
        MMC1 mmc(offline());
        Musica musica(mmc, QStringLiteral("/nonexistent/music"));
        musica.avvio();
        musica.canzoni_Click(3);
        QCOMPARE(musica.spuntata(), 3);
        QCOMPARE(suona(mmc, 0.3).peak, 0.0);
    }
};

QTEST_GUILESS_MAIN(MusicaTest)
#include "musica_test.moc"
