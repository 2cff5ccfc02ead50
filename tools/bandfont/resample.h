// Lowering a sample's rate without changing its pitch, its start or its loop.
#pragma once

#include <cstdint>
#include <vector>

namespace bandfont {

struct Loop {
    uint32_t start = 0;
    uint32_t end = 0; // the first frame after the loop
    bool valid() const { return end > start; }
};

struct Resampled {
    std::vector<float> frames;
    int rate = 0;
    Loop loop;
};

// The rate below which a sample would lose sound the synthesizer still plays:
// at its lowest, the sample is played `lowestSpeed` times its own speed into
// an output of `outputRate`, whose band ends at half that rate.
int neededRate(double lowestSpeed, int outputRate);

// `frames` at `rate`, band-limited and sampled again at about `target` Hz
// (never above `rate`). The first frame stays where it was. With a loop, the
// rate is nudged so that the loop spans a whole number of new frames, and the
// loop is sampled from its own repetition: it stays seamless and keeps its
// pitch exactly.
Resampled resample(const std::vector<float>& frames, int rate, Loop loop, int target);

} // namespace bandfont
