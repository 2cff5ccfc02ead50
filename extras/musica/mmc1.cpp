#include "mmc1.h"

#include "smf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

#include <fluidsynth.h>
#if TRELVA_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

constexpr int kSongChannels = 16;
// Channels 16..31 never play: each holds one of the song's presets selected,
// so that with dynamic sample loading the samples are read from disk when the
// song is opened, on the worker thread, and not by a program change in the
// middle of the audio callback.
constexpr int kHolderChannels = 16;
constexpr int kBlock = 1024;
constexpr qint64 kLargestSong = 16 * 1024 * 1024;
// FluidSynth's default gain of 0.2 leaves our songs some 18 dB below full
// scale; this brings the loudest of them to about -6 dB.
constexpr double kGain = 0.8;

void quietLog(int, const char*, void*) {}

#if TRELVA_HAVE_ALSA
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}
#endif

// Nothing may reach the terminal: FluidSynth logs every level to stderr by
// default, and libasound prints its own complaints when there is no card.
void silenceLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, quietLog, nullptr);
#if TRELVA_HAVE_ALSA
        snd_lib_error_set_handler(quietAlsa);
#endif
    });
}

enum class Verb { Open, Play, Pause, Stop, Close };

std::optional<Verb> verbOf(const QString& word)
{
    const QString w = word.trimmed().toLower();
    if (w == QLatin1String("open")) return Verb::Open;
    if (w == QLatin1String("play")) return Verb::Play;
    if (w == QLatin1String("pause")) return Verb::Pause;
    if (w == QLatin1String("stop")) return Verb::Stop;
    if (w == QLatin1String("close")) return Verb::Close;
    return std::nullopt;
}

enum class State { Closed, Stopped, Playing, Paused, Ended };

// A soundfont FluidSynth can load without decompressing it: a RIFF "sfbk" of
// version 2. SoundFont 3 files (Ogg-compressed samples) are refused even when
// a link or a name ending in .sf2 leads to one.
bool plainSoundFont(const QString& path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    if (real.isEmpty() || !QFileInfo(real).isFile() || real.endsWith(QLatin1String(".sf3"), Qt::CaseInsensitive))
        return false;
    QFile file(real);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(512);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "sfbk")
        return false;
    const qsizetype at = head.indexOf("ifil");
    if (at < 0 || head.size() < at + 10)
        return false;
    const int major = uchar(head[at + 8]) | (uchar(head[at + 9]) << 8);
    return major == 2;
}

// The song as named, or, where letter case matters, the same name with the
// other spelling of its extension (".mid" for ".MID" and so on).
QString findSong(const QString& name)
{
    if (name.isEmpty())
        return {};
    const QFileInfo info(name);
    if (info.isFile())
        return info.absoluteFilePath();
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return {};
    const QString base = info.completeBaseName();
    const QDir dir = info.absoluteDir();
    for (const QString& entry : dir.entryList(QDir::Files)) {
        const QFileInfo candidate(dir.filePath(entry));
        if (candidate.completeBaseName() == base && candidate.suffix().compare(suffix, Qt::CaseInsensitive) == 0)
            return candidate.absoluteFilePath();
    }
    return {};
}

} // namespace

// Everything FluidSynth does happens on the worker thread, except rendering,
// which the audio driver's thread (or the offline caller) does under playLock_.
class MMC1::Engine {
public:
    Engine(MMC1* owner, const Options& options)
        : owner_(owner), options_(options), rate_(options.sampleRate > 0 ? options.sampleRate : 44100)
    {
        worker_ = std::thread([this] { run(); });
    }

    ~Engine()
    {
        post({Command::Quit, {}, 0, Verb::Close});
        worker_.join();
    }

    struct Command {
        enum Kind { FileName, From, Word, Quit } kind;
        QString text;
        qint64 value;
        Verb verb;
    };

    void post(Command c)
    {
        std::lock_guard lock(queueLock_);
        queue_.push_back(std::move(c));
        queueWake_.notify_all();
    }

