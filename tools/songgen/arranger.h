// Note data of one song, the arrangement choices made for each run through a
// section, and the arranger that turns them into MIDI tracks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace songgen {

// A sounding note of a line: start and length in ticks from the start of the line.
struct Tone {
    int tick;
    int length;
    // MIDI key, 60 = C4
    int key;
};

// A chord held over one slot of a bar.
struct ChordSlot {
    int tick;
    int length;
    int root; // pitch class 0..11
    std::vector<int> classes; // pitch classes of the chord, root first
    // pitch class of the lowest note (slash chords)
    int bass;
};

// Melody text: notes such as "E5q", "Bb4e.", "F#5h+q", "C6e3" (triplet) and
// rests "Rq", with "|" between bars. Every bar must add up to barTicks; the
// error names the bar that does not.
std::vector<Tone> parseMelody(const std::string& text, int barTicks, int* bars);

// Chord text: "|" between bars, a bar split evenly among its symbols, "-"
// holding the previous chord for one more slot: "Dm | Gm - A7 - | Eb/G A7 |".
std::vector<ChordSlot> parseChords(const std::string& text, int barTicks, int* bars);

enum class Metre { Slow4,
                   Waltz,
                   Serenade2,
                   Tarantella };

struct Section {
    const char* name; // also the marker at its start
    const char* key; // "Dm" or "D": the scale a second voice and ornaments keep to
    std::string melody;
    std::string chords;
    // a countermelody for the other instrument, or empty
    std::string counter = {};
};

// How a voice sustains a long note, which decides its expression.
enum class Sustain {
    Plucked, // long notes become fast repeated strokes (tremolo)
    Bowed, // vibrato grows on long notes
    Reed, // a little vibrato
    // swells, no vibrato
    Bellows,
};

// Timing character of a player: how far behind the beat they sit on average,
// and how much they wander around that.
struct Feel {
    double lagMs;
    double spreadMs;
};

struct Voice {
    const char* name;
    int bank; // bank select (controller 0); soundfonts without it fall back to bank 0
    int program; // General MIDI program, counted from 0
    Sustain sustain;
    Feel feel;
    int volume;
    int pan;
    int reverb;
    int chorus;
};

// What the second melody instrument does.
enum class Second { None,
                    Duet,
                    Counter };
// The guitar: broken chords, chords after the bass, one rolled chord a bar, or silent.
enum class Guitar { Arpeggio,
                    Strum,
                    Rolled,
                    Tacet };
// The bass: roots and fifths, the same with passing notes into each new chord,
// a held tonic pedal, or silent.
enum class Bass { Roots,
                  Walking,
                  Pedal,
                  Tacet };
// The chord instrument: silent, held chords that swell, or short chords off the beat.
enum class Pad { Off,
                 Held,
                 Offbeat };

// One run through a section in the song's order, with its arrangement.
struct Pass {
    const Section* section;
    int lead = 0; // 0 or 1: which melody instrument sings
    Second second = Second::None;
    Guitar guitar = Guitar::Arpeggio;
    Bass bass = Bass::Roots;
    Pad pad = Pad::Off;
    int level = 80; // base velocity of the singing line
    bool ornaments = false; // appoggiaturas on the long notes that close a phrase
    bool fill = false; // guitar and bass lead into the next section
    bool tambourine = false;
};

// How the last bar closes before the song starts again.
enum class Ending {
    Fermata, // the last chord held under a broad ritardando
    Fade, // the last chord dies away
    // a short, light final chord and a breath
    Button,
};

struct SongDef {
    const char* title;
    int numerator;
    int denominator;
    double quarterBpm;
    Metre metre;
    int keySharps; // key signature: sharps > 0, flats < 0
    bool keyMinor;
    double rubato; // 0 keeps strict time, 1 is a singer's freedom
    Ending ending;
    Voice lead[2];
    Voice guitar;
    Voice pad;
    Voice bass;
    std::vector<Pass> passes;
    // for the small, repeatable variations of playing
    uint32_t seed;
};

std::vector<uint8_t> arrange(const SongDef& song);

// The five songs, in menu order.
std::vector<SongDef> songBook();

} // namespace songgen
