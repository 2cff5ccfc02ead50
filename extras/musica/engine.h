// The music control's engine: a worker thread carries out the commands in
// order, and while a song is open on an output a feeder thread renders it in
// blocks into that output.
//
// Neither thread is ever joined. An output whose sound server has stopped
// answering blocks the thread that writes to it (or opens it) for as long as
// the server is stopped; nothing on the caller's side may wait for that, and
// ending such a thread is the operating system's job when the process exits.
// So both threads are detached and share the engine's ownership: an engine
// its owner has let go lives on until its last thread is done with it.
#pragma once

#include "audiooutput.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace music {

class Sequence;
class Synth;

class Engine : public std::enable_shared_from_this<Engine> {
public:
    struct Settings {
        OpenOutput output; // empty: rendered on the caller's demand (render())
        QStringList soundfonts;
        int sampleRate = 22050;
    };
    enum class Verb { Open,
                      Play,
                      Pause,
                      Close };

    // `notice` is called, from any thread, when a command completes or the song ends.
    static std::shared_ptr<Engine> start(Settings settings, std::function<void()> notice);
    ~Engine();

    void fileName(const QString& name);
    void from(qint64 ms);
    void word(Verb verb);

    // True once the commands given so far have been carried out.
    bool waitIdle(int timeoutMs);
    // The owner lets go: no more notices; the song is closed in the
    // background. Waits for the threads at most `timeoutMs`.
    void letGo(int timeoutMs);

    qint64 position() const;
    qint64 length() const;
    QString outputName() const;
    int rate() const { return rate_; }
    // Without an output: the next frames of sound, once the commands given
    // before have been carried out.
    void render(float* left, float* right, int frames);

private:
    struct Command {
        enum Kind { FileName,
                    From,
                    Word,
                    Clock,
                    Quit } kind;
        QString text;
        qint64 value = 0;
        Verb verb = Verb::Close;
    };
    using Clock = std::chrono::steady_clock;

    explicit Engine(Settings settings);
    void post(Command c);
    void run();
    void execute(const Command& c);
    void open();
    void play();
    void pause();
    void close();
    bool attachOutput();
    void feed(std::unique_ptr<AudioOutput> out, uint64_t generation, uint64_t pausesHeard);
    void startFeederLocked(std::unique_ptr<AudioOutput> out);
    void renderLocked(float* left, float* right, int frames);
    void syncClockLocked();
    void publishLocked();
    void raise();
    void threadEnded();

    const Settings settings_;
    const int rate_;

    // Commands, in order, for the worker.
    std::mutex queueLock_;
    std::condition_variable queueWake_;
    std::condition_variable idle_;
    std::deque<Command> queue_;
    bool busy_ = false;
    int threads_ = 0; // worker and feeders still running

    // Worker only.
    QString fileName_;
    QString songFolder_; // of the open song: its own soundfonts
    std::optional<qint64> from_;
    std::optional<Clock::time_point> silentEnd_;

    // The open song, under lock_.
    mutable std::mutex lock_;
    std::condition_variable feederWake_;
    std::unique_ptr<Sequence> song_;
    std::unique_ptr<Synth> synth_;
    uint64_t generation_ = 0; // a feeder of an older generation leaves
    bool silent_ = false; // open, but its output went away: only time goes on
    Clock::time_point clockFrom_; // of a silent song: when its cursor was last brought up to date
    int tail_ = 0; // blocks still to render after the song stopped playing
    uint64_t pauses_ = 0; // counts the pauses, for the feeder to drop what it had buffered
    QString outputName_;

    // Lock order: lock_ first, then queueLock_ (a feeder starting) or
    // noticeLock_; never the other way round. The notice is called with lock_
    // and noticeLock_ held (the end of a song is found while rendering), so
    // it may only queue word to its owner's thread, as MMC1's does, and must
    // never call back into the engine or wait for it.
    std::mutex noticeLock_;
    std::function<void()> notice_;

    // Read on the owner's thread at any time, without waiting for a render.
    std::atomic<int> state_{-1}; // a Sequence::State, -1 while closed
    std::atomic<uint64_t> cursor_{0};
    std::atomic<int64_t> lengthMs_{0};
    // non-zero while a silent song's time runs
    std::atomic<int64_t> clockFromNs_{0};
};

} // namespace music
