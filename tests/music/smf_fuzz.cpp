// libFuzzer target for the MIDI reader: whatever a file in the music folder
// holds, reading it must end, without crashing or reading out of bounds, in
// time and memory that grow with the file, and what it gives must be playable:
// events in order, none past the end, lengths that agree.
#include "smf.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (int rate : {22050, 44100}) {
        const auto song = music::readSmf(bytes, rate);
        if (!song)
            continue;
        uint64_t last = 0;
        for (const auto& e : song->events) {
            if (e.frame < last || e.frame > song->lengthFrames || e.status < 0x80 || e.status >= 0xF0
                || ((e.data1 | e.data2) & 0x80))
                std::abort();
            last = e.frame;
        }
        if (song->lengthMs <= 0 || song->lengthMs > music::longestSongMs || song->presets.size() > 129 * 128
            || song->events.size() > size / 2)
            std::abort();
    }
    return 0;
}
