// The game as the music benchmarks run it: started afresh in its own process,
// read through /proc, and stopped.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// A file of /proc/<pid>/.
QByteArray proc(qint64 pid, const QString& file);
// A "Key:" line of /proc/<pid>/status, in KiB; -1 when there is none.
long statusKiB(qint64 pid, const char* key);

// The private sound server PULSE_RUNTIME_PATH names (.ci/run starts one); 0 when none.
qint64 soundServerPid();
// An environment in which the game finds no sound server at all.
QProcessEnvironment withoutSoundServer();

// `program` (the game beside this benchmark by default) on the offscreen platform.
QProcess* startGame(const QProcessEnvironment& env, const QString& program = {});
void stopGame(QProcess* game);
