#include "harmony.h"

#include <algorithm>
#include <stdexcept>

namespace songgen {

const int* Scale::steps() const
{
    static const int major[7] = {0, 2, 4, 5, 7, 9, 11};
    static const int harmonic[7] = {0, 2, 3, 5, 7, 8, 11};
    return minor ? harmonic : major;
}

int Scale::stepFrom(int key, int direction) const
{
    const int* s = steps();
    const int degree = mod12(key - tonic);
    for (int i = 0; i < 7; ++i) {
        if (s[i] != degree)
            continue;
        const int next = s[(i + 7 + direction) % 7];
        return key + (direction > 0 ? mod12(next - degree) : -mod12(degree - next));
    }
    return key;
}

Scale parseKey(const std::string& k)
{
    static const int classes[7] = {9, 11, 0, 2, 4, 5, 7}; // A..G
    if (k.empty() || k[0] < 'A' || k[0] > 'G')
        throw std::runtime_error("bad key \"" + k + "\"");
    Scale s;
    s.tonic = classes[k[0] - 'A'];
    size_t pos = 1;
    if (pos < k.size() && k[pos] == '#') {
        s.tonic += 1;
        ++pos;
    } else if (pos < k.size() && k[pos] == 'b') {
        s.tonic += 11;
        ++pos;
    }
    s.tonic %= 12;
    s.minor = pos < k.size() && k[pos] == 'm';
    return s;
}

int mod12(int v)
{
    return ((v % 12) + 12) % 12;
}

int place(int pitchClass, int low)
{
    return low + mod12(pitchClass - low);
}

bool sameChord(const ChordSlot& a, const ChordSlot& b)
{
    return a.root == b.root && a.bass == b.bass && a.classes == b.classes;
}

std::vector<int> voicing(const ChordSlot& c, int low)
{
    std::vector<int> keys;
    for (int pc : c.classes)
        keys.push_back(place(pc, low));
    std::sort(keys.begin(), keys.end());
    if (keys.size() < 4)
        keys.push_back(keys.front() + 12);
    return keys;
}

const ChordSlot& chordAt(const std::vector<ChordSlot>& chords, int tick)
{
    for (const ChordSlot& c : chords)
        if (tick >= c.tick && tick < c.tick + c.length)
            return c;
    return chords.back();
}

int harmonyBelow(int key, const ChordSlot& chord, const Scale& scale)
{
    for (int interval : {3, 4, 8, 9}) {
        const int pc = mod12(key - interval);
        if (std::find(chord.classes.begin(), chord.classes.end(), pc) != chord.classes.end())
            return key - interval;
    }
    const int* steps = scale.steps();
    const int degreeClass = mod12(key - scale.tonic);
    for (int i = 0; i < 7; ++i) {
        if (steps[i] == degreeClass) {
            const int target = steps[(i + 5) % 7];
            return key - mod12(degreeClass - target);
        }
    }
    return key - 3;
}

} // namespace songgen
