// Guitar, bass, chords and tambourine under the melody, bar by bar.
#pragma once

#include "band.h"
#include "harmony.h"

#include <vector>

namespace songgen {

class Accompaniment {
public:
    explicit Accompaniment(Band& band)
        : band_(band)
    {
    }

    // `chords` covers the section and, after it, the first chord of what
    // follows, so that the bass and the fills know where they are going.
    // The bar's pattern up to `until` ticks into it (a fill takes the rest).
    void guitarBar(Guitar style, const std::vector<ChordSlot>& chords, int local, int at, int until);
    // The second half of a bar as a scale run up to the next chord's root.
    void guitarRun(const std::vector<ChordSlot>& chords, const Scale& scale, int local, int at);
    void bassBar(Bass style, const std::vector<ChordSlot>& chords, const Scale& scale, int local, int at);
    void pad(Pad style, const std::vector<ChordSlot>& chords, int start, int length, int level);
    void tambourineBar(int at, bool phraseEnd);
    // Everyone on the last chord; `hold` ticks long.
    void finalChord(const ChordSlot& chord, int at, int hold, bool withPad);

private:
    void strum(int at, int length, const std::vector<int>& keys, int velocity, int spacing, bool up);

    Band& band_;
    bool fifthLast_ = false;
};

} // namespace songgen
