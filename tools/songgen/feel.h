// What makes the parts sound played: a repeatable generator of small chances,
// timing that leans a little early or late per part, and velocity shaped along
// each phrase. Only integer arithmetic and the four basic operations are used,
// so the same note data gives the same bytes with any compiler or library.
#pragma once

#include "arranger.h"

#include <cstdint>
#include <vector>

namespace songgen {

class Dice {
public:
    explicit Dice(uint32_t seed)
        : state_(seed ? seed : 1)
    {
    }
    // Uniform in -range..range.
    int spread(int range);
    // Uniform in [0, 1).
    double unit();
    // Roughly normal, mean 0 and spread 1: the sum of four uniforms, rescaled.
    double bell();

private:
    uint32_t next();
    uint32_t state_;
};

class Timing {
public:
    Timing(double quarterBpm, Dice& dice)
        : ticksPerMs_(ticksPerQuarterMs * quarterBpm)
        , dice_(dice)
    {
    }
    int ticks(double ms) const;
    // Where a part's note lands against the written beat, in ticks; `extraMs`
    // adds a deliberate lean, such as the breath before a phrase's last note.
    int offset(const Feel& feel, double extraMs = 0) const;

private:
    static constexpr double ticksPerQuarterMs = 480.0 / 60000.0;
    double ticksPerMs_;
    Dice& dice_;
};

struct Phrased {
    Tone tone;
    int velocity;
    // the last note before a breath
    bool phraseEnd;
};

// Where a line breathes: the index of each phrase's last note, at a rest or
// a long note.
std::vector<size_t> phraseEnds(const std::vector<Tone>& tones, int beatTicks);

// Splits a line into phrases at rests and long notes and gives each note a
// velocity: an arch over the phrase, higher notes a little stronger, the
// downbeat leaned on, the closing note let go.
std::vector<Phrased> phrase(const std::vector<Tone>& tones, int barTicks, int beatTicks, int level,
                            bool accentBeats, Dice& dice);

} // namespace songgen
