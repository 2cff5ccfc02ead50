// Note data of one song and the arranger that turns it into MIDI tracks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace songgen {

// A sounding note of a line: start and length in ticks from the start of the line.
struct Tone {
    int tick;
    int length;
    int key;     // MIDI key, 60 = C4
};

// A chord held over one slot of a bar.
struct ChordSlot {
    int tick;
    int length;
    int root;                 // pitch class 0..11
    std::vector<int> classes; // pitch classes of the chord, root first
    int bass;                 // pitch class of the lowest note (slash chords)
};

// Melody text: notes such as "E5q", "Bb4e.", "F#5h+q", "C6e3" (triplet) and
// rests "Rq", with "|" between bars. Every bar must add up to barTicks; the
// error names the bar that does not.
std::vector<Tone> parseMelody(const std::string& text, int barTicks, int* bars);

// Chord text: "|" between bars, a bar split evenly among its symbols, "-"
// holding the previous chord for one more slot: "Dm | Gm - A7 - | Eb/G A7 |".
std::vector<ChordSlot> parseChords(const std::string& text, int barTicks, int* bars);

enum class Metre { Slow4, Waltz, Serenade2, Tarantella };

struct Section {
    const char* name;
    const char* key;      // "Dm" or "D": the scale a second voice keeps to
    std::string melody;
    std::string chords;
};

// One run through a section in the song's order.
struct Pass {
    const Section* section;
    int lead;       // 0 or 1: which melody instrument sings
    int duet;       // -1, or the instrument that doubles a third or sixth below
    bool pad;       // sustained chords of accordion or strings
    int level;      // base velocity of the singing line
};

struct Voice {
    const char* name;
    int program;    // General MIDI program, counted from 0
    bool tremolo;   // plucked: long notes become fast repeated strokes
    int volume;
    int pan;
    int reverb;
    int chorus;
};

struct SongDef {
    const char* title;
    int numerator;
    int denominator;
    double quarterBpm;
    Metre metre;
    int keySharps;      // key signature: sharps > 0, flats < 0
    bool keyMinor;
    Voice lead[2];
    Voice guitar;
    Voice pad;
    Voice bass;
    bool tambourine;
    std::vector<Pass> passes;
    uint32_t seed;      // for the small, repeatable variations of velocity
};

std::vector<uint8_t> arrange(const SongDef& song);

// The five songs, in menu order.
std::vector<SongDef> songBook();

} // namespace songgen
