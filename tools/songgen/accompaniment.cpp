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
        const int velocity = 54 + s.accent + band_.dice.spread(3);
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

void Accompaniment::hear(const std::vector<Tone>& line, int start)
{
    for (const Tone& t : line)
        tune_.push_back({start + t.tick, t.length, t.key});
}

int Accompaniment::tuneAt(int tick) const
{
    int key = -1;
    for (const Tone& t : tune_)
        if (t.tick <= tick && t.tick + t.length > tick)
            key = std::max(key, t.key);
    return key;
}

int Accompaniment::tuneFloor(int from, int to) const
{
    int floor = 75; // where the tune rests, the pad keeps to the middle
    auto lowest = [&](int tick) {
        if (const int key = tuneAt(tick); key >= 0)
            floor = std::min(floor, key);
    };
    lowest(from);
    for (const Tone& t : tune_)
        if (t.tick > from && t.tick < to)
            lowest(t.tick);
    return floor;
}

int Accompaniment::bassAt(int tick) const
{
    for (auto b = bass_.rbegin(); b != bass_.rend(); ++b)
        if (b->tick <= tick && b->tick + b->length > tick)
            return b->key;
    return -1;
}

int Accompaniment::clearOfTune(int tick, const std::vector<int>& choices) const
{
    const int before = tick - band_.beat;
    const int m0 = tuneAt(before), b0 = bassAt(before), m1 = tuneAt(tick);
    auto parallel = [&](int b1) {
        if (m0 < 0 || b0 < 0 || m1 < 0 || m1 == m0 || b1 == b0)
            return false;
        const int i0 = mod12(m0 - b0), i1 = mod12(m1 - b1);
        return i0 == i1 && (i0 == 0 || i0 == 7) && (m1 > m0) == (b1 > b0);
    };
    for (int k : choices)
        if (!parallel(k))
            return k;
    return choices.front();
}

