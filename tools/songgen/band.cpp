#include "band.h"

#include <algorithm>

namespace songgen {

Band::Band(const SongDef& s)
    : song(s)
    , bar(s.numerator * (4 * ticksPerQuarter / s.denominator))
    , beat(s.denominator == 8 ? 3 * ticksPerQuarter / 2 : ticksPerQuarter)
    , dice(s.seed)
    , timing(s.quarterBpm, dice)
{
    tracks.emplace_back(s.title);
    for (Part p : {LeadAPart, LeadBPart, GuitarPart, PadPart, BassPart})
        tracks.emplace_back(voice(p).name);
    tracks.emplace_back("Tambourine");
}

const Voice& Band::voice(Part part) const
{
    switch (part) {
    case LeadAPart:
        return song.lead[0];
    case LeadBPart:
        return song.lead[1];
    case GuitarPart:
        return song.guitar;
    case PadPart:
        return song.pad;
    default:
        return song.bass;
    }
}

int Band::channel(Part part)
{
    return part == TambourinePart ? 9 : int(part) - 1;
}

void Band::note(Part part, int at, int length, int key, int velocity)
{
    at = std::max(at, 0);
    length = std::min(length, lastSound - at);
    if (part == GuitarPart || part == PadPart || part == BassPart)
        velocity -= hush;
    tracks[size_t(part)].note(at, length, channel(part), key, velocity);
}

void Band::controller(Part part, int at, int number, int value)
{
    tracks[size_t(part)].controller(std::clamp(at, 0, lastSound), channel(part), number, value);
}

void Band::swell(Part part, int at, int length, int from, int to, int back, double peak)
{
    // A point about every 40 ms keeps the curve smooth without flooding the file.
    const int step = std::max(timing.ticks(40), 1);
    const int top = int(length * peak);
    int last = -1;
    for (int t = 0; t < length; t += step) {
        const int v = t < top ? from + (to - from) * t / std::max(top, 1)
                              : to + (back - to) * (t - top) / std::max(length - top, 1);
        if (v != last)
            controller(part, at + t, 11, v);
        last = v;
    }
}

} // namespace songgen
