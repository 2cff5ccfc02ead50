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

const QStringList allLower{".mid", ".mid", ".mid", ".mid", ".mid"};

// A music folder of test songs with an offline control and the menu over it.
struct Banco {
    explicit Banco(const QStringList& exts = allLower, const QSet<int>& missing = {})
    {
        fill(dir.path(), exts, missing);
    }
    QString path(const QString& name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    MMC1 mmc{offline()};
    Musica musica{mmc, dir.path()};
};

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
        Banco b;
        QSignalSpy checks(&b.musica, &Musica::spuntaCambiata);
        QCOMPARE(b.musica.spuntata(), -1);

        b.musica.avvio();
        QCOMPARE(b.musica.spuntata(), 1);
        QCOMPARE(checks.count(), 1);
        QCOMPARE(checks.last().at(0).toInt(), 1);
        QVERIFY(b.mmc.notify());
        QCOMPARE(b.mmc.fileName(), b.path("O' surdat nnammurat.mid"));
        QVERIFY(suona(b.mmc, 0.5).rms > kSounding);
        QCOMPARE(b.mmc.length(), lengthOf(1));
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
        Banco b(exts);
        b.musica.avvio();
        b.mmc.waitForIdle();
        QCOMPARE(b.mmc.length(), lengthOf(1));
        for (int i = 1; i <= 5; ++i) {
            b.musica.canzoni_Click(i);
            QCOMPARE(b.mmc.fileName(), b.path(Musica::canzoni().at(i) + ".MID"));
            b.mmc.waitForIdle();
            QCOMPARE(b.mmc.length(), lengthOf(i));
            QVERIFY(suona(b.mmc, 0.3).rms > kSounding);
        }
    }

    void onlyTheLastChoiceIsChecked()
    {
        Banco b;
        QSignalSpy checks(&b.musica, &Musica::spuntaCambiata);
        b.musica.avvio();
        b.musica.canzoni_Click(4);
        b.musica.canzoni_Click(3);
        QCOMPARE(b.musica.spuntata(), 3);
        QCOMPARE(checks.last().at(0).toInt(), 3);
        b.mmc.waitForIdle();
        QCOMPARE(b.mmc.length(), lengthOf(3));

        b.musica.canzoni_Click(-1);
        b.musica.canzoni_Click(6);
        QCOMPARE(b.musica.spuntata(), 3);
        QCOMPARE(b.mmc.length(), lengthOf(3));
    }

    void noMusicStopsAndStaysStopped()
    {
        Banco b;
        b.musica.avvio();
        QVERIFY(suona(b.mmc, 0.3).rms > kSounding);

        b.musica.canzoni_Click(0);
        QCOMPARE(b.musica.spuntata(), 0);
        QCOMPARE(b.mmc.length(), 0);
        QCOMPARE(suona(b.mmc, 0.3).peak, 0.0);
        // What the window sends on minimise and restore.
        b.mmc.setCommand("pause");
        b.mmc.setCommand("play");
        QCOMPARE(suona(b.mmc, 0.3).peak, 0.0);
        consegna();
        QCOMPARE(suona(b.mmc, 0.3).peak, 0.0);
    }

    void aSongThatEndsStartsAgain()
    {
        Banco b(allLower, {1});
        QVERIFY(scrivi(b.path("O' surdat nnammurat.mid"), canzone({{0, 400, 67}}, 500)));
        QSignalSpy done(&b.mmc, &MMC1::Done);
        b.musica.avvio();
        b.mmc.waitForIdle();
        consegna();
        for (int round = 0; round < 3; ++round) {
            QVERIFY(suona(b.mmc, 0.3).rms > kSounding);
            suona(b.mmc, 0.25);
            QCOMPARE(b.mmc.position(), b.mmc.length());
            consegna();   // Done reaches the menu, which plays the song again
            b.mmc.waitForIdle();
            QCOMPARE(b.mmc.position(), 0);
        }
        QCOMPARE(done.count(), 4);   // the open, then three ends
    }

    void choosingThePlayingSongStartsItAgain()
    {
        Banco b;
        b.musica.avvio();
        b.musica.canzoni_Click(5);
        suona(b.mmc, 1.0);
        QCOMPARE(b.mmc.position(), 1000);
        b.musica.canzoni_Click(5);
        suona(b.mmc, 0.1);
        QCOMPARE(b.mmc.position(), 100);
        QCOMPARE(b.musica.spuntata(), 5);
    }

    void aMissingSongIsCheckedAndSilent()
    {
        Terminale terminal;
        Banco b(allLower, {1, 5});
        b.musica.avvio();
        QCOMPARE(b.musica.spuntata(), 1);
        QCOMPARE(suona(b.mmc, 0.3).peak, 0.0);
        b.musica.canzoni_Click(5);
        QCOMPARE(b.musica.spuntata(), 5);
        QCOMPARE(suona(b.mmc, 0.3).peak, 0.0);
        consegna();
        b.musica.canzoni_Click(2);
        QVERIFY(suona(b.mmc, 0.3).rms > kSounding);
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
