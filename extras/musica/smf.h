// Reading a Standard MIDI File into the timeline the music control plays.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace music {

// A channel message at its place in the song, counted in output frames.
// Eight bytes: the hostile file a song folder may hold is mostly events.
struct TimedEvent {
    uint32_t frame;
    uint8_t status;
    uint8_t data1;
    uint8_t data2;
};

struct SongTimeline {
    std::vector<TimedEvent> events; // channel messages only, in playing order
    uint64_t lengthFrames = 0; // up to the last End of Track
    int64_t lengthMs = 0;
    // Every (bank, program) the song selects, each once, and the channels that
    // play notes before selecting anything (they sound with the default program).
    std::vector<std::pair<int, int>> presets;
    std::array<bool, 16> usesDefaultProgram{};
};

// No song is longer than this; a file whose timing says otherwise is refused.
constexpr int64_t longestSongMs = 12LL * 3600 * 1000;

// Formats 0 and 1, tempo changes, running status, SMPTE or metrical time.
// Anything damaged, truncated, too long or without a single tick of music
// gives nothing: a bad file must never play half a song or a burst of noise.
// A stray data byte of 0x80 or more is the one slip forgiven: it reads as 127.
// Linear in the file's size (tracks are merged through a heap), with about
// four bytes kept for every byte read.
std::optional<SongTimeline> readSmf(std::string_view bytes, int sampleRate);

} // namespace music
