// Figures a musician hears, counted from a song's notes: the tune and its
// tremolos, the outer voices, the variety of bass and melody, and where the
// tempo gives.
#pragma once

#include "partitura.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace misure {

// One note as heard: a tremolo's strokes make a single long note.
struct Suono {
    int tick, length, key, channel;
    int strokes = 1;
};

// Strokes of one key closer than this are one tremolo (a tremolo strikes
// some twelve times a second, the quickest written repeats are slower).
constexpr double strokeMs = 120;

inline std::vector<Suono> suoni(const Partitura& p, int channel)
{
    std::vector<Suono> out;
    for (const auto& n : p.on(channel)) {
        if (!out.empty() && out.back().key == n.key && p.ms(n.tick - (out.back().tick + out.back().length)) < strokeMs
            && p.ms(n.tick - out.back().tick) < strokeMs * out.back().strokes) {
            out.back().length = n.tick + n.length - out.back().tick;
            ++out.back().strokes;
            continue;
        }
        out.push_back({n.tick, n.length, n.key, channel});
    }
    return out;
}

inline bool tremolo(const Suono& s)
{
    return s.strokes >= 3;
}

// The tune: of the two melody instruments, whichever sounds higher.
inline std::vector<Suono> melodia(const Partitura& p)
{
    const auto a = suoni(p, 0), b = suoni(p, 1);
    const int settle = p.division / 8; // past a player's lean
    auto above = [&](const Suono& s, const std::vector<Suono>& other) {
        for (const Suono& o : other)
            if (o.tick <= s.tick + settle && o.tick + o.length > s.tick + settle && o.key > s.key)
                return false;
        return true;
    };
    std::vector<Suono> out;
    for (const Suono& s : a)
        if (above(s, b))
            out.push_back(s);
    for (const Suono& s : b)
        if (above(s, a))
            out.push_back(s);
    std::sort(out.begin(), out.end(), [](const Suono& x, const Suono& y) { return x.tick < y.tick; });
    return out;
}

// The key of `line` sounding just after `tick`, or -1.
inline int sounding(const std::vector<Suono>& line, int tick)
{
    int key = -1;
    for (const Suono& s : line)
        if (s.tick <= tick && s.tick + s.length > tick)
            key = std::max(key, s.key);
    return key;
}

// Fifths or octaves between the tune and the bass on two beats in a row,
// both voices moving the same way: the ticks of the second beats.
inline std::vector<int> parallels(const Partitura& p, const std::vector<Suono>& tune)
{
    std::vector<Suono> bass;
    for (const auto& n : p.on(p.channelOf(32)))
        bass.push_back({n.tick, n.length, n.key, n.channel});
    const int settle = p.division / 6;
    std::vector<int> found;
    int m0 = -1, b0 = -1;
    for (int beat = 0; beat < p.end; beat += p.beatTicks) {
        const int m = sounding(tune, beat + settle);
        int b = 999;
        for (const Suono& s : bass)
            if (s.tick <= beat + settle && s.tick + s.length > beat + settle)
                b = std::min(b, s.key);
        if (b == 999)
            b = -1;
        if (m >= 0 && b >= 0 && m0 >= 0 && b0 >= 0 && m != m0 && b != b0) {
            const int i0 = ((m0 - b0) % 12 + 12) % 12, i1 = ((m - b) % 12 + 12) % 12;
            if (i0 == i1 && (i0 == 0 || i0 == 7) && (m > m0) == (b > b0))
                found.push_back(beat);
        }
        m0 = m;
        b0 = b;
    }
    return found;
}

// The different rhythms of the bass's bars, to the nearest 24th of a quarter.
inline int bassRhythms(const Partitura& p)
{
    std::map<int, std::set<int>> bars;
    const int grain = p.division / 12;
    for (const auto& n : p.on(p.channelOf(32))) {
        const int written = (n.tick + grain / 2) / grain * grain;
        bars[written / p.barTicks].insert(written % p.barTicks);
    }
    std::set<std::set<int>> rhythms;
    for (const auto& [bar, onsets] : bars)
        rhythms.insert(onsets);
    return int(rhythms.size());
}

// Share of the tune's bars that play an earlier bar again note for note (the
// same keys, at the same places within 50 ms).
inline double literalBars(const Partitura& p, const std::vector<Suono>& tune)
{
    std::map<int, std::vector<std::pair<int, int>>> bars; // bar: (key, offset)
    for (const Suono& s : tune)
        bars[s.tick / p.barTicks].push_back({s.key, s.tick % p.barTicks});
    const double tolerance = 50;
    auto same = [&](const auto& x, const auto& y) {
        if (x.size() != y.size())
            return false;
        for (size_t i = 0; i < x.size(); ++i)
            if (x[i].first != y[i].first || p.ms(std::abs(x[i].second - y[i].second)) > tolerance)
                return false;
        return true;
    };
    int repeated = 0;
    for (auto i = bars.begin(); i != bars.end(); ++i)
        for (auto j = bars.begin(); j != i; ++j)
            if (same(i->second, j->second)) {
                ++repeated;
                break;
            }
    return bars.empty() ? 0 : double(repeated) / double(bars.size());
}

// Seconds spent at each tempo, played through once.
inline std::map<double, double> secondsAtTempo(const Partitura& p)
{
    std::map<double, double> out;
    for (size_t i = 0; i < p.tempi.size(); ++i) {
        const int to = i + 1 < p.tempi.size() ? p.tempi[i + 1].tick : p.end;
        out[p.tempi[i].bpm] += (to - p.tempi[i].tick) * 60.0 / p.tempi[i].bpm / p.division;
    }
    return out;
}

// Where the tempo eases: each ritardando's first tick, and its slowest tempo
// against the one before it.
struct Ritardando {
    int tick;
    double depth;
};
inline std::vector<Ritardando> ritardandi(const Partitura& p)
{
    std::vector<Ritardando> out;
    double before = p.bpm;
    bool easing = false;
    for (size_t i = 1; i < p.tempi.size(); ++i) {
        const double bpm = p.tempi[i].bpm, previous = p.tempi[i - 1].bpm;
        if (bpm < previous && !easing) {
            before = previous;
            out.push_back({p.tempi[i].tick, 0});
        }
        easing = bpm < previous || (easing && bpm == previous);
        if (easing)
            out.back().depth = std::max(out.back().depth, 1 - bpm / before);
    }
    return out;
}

// Notes of the pad that reach the tune's note, or above it: their ticks.
inline std::vector<int> padOverTune(const Partitura& p, const std::vector<Suono>& tune)
{
    std::vector<int> found;
    for (const auto& n : p.on(3))
        for (const Suono& s : tune)
            if (std::min(s.tick + s.length, n.tick + n.length) - std::max(s.tick, n.tick) > p.division / 8
                && s.key <= n.key) {
                found.push_back(n.tick);
                break;
            }
    return found;
}

} // namespace misure
