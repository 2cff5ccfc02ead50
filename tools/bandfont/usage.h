// What the songs play: every preset they select and the keys each sounds.
#pragma once

#include "smf.h"

#include <bitset>
#include <map>
#include <utility>
#include <vector>

namespace bandfont {

using Preset = std::pair<int, int>; // bank (128: drums), program
using Keys = std::bitset<128>;

// Selected presets, each with the keys its notes strike. A preset selected but
// never struck is listed with no keys: the game still selects it.
std::map<Preset, Keys> playedKeys(const std::vector<music::SongTimeline>& songs);

// The keys widened by `margin` on either side, for the pitch bends and the
// small rewrites a song may get without its instruments being cut again.
Keys widened(const Keys& keys, int margin);

} // namespace bandfont
