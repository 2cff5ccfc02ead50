// Writes the game's background songs as Standard MIDI Files from note data
// kept in this folder. Plain C++: the generator needs neither Qt nor FluidSynth.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace songgen {

constexpr int ticksPerQuarter = 480;

// One track of a format-1 file. Events are kept with their absolute tick and
// sorted when the chunk is written, so the arranger may add them in any order.
class Track {
public:
    explicit Track(std::string name = {});

    // A note-on and its note-off `length` ticks later. Where the same key is
    // struck again on the channel before the note ends, the note ends there:
    // a note-off between overlapping notes would otherwise cut the later one.
    void note(int tick, int length, int channel, int key, int velocity);
    void controller(int tick, int channel, int number, int value);
    void program(int tick, int channel, int number);
    void tempo(int tick, double quartersPerMinute);
    void timeSignature(int tick, int numerator, int denominator);
    void keySignature(int tick, int sharps, bool minor);
    void text(int tick, uint8_t metaType, const std::string& text);

    std::string name() const { return name_; }
    // Bytes of the whole "MTrk" chunk, ending with End of Track at endTick
    // (or at the last event, whichever is later).
    std::vector<uint8_t> chunk(int endTick) const;

private:
    struct Event {
        int tick;
        int rank; // same tick: meta, then set-up, then note-offs, then note-ons
        int serial; // insertion order breaks the remaining ties
        std::vector<uint8_t> bytes;
    };
    struct Note {
        int tick, length, channel, key, velocity;
    };
    void add(int tick, int rank, std::vector<uint8_t> bytes);
    static void add(std::vector<Event>& to, int tick, int rank, std::vector<uint8_t> bytes);

    std::string name_;
    std::vector<Event> events_;
    std::vector<Note> notes_;
};

// A format-1 Standard MIDI File with ticksPerQuarter ticks to the quarter note.
std::vector<uint8_t> writeSmf(const std::vector<Track>& tracks, int endTick);

struct SongFile {
    std::string title; // also the file's base name
    // the whole .mid file
    std::vector<uint8_t> bytes;
};

// All five songs, in menu order. Throws std::runtime_error naming the song and
// bar when the note data does not add up.
std::vector<SongFile> composeAll();

} // namespace songgen
