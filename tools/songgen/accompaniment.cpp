#include "accompaniment.h"

#include <algorithm>

namespace songgen {
namespace {

constexpr int Q = ticksPerQuarter;
constexpr int E = Q / 2;
constexpr int S = Q / 4;
constexpr int tambourineKey = 54;
// Lowest keys of the guitar's broken chords and of its strummed ones: strums
// sit higher, clear of the bass they answer.
constexpr int arpeggioLow = 48;
constexpr int strumLow = 52;
constexpr int bassLow = 40;

// One stroke of a guitar pattern: a chord tone (index into the voicing), or
// the whole chord strummed down (StrumDown), up (StrumUp) or slowly rolled (Roll).
enum : int { StrumDown = -1,
             StrumUp = -2,
             Roll = -3 };
struct Stroke {
    int at;
    int length;
    int tone;
    int accent;
};

const std::vector<Stroke>& pattern(Metre metre, Guitar style)
{
    // Slow song: broken chords in eighths, or chords on 2, 3 and 4 after the bass.
    static const std::vector<Stroke> slowArpeggio{{0, 420, 0, 8}, {E, 420, 1, 0}, {2 * E, 420, 2, 2}, {3 * E, 420, 3, 0}, {4 * E, 420, 1, 4}, {5 * E, 420, 2, 0}, {6 * E, 420, 3, 2}, {7 * E, 420, 2, 0}};
    static const std::vector<Stroke> slowStrum{{Q, 400, StrumDown, 4}, {2 * Q, 400, StrumDown, 0}, {3 * Q, 200, StrumDown, 2}, {3 * Q + E, 200, StrumUp, -6}};
    static const std::vector<Stroke> slowRolled{{0, 4 * Q - 40, Roll, 6}};
    // Waltz: the "pah-pah" after the bass, or an even broken chord.
    static const std::vector<Stroke> waltzArpeggio{{0, 300, 0, 6}, {E, 300, 1, 0}, {2 * E, 300, 2, 2}, {3 * E, 300, 3, 0}, {4 * E, 300, 2, 2}, {5 * E, 300, 1, 0}};
    static const std::vector<Stroke> waltzStrum{{Q, 320, StrumDown, 6}, {2 * Q, 320, StrumDown, 0}};
    static const std::vector<Stroke> waltzRolled{{0, 3 * Q - 40, Roll, 6}};
    // Serenade in two: sixteenths, or chords on the off-beats.
    static const std::vector<Stroke> twoArpeggio{{0, 200, 0, 8}, {S, 200, 1, 0}, {2 * S, 200, 2, 2}, {3 * S, 200, 3, 0}, {4 * S, 200, 1, 4}, {5 * S, 200, 2, 0}, {6 * S, 200, 3, 2}, {7 * S, 200, 2, 0}};
    static const std::vector<Stroke> twoStrum{{E, 200, StrumDown, 4}, {Q + E, 200, StrumDown, 0}};
    static const std::vector<Stroke> twoRolled{{0, 2 * Q - 40, Roll, 6}};
    // Tarantella: strummed eighths around the two beats, or broken chords.
    static const std::vector<Stroke> sixStrum{{E, 200, StrumDown, 6}, {2 * E, 200, StrumUp, 0}, {4 * E, 200, StrumDown, 6}, {5 * E, 200, StrumUp, 0}};
    static const std::vector<Stroke> sixArpeggio{{0, 220, 0, 6}, {E, 220, 1, 0}, {2 * E, 220, 2, 0}, {3 * E, 220, 3, 4}, {4 * E, 220, 2, 0}, {5 * E, 220, 1, 0}};
    static const std::vector<Stroke> sixRolled{{0, 3 * E - 30, Roll, 6}, {3 * E, 3 * E - 30, Roll, 2}};
    static const std::vector<Stroke> none;
    const bool arp = style == Guitar::Arpeggio, rolled = style == Guitar::Rolled;
    if (style == Guitar::Tacet)
        return none;
    switch (metre) {
    case Metre::Slow4:
        return arp ? slowArpeggio : rolled ? slowRolled
                                           : slowStrum;
    case Metre::Waltz:
        return arp ? waltzArpeggio : rolled ? waltzRolled
                                            : waltzStrum;
    case Metre::Serenade2:
        return arp ? twoArpeggio : rolled ? twoRolled
                                          : twoStrum;
    case Metre::Tarantella:
        break;
    }
    return arp ? sixArpeggio : rolled ? sixRolled
                                      : sixStrum;
}

// A note a step away from `target`, leading into it: chromatically or along the scale.
int approach(int target, const Scale& scale, Dice& dice)
{
    switch (dice.spread(1)) {
    case -1:
        return target - 1;
    case 0:
        return scale.stepFrom(target, +1);
    default:
        return scale.stepFrom(target, -1);
    }
}

int fifthOf(const ChordSlot& c)
{
    const int k = place(c.classes[2], bassLow);
    return k > 50 ? k - 12 : k;
}

} // namespace

void Accompaniment::strum(int at, int length, const std::vector<int>& keys, int velocity, int spacing, bool up)
{
    for (size_t i = 0; i < keys.size(); ++i) {
        const size_t k = up ? keys.size() - 1 - i : i;
        band_.note(GuitarPart, at + int(i) * spacing, length - int(i) * spacing, keys[k],
                   velocity - int(i) * 2 + band_.dice.spread(3));
    }
}

void Accompaniment::guitarBar(Guitar style, const std::vector<ChordSlot>& chords, int local, int at, int until)
{
    const Feel& feel = band_.song.guitar.feel;
    for (const Stroke& s : pattern(band_.song.metre, style)) {
        if (s.at >= until)
            break;
        // Now and then a player lets a weak stroke go: a breath in the pattern.
        if (s.accent <= 0 && band_.dice.spread(9) == 9)
            continue;
        const ChordSlot& chord = chordAt(chords, local + s.at);
        const int when = at + s.at + band_.timing.offset(feel);
        const int velocity = 44 + s.accent + band_.dice.spread(3);
        if (s.tone >= 0) {
            band_.note(GuitarPart, when, std::min(s.length, until - s.at), voicing(chord, arpeggioLow)[size_t(s.tone)],
                       velocity);
        } else {
            const int spacing = s.tone == Roll ? 36 + band_.dice.spread(8) : 10 + band_.dice.spread(4);
            strum(when, std::min(s.length, until - s.at), voicing(chord, strumLow), velocity, spacing, s.tone == StrumUp);
        }
    }
}

void Accompaniment::guitarRun(const std::vector<ChordSlot>& chords, const Scale& scale, int local, int at)
{
    const int half = band_.bar / 2;
    const int step = band_.song.metre == Metre::Serenade2 ? S : E;
    const int count = half / step;
    std::vector<int> run{place(chordAt(chords, local + band_.bar).root, 55)};
    while (int(run.size()) <= count)
        run.insert(run.begin(), scale.stepFrom(run.front(), -1));
    const Feel& feel = band_.song.guitar.feel;
    for (int i = 0; i < count; ++i)
        band_.note(GuitarPart, at + half + i * step + band_.timing.offset(feel), step - 20, run[size_t(i)],
                   46 + 2 * i + band_.dice.spread(3));
}

void Accompaniment::bassBar(Bass style, const std::vector<ChordSlot>& chords, const Scale& scale, int local, int at)
{
    if (style == Bass::Tacet)
        return;
    const Feel& feel = band_.song.bass.feel;
    auto play = [&](int offset, int length, int key, int velocity) {
        band_.note(BassPart, at + offset + band_.timing.offset(feel), length, key, velocity + band_.dice.spread(3));
    };
    const int bar = band_.bar;
    const ChordSlot& first = chordAt(chords, local);
    if (style == Bass::Pedal) {
        play(0, bar - 30, place(scale.tonic, bassLow), 66);
        return;
    }
    const ChordSlot& next = chordAt(chords, local + bar);
    const bool changes = !sameChord(first, next);
    const bool walk = style == Bass::Walking;
    const int root = place(first.bass, bassLow);
    if (band_.song.metre == Metre::Waltz) {
        // Root and fifth take turns while a chord lasts over several bars.
        const bool held = local >= bar && sameChord(chordAt(chords, local - bar), first);
        const bool fifth = held && !fifthLast_;
        fifthLast_ = fifth;
        play(0, 420, fifth ? fifthOf(first) : root, 72);
        if (walk && changes)
            play(2 * Q, 400, approach(place(next.bass, bassLow), scale, band_.dice), 60);
        return;
    }
    if (band_.song.metre == Metre::Slow4 && walk) {
        // Quarters: root, a chord tone, the fifth, and a step into the next chord.
        const ChordSlot& third = chordAt(chords, local + 2 * Q);
        play(0, 440, root, 74);
        play(Q, 440, place(first.classes[1], bassLow), 60);
        play(2 * Q, 440, sameChord(first, third) ? fifthOf(first) : place(third.bass, bassLow), 66);
        play(3 * Q, 440, changes ? approach(place(next.bass, bassLow), scale, band_.dice) : root, 58);
        return;
    }
    const int half = band_.song.metre == Metre::Slow4 ? 2 * Q : band_.beat;
    const int len = band_.song.metre == Metre::Slow4 ? 900 : half - 60;
    play(0, len, root, 74);
    const ChordSlot& second = chordAt(chords, local + half);
    int key = sameChord(first, second) ? fifthOf(second) : place(second.bass, bassLow);
    if (walk && changes && sameChord(first, second))
        key = approach(place(next.bass, bassLow), scale, band_.dice);
    play(half, len, key, 64);
}

void Accompaniment::pad(Pad style, const std::vector<ChordSlot>& chords, int start, int length, int level)
{
    const Feel& feel = band_.song.pad.feel;
    if (style == Pad::Offbeat) {
        // Short chords between the beats, as an accordion's left hand plays them.
        const int bar = band_.bar;
        const std::vector<int> offsets = band_.song.metre == Metre::Waltz ? std::vector<int>{Q, 2 * Q}
            : band_.song.metre == Metre::Tarantella                       ? std::vector<int>{2 * E, 5 * E}
            : band_.song.metre == Metre::Slow4                            ? std::vector<int>{Q, 3 * Q}
                                                                          : std::vector<int>{E, Q + E};
        for (int b = 0; b < length; b += bar)
            for (int off : offsets) {
                const int when = start + b + off + band_.timing.offset(feel);
                for (int key : voicing(chordAt(chords, b + off), 55))
                    band_.note(PadPart, when, E + 40, key, level - 4 + band_.dice.spread(3));
            }
        return;
    }
    size_t i = 0;
    while (i < chords.size() && chords[i].tick < length) {
        size_t j = i + 1;
        while (j < chords.size() && chords[j].tick < length && sameChord(chords[i], chords[j]))
            ++j;
        const int from = chords[i].tick;
        const int to = std::min(length, chords[j - 1].tick + chords[j - 1].length);
        const int when = start + from + band_.timing.offset(feel);
        for (int key : voicing(chords[i], 55))
            band_.note(PadPart, when, start + to - 10 - when, key, level + band_.dice.spread(4));
        // Held chords breathe: a swell towards the middle of each.
        band_.swell(PadPart, when, to - from, 100, 120 + band_.dice.spread(6), 104, 0.5);
        i = j;
    }
}

void Accompaniment::tambourineBar(int at, bool phraseEnd)
{
    // Eighth-note patterns, varied from bar to bar; a phrase's last bar shakes.
    static const int patterns[4][6] = {
        {64, 0, 34, 52, 0, 34}, {64, 0, 0, 52, 0, 0}, {60, 28, 34, 50, 28, 34}, {62, 0, 30, 0, 0, 30}};
    const Feel feel{0, 6};
    if (phraseEnd) {
        for (int i = 0; i < 8; ++i)
            band_.note(TambourinePart, at + i * S + band_.timing.offset(feel), S, tambourineKey, 30 + 4 * i);
        return;
    }
    const int* p = patterns[int(band_.dice.unit() * 4)];
    for (int e = 0; e < 6; ++e)
        if (p[e])
            band_.note(TambourinePart, at + e * E + band_.timing.offset(feel), S, tambourineKey, p[e] + band_.dice.spread(4));
}

void Accompaniment::finalChord(const ChordSlot& chord, int at, int hold, bool withPad)
{
    const int spacing = hold > band_.beat ? 30 : 10;
    strum(at, hold, voicing(chord, strumLow), 56, spacing, false);
    band_.note(BassPart, at, hold, place(chord.bass, bassLow), 74);
    if (withPad)
        for (int key : voicing(chord, 55))
            band_.note(PadPart, at, hold, key, 50);
}

} // namespace songgen
