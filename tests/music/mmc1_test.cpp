// The music control rendered offline: songs sound, stop, end, replay, pause
// and resume, and every kind of bad input stays silent and quiet.
#include "aiuto.h"
#include "musica.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace aiuto;

class Mmc1Test : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString file(const QString& name) const { return dir_.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        QVERIFY(scrivi(file("continua.mid"), canzoneContinua(20000)));
        QVERIFY(scrivi(file("breve.mid"), canzone({{0, 400, 67}}, 500)));
        // Nothing for two seconds, then notes: shows what is left over from before.
        QVERIFY(scrivi(file("tardiva.mid"), canzoneContinua(6000, 2000)));
    }

    void committedSongsSound_data()
    {
        aiuto::righeCanzoni();
    }

    void committedSongsSound()
    {
        QFETCH(QString, caption);
        MMC1 mmc(offline());
        mmc.setFileName(QStringLiteral(TRELVA_SOURCE_DIR "/assets/music/") + caption + ".mid");
        mmc.setCommand("open");
        mmc.setCommand("play");
        const Livello level = suona(mmc, 8.0);
        QVERIFY2(level.rms > 0.01, qPrintable(QString::number(level.rms)));
        QVERIFY2(level.peak < 0.9, "the song must not come near clipping");
        QCOMPARE(mmc.position(), 8000);
        QVERIFY(mmc.length() >= 90000 && mmc.length() <= 180000);

        mmc.setCommand("close");
        QCOMPARE(suona(mmc, 1.0).peak, 0.0);
        QCOMPARE(mmc.position(), 0);
        QCOMPARE(mmc.length(), 0);
    }

    // Closing, or opening over an open song, cuts every note and its echo:
    // the next song's silent opening stays silent.
    void switchingLeavesNothingBehind_data()
    {
        QTest::addColumn<bool>("closeFirst");
        QTest::newRow("close, then open") << true;
        QTest::newRow("open over the song") << false;
    }

    void switchingLeavesNothingBehind()
    {
        QFETCH(bool, closeFirst);
        MMC1 mmc(offline());
        mmc.setFileName(file("continua.mid"));
        mmc.setCommand("open");
        mmc.setCommand("play");
        QVERIFY(suona(mmc, 1.0).rms > kSounding);
        if (closeFirst)
            mmc.setCommand("close");
        mmc.setFileName(file("tardiva.mid"));
        mmc.setCommand("open");
        mmc.setCommand("play");
        QVERIFY(suona(mmc, 1.9).peak < kSilent);
        QVERIFY(suona(mmc, 1.0).rms > kSounding);
    }

    void endRaisesDoneAndPlaysAgainFromTheStart()
    {
        MMC1 mmc(offline());
        QSignalSpy done(&mmc, &MMC1::Done);
        mmc.setNotify(true);
        mmc.setFileName(file("breve.mid"));
        mmc.setCommand("OPEN");
        mmc.setCommand("Play");
        mmc.waitForIdle();
        consegna();
        QCOMPARE(done.count(), 1);   // the open
        QCOMPARE(mmc.length(), 500);
        QVERIFY(mmc.position() != mmc.length());

        QVERIFY(suona(mmc, 0.3).rms > kSounding);
        QVERIFY(mmc.position() < mmc.length());
        consegna();
        QCOMPARE(done.count(), 1);

        suona(mmc, 0.3);
        QCOMPARE(mmc.position(), 500);
        QCOMPARE(done.count(), 1);   // delivered by the event loop, not from inside render()
        consegna();
        QCOMPARE(done.count(), 2);
        QCOMPARE(done.last().at(0).toInt(), MMC1::Successful);
        QCOMPARE(mmc.position(), mmc.length());

        // Ended, it stays in place, its last note dying away, until told to play again.
        suona(mmc, 2.0);
        QVERIFY(suona(mmc, 0.5).peak < kSilent);
        QCOMPARE(mmc.position(), 500);
        consegna();
        QCOMPARE(done.count(), 2);

        mmc.setFrom(0);
        mmc.setCommand("Play");
        QVERIFY(suona(mmc, 0.2).rms > kSounding);
        QCOMPARE(mmc.position(), 200);
    }

    void pauseThenPlayResumesWhereItPaused()
    {
        MMC1 mmc(offline());
        mmc.setFileName(file("continua.mid"));
        mmc.setCommand("open");
        mmc.setCommand("play");
        suona(mmc, 1.0);
        QCOMPARE(mmc.position(), 1000);

        mmc.setCommand("PAUSE");
        suona(mmc, 2.0);
        QCOMPARE(mmc.position(), 1000);
        QVERIFY2(suona(mmc, 0.5).peak < kSilent, "paused notes must die away");

        mmc.setCommand("play");
        QVERIFY(suona(mmc, 0.5).rms > kSounding);
        QCOMPARE(mmc.position(), 1500);

        // A start position moves the song there.
        mmc.setFrom(12000);
        mmc.setCommand("play");
        suona(mmc, 0.25);
        QCOMPARE(mmc.position(), 12250);
    }

    void commandsWithNothingOpenAreHarmless()
    {
        Terminale terminal;
        MMC1 mmc(offline());
        QSignalSpy done(&mmc, &MMC1::Done);
        mmc.setNotify(true);
        for (const char* word : {"play", "pause", "Play", "stop", "close", "Close", "rewind", ""})
            mmc.setCommand(word);
        mmc.setFrom(5000);
        mmc.setCommand("play");
        QCOMPARE(suona(mmc, 0.5).peak, 0.0);
        consegna();
        QCOMPARE(done.count(), 0);
        QCOMPARE(mmc.position(), 0);
        QCOMPARE(mmc.length(), 0);
        QCOMPARE(mmc.outputName(), QString());
        QCOMPARE(terminal.take(), QByteArray());
    }

    void badSongsAreSilentAndQuiet_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = canzoneContinua(3000);
        QTest::newRow("zero bytes") << QByteArray();
        QTest::newRow("not MIDI") << QByteArray("RIFF\x10\0\0\0WAVEfmt some sound", 26);
        QTest::newRow("garbage") << QByteArray(4000, '\xA7');
        QTest::newRow("header only") << good.left(14);
        QTest::newRow("cut in half") << good.left(good.size() / 2);
        QTest::newRow("one byte short") << good.left(good.size() - 1);
        QByteArray lying = good;
        lying[20] = '\x7F';   // the first track claims far more bytes than the file has
        QTest::newRow("track longer than the file") << lying;
        QByteArray noEnd = good;
        noEnd.chop(3);        // End of Track missing, lengths left as they were
        noEnd.append("\x90\x3C\x40", 3);
        QTest::newRow("no End of Track") << noEnd;
        QTest::newRow("no notes, no time") << canzone({}, 0);
    }

    void badSongsAreSilentAndQuiet()
    {
        QFETCH(QByteArray, bytes);
        const QString path = file("guasta.mid");
        QVERIFY(scrivi(path, bytes));
        Terminale terminal;
        MMC1 mmc(offline());
        QSignalSpy done(&mmc, &MMC1::Done);
        mmc.setNotify(true);
        mmc.setFileName(path);
        mmc.setCommand("open");
        mmc.setFrom(0);
        mmc.setCommand("play");
        QCOMPARE(suona(mmc, 1.0).peak, 0.0);
        mmc.setCommand("pause");
        mmc.setCommand("play");
        mmc.setCommand("close");
        mmc.setCommand("close");
        consegna();
        QCOMPARE(done.count(), 0);
        QCOMPARE(mmc.length(), 0);
        QCOMPARE(terminal.take(), QByteArray());
    }

    void missingSongIsSilentAndQuiet()
    {
        Terminale terminal;
        MMC1 mmc(offline());
        mmc.setFileName(file("assente.mid"));
        mmc.setCommand("open");
        mmc.setCommand("play");
        QCOMPARE(suona(mmc, 0.5).peak, 0.0);
        QCOMPARE(mmc.length(), 0);
        QCOMPARE(terminal.take(), QByteArray());
    }

    void soundfontChoice()
    {
        QTemporaryDir folder;
        const QString song = folder.filePath("canzone.mid");
        QVERIFY(scrivi(song, canzoneContinua(3000)));
        MMC1::Options none = offline();
        none.soundfonts = {folder.filePath("assente.sf2")};

        // No soundfont anywhere: silence, nothing said.
        {
            Terminale terminal;
            MMC1 mmc(none);
            mmc.setFileName(song);
            mmc.setCommand("open");
            mmc.setCommand("play");
            QCOMPARE(suona(mmc, 0.5).peak, 0.0);
            QCOMPARE(terminal.take(), QByteArray());
        }
        // A compressed SoundFont 3 named .sf2 is refused as well.
        {
            QByteArray sf3("RIFF\0\0\0\0sfbkLIST\x1a\0\0\0INFOifil\x04\0\0\0\x03\0\x01\0", 36);
            sf3.append(QByteArray(200, '\0'));
            QVERIFY(scrivi(folder.filePath("compressa.sf2"), sf3));
            MMC1 mmc(none);
            mmc.setFileName(song);
            mmc.setCommand("open");
            mmc.setCommand("play");
            QCOMPARE(suona(mmc, 0.5).peak, 0.0);
            QFile::remove(folder.filePath("compressa.sf2"));
        }
        // A .sf2 in the song's folder comes before any other.
        if (!QFile::exists("/usr/share/sounds/sf2/TimGM6mb.sf2"))
            QSKIP("TimGM6mb is not installed");
        QVERIFY(QFile::copy("/usr/share/sounds/sf2/TimGM6mb.sf2", folder.filePath("proprio.sf2")));
        MMC1 mmc(none);
        mmc.setFileName(song);
        mmc.setCommand("open");
        mmc.setCommand("play");
        QVERIFY(suona(mmc, 0.5).rms > kSounding);
    }

    // The real driver, wherever the tests run: with no sound card it fails in
    // silence; with one it plays a song without notes. Either way the terminal
    // hears nothing and the device is let go by "close".
    void deviceOutputIsQuietAndReleased()
    {
        const QString path = file("muta.mid");
        QVERIFY(scrivi(path, canzone({}, 2000)));
        Terminale terminal;
        {
            MMC1 mmc;
            mmc.setFileName(path);
            mmc.setCommand("open");
            mmc.setCommand("play");
            mmc.waitForIdle();
            const QString output = mmc.outputName();
            QVERIFY(output.isEmpty() || output == "pulseaudio" || output == "alsa");
            mmc.setCommand("pause");
            mmc.setCommand("play");
            mmc.setCommand("Close");
            QCOMPARE(mmc.outputName(), QString());
            mmc.setCommand("Close");
        }
        QCOMPARE(terminal.take(), QByteArray());
    }
};

QTEST_GUILESS_MAIN(Mmc1Test)
#include "mmc1_test.moc"