    bool waitIdle(int timeoutMs)
    {
        std::unique_lock lock(queueLock_);
        return idle_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [this] { return queue_.empty() && !busy_; });
    }

    qint64 position() const
    {
        const auto state = State(state_.load());
        const qint64 length = lengthMs_.load();
        if (state == State::Closed)
            return 0;
        if (state == State::Ended)
            return length;
        // Short of the end by at least a millisecond until the end has been reached.
        const qint64 ms = qint64(cursor_.load() * 1000 / uint64_t(rate_));
        return std::min(ms, std::max<qint64>(0, length - 1));
    }

    qint64 length() const { return State(state_.load()) == State::Closed ? 0 : lengthMs_.load(); }

    QString outputName() const
    {
        std::lock_guard lock(playLock_);
        return outputName_;
    }

    int rate() const { return rate_; }
    bool offline() const { return options_.output == Output::Offline; }
    std::atomic<bool> notify{false};

    void render(float* left, float* right, int frames)
    {
        std::lock_guard lock(playLock_);
        if (state() == State::Closed || !synth_) {
            std::fill_n(left, frames, 0.0f);
            std::fill_n(right, frames, 0.0f);
            return;
        }
        dirty_ = true;
        int done = 0;
        while (done < frames) {
            if (state() != State::Playing) {
                fluid_synth_write_float(synth_, frames - done, left, done, 1, right, done, 1);
                break;
            }
            const auto& events = song_->events;
            while (next_ < events.size() && events[next_].frame <= cursor_)
                dispatch(events[next_++]);
            if (cursor_ >= song_->lengthFrames) {
                setState(State::Ended);
                raiseDone();
                continue;
            }
            uint64_t until = song_->lengthFrames;
            if (next_ < events.size())
                until = std::min(until, events[next_].frame);
            const int chunk = int(std::min<uint64_t>(until - cursor_, uint64_t(frames - done)));
            fluid_synth_write_float(synth_, chunk, left, done, 1, right, done, 1);
            cursor_ += chunk;
            done += chunk;
        }
    }

