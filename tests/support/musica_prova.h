// Helpers shared by the music tests: small songs written on the spot, offline
// rendering with levels, an output made for the test, and a watch on the terminal.
#pragma once

#include "mmc1.h"
#include "musica.h"
#include "songgen.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace trelva::prova {

using music::MMC1;

inline const MMC1::Options offlineOptions = [] {
    MMC1::Options o;
    o.output = MMC1::Output::Offline;
    return o;
}();
constexpr double silentPeak = 1e-4; // -80 dB peak
constexpr double soundingRms = 1e-3; // -60 dB RMS

// At 125 quarters a minute and 480 ticks to the quarter one tick lasts 1 ms.
// From firstNoteMs on a note starts every quarter second and is held for
// 400 ms, so the song is never silent; canzone(500) is one note.
inline QByteArray canzone(int lengthMs, int firstNoteMs = 0)
{
    songgen::Track conductor("test"), voice("voice");
    conductor.tempo(0, 125.0);
    voice.program(0, 0, 19);
    for (int t = firstNoteMs, i = 0; t + 400 <= lengthMs; t += 250, ++i)
        voice.note(t, 400, 0, 60 + i % 8, 100);
    const auto bytes = songgen::writeSmf({conductor, voice}, lengthMs);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

inline bool scrivi(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray leggi(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A folder of songs for a test run, holding from the start the one most
// cases play: "continua.mid", twenty seconds and never silent.
class Cartella {
public:
    Cartella()
        : pronta_(dir_.isValid() && scrivi(file("continua.mid"), canzone(20000)))
    {
    }
    bool pronta() const { return pronta_; }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    bool pronta_;
};

inline void avvia(MMC1& mmc, const QString& path)
{
    mmc.setFileName(path);
    mmc.setCommand("open");
    mmc.setCommand("play");
}

struct Livello {
    double peak = 0;
    double rms = 0;
};

inline Livello suona(MMC1& mmc, double seconds)
{
    const int frames = int(seconds * mmc.sampleRate());
    std::vector<float> both(2 * size_t(frames));
    mmc.render(both.data(), both.data() + frames, frames);
    Livello level;
    for (float v : both) {
        level.peak = std::max(level.peak, double(std::abs(v)));
        level.rms += double(v) * v;
    }
    level.rms = frames ? std::sqrt(level.rms / double(both.size())) : 0;
    return level;
}

// A sound server in a test's hands: the outputs it opens keep what they are
// given, at the pace a real one takes it. It can stop answering (a stopped
// server: opening and writing block until it resumes) and go away (writing
// fails, opening finds nothing) and come back.
class Servente : public std::enable_shared_from_this<Servente> {
public:
    music::OpenOutput apri()
    {
        return [self = shared_from_this()](int rate, QString* name) -> std::unique_ptr<music::AudioOutput> {
            std::unique_lock l(self->m_);
            self->cv_.wait(l, [&] { return !self->fermo_; });
            if (!self->presente_)
                return nullptr;
            ++self->aperte_;
            *name = QStringLiteral("finta");
            return std::make_unique<Finta>(self, rate);
        };
    }

    void ferma()
    {
        cambia([this] { fermo_ = true; });
    }
    void vaVia()
    {
        cambia([this] { presente_ = false; fermo_ = false; });
    }
    void torna()
    {
        cambia([this] { presente_ = true; fermo_ = false; ricevuti_.clear(); });
    }

    int aperte()
    {
        std::lock_guard l(m_);
        return aperte_;
    }
    int svuotate()
    {
        std::lock_guard l(m_);
        return svuotate_;
    }
    // RMS of the last `frames` frames received, 0 before that many came.
    double livello(size_t frames = 4410)
    {
        std::lock_guard l(m_);
        if (ricevuti_.size() < 2 * frames)
            return 0;
        double sum = 0;
        for (size_t i = ricevuti_.size() - 2 * frames; i < ricevuti_.size(); ++i)
            sum += double(ricevuti_[i]) * ricevuti_[i];
        return std::sqrt(sum / double(2 * frames)) / 32768.0;
    }

private:
    class Finta : public music::AudioOutput {
    public:
        Finta(std::shared_ptr<Servente> s, int rate)
            : s_(std::move(s))
            , rate_(rate)
        {
        }
        ~Finta() override
        {
            std::lock_guard l(s_->m_);
            --s_->aperte_;
        }
        bool write(const int16_t* frames, int count) override
        {
            {
                std::unique_lock l(s_->m_);
                s_->cv_.wait(l, [&] { return !s_->fermo_; });
                if (!s_->presente_)
                    return false;
                s_->ricevuti_.insert(s_->ricevuti_.end(), frames, frames + 2 * count);
            }
            std::this_thread::sleep_for(std::chrono::microseconds(1000000LL * count / rate_));
            return true;
        }
        void drop() override
        {
            std::lock_guard l(s_->m_);
            ++s_->svuotate_;
        }

    private:
        std::shared_ptr<Servente> s_;
        int rate_;
    };

    template <class F>
    void cambia(F f)
    {
        std::lock_guard l(m_);
        f();
        cv_.notify_all();
    }

    std::mutex m_;
    std::condition_variable cv_;
    bool presente_ = true, fermo_ = false;
    int aperte_ = 0, svuotate_ = 0;
    std::vector<int16_t> ricevuti_;
};

// Whatever a test does, a stopped server in its hands comes back at its end,
// and the threads it held go on.
struct Riprendi {
    std::shared_ptr<Servente> servente;
    ~Riprendi() { servente->vaVia(); }
};

// A control whose output is a server in the test's hands.
struct SuServente {
    std::shared_ptr<Servente> servente = std::make_shared<Servente>();
    Riprendi riprendi{servente};
    MMC1 mmc{[this] {
        MMC1::Options options;
        options.device = servente->apri();
        return options;
    }()};
};

inline void consegna()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Catches whatever is written to stderr, FluidSynth's and libasound's
// complaints included, until taken.
class Terminale {
public:
    Terminale()
    {
        file_.open();
        std::fflush(stderr);
        saved_ = ::dup(2);
        ::dup2(file_.handle(), 2);
    }
    ~Terminale() { take(); }
    QByteArray take()
    {
        if (saved_ >= 0) {
            std::fflush(stderr);
            ::dup2(saved_, 2);
            ::close(std::exchange(saved_, -1));
            file_.seek(0);
            text_ = file_.readAll();
        }
        return text_;
    }

private:
    QTemporaryFile file_;
    int saved_ = -1;
    QByteArray text_;
};

} // namespace trelva::prova
