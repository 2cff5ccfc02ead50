// trelva-bench-music: what the background music costs on a desktop.
//  - the game's memory with no sound server (resident now and at its peak);
//  - CPU and wake-ups of the game and of the sound server while a song plays,
//    and how soon "close" takes the song's stream off the server;
//  - with the sound server stopped (SIGSTOP): how long a song change holds the
//    caller's thread and how long the process takes to end after "Close";
//  - hostile songs within the size cap: reading time and what is kept;
//  - the level of every song at the game's gain, whole song, offline.
// The sound server is a private one that PULSE_RUNTIME_PATH names; .ci/run
// shows how to start one with a null sink.
#include "folders.h"
#include "game.h"
#include "mmc1.h"
#include "musica.h"
#include "smf.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using music::MMC1;
using trelva::Musica;

// Found as the game finds it: the build copies the songs beside the program.
QString songFolder()
{
    return music::musicFolder(QCoreApplication::applicationDirPath());
}

// utime + stime in clock ticks.
double cpuTicks(qint64 pid)
{
    const QByteArray stat = proc(pid, "stat");
    const QList<QByteArray> f = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return f.size() > 12 ? f[11].toDouble() + f[12].toDouble() : 0;
}

// Voluntary context switches of every thread: each is a sleep that ended in a wake-up.
long wakeUps(qint64 pid)
{
    long sum = 0;
    for (const QString& task : QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QByteArray& line : proc(pid, "task/" + task + "/status").split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                sum += line.mid(24).trimmed().toLong();
    return sum;
}

void memoryWithoutServer()
{
    QProcess* game = startGame(withoutSoundServer());
    long rss = 0;
    for (int i = 0; i < 80; ++i) { // title screen, then the table
        QThread::msleep(100);
        rss = statusKiB(game->processId(), "VmRSS:");
    }
    const long peak = statusKiB(game->processId(), "VmHWM:");
    std::printf("Game with no sound server, 8 s after start: resident %.1f MiB, peak %.1f MiB\n", rss / 1024.0,
                peak / 1024.0);
    stopGame(game);
}

void memoryGivenBack()
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--figlio", songFolder()});
    child.waitForStarted();
    child.waitForReadyRead(20000);
    child.readLine();
    QThread::sleep(2);
    child.write("nessuna\n");
    child.waitForReadyRead(20000);
    std::printf("The control alone (no window): %s\n", child.readLine().trimmed().constData());
    child.closeWriteChannel();
    child.waitForFinished();
}

void costWhilePlaying(qint64 server)
{
    QProcess* game = startGame(QProcessEnvironment::systemEnvironment());
    QThread::sleep(7); // past the title screen: the first song plays
    const qint64 pid = game->processId();
    const double tick = double(sysconf(_SC_CLK_TCK));
    const double g0 = cpuTicks(pid), s0 = cpuTicks(server);
    const long gw0 = wakeUps(pid), sw0 = wakeUps(server);
    QElapsedTimer t;
    t.start();
    QThread::sleep(10);
    const double secs = t.elapsed() / 1000.0;
    const double game_ = 100 * (cpuTicks(pid) - g0) / tick / secs;
    const double serv = 100 * (cpuTicks(server) - s0) / tick / secs;
    std::printf("While the first song plays (10 s), resident %.1f MiB:\n", statusKiB(pid, "VmRSS:") / 1024.0);
    std::printf("  game          %5.2f %% of one core, %6.1f wake-ups/s\n", game_, (wakeUps(pid) - gw0) / secs);
    std::printf("  sound server  %5.2f %% of one core, %6.1f wake-ups/s\n", serv, (wakeUps(server) - sw0) / secs);
    std::printf("  together      %5.2f %% of one core\n", game_ + serv);
    stopGame(game);
}

// How soon the server lets the song's stream go after "close".
void closeHeard()
{
    auto streams = [] {
        QProcess pactl;
        pactl.start("pactl", {"list", "short", "sink-inputs"});
        pactl.waitForFinished();
        return pactl.readAllStandardOutput().count('\n');
    };
    MMC1 mmc;
    Musica musica(mmc, songFolder());
    musica.avvio();
    mmc.waitForIdle(10000);
    QThread::sleep(2);
    QElapsedTimer t;
    t.start();
    mmc.setCommand("close");
    while (streams() > 0 && t.elapsed() < 5000)
        QThread::msleep(5);
    std::printf("\"close\" to the stream gone from the server: %lld ms\n", t.elapsed());
}

// The parent's side of the hung-server measurement: the child plays, the
// server stops, the child changes song and then quits.
void hungServer(qint64 server)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"--figlio", songFolder()});
    child.waitForStarted();
    child.waitForReadyRead(20000);
    const QByteArray ready = child.readLine().trimmed();
    QThread::sleep(1);
    ::kill(pid_t(server), SIGSTOP);
    child.write("cambia\n");
    child.waitForReadyRead(20000);
    const QByteArray change = child.readLine().trimmed();
    QElapsedTimer t;
    t.start();
    child.write("esci\n");
    const bool ended = child.waitForFinished(10000);
    const qint64 quitMs = t.elapsed();
    ::kill(pid_t(server), SIGCONT);
    if (!ended) {
        child.kill();
        child.waitForFinished();
    }
    std::printf("Sound server stopped mid-song (%s):\n", ready.constData());
    std::printf("  song change held the caller's thread %s ms\n", change.constData());
    std::printf("  \"Close\", \"Close\" and the end of the process: %s\n",
                ended ? qPrintable(QString::number(quitMs) + " ms") : "not within 10 s (killed)");
}