private:
    // ---- worker -----------------------------------------------------------

    void run()
    {
        for (;;) {
            Command c;
            {
                std::unique_lock lock(queueLock_);
                queueWake_.wait(lock, [this] { return !queue_.empty(); });
                c = std::move(queue_.front());
                queue_.pop_front();
                busy_ = true;
            }
            if (c.kind == Command::Quit) {
                close();
                teardown();
                std::lock_guard lock(queueLock_);
                busy_ = false;
                idle_.notify_all();
                return;
            }
            execute(c);
            std::lock_guard lock(queueLock_);
            busy_ = false;
            if (queue_.empty())
                idle_.notify_all();
        }
    }

    void execute(const Command& c)
    {
        switch (c.kind) {
        case Command::FileName:
            fileName_ = c.text;
            return;
        case Command::From:
            from_ = std::max<qint64>(0, c.value);
            return;
        case Command::Word:
            switch (c.verb) {
            case Verb::Open: open(); return;
            case Verb::Play: play(); return;
            case Verb::Pause:
            case Verb::Stop: pause(); return;
            case Verb::Close: close(); return;
            }
            return;
        case Command::Quit:
            return;
        }
    }

    void open()
    {
        if (state() != State::Closed)
            close();
        const QString path = findSong(fileName_);
        if (path.isEmpty())
            return;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestSong)
            return;
        const QByteArray bytes = file.readAll();
        auto song = musica::readSmf(std::string_view(bytes.constData(), size_t(bytes.size())), rate_);
        if (!song || !ensureSynth(QFileInfo(path).absolutePath()))
            return;

        flushTails();
        holdPresets(*song);
        for (int ch = 0; ch < kSongChannels; ++ch)
            if (song->usesDefaultProgram[size_t(ch)])
                fluid_synth_program_change(synth_, ch, 0);

        QString output = QStringLiteral("offline");
        if (!offline()) {
            driver_ = startDriver(&output);
            if (!driver_) {
                releasePresets();
                return;
            }
        }
        {
            std::lock_guard lock(playLock_);
            lengthMs_ = song->lengthMs;
            song_ = std::make_shared<const musica::SongTimeline>(std::move(*song));
            cursor_ = 0;
            next_ = 0;
            outputName_ = output;
            setState(State::Stopped);
        }
        raiseDone();
    }

    void play()
    {
        std::lock_guard lock(playLock_);
        if (state() == State::Closed) {
            from_.reset();
            return;
        }
        if (from_) {
            const uint64_t target = std::min<uint64_t>(uint64_t(*from_) * uint64_t(rate_) / 1000,
                                                       song_->lengthFrames);
            from_.reset();
            seek(target);
            setState(State::Playing);
            return;
        }
        if (state() == State::Paused)
            for (int ch = 0; ch < kSongChannels; ++ch)
                fluid_synth_cc(synth_, ch, 64, pedal_[size_t(ch)]);
        if (state() != State::Playing)
            setState(State::Playing);
    }

    void pause()
    {
        {
            std::lock_guard lock(playLock_);
            if (state() != State::Playing)
                return;
            setState(State::Paused);
            // Let the sounding notes die away; the pedal comes back on resume.
            for (int ch = 0; ch < kSongChannels; ++ch) {
                int value = 0;
                fluid_synth_get_cc(synth_, ch, 64, &value);
                pedal_[size_t(ch)] = value;
                fluid_synth_cc(synth_, ch, 64, 0);
            }
            fluid_synth_all_notes_off(synth_, -1);
        }
        raiseDone();
    }

    void close()
    {
        {
            std::lock_guard lock(playLock_);
            setState(State::Closed);
            song_.reset();
            outputName_.clear();
            if (synth_)
                fluid_synth_all_sounds_off(synth_, -1);
        }
        // The device goes back to the system as soon as nothing is open.
        if (driver_) {
            delete_fluid_audio_driver(driver_);
            driver_ = nullptr;
        }
        if (synth_) {
            releasePresets();
            resetSongChannels();
        }
        from_.reset();
    }

    // Called under playLock_: the channels as the song has set them up by
    // `target`. Notes from before are released, not cut, so that the last
    // chord of a song that starts again rings out over its opening.
    void seek(uint64_t target)
    {
        for (int ch = 0; ch < kSongChannels; ++ch)
            fluid_synth_cc(synth_, ch, 64, 0);
        fluid_synth_all_notes_off(synth_, -1);
        resetSongChannels();
        for (int ch = 0; ch < kSongChannels; ++ch)
            if (song_->usesDefaultProgram[size_t(ch)])
                fluid_synth_program_change(synth_, ch, 0);
        const auto& events = song_->events;
        size_t i = 0;
        for (; i < events.size() && events[i].frame < target; ++i) {
            const uint8_t kind = events[i].status & 0xF0;
            if (kind != 0x80 && kind != 0x90)
                dispatch(events[i]);
        }
        next_ = i;
        cursor_ = target;
    }

    void dispatch(const musica::TimedEvent& e)
    {
        const int ch = e.status & 0x0F;
        switch (e.status & 0xF0) {
        case 0x80: fluid_synth_noteoff(synth_, ch, e.data1); break;
        case 0x90:
            if (e.data2 == 0)
                fluid_synth_noteoff(synth_, ch, e.data1);
            else
                fluid_synth_noteon(synth_, ch, e.data1, e.data2);
            break;
        case 0xA0: fluid_synth_key_pressure(synth_, ch, e.data1, e.data2); break;
        case 0xB0: fluid_synth_cc(synth_, ch, e.data1, e.data2); break;
        case 0xC0: fluid_synth_program_change(synth_, ch, e.data1); break;
        case 0xD0: fluid_synth_channel_pressure(synth_, ch, e.data1); break;
        case 0xE0: fluid_synth_pitch_bend(synth_, ch, e.data1 | (e.data2 << 7)); break;
        }
    }

    void resetSongChannels()
    {
        for (int ch = 0; ch < kSongChannels; ++ch) {
            fluid_synth_cc(synth_, ch, 121, 0);
            fluid_synth_cc(synth_, ch, 0, 0);
            fluid_synth_cc(synth_, ch, 32, 0);
            fluid_synth_cc(synth_, ch, 7, 100);
            fluid_synth_cc(synth_, ch, 10, 64);
            fluid_synth_cc(synth_, ch, 91, 0);
            fluid_synth_cc(synth_, ch, 93, 0);
        }
    }

    void holdPresets(const musica::SongTimeline& song)
    {
        const size_t n = std::min<size_t>(song.presets.size(), kHolderChannels);
        for (size_t i = 0; i < n; ++i) {
            const auto [bank, program] = song.presets[i];
            const int holder = kSongChannels + int(i);
            if (fluid_synth_program_select(synth_, holder, sfont_, bank, program) != FLUID_OK && bank != 128)
                fluid_synth_program_select(synth_, holder, sfont_, 0, program);
        }
    }

    void releasePresets()
    {
        for (int ch = 0; ch < kSongChannels + kHolderChannels; ++ch)
            fluid_synth_unset_program(synth_, ch);
    }

    // Reverb and chorus keep ringing in the synthesizer after all voices are
    // gone; run them out while no device is listening, so that a new song
    // does not begin with the echo of the last one.
    void flushTails()
    {
        std::lock_guard lock(playLock_);
        if (!dirty_)
            return;
        std::vector<float> left(kBlock), right(kBlock);
        int quietBlocks = 0;
        const int limit = 20 * rate_ / kBlock;
        for (int i = 0; i < limit && quietBlocks < 4; ++i) {
            fluid_synth_write_float(synth_, kBlock, left.data(), 0, 1, right.data(), 0, 1);
            float peak = 0;
            for (int k = 0; k < kBlock; ++k)
                peak = std::max({peak, std::abs(left[size_t(k)]), std::abs(right[size_t(k)])});
            quietBlocks = peak < 1e-6f ? quietBlocks + 1 : 0;
        }
        dirty_ = false;
    }

    QStringList soundfontCandidates(const QString& songFolder) const
    {
        QStringList list;
        const QDir dir(songFolder);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            if (name.endsWith(QLatin1String(".sf2"), Qt::CaseInsensitive))
                list << dir.filePath(name);
        if (!options_.soundfonts.isEmpty())
            return list + options_.soundfonts;
        list << QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2")
             << QStringLiteral("/usr/share/sounds/sf2/TimGM6mb.sf2");
        char* fallback = nullptr;
        if (fluid_settings_dupstr(settings_, "synth.default-soundfont", &fallback) == FLUID_OK && fallback) {
            list << QString::fromLocal8Bit(fallback);
            fluid_free(fallback);
        }
        list << QStringLiteral("/usr/share/sounds/sf2/default-GM.sf2");
        return list;
    }

    bool ensureSynth(const QString& songFolder)
    {
        if (sfont_ >= 0)
            return true;
        if (!settings_) {
            settings_ = new_fluid_settings();
            if (!settings_)
                return false;
            fluid_settings_setnum(settings_, "synth.sample-rate", rate_);
            fluid_settings_setint(settings_, "synth.midi-channels", kSongChannels + kHolderChannels);
            fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
            fluid_settings_setnum(settings_, "synth.gain", kGain);
            fluid_settings_setint(settings_, "synth.cpu-cores", 1);
            fluid_settings_setint(settings_, "audio.period-size", kBlock);
            fluid_settings_setint(settings_, "audio.periods", 4);
        }
        if (!synth_) {
            synth_ = new_fluid_synth(settings_);
            if (!synth_)
                return false;
        }
        for (const QString& path : soundfontCandidates(songFolder)) {
            if (!plainSoundFont(path))
                continue;
            // No preset reset: nothing is selected, so nothing is loaded, until a song asks.
            const int id = fluid_synth_sfload(synth_, QFile::encodeName(path).constData(), 0);
            if (id != FLUID_FAILED) {
                sfont_ = id;
                return true;
            }
        }
        return false;
    }

    fluid_audio_driver_t* startDriver(QString* name)
    {
        for (const char* driver : {"pulseaudio", "alsa"}) {
            if (fluid_settings_setstr(settings_, "audio.driver", driver) != FLUID_OK)
                continue;
            if (auto* d = new_fluid_audio_driver2(settings_, &Engine::audioCallback, this)) {
                *name = QString::fromLatin1(driver);
                return d;
            }
        }
        return nullptr;
    }

    static int audioCallback(void* data, int len, int nfx, float* fx[], int nout, float* out[])
    {
        for (int i = 0; i < nfx; ++i)
            if (fx[i])
                std::fill_n(fx[i], len, 0.0f);
        if (nout >= 2)
            static_cast<Engine*>(data)->render(out[0], out[1], len);
        else if (nout == 1)
            std::fill_n(out[0], len, 0.0f);
        return FLUID_OK;
    }

    void teardown()
    {
        if (synth_)
            delete_fluid_synth(synth_);
        if (settings_)
            delete_fluid_settings(settings_);
        synth_ = nullptr;
        settings_ = nullptr;
        sfont_ = -1;
    }

    // ---- shared -----------------------------------------------------------

    State state() const { return State(state_.load()); }
    void setState(State s) { state_.store(int(s)); }

    void raiseDone()
    {
        if (!notify.load())
            return;
        MMC1* owner = owner_;
        QMetaObject::invokeMethod(owner, [owner] { emit owner->Done(MMC1::Successful); }, Qt::QueuedConnection);
    }

    MMC1* const owner_;
    const Options options_;
    const int rate_;

    std::thread worker_;
    std::mutex queueLock_;
    std::condition_variable queueWake_;
    std::condition_variable idle_;
    std::deque<Command> queue_;
    bool busy_ = false;

    // Worker only.
    QString fileName_;
    std::optional<qint64> from_;
    fluid_settings_t* settings_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
    int sfont_ = -1;

    // Under playLock_ once a driver may be running.
    mutable std::mutex playLock_;
    fluid_synth_t* synth_ = nullptr;
    std::shared_ptr<const musica::SongTimeline> song_;
    size_t next_ = 0;
    std::atomic<uint64_t> cursor_{0};   // frames played; also read by position()
    std::array<int, kSongChannels> pedal_{};
    bool dirty_ = false;
    QString outputName_;

    // Read by the owner's thread at any time.
    std::atomic<int> state_{int(State::Closed)};
    std::atomic<qint64> lengthMs_{0};
};

