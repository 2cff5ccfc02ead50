#include "feel.h"

#include <algorithm>
#include <cmath>

namespace songgen {

uint32_t Dice::next()
{
    // xorshift32: tiny, fast, and the same everywhere.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

int Dice::spread(int range)
{
    return int(next() % uint32_t(2 * range + 1)) - range;
}

double Dice::unit()
{
    return double(next() >> 8) / double(1u << 24);
}

double Dice::bell()
{
    // Four uniforms sum to mean 2 and variance 1/3.
    const double sum = unit() + unit() + unit() + unit();
    return (sum - 2.0) * 1.7320508075688772;
}

int Timing::ticks(double ms) const
{
    return int(std::lround(ms * ticksPerMs_));
}

int Timing::offset(const Feel& feel, double extraMs) const
{
    double ms = feel.lagMs + extraMs + feel.spreadMs * dice_.bell();
    // A player never strays further than twice their usual spread.
    ms = std::clamp(ms, feel.lagMs - 2 * feel.spreadMs, feel.lagMs + extraMs + 2 * feel.spreadMs);
    return ticks(ms);
}

std::vector<size_t> phraseEnds(const std::vector<Tone>& tones, int beatTicks)
{
    std::vector<size_t> out;
    for (size_t i = 0; i < tones.size(); ++i) {
        const Tone& n = tones[i];
        if (i + 1 == tones.size() || tones[i + 1].tick > n.tick + n.length || n.length >= 2 * beatTicks)
            out.push_back(i);
    }
    return out;
}

std::vector<Phrased> phrase(const std::vector<Tone>& tones, int barTicks, int beatTicks, int level,
                            bool accentBeats, Dice& dice)
{
    std::vector<Phrased> out;
    size_t first = 0;
    for (size_t i : phraseEnds(tones, beatTicks)) {
        int sum = 0;
        for (size_t j = first; j <= i; ++j)
            sum += tones[j].key;
        const size_t count = i - first + 1;
        const double mean = double(sum) / double(count);
        for (size_t j = first; j <= i; ++j) {
            const Tone& t = tones[j];
            const double x = (double(j - first) + 0.5) / double(count);
            const double arch = 4.0 * x * (1.0 - x);
            const double contour = std::clamp((t.key - mean) * 0.7, -6.0, 6.0);
            const int inBar = t.tick % barTicks;
            int accent = 0;
            if (inBar == 0)
                accent = 4;
            else if (accentBeats && inBar % beatTicks == 0)
                accent = 1;
            const bool end = j == i && count > 1;
            const int v = level - 6 + int(std::lround(12.0 * arch + contour)) + accent - (end ? 3 : 0)
                + dice.spread(2);
            out.push_back({t, std::clamp(v, 20, 120), j == i});
        }
        first = i + 1;
    }
    return out;
}

} // namespace songgen
