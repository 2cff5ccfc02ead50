// One function per song of the music menu: original tunes in the manner of the
// Neapolitan popular song. Melodies are note names with lengths (w h q e s t,
// "." dotted, "+" tied), chords one bar between bar lines; see arranger.h.
#pragma once

#include "arranger.h"
#include "voices.h"

namespace songgen::book {

SongDef surdat();
SongDef vasa();
SongDef paravise();
SongDef anema();
SongDef guapparia();

} // namespace songgen::book