MMC1::MMC1(QObject* parent) : MMC1(Options{}, parent) {}

MMC1::MMC1(const Options& options, QObject* parent) : QObject(parent)
{
    silenceLibraries();
    engine_ = std::make_unique<Engine>(this, options);
}

MMC1::~MMC1()
{
    engine_.reset();
}

void MMC1::setNotify(bool on) { engine_->notify = on; }
bool MMC1::notify() const { return engine_->notify; }

void MMC1::setFileName(const QString& name)
{
    fileName_ = name;
    engine_->post({Engine::Command::FileName, name, 0, Verb::Close});
}

void MMC1::setCommand(const QString& word)
{
    const auto verb = verbOf(word);
    if (!verb)
        return;
    engine_->post({Engine::Command::Word, {}, 0, *verb});
    if (*verb == Verb::Close)
        engine_->waitIdle(2000);
}

qint64 MMC1::position() const { return engine_->position(); }
qint64 MMC1::length() const { return engine_->length(); }

void MMC1::setFrom(qint64 ms)
{
    engine_->post({Engine::Command::From, {}, ms, Verb::Close});
}

void MMC1::render(float* left, float* right, int frames)
{
    if (frames <= 0)
        return;
    if (!engine_->offline()) {
        std::fill_n(left, frames, 0.0f);
        std::fill_n(right, frames, 0.0f);
        return;
    }
    engine_->waitIdle(60000);
    engine_->render(left, right, frames);
}

int MMC1::sampleRate() const { return engine_->rate(); }
bool MMC1::waitForIdle(int timeoutMs) { return engine_->waitIdle(timeoutMs); }
QString MMC1::outputName() const { return engine_->outputName(); }
