#include "arranger.h"
#include "songgen.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace songgen {
namespace {

constexpr int Q = kTicksPerQuarter;
enum Channel { kLeadA = 0, kLeadB = 1, kGuitar = 2, kPad = 3, kBass = 4, kDrums = 9 };
constexpr int kTambourine = 54;
// Lowest keys of the guitar's broken chords and of its strummed ones: strums
// sit higher, clear of the bass they answer.
constexpr int kArpeggioLow = 48;
constexpr int kStrumLow = 52;

// Small repeatable variations, so that a phrase does not sound stamped out.
class Dice {
public:
    explicit Dice(uint32_t seed) : state_(seed ? seed : 1) {}
    int spread(int range)
    {
        state_ = state_ * 1664525u + 1013904223u;
        return int((state_ >> 16) % uint32_t(2 * range + 1)) - range;
    }

private:
    uint32_t state_;
};

struct Scale {
    int tonic = 0;
    bool minor = false;
    // Harmonic minor: the raised seventh is the one the melodies lean on.
    const int* steps() const
    {
        static const int major[7] = {0, 2, 4, 5, 7, 9, 11};
        static const int harmonic[7] = {0, 2, 3, 5, 7, 8, 11};
        return minor ? harmonic : major;
    }
};

Scale parseKey(const std::string& k)
{
    static const int classes[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (k.empty() || k[0] < 'A' || k[0] > 'G')
        throw std::runtime_error("bad key \"" + k + "\"");
    Scale s;
    s.tonic = classes[k[0] - 'A'];
    size_t pos = 1;
    if (pos < k.size() && k[pos] == '#') { s.tonic += 1; ++pos; }
    else if (pos < k.size() && k[pos] == 'b') { s.tonic += 11; ++pos; }
    s.tonic %= 12;
    s.minor = pos < k.size() && k[pos] == 'm';
    return s;
}

int mod12(int v) { return ((v % 12) + 12) % 12; }

// The lowest key at or above `low` with the given pitch class.
int place(int pitchClass, int low) { return low + mod12(pitchClass - low); }

bool sameChord(const ChordSlot& a, const ChordSlot& b)
{
    return a.root == b.root && a.bass == b.bass && a.classes == b.classes;
}

// Close position within the octave above `low`, the lowest note doubled an
// octave up when the chord has only three notes.
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

// A second voice under the melody: a third or sixth below on a chord note,
// otherwise a third below within the key.
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

class Arranger {
public:
    explicit Arranger(const SongDef& song)
        : song_(song),
          bar_(song.numerator * (4 * Q / song.denominator)),
          beat_(song.denominator == 8 ? 3 * Q / 2 : Q),
          secondsPerTick_(60.0 / song.quarterBpm / Q),
          dice_(song.seed),
          // The closing chord leaves a breath before the song starts again.
          finalHold_(song.numerator == 2 ? bar_ - Q / 2 : bar_ - beat_)
    {
        tracks_.emplace_back(song.title);
        tracks_.emplace_back(song.lead[0].name);
        tracks_.emplace_back(song.lead[1].name);
        tracks_.emplace_back(song.guitar.name);
        tracks_.emplace_back(song.pad.name);
        tracks_.emplace_back(song.bass.name);
        if (song.tambourine)
            tracks_.emplace_back("Tambourine");
    }

    std::vector<uint8_t> run()
    {
        Track& conductor = tracks_[0];
        conductor.text(0, 0x01, "Original composition for La Trelva");
        conductor.timeSignature(0, song_.numerator, song_.denominator);
        conductor.keySignature(0, song_.keySharps, song_.keyMinor);
        conductor.tempo(0, song_.quarterBpm);

        setUp(1, kLeadA, song_.lead[0]);
        setUp(2, kLeadB, song_.lead[1]);
        setUp(3, kGuitar, song_.guitar);
        setUp(4, kPad, song_.pad);
        setUp(5, kBass, song_.bass);
        if (song_.tambourine) {
            tracks_[6].controller(0, kDrums, 7, 72);
            tracks_[6].controller(0, kDrums, 10, 80);
            tracks_[6].controller(0, kDrums, 91, 30);
        }

        int start = 0;
        for (size_t p = 0; p < song_.passes.size(); ++p)
            start += pass(song_.passes[p], start, p + 1 == song_.passes.size());

        // Broaden the last two bars; the song then starts again at its own tempo.
        const int lastBar = start - bar_;
        conductor.tempo(lastBar - bar_, song_.quarterBpm * 0.95);
        conductor.tempo(lastBar - bar_ / 2, song_.quarterBpm * 0.9);
        conductor.tempo(lastBar, song_.quarterBpm * 0.8);
        conductor.tempo(lastBar + bar_ / 2, song_.quarterBpm * 0.7);
        return writeSmf(tracks_, start);
    }

private:
    void setUp(size_t track, int channel, const Voice& v)
    {
        Track& t = tracks_[track];
        t.program(0, channel, v.program);
        t.controller(0, channel, 7, v.volume);
        t.controller(0, channel, 10, v.pan);
        t.controller(0, channel, 91, v.reverb);
        t.controller(0, channel, 93, v.chorus);
    }

    int accent(int inBar) const
    {
        if (inBar == 0)
            return 6;
        if (inBar % beat_ == 0)
            return song_.metre == Metre::Waltz ? 0 : 3;
        return 0;
    }

    // The singing line, or the second voice under it.
    void line(int channel, const Voice& v, const std::vector<Tone>& tones, int start, int level)
    {
        Track& t = tracks_[size_t(1 + channel)];
        for (const Tone& n : tones) {
            const int at = start + n.tick;
            const int velocity = level + accent(n.tick % bar_) + dice_.spread(3);
            const double seconds = n.length * secondsPerTick_;
            if (v.tremolo && seconds >= 0.4) {
                // Mandolin tremolo: about twelve strokes a second, down-strokes
                // a little stronger, swelling towards the middle of the note.
                const int strokes = std::max(2, int(std::lround(seconds / 0.085)));
                const int step = n.length / strokes;
                for (int i = 0; i < strokes; ++i) {
                    const int len = i + 1 == strokes ? n.length - i * step : step;
                    const double middle = 1.0 - std::abs(2.0 * (i + 0.5) / strokes - 1.0);
                    const int vel = velocity - (i % 2 ? 14 : 4) + int(std::lround(8 * middle))
                                    + dice_.spread(2);
                    t.note(at + i * step, len - 3, channel, n.key, vel);
                }
            } else {
                const int len = v.tremolo ? n.length * 9 / 10 : n.length - 8;
                t.note(at, len, channel, n.key, velocity);
            }
        }
    }

    void strum(Track& t, int at, int length, const std::vector<int>& keys, int velocity, int spacing)
    {
        for (size_t i = 0; i < keys.size(); ++i)
            t.note(at + int(i) * spacing, length - int(i) * spacing, kGuitar, keys[i],
                   velocity - int(i) * 2 + dice_.spread(3));
    }

    void guitarBar(const std::vector<ChordSlot>& chords, int local, int at, bool finalBar)
    {
        Track& t = tracks_[3];
        if (finalBar) {
            strum(t, at, finalHold_, voicing(chordAt(chords, local), kStrumLow), 56, 14);
            return;
        }
        static const int arpeggio[8] = {0, 1, 2, 3, 1, 2, 3, 2};
        switch (song_.metre) {
        case Metre::Slow4:
        case Metre::Serenade2: {
            const int step = song_.metre == Metre::Slow4 ? Q / 2 : Q / 4;
            const int ring = song_.metre == Metre::Slow4 ? 420 : 200;
            for (int i = 0; i < 8; ++i) {
                const auto keys = voicing(chordAt(chords, local + i * step), kArpeggioLow);
                const int vel = 44 + (i == 0 ? 8 : i == 4 ? 4 : 0) + dice_.spread(3);
                t.note(at + i * step, ring, kGuitar, keys[size_t(arpeggio[i])], vel);
            }
            break;
        }
        case Metre::Waltz:
            for (int b = 1; b < 3; ++b)
                strum(t, at + b * Q, 320, voicing(chordAt(chords, local + b * Q), kStrumLow), b == 1 ? 52 : 46, 10);
            break;
        case Metre::Tarantella:
            for (int e : {1, 2, 4, 5})
                strum(t, at + e * Q / 2, 200, voicing(chordAt(chords, local + e * Q / 2), kStrumLow),
                      e == 1 || e == 4 ? 50 : 44, 8);
            break;
        }
    }

    void bassBar(const std::vector<ChordSlot>& chords, int local, int at, bool finalBar)
    {
        Track& t = tracks_[5];
        auto bassKey = [](int pc) { return place(pc, 40); };
        auto fifthKey = [&](const ChordSlot& c) {
            int k = place(c.classes[2], 40);
            return k > 50 ? k - 12 : k;
        };
        const ChordSlot& first = chordAt(chords, local);
        if (finalBar) {
            t.note(at, finalHold_, kBass, bassKey(first.bass), 74);
            return;
        }
        if (song_.metre == Metre::Waltz) {
            // Root and fifth take turns while a chord lasts over several bars.
            const bool held = local >= bar_ && sameChord(chordAt(chords, local - bar_), first);
            const bool fifth = held && !fifthLast_;
            fifthLast_ = fifth;
            t.note(at, 420, kBass, fifth ? fifthKey(first) : bassKey(first.bass), 72 + dice_.spread(3));
            return;
        }
        const int half = song_.metre == Metre::Slow4 ? 2 * Q : beat_;
        const int len = song_.metre == Metre::Slow4 ? 900 : half - 60;
        t.note(at, len, kBass, bassKey(first.bass), 74 + dice_.spread(3));
        const ChordSlot& second = chordAt(chords, local + half);
        const int key = sameChord(first, second) ? fifthKey(second) : bassKey(second.bass);
        t.note(at + half, len, kBass, key, 64 + dice_.spread(3));
    }

    void padChords(const std::vector<ChordSlot>& chords, int start, int length, bool last)
    {
        Track& t = tracks_[4];
        // In the last pass the closing bar gets a chord of its own, as long as the guitar's.
        const int cut = last ? length - bar_ : length;
        size_t i = 0;
        while (i < chords.size() && chords[i].tick < cut) {
            size_t j = i + 1;
            while (j < chords.size() && chords[j].tick < cut && sameChord(chords[i], chords[j]))
                ++j;
            const int from = chords[i].tick;
            const int to = std::min(cut, chords[j - 1].tick + chords[j - 1].length);
            for (int key : voicing(chords[i], 55))
                t.note(start + from, to - from - 10, kPad, key, 50 + dice_.spread(2));
            i = j;
        }
        if (last)
            for (int key : voicing(chordAt(chords, cut), 55))
                t.note(start + cut, finalHold_, kPad, key, 50 + dice_.spread(2));
    }

    void tambourineBar(int at, bool finalBar)
    {
        Track& t = tracks_[6];
        if (finalBar) {
            t.note(at, Q, kDrums, kTambourine, 96);
            return;
        }
        static const int accents[6] = {92, 50, 60, 84, 50, 60};
        for (int e = 0; e < 6; ++e)
            t.note(at + e * Q / 2, Q / 4, kDrums, kTambourine, accents[e] + dice_.spread(4));
    }

    int pass(const Pass& p, int start, bool last)
    {
        const Section& s = *p.section;
        int melodyBars = 0;
        int chordBars = 0;
        std::vector<Tone> tones;
        std::vector<ChordSlot> chords;
        try {
            tones = parseMelody(s.melody, bar_, &melodyBars);
            chords = parseChords(s.chords, bar_, &chordBars);
        } catch (const std::exception& e) {
            throw std::runtime_error(std::string(song_.title) + ", " + s.name + ": " + e.what());
        }
        if (melodyBars != chordBars)
            throw std::runtime_error(std::string(song_.title) + ", " + s.name + ": "
                                     + std::to_string(melodyBars) + " bars of melody but "
                                     + std::to_string(chordBars) + " of chords");
        const int length = melodyBars * bar_;

        line(p.lead, song_.lead[p.lead], tones, start, p.level);
        if (p.duet >= 0) {
            const Scale scale = parseKey(s.key);
            std::vector<Tone> second;
            for (const Tone& n : tones)
                second.push_back({n.tick, n.length, harmonyBelow(n.key, chordAt(chords, n.tick), scale)});
            line(p.duet, song_.lead[p.duet], second, start, p.level - 14);
        }
        for (int b = 0; b < melodyBars; ++b) {
            const bool finalBar = last && b + 1 == melodyBars;
            guitarBar(chords, b * bar_, start + b * bar_, finalBar);
            bassBar(chords, b * bar_, start + b * bar_, finalBar);
            if (song_.tambourine)
                tambourineBar(start + b * bar_, finalBar);
        }
        if (p.pad)
            padChords(chords, start, length, last);
        return length;
    }

    const SongDef& song_;
    const int bar_;
    const int beat_;
    const double secondsPerTick_;
    Dice dice_;
    bool fifthLast_ = false;
    const int finalHold_;
    std::vector<Track> tracks_;
};

} // namespace

std::vector<uint8_t> arrange(const SongDef& song)
{
    return Arranger(song).run();
}

std::vector<SongFile> composeAll()
{
    std::vector<SongFile> out;
    for (const SongDef& def : songBook())
        out.push_back({def.title, arrange(def)});
    return out;
}

} // namespace songgen
