// trelva-bench-music: what the background music costs.
//  - the music start-up call on the caller's thread, and how long the worker
//    takes until the first song is ready;
//  - memory the synthesizer and soundfont add, song by song (dynamic sample
//    loading keeps only the instruments in use);
//  - CPU while a song plays: through the real driver when there is a sound
//    device, otherwise by offline rendering (the line says which);
//  - the level of every song at the game's gain, whole song, offline.
#include "mmc1.h"
#include "musica.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

long rssKiB()
{
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

double cpuSeconds(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

double db(double v) { return v > 0 ? 20 * std::log10(v) : -999; }

QString musicFolder()
{
    const QString beside = QCoreApplication::applicationDirPath() + "/music";
    return QDir(beside).exists() ? beside : QStringLiteral(TRELVA_SOURCE_DIR "/assets/music");
}

void startUp(const QString& folder)
{
    std::printf("Start-up (music folder %s)\n", qPrintable(folder));
    std::vector<double> construct, call, ready;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        MMC1 mmc;
        construct.push_back(t.nsecsElapsed() / 1e6);
        Musica musica(mmc, folder);
        t.restart();
        musica.avvio();
        call.push_back(t.nsecsElapsed() / 1e6);
        mmc.waitForIdle();
        ready.push_back(t.nsecsElapsed() / 1e6);
        if (run == 0)
            std::printf("  output: %s\n", mmc.outputName().isEmpty() ? "none (no sound device: silent)"
                                                                     : qPrintable(mmc.outputName()));
    }
    auto median = [](std::vector<double> v) { std::sort(v.begin(), v.end()); return v[v.size() / 2]; };
    auto worst = [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("  MMC1 construction on the caller's thread: median %.3f ms, worst %.3f ms\n",
                median(construct), worst(construct));
    std::printf("  avvio() on the caller's thread:            median %.3f ms, worst %.3f ms\n",
                median(call), worst(call));
    std::printf("  first song ready on the worker:            median %.1f ms, worst %.1f ms\n",
                median(ready), worst(ready));
}

void memory(const QString& folder)
{
    std::printf("Memory (resident set added to the process; freed memory is not always given back)\n");
    const long before = rssKiB();
    MMC1::Options o;
    o.output = MMC1::Output::Offline;
    MMC1 mmc(o);
    Musica musica(mmc, folder);
    float l[1024], r[1024];
    musica.avvio();
    mmc.render(l, r, 1024);
    std::printf("  first song open (synthesizer, soundfont index, its instruments): %+.1f MiB\n",
                (rssKiB() - before) / 1024.0);
    long most = rssKiB();
    for (int i = 2; i < Musica::canzoni().size(); ++i) {
        musica.canzoni_Click(i);
        mmc.render(l, r, 1024);
        most = std::max(most, rssKiB());
    }
    std::printf("  most while going through all five songs:                          %+.1f MiB\n",
                (most - before) / 1024.0);
    std::printf("  whole FluidR3 soundfont, for comparison:                          %.1f MiB on disk\n",
                QFile("/usr/share/sounds/sf2/FluidR3_GM.sf2").size() / 1048576.0);
}

void cpuAndLevels(const QString& folder)
{
    // Through the device, when there is one.
    {
        MMC1 mmc;
        Musica musica(mmc, folder);
        musica.avvio();
        mmc.waitForIdle();
        if (!mmc.outputName().isEmpty()) {
            const double c0 = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
            QElapsedTimer t;
            t.start();
            QThread::sleep(10);
            const double used = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - c0;
            std::printf("CPU while \"%s\" plays through %s: %.1f %% of one core (10 s)\n",
                        qPrintable(Musica::canzoni().at(1)), qPrintable(mmc.outputName()),
                        100.0 * used / (t.elapsed() / 1000.0));
        } else {
            std::printf("CPU: no sound device here, so measured by offline rendering instead\n");
        }
    }

    std::printf("Offline rendering, whole songs, at the game's gain\n");
    MMC1::Options o;
    o.output = MMC1::Output::Offline;
    for (int i = 1; i < Musica::canzoni().size(); ++i) {
        MMC1 mmc(o);
        Musica musica(mmc, folder);
        musica.canzoni_Click(i);
        mmc.waitForIdle();
        const qint64 lengthMs = mmc.length();
        std::vector<float> l(1024), r(1024);
        double peak = 0, sum = 0;
        long frames = 0;
        const double c0 = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        while (mmc.position() < lengthMs) {
            mmc.render(l.data(), r.data(), 1024);
            for (int k = 0; k < 1024; ++k)
                for (float v : {l[size_t(k)], r[size_t(k)]}) {
                    peak = std::max(peak, double(std::abs(v)));
                    sum += double(v) * v;
                }
            frames += 1024;
        }
        const double used = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - c0;
        const double seconds = double(frames) / mmc.sampleRate();
        std::printf("  %-22s %3lld:%02lld  peak %6.1f dBFS  RMS %6.1f dBFS  CPU %.1f %% of one core\n",
                    qPrintable(Musica::canzoni().at(i)), lengthMs / 60000, (lengthMs / 1000) % 60, db(peak),
                    db(std::sqrt(sum / (2.0 * frames))), 100.0 * used / seconds);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = musicFolder();
    startUp(folder);
    memory(folder);
    cpuAndLevels(folder);
    return 0;
}
