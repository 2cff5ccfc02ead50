// The instruments the songs are written for. Mandolin and Italian accordion
// are variation banks of FluidR3; without them a soundfont falls back to bank
// 0 of the same program (steel guitar, accordion), which still fits the part.
#pragma once

#include "arranger.h"

namespace songgen::voices {

// name, bank, program, sustain, feel {lag ms, spread ms}, volume, pan, reverb, chorus
inline const Voice mandolin{"Mandolin", 16, 25, Sustain::Plucked, {0, 9}, 127, 58, 50, 0};
inline const Voice violin{"Violin", 0, 40, Sustain::Bowed, {12, 12}, 98, 70, 60, 0};
inline const Voice clarinet{"Clarinet", 0, 71, Sustain::Reed, {8, 10}, 112, 60, 55, 0};
inline const Voice accordion{"Accordion", 8, 21, Sustain::Bellows, {4, 8}, 127, 74, 50, 10};
inline const Voice accordionChords{"Accordion chords", 8, 21, Sustain::Bellows, {10, 8}, 76, 80, 55, 10};
// Slow strings (49) rather than the string ensemble (48): its level agrees
// across soundfonts, where 48 in TimGM6mb sounds some 12 dB above FluidR3.
inline const Voice strings{"Strings", 0, 49, Sustain::Bowed, {15, 10}, 80, 80, 60, 20};
// The guitar pushes the beat a hair, the bass sits on it: the band's pulse.
inline const Voice guitar{"Guitar", 0, 24, Sustain::Plucked, {-3, 6}, 106, 44, 45, 0};
inline const Voice bass{"Bass", 0, 32, Sustain::Plucked, {0, 5}, 88, 64, 30, 0};

} // namespace songgen::voices
