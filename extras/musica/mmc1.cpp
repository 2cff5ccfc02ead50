#include "mmc1.h"

#include "engine.h"

#include <QMetaObject>

#include <algorithm>
#include <optional>

namespace music {

namespace {

std::optional<Engine::Verb> verbOf(const QString& word)
{
    const QString w = word.trimmed().toLower();
    if (w == QLatin1String("open"))
        return Engine::Verb::Open;
    if (w == QLatin1String("play"))
        return Engine::Verb::Play;
    if (w == QLatin1String("pause") || w == QLatin1String("stop"))
        return Engine::Verb::Pause;
    if (w == QLatin1String("close"))
        return Engine::Verb::Close;
    return std::nullopt;
}

// How long the owner waits, when it goes, for the control's threads to finish
// closing; a thread stuck in a hung sound server is left to the process's end.
constexpr int leaveWaitMs = 150;

} // namespace

MMC1::MMC1(QObject* parent)
    : MMC1(Options{}, parent)
{
}

MMC1::MMC1(const Options& options, QObject* parent)
    : QObject(parent)
{
    offline_ = options.output == Output::Offline;
    Engine::Settings settings;
    if (!offline_)
        settings.output = options.device ? options.device : systemOutput;
    settings.soundfonts = options.soundfonts;
    settings.sampleRate = options.sampleRate;
    engine_ = Engine::start(std::move(settings), [this] {
        if (notify_)
            QMetaObject::invokeMethod(
                this, [this] { emit Done(Successful); }, Qt::QueuedConnection);
    });
}

MMC1::~MMC1()
{
    engine_->letGo(leaveWaitMs);
}

void MMC1::setNotify(bool on)
{
    notify_ = on;
}
bool MMC1::notify() const
{
    return notify_;
}

void MMC1::setFileName(const QString& name)
{
    fileName_ = name;
    engine_->fileName(name);
}

void MMC1::setCommand(const QString& word)
{
    const auto verb = verbOf(word);
    if (!verb)
        return;
    engine_->word(*verb);
    if (*verb == Engine::Verb::Close)
        engine_->waitIdle(closeWaitMs);
}

qint64 MMC1::position() const
{
    return engine_->position();
}
qint64 MMC1::length() const
{
    return engine_->length();
}
void MMC1::setFrom(qint64 ms)
{
    engine_->from(ms);
}

void MMC1::render(float* left, float* right, int frames)
{
    if (frames <= 0)
        return;
    if (!offline_) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
        return;
    }
    engine_->render(left, right, frames);
}

int MMC1::sampleRate() const
{
    return engine_->rate();
}
bool MMC1::waitForIdle(int timeoutMs)
{
    return engine_->waitIdle(timeoutMs);
}
QString MMC1::outputName() const
{
    return engine_->outputName();
}

} // namespace music
