// "O' surdat nnammurat": a slow song in D minor whose refrain opens into D
// major, with a middle section on the flat sixth, B flat.
#include "book.h"

namespace songgen::book {
namespace {

const Section intro{"intro", "Dm",
                    "F5h. E5e D5e | D5q. E5e Bb4h | G4q Bb4q D5q G5q | F5h E5h",
                    "Bbmaj7 | Gm6 | Em7b5 | A7"};

const Section verse{"verse", "Dm",
                    "Rq A4e D5e F5q. E5e | D5q. C5e Bb4q A4q | Rq G4e Bb4e D5q. C5e | F4q G4e F4e E4h |"
                    "Rq A4e D5e F5q. G5e | A5q. G5e F5q D5q | G5q Eb5q C#5q. E5e | D5h. Rq",
                    "Dm | Gm - A7 - | Gm | A7 | Dm | Bb | Eb/G - A7 - | Dm"};

// The refrain's first seven bars; the eighth leads on or closes.
const std::string refrainHead = "F#5h. E5e F#5e | G5q F#5q D5q B4q | E5h. D5e E5e | G5q. F#5e E5h |"
                                "A4q D5q F#5q A5q | B5q. A5e F#5q C5q | B4q. D5e Bb4q. D5e |";
const std::string refrainHeadChords = "D | Bm | Em | A7 | D | D7 | G - Gm - |";

// Moves where the refrain holds, and holds where it moves.
const Section refrain{"refrain", "D", refrainHead + "A4h E5q C#5q", refrainHeadChords + "D - A7 -",
                      "Rq D4q F#4q A4q | B4h F#4h | Rq G4q B4q G4q | A4h C#5q A4q | F#4w | F#4h A4h | B3h Bb3h | A3h G4h"};

const Section refrainClose{"refrain, close", "D", refrainHead + "E5q. C#5e D5h", refrainHeadChords + "A7 - D -"};

const Section interlude{"interlude", "Bb",
                        "D5q. C5e Bb4q F5q | F5h. E5e F5e | G5q F5q Eb5q D5q | C5h. Rq |"
                        "Eb5q. D5e Eb5q G5q | F5h. D5q | C5q Eb5q A4q C5q | Bb4h C#5h",
                        "Bb | F/A | Gm | D7 | Eb | Bb/D | Cm - F7 - | Bb - A7 -",
                        "F4h D4h | C4h F4h | Bb3h. Bb4q | A4q F#4q D4h | G4h Bb4h | Bb4q A4q Bb4h | Eb4h F4h | D4h E4h"};

const Section coda{"coda", "D",
                   "A5q. F#5e B5q G5q | G5q E5q C#5q. A4e | D5q F#5q B4q. D5e | D5w",
                   "D/F# - G - | Em7 - A7 - | Bm - G - | D"};

} // namespace

SongDef surdat()
{
    using namespace voices;
    return {"O' surdat nnammurat", 4, 4, 76, Metre::Slow4, -1, true, 1.0, Ending::Fermata, {mandolin, violin}, guitar, strings, bass, {{.section = &intro, .lead = 1, .guitar = Guitar::Rolled, .bass = Bass::Pedal, .pad = Pad::Held, .level = 89}, {.section = &verse, .lead = 0, .level = 85}, {.section = &verse, .lead = 1, .guitar = Guitar::Strum, .bass = Bass::Walking, .level = 91, .ornaments = true, .fill = true}, {.section = &refrain, .lead = 1, .second = Second::Duet, .pad = Pad::Held, .level = 89}, {.section = &interlude, .lead = 0, .second = Second::Counter, .guitar = Guitar::Rolled, .level = 83, .fill = true}, {.section = &refrain, .lead = 0, .second = Second::Counter, .guitar = Guitar::Strum, .bass = Bass::Walking, .pad = Pad::Held, .level = 87, .ornaments = true}, {.section = &refrainClose, .lead = 1, .second = Second::Duet, .bass = Bass::Walking, .pad = Pad::Held, .level = 93}, {.section = &coda, .lead = 0, .guitar = Guitar::Rolled, .pad = Pad::Held, .level = 93}}, 11};
}

} // namespace songgen::book
