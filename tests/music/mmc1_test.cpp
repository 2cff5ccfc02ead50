// The music control rendered offline: songs sound, stop, end, replay, pause
// and resume, and every kind of bad input stays silent and quiet; and over an
// output in the test's hands: one that hangs, one that goes away and comes back.
#include "musica_prova.h"
#include "soundfont.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace trelva;
using namespace trelva::prova;

class Mmc1Test : public QObject {
    Q_OBJECT

private:
    Cartella brani_;

private slots:
    void initTestCase()
    {
        QVERIFY(brani_.pronta());
        // Nothing for two seconds, then notes: shows what is left over from before.
        QVERIFY(scrivi(brani_.file("tardiva.mid"), canzone(6000, 2000)));
    }

    void committedSongsSoundAndCloseSilences_data()
    {
        QTest::addColumn<QString>("caption");
        for (const QString& caption : Musica::canzoni().mid(1))
            QTest::newRow(qPrintable(caption)) << caption;
    }

    // Closing cuts every note and its echo: the next song's silent opening
    // stays silent.
    void committedSongsSoundAndCloseSilences()
    {
        QFETCH(QString, caption);
        MMC1 mmc(offlineOptions);
        avvia(mmc, QStringLiteral(TRELVA_SOURCE_DIR "/assets/music/") + caption + ".mid");
        const Livello level = suona(mmc, 8.0);
        QVERIFY2(level.rms > 0.01, qPrintable(QString::number(level.rms)));
        QVERIFY2(level.peak < 0.9, "the song must not come near clipping");

        mmc.setCommand("close");
        QCOMPARE(suona(mmc, 1.0).peak, 0.0);
        QCOMPARE(mmc.position(), 0);
        QCOMPARE(mmc.length(), 0);
        avvia(mmc, brani_.file("tardiva.mid"));
        QVERIFY(suona(mmc, 1.9).peak < silentPeak);
        QVERIFY(suona(mmc, 1.0).rms > soundingRms);
    }

    void pauseThenPlayResumesWhereItPaused()
    {
        MMC1 mmc(offlineOptions);
        avvia(mmc, brani_.file("continua.mid"));
        suona(mmc, 1.0);
        mmc.setCommand("PAUSE");
        suona(mmc, 2.0);
        QCOMPARE(mmc.position(), 1000);
        QVERIFY2(suona(mmc, 0.5).peak < silentPeak, "paused notes must die away");

        mmc.setCommand("play");
        QVERIFY(suona(mmc, 0.5).rms > soundingRms);
        QCOMPARE(mmc.position(), 1500);

        // A start position moves the song there.
        mmc.setFrom(12000);
        mmc.setCommand("play");
        suona(mmc, 0.5);
        QCOMPARE(mmc.position(), 12500);

        // Opening over a playing song cuts its notes as closing does.
        avvia(mmc, brani_.file("tardiva.mid"));
        QVERIFY(suona(mmc, 1.9).peak < silentPeak);
        QVERIFY(suona(mmc, 1.0).rms > soundingRms);
    }

