// The music through a real PulseAudio server, a private one that
// PULSE_RUNTIME_PATH names (.ci/run starts one playing into a null sink): a song is heard on
// the sink's monitor and its stream goes with "close"; a server stopped with
// SIGSTOP holds neither the control nor the window's Quit. Skipped where there
// is no server.
#include "audiooutput.h"
#include "form1.h"
#include "musica_prova.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <csignal>

using namespace trelva;
using namespace trelva::prova;

namespace {

QString song(int index)
{
    return QCoreApplication::applicationDirPath() + "/music/" + Musica::canzoni().at(index) + ".mid";
}

// Only a private server, named by PULSE_RUNTIME_PATH as .ci/run does: a
// desktop's own is never stopped or listened to.
qint64 serverPid()
{
    const QString runtime = qEnvironmentVariable("PULSE_RUNTIME_PATH");
    if (runtime.isEmpty())
        return 0;
    const qint64 pid = leggi(runtime + "/pid").trimmed().toLongLong();
    return pid > 0 && ::kill(pid_t(pid), 0) == 0 ? pid : 0;
}

// Our streams on the server: its sink inputs, less the test's own silent one.
int streams()
{
    QProcess pactl;
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    pactl.waitForFinished();
    return int(pactl.readAllStandardOutput().count('\n'));
}

// The properties of our stream, as a desktop mixer reads them.
QString ourStream()
{
    QProcess pactl;
    pactl.start("pactl", {"list", "sink-inputs"});
    pactl.waitForFinished();
    for (const QString& block : QString::fromUtf8(pactl.readAllStandardOutput()).split("Sink Input #"))
        if (block.contains(R"(application.name = "La Trelva")"))
            return block;
    return {};
}

// Stops the server; it resumes when this goes, and, should the test itself
// die first, a few seconds later all the same.
class Fermata {
public:
    explicit Fermata(qint64 pid)
        : pid_(pid)
    {
        QProcess::startDetached("sh", {"-c", QStringLiteral("sleep 8; kill -CONT %1").arg(pid)});
        ::kill(pid_t(pid_), SIGSTOP);
    }
    ~Fermata() { ::kill(pid_t(pid_), SIGCONT); }

private:
    qint64 pid_;
};

// The child's side of the window test: the game's window with real sound,
// which quits from its menu when a line comes on standard input.
int finestra(int argc, char** argv)
{
    QApplication app(argc, argv);
    Form1 form({.cartella = QCoreApplication::applicationDirPath()});
    QSocketNotifier input(0, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &form, [&] {
        input.setEnabled(false);
        form.azione("&Quit")->trigger();
    });
    QTimer::singleShot(0, &form, &Form1::Form_Load);
    return app.exec();
}

} // namespace

class AudioOutputTest : public QObject {
    Q_OBJECT

    qint64 server_ = 0;

private slots:
    void init()
    {
        server_ = serverPid();
        if (!server_)
            QSKIP("no private PulseAudio server here (.ci/run starts one)");
        for (const char* tool : {"pactl", "pacat", "parec"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                QSKIP("pulseaudio-utils are not installed");
    }

    void aSongIsHeardAndItsStreamGoesWithClose()
    {
        // A silent stream keeps the sink running, so the recording starts at once.
        QProcess silence, recorder;
        silence.start("pacat", {"--raw", "/dev/zero"});
        recorder.start("parec", {"-d", "@DEFAULT_MONITOR@", "--raw", "--format=s16le", "--rate=22050", "--channels=1"});
        QVERIFY(silence.waitForStarted() && recorder.waitForStarted());
        QTRY_COMPARE(streams(), 1);
        Terminale terminal;
        {
            MMC1 mmc;
            avvia(mmc, song(1));
            QTRY_COMPARE(mmc.outputName(), QString("pulseaudio"));
            const QString props = ourStream();
            for (const char* p : {R"(media.role = "game")", R"(application.id = "latrelva")",
                                  R"(application.icon_name = "latrelva")"})
                QVERIFY2(props.contains(p), p);
            QTest::qWait(3000);
            recorder.kill();
            recorder.waitForFinished();
            const QByteArray pcm = recorder.readAllStandardOutput();
            const auto* samples = reinterpret_cast<const int16_t*>(pcm.constData());
            double sum = 0;
            const qsizetype n = pcm.size() / 2;
            for (qsizetype i = 0; i < n; ++i)
                sum += double(samples[i]) * samples[i];
            const double rms = n ? std::sqrt(sum / double(n)) / 32768.0 : 0;
            QVERIFY2(rms > 0.01, qPrintable(QString("RMS %1 over %2 samples").arg(rms).arg(n)));

            mmc.setCommand("close");
            QTRY_COMPARE_WITH_TIMEOUT(streams(), 1, 1000);
        }
        silence.kill();
        silence.waitForFinished();
        QCOMPARE(terminal.take(), QByteArray());
    }

    void aStoppedServerHoldsNeitherControlNorQuit()
    {
        {
            auto mmc = std::make_unique<MMC1>();
            avvia(*mmc, song(1));
            QTRY_COMPARE(mmc->outputName(), QString("pulseaudio"));
            QTest::qWait(500);
            Fermata fermata(server_);
            QElapsedTimer t;
            t.start();
            mmc->setCommand("close");
            avvia(*mmc, song(2));
            mmc->setCommand("Close");
            mmc.reset();
            QVERIFY2(t.elapsed() < 1000, qPrintable(QString::number(t.elapsed())));
        }
        // Once the server answers again, the stuck stream goes too.
        QTRY_COMPARE_WITH_TIMEOUT(streams(), 0, 5000);
        QProcess game;
        game.start(QCoreApplication::applicationFilePath(), {"--finestra"});
        QVERIFY(game.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(streams(), 1, 30000); // the first song plays
        QTest::qWait(500);
        Fermata fermata(server_);
        QElapsedTimer t;
        t.start();
        game.write("esci\n");
        const bool ended = game.waitForFinished(3000);
        const qint64 ms = t.elapsed();
        if (!ended)
            game.kill();
        QVERIFY2(ended && ms < 1000, qPrintable(QString::number(ms)));
        QCOMPARE(game.exitCode(), 0);
    }
};

int main(int argc, char** argv)
{
    if (argc > 1 && QByteArray(argv[1]) == "--finestra")
        return finestra(argc, argv);
    music::introduceToMixers("latrelva");
    QCoreApplication app(argc, argv);
    AudioOutputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "audiooutput_test.moc"
