// trelva-bench-soundfont: the game's own soundfont against FluidR3, on the
// same machine in the same run.
//  - the two soundfonts' sizes;
//  - the game's resident memory 8 s after start with no sound server, and
//    with the first song playing through each soundfont;
//  - how soon after start the first note reaches the sound server;
//  - every whole song, offline at the game's rate and gain, through both:
//    loudness, its difference, and how alike the two renderings are.
// Each soundfont plays in a portable copy of the game (the program and its
// songs in a folder of their own), the game's own lying beside the songs as
// it does when built or installed. The server figures need a private sound
// server that PULSE_RUNTIME_PATH names (.ci/run shows how to start one).
#include "compare.h"
#include "game.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

const QString fluidR3 = QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2");
constexpr double fontGoalMiB = 10, residentGoalMiB = 53, loudnessGoalLu = 0.5, likenessGoal = 0.95;
constexpr int firstNoteRuns = 5;
// What the listener can tell apart: its poll and the monitor's latency.
constexpr qint64 listenerMs = 10;

QString builtMusic()
{
    return QCoreApplication::applicationDirPath() + "/music";
}

QString ownFont()
{
    return builtMusic() + "/latrelva.sf2";
}

double mib(qint64 bytes)
{
    return double(bytes) / 1048576.0;
}

const char* verdict(bool met)
{
    return met ? "met" : "NOT MET";
}

// The game and its songs in a folder of their own, with the game's soundfont or without.
std::unique_ptr<QTemporaryDir> portableCopy(bool withOwnFont)
{
    auto dir = std::make_unique<QTemporaryDir>();
    QDir(dir->path()).mkdir("music");
    QFile::copy(QCoreApplication::applicationDirPath() + "/latrelva", dir->filePath("latrelva"));
    for (const QString& name : QDir(builtMusic()).entryList({"*.mid"}, QDir::Files))
        QFile::copy(builtMusic() + "/" + name, dir->filePath("music/" + name));
    if (withOwnFont)
        QFile::copy(ownFont(), dir->filePath("music/latrelva.sf2"));
    return dir;
}

double residentMiB(const QProcessEnvironment& env, const QString& program)
{
    QProcess* game = startGame(env, program);
    QThread::sleep(8); // the title screen, then the table; the first song plays from the start
    const long kib = statusKiB(game->processId(), "VmRSS:");
    stopGame(game);
    return kib / 1024.0;
}

// Milliseconds from the start of the process to the first sound on the
// server's default sink, as its monitor hears it; -1 if none within 20 s.
qint64 firstNoteMs(const QString& program)
{
    QProcess listener;
    listener.start("parec", {"--raw", "--format=s16le", "--channels=1", "--rate=22050", "--latency-msec=5", "--device=@DEFAULT_MONITOR@"});
    if (!listener.waitForStarted())
        return -1;
    QThread::msleep(500);
    listener.readAll();
    QElapsedTimer t;
    t.start();
    QProcess* game = startGame(QProcessEnvironment::systemEnvironment(), program);
    qint64 heard = -1;
    while (heard < 0 && t.elapsed() < 20000) {
        listener.waitForReadyRead(5);
        const QByteArray bytes = listener.readAll();
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
            if (std::abs(int(qint16(uchar(bytes[i]) | uchar(bytes[i + 1]) << 8))) > 64) {
                heard = t.elapsed();
                break;
            }
    }
    stopGame(game);
    listener.kill();
    listener.waitForFinished();
    return heard;
}

qint64 medianFirstNote(const QString& program)
{
    std::vector<qint64> runs;
    for (int i = 0; i < firstNoteRuns; ++i)
        runs.push_back(firstNoteMs(program));
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

void sizes()
{
    const double own = mib(QFileInfo(ownFont()).size());
    std::printf("Soundfont: the game's %.1f MiB, FluidR3 %.1f MiB (goal: at most %.0f MiB, %s)\n", own,
                mib(QFileInfo(fluidR3).size()), fontGoalMiB, verdict(own <= fontGoalMiB));
}

void withServer()
{
    const auto own = portableCopy(true);
    const auto general = portableCopy(false);
    const QString ownGame = own->filePath("latrelva"), generalGame = general->filePath("latrelva");
    const double silent = residentMiB(withoutSoundServer(), ownGame);
    const double ownPlaying = residentMiB(QProcessEnvironment::systemEnvironment(), ownGame);
    const double generalPlaying = residentMiB(QProcessEnvironment::systemEnvironment(), generalGame);
    std::printf("Resident 8 s after start: no sound server %.1f MiB; first song playing through the game's "
                "soundfont %.1f MiB, through FluidR3 %.1f MiB (goal: at most %.0f MiB, %s)\n",
                silent, ownPlaying, generalPlaying, residentGoalMiB, verdict(ownPlaying <= residentGoalMiB));
    const qint64 ownNote = medianFirstNote(ownGame), generalNote = medianFirstNote(generalGame);
    std::printf("First note heard after start (median of %d): the game's soundfont %lld ms, FluidR3 %lld ms "
                "(goal: no later, to the %lld ms the listener tells apart, %s)\n",
                firstNoteRuns, ownNote, generalNote, listenerMs,
                verdict(ownNote >= 0 && ownNote <= generalNote + listenerMs));
}

void songs()
{
    std::printf("Whole songs, offline at the game's rate and gain: the game's soundfont beside FluidR3\n");
    bool met = true;
    for (const QString& name : QDir(builtMusic()).entryList({"*.mid"}, QDir::Files)) {
        const QString song = builtMusic() + "/" + name;
        const auto reference = bandfont::renderSong(song, fluidR3);
        const auto cut = bandfont::renderSong(song, ownFont());
        const double ours = bandfont::loudness(cut), theirs = bandfont::loudness(reference);
        const double r = bandfont::correlation(reference, cut);
        met = met && std::abs(ours - theirs) <= loudnessGoalLu && r >= likenessGoal;
        std::printf("  %-24s %6.1f LUFS against %6.1f: %+5.2f LU, correlation %.4f\n",
                    qPrintable(QFileInfo(name).completeBaseName()), ours, theirs, ours - theirs, r);
    }
    std::printf("  (goal: within %.1f LU and correlated at least %.2f, %s)\n", loudnessGoalLu, likenessGoal,
                verdict(met));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!QFile::exists(ownFont()) || !QFile::exists(fluidR3)) {
        std::printf("No game's soundfont in %s, or no FluidR3: nothing to compare\n", qPrintable(builtMusic()));
        return 1;
    }
    sizes();
    const qint64 server = soundServerPid();
    if (server > 0 && QFile::exists(QStringLiteral("/proc/%1").arg(server)))
        withServer();
    else
        std::printf("No sound server found (PULSE_RUNTIME_PATH/pid): memory and first-note figures skipped\n");
    songs();
    return 0;
}