    // Null bytes stand for no file at all.
    void badSongsAreSilentAndQuiet_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = canzone(3000);
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("zero bytes") << QByteArray("");
        QTest::newRow("garbage") << QByteArray(4000, '\xA7');
        QTest::newRow("header only") << good.left(14);
        QTest::newRow("cut in half") << good.left(good.size() / 2);
        QByteArray lying = good;
        lying[20] = '\x7F'; // the first track claims far more bytes than the file has
        QTest::newRow("track longer than the file") << lying;
        QByteArray noEnd = good;
        noEnd.chop(3); // End of Track missing, lengths left as they were
        noEnd.append("\x90\x3C\x40", 3);
        QTest::newRow("no End of Track") << noEnd;
        QTest::newRow("no notes, no time") << canzone(0);
    }

    void badSongsAreSilentAndQuiet()
    {
        QFETCH(QByteArray, bytes);
        const QString path = brani_.file("guasta.mid");
        QFile::remove(path);
        QVERIFY(bytes.isNull() || scrivi(path, bytes));
        Terminale terminal;
        MMC1 mmc(offlineOptions);
        QSignalSpy done(&mmc, &MMC1::Done);
        mmc.setNotify(true);
        for (const char* word : {"play", "pause", "stop", "close", "rewind", ""}) // nothing open yet
            mmc.setCommand(word);
        mmc.setFileName(path);
        mmc.setCommand("open");
        mmc.setFrom(0);
        mmc.setCommand("play");
        QCOMPARE(suona(mmc, 1.0).peak, 0.0);
        for (const char* word : {"pause", "play", "close", "close"})
            mmc.setCommand(word);
        consegna();
        QCOMPARE(done.count(), 0);
        QCOMPARE(mmc.length(), 0);
        QCOMPARE(terminal.take(), QByteArray());
    }

    // A .sf2 in the song's folder comes before any other, unless it is a
    // compressed SoundFont 3 in disguise, or damaged, or shorter than its
    // header says: those are passed over in silence, FluidSynth's and glib's
    // complaints included.
    void soundfontBesideTheSong()
    {
        QFile real("/usr/share/sounds/sf2/TimGM6mb.sf2");
        if (!real.open(QIODevice::ReadOnly))
            QSKIP("TimGM6mb is not installed");
        const QByteArray whole = real.readAll();
        QByteArray sf3("RIFF\0\0\0\0sfbkLIST\x1a\0\0\0INFOifil\x04\0\0\0\x03\0\x01\0", 36);
        sf3.append(QByteArray(200, '\0'));
        const auto riffSize = [](QByteArray bytes, qsizetype size) {
            for (int i = 0; i < 4; ++i)
                bytes[4 + i] = char(quint32(size) >> (8 * i));
            return bytes;
        };
        const QByteArray garbled = riffSize(whole.left(4096), 4096 - 8); // whole by its RIFF size, nothing inside
        const QByteArray cut = riffSize(whole, whole.size() - 8 + 1); // its last byte missing by its RIFF size
        QTemporaryDir folder;
        QVERIFY(scrivi(folder.filePath("canzone.mid"), canzone(3000)));
        MMC1::Options none = offlineOptions;
        none.soundfonts = {folder.filePath("assente.sf2")};
        for (const QByteArray& beside : {sf3, whole.left(300000), cut, garbled, whole}) {
            QVERIFY(scrivi(folder.filePath("proprio.sf2"), beside));
            // The header check passes the garbled one, which FluidSynth refuses itself.
            QCOMPARE(music::plainSoundFont(folder.filePath("proprio.sf2")), beside == whole || beside == garbled);
            Terminale terminal;
            MMC1 mmc(none);
            avvia(mmc, folder.filePath("canzone.mid"));
            const Livello level = suona(mmc, 0.5);
            QCOMPARE(terminal.take(), QByteArray());
            QVERIFY(beside == whole ? level.rms > soundingRms : level.peak == 0.0);
        }
    }

    // With an output: a pause drops what the output holds, and a close that
    // is not held up returns once the worker has closed; the output is let go.
    void outputsAreTakenAndLetGo()
    {
        SuServente a;
        MMC1& mmc = a.mmc;
        const auto& server = a.servente;
        avvia(mmc, brani_.file("continua.mid"));
        QTRY_VERIFY(server->livello() > soundingRms);
        QCOMPARE(mmc.outputName(), QString("finta"));
        mmc.setCommand("pause");
        QTRY_COMPARE(server->svuotate(), 1); // what was buffered is not heard after the pause
        avvia(mmc, brani_.file("tardiva.mid"));
        QVERIFY(mmc.waitForIdle());
        mmc.setCommand("close");
        QVERIFY(mmc.waitForIdle(0));
        QCOMPARE(mmc.length(), 0);
        QCOMPARE(mmc.outputName(), QString());
        QTRY_COMPARE(server->aperte(), 0);
    }

    // A sound server that stops answering holds the thread that writes to it,
    // never the caller: no command waits for it, and neither does the end.
    void aHungOutputHoldsNoCommand()
    {
        auto server = std::make_shared<Servente>();
        Riprendi riprendi{server};
        MMC1::Options options;
        options.device = server->apri();
        auto mmc = std::make_unique<MMC1>(options);
        avvia(*mmc, brani_.file("continua.mid"));
        QTRY_VERIFY(server->livello() > soundingRms);
        server->ferma();
        QTest::qWait(300); // the feeder is stuck in its write by now
        QElapsedTimer t;
        t.start();
        // A song change (its open is stuck too), minimise and restore, Quit.
        mmc->setCommand("close");
        avvia(*mmc, brani_.file("tardiva.mid"));
        for (const char* word : {"pause", "play", "Close", "Close"})
            mmc->setCommand(word);
        mmc.reset();
        QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
    }

    // A song whose output went away goes on in time, by the clock alone.
    void aSilentSongKeepsItsTime()
    {
        SuServente a;
        MMC1& mmc = a.mmc;
        const auto& server = a.servente;
        avvia(mmc, brani_.file("continua.mid"));
        QTRY_VERIFY(server->livello() > soundingRms);
        server->vaVia();
        QTRY_COMPARE(mmc.outputName(), QString());
        const qint64 at = mmc.position();
        QTest::qWait(500);
        QVERIFY2(mmc.position() >= at + 400, qPrintable(QStringLiteral("%1 %2").arg(at).arg(mmc.position())));
    }

    // A sound server that goes away and comes back: the song keeps its time
    // in silence, and plays again on the next "play" (a restore), the next
    // repeat of the song, or the next song chosen.
    void aServerThatComesBackIsHeardAgain()
    {
        QTemporaryDir folder;
        QVERIFY(scrivi(folder.filePath(Musica::canzoni().at(1) + ".mid"), canzone(1500)));
        auto server = std::make_shared<Servente>();
        Riprendi riprendi{server};
        MMC1::Options options;
        options.device = server->apri();
        MMC1 mmc(options);
        Musica musica(mmc, folder.path());
        musica.avvio();
        QTRY_VERIFY(server->livello() > soundingRms);

        const std::function<void()> triggers[]{
            [&] { mmc.setCommand("play"); },
            [] {}, // the song ends in silence and starts again by itself
            [&] { musica.canzoni_Click(1); },
        };
        for (const auto& trigger : triggers) {
            server->vaVia();
            QTRY_COMPARE(mmc.outputName(), QString());
            const qint64 at = mmc.position();
            QTRY_VERIFY(mmc.position() != at); // time goes on, silently
            mmc.setCommand("play"); // nothing there yet: still silent
            server->torna();
            trigger();
            QTRY_COMPARE_WITH_TIMEOUT(mmc.outputName(), QString("finta"), 4000);
            QTRY_VERIFY(server->livello() > soundingRms);
        }
    }
};

QTEST_GUILESS_MAIN(Mmc1Test)
#include "mmc1_test.moc"
