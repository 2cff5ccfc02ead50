#include "engine.h"

#include "sequence.h"
#include "song.h"
#include "soundfont.h"
#include "synth.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace music {
namespace {

using State = Sequence::State;

// After a song stops playing, its notes and their echo ring out for at most
// this many blocks; the feeder stops at the first silent one.
constexpr int tailBlocks = 3000 / blockMs;
constexpr float quietSample = 1e-6f;

int64_t nanoseconds(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

int16_t sample(float v)
{
    return int16_t(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

// A synthesizer for the song, or null. Soundfonts beside the song come first.
std::unique_ptr<Synth> synthFor(const SongTimeline& song, const QString& songFolder,
                                const QStringList& chosen, int rate)
{
    return Synth::create(soundfontCandidates(songFolder, chosen, Synth::defaultSoundFont()), rate,
                         song);
}

} // namespace

std::shared_ptr<Engine> Engine::start(Settings settings, std::function<void()> notice)
{
    std::shared_ptr<Engine> m(new Engine(std::move(settings)));
    m->notice_ = std::move(notice);
    m->threads_ = 1;
    std::thread([m] { m->run(); }).detach();
    return m;
}

Engine::Engine(Settings settings)
    : settings_(std::move(settings))
    , rate_(settings_.sampleRate > 0 ? settings_.sampleRate : 22050)
{
}

Engine::~Engine() = default;

// ---- the owner's side --------------------------------------------------------

void Engine::post(Command c)
{
    std::lock_guard q(queueLock_);
    queue_.push_back(std::move(c));
    queueWake_.notify_all();
}

void Engine::fileName(const QString& name)
{
    post({Command::FileName, name});
}
void Engine::from(qint64 ms)
{
    post({Command::From, {}, ms});
}
void Engine::word(Verb verb)
{
    post({Command::Word, {}, 0, verb});
}

bool Engine::waitIdle(int timeoutMs)
{
    std::unique_lock q(queueLock_);
    return idle_.wait_for(q, std::chrono::milliseconds(timeoutMs), [this] { return queue_.empty() && !busy_; });
}

void Engine::letGo(int timeoutMs)
{
    {
        std::lock_guard a(noticeLock_);
        notice_ = nullptr;
    }
    post({Command::Quit, {}});
    std::unique_lock q(queueLock_);
    idle_.wait_for(q, std::chrono::milliseconds(timeoutMs), [this] { return threads_ == 0; });
}

qint64 Engine::position() const
{
    const int state = state_.load();
    const int64_t length = lengthMs_.load();
    if (state < 0)
        return 0;
    if (state == int(State::Finished))
        return length;
    double frames = double(cursor_.load());
    if (const int64_t since = clockFromNs_.load())
        frames += double(nanoseconds(Clock::now()) - since) * rate_ / 1e9;
    // Short of the end by at least a millisecond until the end has been reached.
    const qint64 ms = qint64(frames * 1000.0 / rate_);
    return std::min(ms, std::max<qint64>(0, length - 1));
}

qint64 Engine::length() const
{
    return state_.load() < 0 ? 0 : lengthMs_.load();
}

QString Engine::outputName() const
{
    std::lock_guard l(lock_);
    return outputName_;
}

void Engine::render(float* left, float* right, int frames)
{
    waitIdle(60000);
    std::lock_guard l(lock_);
    renderLocked(left, right, frames);
}

// ---- the worker ------------------------------------------------------------

void Engine::run()
{
    for (;;) {
        Command c{Command::Clock, {}};
        {
            std::unique_lock q(queueLock_);
            const auto ready = [this] { return !queue_.empty(); };
            if (silentEnd_)
                queueWake_.wait_until(q, *silentEnd_, ready);
            else
                queueWake_.wait(q, ready);
            if (!queue_.empty()) {
                c = std::move(queue_.front());
                queue_.pop_front();
            }
            busy_ = true;
        }
        execute(c);
        {
            // A silent song ends when its time is up: the worker wakes for that.
            std::lock_guard l(lock_);
            silentEnd_.reset();
            if (silent_ && song_ && song_->state() == State::Playing) {
                const double left = double(song_->song().lengthFrames - song_->cursor()) / rate_;
                silentEnd_ = clockFrom_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(left));
            }
        }
        {
            std::lock_guard q(queueLock_);
            busy_ = false;
            if (queue_.empty())
                idle_.notify_all();
        }
        if (c.kind == Command::Quit)
            break;
    }
    threadEnded();
}

void Engine::execute(const Command& c)
{
    switch (c.kind) {
    case Command::FileName:
        fileName_ = c.text;
        return;
    case Command::From:
        from_ = std::max<qint64>(0, c.value);
        return;
    case Command::Clock: {
        std::lock_guard l(lock_);
        syncClockLocked();
        publishLocked();
        return;
    }
    case Command::Quit:
        close();
        return;
    case Command::Word:
        switch (c.verb) {
        case Verb::Open:
            open();
            return;
        case Verb::Play:
            play();
            return;
        case Verb::Pause:
            pause();
            return;
        case Verb::Close:
            close();
            return;
        }
    }
}

void Engine::open()
{
    close();
    const QString path = findSong(fileName_);
    auto song = loadSong(path, rate_);
    if (!song)
        return;
    // The output first: nothing heavy is loaded for a song nobody would hear.
    std::unique_ptr<AudioOutput> out;
    QString name = QStringLiteral("offline");
    if (settings_.output && !(out = settings_.output(rate_, &name)))
        return;
    songFolder_ = QFileInfo(path).absolutePath();
    auto synth = synthFor(*song, songFolder_, settings_.soundfonts, rate_);
    if (!synth)
        return;
    {
        std::lock_guard l(lock_);
        song_ = std::make_unique<Sequence>(std::move(*song));
        synth_ = std::move(synth);
        outputName_ = name;
        if (out)
            startFeederLocked(std::move(out));
        publishLocked();
    }
    raise();
}

void Engine::play()
{
    bool silent = false;
    {
        std::lock_guard l(lock_);
        if (!song_) {
            from_.reset();
            return;
        }
        silent = silent_;
    }
    // A song whose output went away tries again; without one it keeps time.
    if (silent)
        attachOutput();
    {
        std::lock_guard l(lock_);
        syncClockLocked();
        std::optional<uint64_t> target;
        if (from_)
            target = uint64_t(std::min<qint64>(*from_, longestSongMs)) * uint64_t(rate_) / 1000;
        song_->play(synth_.get(), target);
        publishLocked();
    }
    from_.reset();
    feederWake_.notify_all();
}

void Engine::pause()
{
    bool paused = false;
    {
        std::lock_guard l(lock_);
        if (!song_)
            return;
        syncClockLocked();
        paused = song_->pause(synth_.get());
        if (paused) {
            tail_ = tailBlocks;
            ++pauses_;
        }
        publishLocked();
    }
    if (paused)
        raise();
}

void Engine::close()
{
    std::unique_ptr<Synth> synth;
    {
        std::lock_guard l(lock_);
        synth = std::move(synth_);
        song_.reset();
        ++generation_; // the feeder leaves, and lets its output go
        silent_ = false;
        tail_ = 0;
        outputName_.clear();
        publishLocked();
    }
    feederWake_.notify_all();
    from_.reset();
    // The synthesizer and its soundfont go here, on the worker, off the lock.
}

bool Engine::attachOutput()
{
    QString name;
    auto out = settings_.output(rate_, &name);
    if (!out)
        return false;
    // Only the worker closes a song, and this is the worker: the song stays.
    const SongTimeline& song = song_->song();
    auto synth = synthFor(song, songFolder_, settings_.soundfonts, rate_);
    if (!synth)
        return false;
    std::lock_guard l(lock_);
    syncClockLocked();
    song_->adopt(*synth);
    synth_ = std::move(synth);
    silent_ = false;
    outputName_ = name;
    startFeederLocked(std::move(out));
    publishLocked();
    return true;
}

// ---- the feeder --------------------------------------------------------------

void Engine::startFeederLocked(std::unique_ptr<AudioOutput> out)
{
    const uint64_t generation = ++generation_;
    tail_ = 0;
    {
        std::lock_guard q(queueLock_);
        ++threads_;
    }
    std::thread([self = shared_from_this(), out = std::move(out), generation, pauses = pauses_]() mutable {
        self->feed(std::move(out), generation, pauses);
    }).detach();
}

void Engine::feed(std::unique_ptr<AudioOutput> out, uint64_t generation, uint64_t pausesHeard)
{
    const int frames = std::max(1, rate_ * blockMs / 1000);
    const size_t n = size_t(frames);
    std::vector<float> left(n), right(n);
    std::vector<int16_t> pcm(2 * size_t(frames));
    for (;;) {
        bool paused = false;
        {
            std::unique_lock l(lock_);
            // Sleeps while there is nothing to hear: paused, stopped, or rung out.
            feederWake_.wait(l, [&] {
                return generation != generation_ || song_->state() == State::Playing || tail_ > 0;
            });
            if (generation != generation_)
                break;
            paused = pausesHeard != pauses_;
            pausesHeard = pauses_;
            renderLocked(left.data(), right.data(), frames);
            if (song_->state() != State::Playing) {
                float peak = 0;
                for (int k = 0; k < frames; ++k)
                    peak = std::max({peak, std::abs(left[size_t(k)]), std::abs(right[size_t(k)])});
                tail_ = peak < quietSample ? 0 : tail_ - 1;
            }
        }
        for (int k = 0; k < frames; ++k) {
            pcm[2 * size_t(k)] = sample(left[size_t(k)]);
            pcm[2 * size_t(k) + 1] = sample(right[size_t(k)]);
        }
        // What was buffered before a pause is not to be heard after it.
        if (paused)
            out->drop();
        if (out->write(pcm.data(), frames))
            continue;
        // The sound server went away. The song plays on in silence, without
        // the synthesizer's memory, until a command finds an output again.
        std::unique_ptr<Synth> synth;
        {
            std::lock_guard l(lock_);
            if (generation != generation_)
                break;
            ++generation_;
            synth = std::move(synth_);
            silent_ = true;
            clockFrom_ = Clock::now();
            tail_ = 0;
            outputName_.clear();
            publishLocked();
        }
        post({Command::Clock, {}});
        break;
    }
    // Letting the output go may take as long as its server: this thread's own time.
    out.reset();
    threadEnded();
}

// ---- shared ----------------------------------------------------------------

void Engine::renderLocked(float* left, float* right, int frames)
{
    if (!song_ || !synth_) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
        return;
    }
    const bool ended = song_->advance(*synth_, left, right, frames);
    if (ended)
        tail_ = tailBlocks;
    publishLocked();
    if (ended)
        raise();
}

void Engine::syncClockLocked()
{
    if (!silent_ || !song_)
        return;
    const auto now = Clock::now();
    if (song_->state() == State::Playing) {
        const double seconds = std::chrono::duration<double>(now - clockFrom_).count();
        if (song_->advanceSilently(uint64_t(seconds * rate_)))
            raise();
    }
    clockFrom_ = now;
}

void Engine::publishLocked()
{
    state_ = song_ ? int(song_->state()) : -1;
    cursor_ = song_ ? song_->cursor() : 0;
    lengthMs_ = song_ ? song_->song().lengthMs : 0;
    const bool running = silent_ && song_ && song_->state() == State::Playing;
    clockFromNs_ = running ? std::max<int64_t>(1, nanoseconds(clockFrom_)) : 0;
}

void Engine::raise()
{
    std::lock_guard a(noticeLock_);
    if (notice_)
        notice_();
}

void Engine::threadEnded()
{
    std::lock_guard q(queueLock_);
    --threads_;
    idle_.notify_all();
}

} // namespace music