std::vector<int> Accompaniment::under(const ChordSlot& c, int from, int to, int lowest) const
{
    // A whole tone at least below the tune, so that the pad never rubs against it.
    const int top = tuneFloor(from, to) - 3;
    std::vector<int> keys;
    for (int pc : c.classes) {
        int k = top - mod12(top - pc);
        if (k < lowest)
            k += 12;
        if (k <= top && std::find(keys.begin(), keys.end(), k) == keys.end())
            keys.push_back(k);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

namespace {

// What a bass note is to its chord.
enum class Role { Root,
                  Third,
                  Fifth,
                  Octave,
                  Approach };
struct Step {
    int at;
    int length;
    Role role;
};
struct Figure {
    std::vector<Step> steps;
    bool busy; // a walking bass's, not a plain one's
};

const std::vector<Figure>& figures(Metre metre)
{
    using R = Role;
    // Held roots and fifths, and walking lines of quarters and eighths, each
    // with a step into the next chord.
    static const std::vector<Figure> slow{{{{0, 2 * Q - 60, R::Root}, {2 * Q, 2 * Q - 60, R::Fifth}}, false},
                                          {{{0, 3 * Q - 60, R::Root}, {3 * Q, Q - 40, R::Approach}}, false},
                                          {{{0, 2 * Q - 60, R::Root}, {2 * Q, Q - 40, R::Fifth}, {3 * Q, Q - 40, R::Approach}}, false},
                                          {{{0, Q - 40, R::Root}, {Q, Q - 40, R::Third}, {2 * Q, Q - 40, R::Fifth}, {3 * Q, Q - 40, R::Approach}}, true},
                                          {{{0, Q + E - 30, R::Root}, {Q + E, E - 20, R::Octave}, {2 * Q, 2 * Q - 60, R::Fifth}}, true}};
    static const std::vector<Figure> waltz{{{{0, 2 * Q - 40, R::Root}, {2 * Q, Q - 40, R::Fifth}}, false},
                                           {{{0, Q - 40, R::Root}}, false},
                                           {{{0, 2 * Q - 40, R::Root}, {2 * Q, Q - 40, R::Approach}}, false},
                                           {{{0, Q - 40, R::Root}, {Q, Q - 40, R::Fifth}, {2 * Q, Q - 40, R::Third}}, true},
                                           {{{0, Q + E - 30, R::Root}, {Q + E, E - 20, R::Fifth}, {2 * Q, Q - 40, R::Approach}}, true}};
    static const std::vector<Figure> two{{{{0, Q - 40, R::Root}, {Q, Q - 40, R::Fifth}}, false},
                                         {{{0, 2 * Q - 60, R::Root}}, false},
                                         {{{0, Q + E - 30, R::Root}, {Q + E, E - 20, R::Approach}}, false},
                                         {{{0, Q - 40, R::Root}, {Q, E - 20, R::Fifth}, {Q + E, E - 20, R::Approach}}, true},
                                         {{{0, Q - 40, R::Root}, {Q + E, E - 20, R::Octave}}, true}};
    // The tarantella's bass stays short and light.
    static const std::vector<Figure> six{{{{0, 2 * E - 30, R::Root}, {3 * E, 2 * E - 30, R::Fifth}}, false},
                                         {{{0, 3 * E - 40, R::Root}, {3 * E, 2 * E - 30, R::Approach}}, false},
                                         {{{0, 2 * E - 30, R::Root}, {2 * E, E - 20, R::Octave}, {3 * E, 2 * E - 30, R::Fifth}}, true},
                                         {{{0, 2 * E - 30, R::Root}, {3 * E, 2 * E - 30, R::Fifth}, {5 * E, E - 20, R::Approach}}, true},
                                         {{{0, E - 20, R::Root}, {2 * E, E - 20, R::Fifth}, {3 * E, 2 * E - 30, R::Root}}, true}};
    switch (metre) {
    case Metre::Slow4:
        return slow;
    case Metre::Waltz:
        return waltz;
    case Metre::Serenade2:
        return two;
    case Metre::Tarantella:
        break;
    }
    return six;
}

bool approaches(const Figure& f)
{
    return std::any_of(f.steps.begin(), f.steps.end(), [](const Step& s) { return s.role == Role::Approach; });
}

} // namespace

void Accompaniment::bassBar(Bass style, const std::vector<ChordSlot>& chords, const Scale& scale, int local, int at)
{
    if (style == Bass::Tacet)
        return;
    const Feel& feel = band_.song.bass.feel;
    auto play = [&](int offset, int length, int key, int velocity) {
        bass_.push_back({at + offset, length, key});
        band_.note(BassPart, at + offset + band_.timing.offset(feel), length, key, velocity + band_.dice.spread(3));
    };
    const int bar = band_.bar;
    if (style == Bass::Pedal) {
        play(0, bar - 30, place(scale.tonic, bassLow), 66);
        return;
    }
    const ChordSlot& next = chordAt(chords, local + bar);
    // A figure of the style's kind, a step into the next chord where it
    // changes, and seldom the same figure twice running.
    const auto& all = figures(band_.song.metre);
    std::vector<size_t> fits;
    const bool changes = !sameChord(chordAt(chords, local + bar - 1), next);
    for (size_t i = 0; i < all.size(); ++i)
        if ((style == Bass::Walking || !all[i].busy) && (approaches(all[i]) == changes || band_.dice.spread(2) == 2)
            && i != lastFigure_)
            fits.push_back(i);
    if (fits.empty())
        fits.push_back(0);
    lastFigure_ = fits[size_t(band_.dice.unit() * double(fits.size()))];
    for (const Step& s : all[lastFigure_].steps) {
        const ChordSlot& chord = chordAt(chords, local + s.at);
        int key = place(chord.bass, bassLow);
        switch (s.role) {
        case Role::Root:
            break;
        case Role::Third:
            key = place(chord.classes[1], bassLow);
            break;
        case Role::Fifth:
            key = fifthOf(chord);
            break;
        case Role::Octave:
            key = key + 12 <= 60 ? key + 12 : key;
            break;
        case Role::Approach:
            key = sameChord(chord, next) ? fifthOf(chord) : approach(place(next.bass, bassLow), scale, band_.dice);
            break;
        }
        if (s.at % band_.beat == 0) {
            // Another way into the next chord, or the third first (a first
            // inversion), then the chord's other notes.
            std::vector<int> choices{key};
            if (s.role == Role::Approach && !sameChord(chord, next)) {
                const int target = place(next.bass, bassLow);
                choices.insert(choices.end(), {scale.stepFrom(target, 1), scale.stepFrom(target, -1), target - 1});
            }
            for (size_t c : {size_t(1), size_t(2), size_t(0)}) {
                const int k = place(chord.classes[c], bassLow);
                choices.push_back(k > 50 ? k - 12 : k);
            }
            key = clearOfTune(at + s.at, choices);
        }
        play(s.at, s.length, key, s.at == 0 ? 72 : 62);
    }
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
                const int from = start + b + off;
                for (int key : under(chordAt(chords, b + off), from, from + E + 40, 50))
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
        for (int key : under(chords[i], start + from, start + to, 48))
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

void Accompaniment::leadIn(const ChordSlot& opening, int at, int unit)
{
    const int to = place(opening.bass, bassLow);
    const Feel& feel = band_.song.bass.feel;
    band_.note(BassPart, at + band_.timing.offset(feel), unit - 20, to - 3, 60);
    band_.note(BassPart, at + unit + band_.timing.offset(feel), unit - 20, to - 1, 64);
}

void Accompaniment::finalChord(const ChordSlot& chord, int at, int hold, bool withPad)
{
    const int spacing = hold > band_.beat ? 30 : 10;
    strum(at, hold, voicing(chord, strumLow), 56, spacing, false);
    band_.note(BassPart, at, hold, place(chord.bass, bassLow), 74);
    if (withPad)
        for (int key : under(chord, at, at + hold, 48))
            band_.note(PadPart, at, hold, key, 50);
}

} // namespace songgen
