// A tune as a player brings it back: a bar the listener has already heard
// this way is played otherwise (a pickup into the phrase, a passing note
// through a third, a syncopation, a turn, a dotted step), keeping its length
// and its harmony.
#pragma once

#include "arranger.h"
#include "feel.h"
#include "harmony.h"

#include <set>
#include <vector>

namespace songgen {

class Variation {
public:
    Variation(int barTicks, int beatTicks, bool compound, Dice& dice)
        : bar_(barTicks)
        , beat_(beatTicks)
        // the metre's own smallest step: an eighth
        , unit_(compound ? beatTicks / 3 : beatTicks / 2)
        , compound_(compound)
        , dice_(dice)
    {
    }

    // One pass's tune; with `freely` a player also varies now and then what
    // has not been heard yet.
    std::vector<Tone> play(const std::vector<Tone>& tune, const Scale& scale, bool freely);

private:
    using Bar = std::vector<Tone>;
    std::vector<int> signature(const Bar& bar, int barStart) const;
    bool vary(Bar& bar, int kind, int barStart, int prevEnd, int nextKey, const Scale& scale) const;

    int bar_, beat_, unit_;
    bool compound_;
    Dice& dice_;
    std::set<std::vector<int>> heard_;
};

} // namespace songgen
