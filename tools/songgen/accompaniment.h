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

    // A singing line of a pass, in written ticks from the song's start: the
    // bass keeps clear of the top line's fifths and octaves, the pad stays
    // under it.
    void hear(const std::vector<Tone>& line, int start);

    // `chords` covers the section and, after it, the first chord of what
    // follows, so that the bass and the fills know where they are going.
    // The bar's pattern up to `until` ticks into it (a fill takes the rest).
    void guitarBar(Guitar style, const std::vector<ChordSlot>& chords, int local, int at, int until);
    // The second half of a bar as a scale run up to the next chord's root.
    void guitarRun(const std::vector<ChordSlot>& chords, const Scale& scale, int local, int at);
    void bassBar(Bass style, const std::vector<ChordSlot>& chords, const Scale& scale, int local, int at);
    void pad(Pad style, const std::vector<ChordSlot>& chords, int start, int length, int level);
    void tambourineBar(int at, bool phraseEnd);
    // The bass stepping into the opening chord over two `unit`s from `at`.
    void leadIn(const ChordSlot& opening, int at, int unit);
    // Everyone on the last chord; `hold` ticks long.
    void finalChord(const ChordSlot& chord, int at, int hold, bool withPad);

private:
    void strum(int at, int length, const std::vector<int>& keys, int velocity, int spacing, bool up);
    // The top line's key sounding at `tick`, or -1.
    int tuneAt(int tick) const;
    // The top line's lowest key from `from` to `to`, or a high one where it rests.
    int tuneFloor(int from, int to) const;
    // The first of `choices` that moves in no fifths or octaves with the
    // tune from the beat before (the first if none does).
    int clearOfTune(int tick, const std::vector<int>& choices) const;
    // The bass sounding at `tick`, or -1.
    int bassAt(int tick) const;
    // A chord held under the tune: close position, its top note below it.
    std::vector<int> under(const ChordSlot& c, int from, int to, int lowest) const;

    Band& band_;
    std::vector<Tone> tune_;
    std::vector<Tone> bass_; // written bass notes, from the song's start
    size_t lastFigure_ = 0;
};

} // namespace songgen
