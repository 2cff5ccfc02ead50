#include "variation.h"

#include <algorithm>
#include <cstdlib>

namespace songgen {
namespace {

constexpr int kinds = 5;

} // namespace

std::vector<int> Variation::signature(const Bar& bar, int barStart) const
{
    std::vector<int> s;
    for (const Tone& t : bar) {
        s.push_back(t.key);
        s.push_back(t.tick - barStart);
    }
    return s;
}

bool Variation::vary(Bar& bar, int kind, int barStart, int prevEnd, int nextKey, const Scale& scale) const
{
    const int barEnd = barStart + bar_;
    switch (kind) {
    case 0: // a pickup from below into the phrase after a rest
        if (bar.front().tick - std::max(barStart, prevEnd) >= beat_) {
            const Tone& first = bar.front();
            bar.insert(bar.begin(), {first.tick - unit_, unit_, scale.stepFrom(first.key, -1)});
            return true;
        }
        if (nextKey >= 0 && barEnd - (bar.back().tick + bar.back().length) >= beat_) {
            bar.push_back({barEnd - unit_, unit_, scale.stepFrom(nextKey, -1)});
            return true;
        }
        return false;
    case 1: // a passing note through a third
        for (size_t k = 0; k < bar.size(); ++k) {
            const int to = k + 1 < bar.size() ? bar[k + 1].key : nextKey;
            Tone& n = bar[k];
            const int leap = to - n.key;
            if (to < 0 || n.length < 2 * unit_ || (std::abs(leap) != 3 && std::abs(leap) != 4))
                continue;
            const int step = scale.stepFrom(n.key, leap > 0 ? 1 : -1);
            if (step == n.key || step == to)
                continue;
            n.length -= unit_;
            bar.insert(bar.begin() + long(k) + 1, {n.tick + n.length, unit_, step});
            return true;
        }
        return false;
    case 2: // the next beat's note struck an eighth early and held across it
        for (size_t k = 0; k + 1 < bar.size(); ++k) {
            Tone &a = bar[k], &b = bar[k + 1];
            if (a.length >= beat_ && a.tick + a.length == b.tick && (b.tick - barStart) % beat_ == 0
                && b.length >= beat_ / 2 && b.key != a.key) {
                a.length -= unit_;
                b.tick -= unit_;
                b.length += unit_;
                return true;
            }
        }
        return false;
    case 3: // a turn round a note on the beat: triplet eighths, or sixteenths in a compound metre
        for (size_t k = 0; k < bar.size(); ++k) {
            Tone n = bar[k];
            if ((n.tick - barStart) % beat_ != 0 || n.length < beat_)
                continue;
            const int part = compound_ ? unit_ / 2 : beat_ / 3;
            const int upper = scale.stepFrom(n.key, 1);
            if (upper == n.key)
                continue;
            bar[k] = {n.tick, part, n.key};
            bar.insert(bar.begin() + long(k) + 1, {n.tick + part, part, upper});
            bar.insert(bar.begin() + long(k) + 2, {n.tick + 2 * part, n.length - 2 * part, n.key});
            return true;
        }
        return false;
    default: // a dotted step: the first of two even notes leans longer
        for (size_t k = 0; k + 1 < bar.size(); ++k) {
            Tone &a = bar[k], &b = bar[k + 1];
            if (a.length != beat_ || b.length != beat_ || a.tick + a.length != b.tick)
                continue;
            if (compound_) {
                // the tarantella's long-short: a quarter and a neighbour's eighth
                a.length = 2 * unit_;
                bar.insert(bar.begin() + long(k) + 1, {a.tick + 2 * unit_, unit_, scale.stepFrom(b.key, 1)});
            } else {
                a.length += unit_;
                b.tick += unit_;
                b.length -= unit_;
            }
            return true;
        }
        return false;
    }
}

std::vector<Tone> Variation::play(const std::vector<Tone>& tune, const Scale& scale, bool freely)
{
    std::vector<Tone> out;
    size_t i = 0;
    while (i < tune.size()) {
        const int barStart = tune[i].tick / bar_ * bar_;
        Bar bar;
        while (i < tune.size() && tune[i].tick < barStart + bar_)
            bar.push_back(tune[i++]);
        // A note tied over the bar line belongs to both bars: leave it whole.
        const bool whole = bar.back().tick + bar.back().length <= barStart + bar_;
        const int nextKey = i < tune.size() && tune[i].tick == barStart + bar_ ? tune[i].key : -1;
        const bool heard = heard_.count(signature(bar, barStart)) > 0;
        const int prevEnd = out.empty() ? 0 : out.back().tick + out.back().length;
        if (whole && (heard || (freely && dice_.spread(3) == 3))) {
            const int first = int(dice_.unit() * kinds);
            for (int k = 0; k < kinds; ++k) {
                Bar tried = bar;
                if (vary(tried, (first + k) % kinds, barStart, prevEnd, nextKey, scale)
                    && !heard_.count(signature(tried, barStart))) {
                    bar = tried;
                    break;
                }
            }
        }
        heard_.insert(signature(bar, barStart));
        out.insert(out.end(), bar.begin(), bar.end());
    }
    return out;
}

} // namespace songgen
