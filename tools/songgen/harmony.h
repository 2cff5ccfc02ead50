// Keys, chords and voicings shared by the parts of an arrangement.
#pragma once

#include "arranger.h"

#include <string>
#include <vector>

namespace songgen {

struct Scale {
    int tonic = 0;
    bool minor = false;
    // Harmonic minor: the raised seventh is the one the melodies lean on.
    const int* steps() const;
    // The scale note a step above or below `key` (the key itself when it lies
    // outside the scale).
    int stepFrom(int key, int direction) const;
};

// "Dm", "Bb", "F#m".
Scale parseKey(const std::string& k);

int mod12(int v);

// The lowest key at or above `low` with the given pitch class.
int place(int pitchClass, int low);

bool sameChord(const ChordSlot& a, const ChordSlot& b);

// Close position within the octave above `low`, the lowest note doubled an
// octave up when the chord has only three notes.
std::vector<int> voicing(const ChordSlot& c, int low);

const ChordSlot& chordAt(const std::vector<ChordSlot>& chords, int tick);

// A second voice under the melody: a third or sixth below on a chord note,
// otherwise a third below within the key.
int harmonyBelow(int key, const ChordSlot& chord, const Scale& scale);

} // namespace songgen
