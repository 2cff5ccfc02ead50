#include "game.h"

#include <QCoreApplication>
#include <QFile>

QByteArray proc(qint64 pid, const QString& file)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

long statusKiB(qint64 pid, const char* key)
{
    for (const QByteArray& line : proc(pid, "status").split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

qint64 soundServerPid()
{
    const QString runtime = qEnvironmentVariable("PULSE_RUNTIME_PATH");
    if (runtime.isEmpty())
        return 0;
    QFile f(runtime + "/pid");
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toLongLong() : 0;
}

QProcessEnvironment withoutSoundServer()
{
    auto env = QProcessEnvironment::systemEnvironment();
    // An explicit server that is not there: no autospawn, no other server found.
    env.insert("PULSE_SERVER", "unix:/nonexistent/trelva");
    return env;
}

QProcess* startGame(const QProcessEnvironment& env, const QString& program)
{
    auto* game = new QProcess;
    auto e = env;
    e.insert("QT_QPA_PLATFORM", "offscreen");
    game->setProcessEnvironment(e);
    game->setProcessChannelMode(QProcess::ForwardedChannels);
    game->start(program.isEmpty() ? QCoreApplication::applicationDirPath() + "/latrelva" : program, {});
    game->waitForStarted();
    return game;
}

void stopGame(QProcess* game)
{
    game->kill();
    game->waitForFinished();
    delete game;
}
