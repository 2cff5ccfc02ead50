// Helpers shared by the music tests: small songs written on the spot, offline
// rendering with levels, and a watch on the terminal.
#pragma once

#include "mmc1.h"
#include "musica.h"
#include "songgen.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryFile>

#include <cmath>
#include <cstdio>
#include <unistd.h>
#include <utility>
#include <vector>

namespace aiuto {

inline const MMC1::Options kOffline = [] {
    MMC1::Options o;
    o.output = MMC1::Output::Offline;
    return o;
}();
constexpr double kSilent = 1e-4;     // -80 dB peak
constexpr double kSounding = 1e-3;   // -60 dB RMS

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

} // namespace aiuto
