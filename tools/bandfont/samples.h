// A kept sample's frames brought down to the rate the synthesizer can still hear.
#pragma once

#include "subset.h"

#include <map>

namespace bandfont {

// Lowers, in place, each sample the synthesizer at `outputRate` never plays
// fast enough to need its full rate; a sample whose zones move its frames
// keeps them. Returns how many were lowered, or -1 when a sample cannot be read.
int lowerRates(const std::map<IpatchSF2Sample*, SampleUse>& samples, int outputRate, GError** err);

} // namespace bandfont
