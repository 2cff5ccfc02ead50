#include "usage.h"

#include <array>

namespace bandfont {

std::map<Preset, Keys> playedKeys(const std::vector<music::SongTimeline>& songs)
{
    std::map<Preset, Keys> played;
    for (const music::SongTimeline& song : songs) {
        // As the synthesizer does: a bank select waits for the next program
        // change, and channel 10 plays the drum bank.
        std::array<int, 16> bank{};
        std::array<Preset, 16> current;
        for (int ch = 0; ch < 16; ++ch)
            current[size_t(ch)] = {ch == 9 ? 128 : 0, 0};
        for (const music::TimedEvent& e : song.events) {
            const size_t ch = e.status & 0x0F;
            switch (e.status & 0xF0) {
            case 0xB0:
                if (e.data1 == 0)
                    bank[ch] = e.data2;
                break;
            case 0xC0:
                current[ch] = {ch == 9 ? 128 : bank[ch], e.data1};
                played[current[ch]];
                break;
            case 0x90:
                if (e.data2 > 0)
                    played[current[ch]].set(e.data1 & 0x7F);
                break;
            }
        }
    }
    return played;
}

Keys widened(const Keys& keys, int margin)
{
    Keys wide = keys;
    for (int shift = 1; shift <= margin; ++shift)
        wide |= keys << size_t(shift) | keys >> size_t(shift);
    return wide;
}

} // namespace bandfont
