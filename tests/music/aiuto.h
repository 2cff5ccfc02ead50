// Helpers shared by the music tests: small songs written on the spot, offline
// rendering with levels, and a watch on the terminal.
#pragma once

#include "mmc1.h"
#include "musica.h"
#include "songgen.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryFile>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace aiuto {

struct Nota {
    int startMs;
    int lengthMs;
    int key;
};

// At 125 quarters a minute and 480 ticks to the quarter one tick lasts 1 ms.
inline QByteArray canzone(const std::vector<Nota>& notes, int lengthMs, int program = 19)
{
    songgen::Track conductor("test");
    conductor.tempo(0, 125.0);
    songgen::Track voice("voice");
    voice.program(0, 0, program);
    for (const Nota& n : notes)
        voice.note(n.startMs, n.lengthMs, 0, n.key, 100);
    const auto bytes = songgen::writeSmf({conductor, voice}, lengthMs);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// A note starting every quarter second, each held for 400 ms: never a silent moment.
inline QByteArray canzoneContinua(int lengthMs, int firstNoteMs = 0)
{
    std::vector<Nota> notes;
    for (int t = firstNoteMs, i = 0; t + 400 <= lengthMs; t += 250, ++i)
        notes.push_back({t, 400, 60 + (i % 8)});
    return canzone(notes, lengthMs);
}

inline bool scrivi(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

struct Livello {
    double peak = 0;
    double rms = 0;
};

inline Livello suona(MMC1& mmc, double seconds)
{
    const int total = int(seconds * mmc.sampleRate());
    std::vector<float> left(1024), right(1024);
    double sum = 0;
    Livello level;
    for (int done = 0; done < total;) {
        const int n = std::min(1024, total - done);
        mmc.render(left.data(), right.data(), n);
        for (int i = 0; i < n; ++i) {
            for (float v : {left[size_t(i)], right[size_t(i)]}) {
                level.peak = std::max(level.peak, double(std::abs(v)));
                sum += double(v) * v;
            }
        }
        done += n;
    }
    level.rms = total ? std::sqrt(sum / (2.0 * total)) : 0;
    return level;
}

constexpr double kSilent = 1e-4;     // -80 dB peak
constexpr double kSounding = 1e-3;   // -60 dB RMS

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
        if (saved_ < 0)
            return text_;
        std::fflush(stderr);
        ::dup2(saved_, 2);
        ::close(saved_);
        saved_ = -1;
        QFile in(file_.fileName());
        in.open(QIODevice::ReadOnly);
        text_ = in.readAll();
        return text_;
    }

private:
    QTemporaryFile file_;
    int saved_ = -1;
    QByteArray text_;
};

// Data rows for a test that runs once per song of the menu.
inline void righeCanzoni()
{
    QTest::addColumn<QString>("caption");
    for (int i = 1; i < Musica::canzoni().size(); ++i)
        QTest::newRow(qPrintable(Musica::canzoni().at(i))) << Musica::canzoni().at(i);
}

inline MMC1::Options offline()
{
    MMC1::Options o;
    o.output = MMC1::Output::Offline;
    return o;
}

} // namespace aiuto
