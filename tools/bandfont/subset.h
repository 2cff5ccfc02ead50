// Cutting a SoundFont down to the presets, zones and samples a set of songs plays.
#pragma once

#include "usage.h"

#include <libinstpatch/libinstpatch.h>

#include <map>

namespace bandfont {

// The preset the synthesizer plays for `wanted`: the same bank and program,
// else bank 0 of the program (the drum kit 0 for a missing kit); null if none.
IpatchSF2Preset* findPreset(IpatchSF2* font, Preset wanted);

struct SampleUse {
    // The slowest this sample is played, as a fraction of its own speed.
    double lowestSpeed = 1e9;
    // A zone moves its start, end or loop: its frames must stay where they are.
    bool offsets = false;
};

// Removes, in place, every preset the songs do not select, every zone none of
// their keys (widened by `margin`) reaches, and every instrument and sample
// left unused. What remains is exactly what those notes can sound.
std::map<IpatchSF2Sample*, SampleUse> cutDown(IpatchSF2* font, const std::map<Preset, Keys>& played, int margin);

} // namespace bandfont