int child(const QString& folder)
{
    MMC1 mmc;
    Musica musica(mmc, folder);
    musica.avvio();
    mmc.waitForIdle(10000);
    std::cout << "output " << (mmc.outputName().isEmpty() ? "none" : qPrintable(mmc.outputName())) << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
        if (line == "cambia") {
            QElapsedTimer t;
            t.start();
            musica.canzoni_Click(2);
            std::cout << t.elapsed() << std::endl;
        } else if (line == "nessuna") {
            const long playing = statusKiB(getpid(), "VmRSS:");
            musica.canzoni_Click(0);
            mmc.waitForIdle();
            std::cout << playing / 1024.0 << " MiB while a song plays, " << statusKiB(getpid(), "VmRSS:") / 1024.0
                      << " MiB after \"No Music\"" << std::endl;
        } else if (line == "esci") {
            // What the window does on Quit: "Close" twice, then the program ends.
            mmc.setCommand("Close");
            mmc.setCommand("Close");
            return 0;
        }
    }
    return 0;
}

// 16,384 presets, then program changes up to 16 MiB (two bytes each).
QByteArray manyProgramChanges()
{
    QByteArray events;
    for (int bank = 0; bank < 128; ++bank) {
        events += QByteArray("\x00\xB0\x00", 3) + char(bank) + QByteArray("\x00\xC0\x00", 3);
        for (int program = 1; program < 128; ++program)
            events += QByteArray(1, '\0') + char(program);
    }
    const qsizetype room = 16 * 1024 * 1024 - 22 - 5 - events.size();
    for (qsizetype i = 0; i < room / 2; ++i)
        events += QByteArray(1, '\0') + char(i % 128);
    events += QByteArray("\x83\x60\xFF\x2F\x00", 5); // half a second long
    auto be = [](quint32 v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char(v >> (24 - 8 * i));
        return b;
    };
    return QByteArray("MThd\0\0\0\x06\0\0\0\x01\x01\xE0", 14) + "MTrk" + be(quint32(events.size())) + events;
}

void hostileSongs()
{
    const QByteArray bytes = manyProgramChanges();
    QElapsedTimer t;
    t.start();
    const auto song = music::readSmf(std::string_view(bytes.constData(), size_t(bytes.size())), 22050);
    const qint64 ms = t.elapsed();
    std::printf("Hostile song, %.1f MiB of program changes over 16,384 presets:\n", bytes.size() / 1048576.0);
    if (song)
        std::printf("  read in %lld ms: %zu events kept in %.1f MiB, %zu presets listed\n", ms, song->events.size(),
                    song->events.capacity() * sizeof(music::TimedEvent) / 1048576.0, song->presets.size());
    else
        std::printf("  refused in %lld ms\n", ms);

    QTemporaryDir dir;
    QFile f(dir.filePath(Musica::canzoni().at(2) + ".mid"));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    f.close();
    MMC1::Options offline;
    offline.output = MMC1::Output::Offline;
    auto mmc = std::make_unique<MMC1>(offline);
    Musica musica(*mmc, dir.path());
    t.restart();
    musica.canzoni_Click(2);
    const qint64 choice = t.elapsed();
    mmc->waitForIdle();
    const qint64 ready = t.elapsed();
    t.restart();
    mmc->setCommand("Close");
    mmc.reset();
    std::printf("  chosen from the menu: caller's thread %lld ms, ready after %lld ms; close and end %lld ms\n", choice,
                ready, t.elapsed());
}

double db(double v)
{
    return v > 0 ? 20 * std::log10(v) : -999;
}

void levels(const QString& folder)
{
    std::printf("Offline rendering, whole songs, at the game's gain\n");
    for (int i = 1; i < Musica::canzoni().size(); ++i) {
        MMC1::Options offline;
        offline.output = MMC1::Output::Offline;
        MMC1 mmc(offline);
        Musica musica(mmc, folder);
        musica.canzoni_Click(i);
        mmc.waitForIdle();
        const qint64 lengthMs = mmc.length();
        std::vector<float> l(4096), r(4096);
        double peak = 0, sum = 0;
        long frames = 0;
        QElapsedTimer t;
        t.start();
        while (mmc.position() < lengthMs) {
            mmc.render(l.data(), r.data(), 4096);
            for (int k = 0; k < 4096; ++k)
                for (float v : {l[size_t(k)], r[size_t(k)]}) {
                    peak = std::max(peak, double(std::abs(v)));
                    sum += double(v) * v;
                }
            frames += 4096;
        }
        const double seconds = double(frames) / mmc.sampleRate();
        std::printf("  %-22s %3lld:%02lld  peak %6.1f dBFS  RMS %6.1f dBFS  render %.1f %% of one core\n",
                    qPrintable(Musica::canzoni().at(i)), lengthMs / 60000, (lengthMs / 1000) % 60, db(peak),
                    db(std::sqrt(sum / (2.0 * frames))), 100.0 * t.elapsed() / 1000.0 / seconds);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--figlio")
        return child(QString::fromLocal8Bit(argv[2]));
    memoryWithoutServer();
    const qint64 server = soundServerPid();
    if (server > 0 && QFile::exists(QStringLiteral("/proc/%1").arg(server))) {
        costWhilePlaying(server);
        memoryGivenBack();
        closeHeard();
        hungServer(server);
    } else {
        std::printf("No sound server found (PULSE_RUNTIME_PATH/pid): CPU and hang figures skipped\n");
    }
    hostileSongs();
    levels(songFolder());
    return 0;
}
