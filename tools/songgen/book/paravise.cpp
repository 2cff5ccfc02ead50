// "E duje paravise": a serenade in two-four, G minor turning to B flat major,
// with a barcarolle in E flat at its middle.
#include "book.h"

namespace songgen::book {
namespace {

const Section intro{"intro", "Gm",
                    "G5q. F5e | Eb5q C5q | C5q. Eb5e | D5h | Bb4q. A4e | A4h",
                    "Eb | Cm | Am7b5 | D7 | Gm | D7"};

const Section verse{"verse", "Gm",
                    "D5q. G5e | Bb5q A5e G5e | G5q. Eb5e | D5h | D5q. G5e | Bb5q C6e Bb5e | C6q A5q | F#5h |"
                    "Bb5q. A5e | G5q Eb5q | F5q. Eb5e | D5h | Eb5q G5q | C6q. Bb5e | A5q F#5q | G5h",
                    "Gm | Gm | Cm Cm/Eb | D7 | Gm | Gm | Am7b5 | D7 | Gm | Cm | F7 | Bb | Eb | Cm | D7 | Gm"};

const Section refrain{"refrain", "Bb",
                      "F5q. G5e | F5q D5q | G5q. A5e | G5q Eb5q | Bb5q. C6e | A5q F5q | D6q. C6e | Bb5h |"
                      "Ab5q. F5e | G5q Eb5q | Gb5q. Eb5e | F5h | G5q. A5e | Bb5q E5q | A5q Eb5q | D5h",
                      "Bb | Bb | Eb | Eb | Cm7 | F7 | Bb | Bb | Bb7 | Eb | Ebm | Bb/F | Gm | C7 | F7 | Bb"};

const Section barcarolle{"barcarolle", "Eb",
                         "G5q. Ab5e | Bb5h | C6q. Bb5e | G5h | G5q. F5e | A5q C6q | D6q. C6e | Bb5q Ab5q |"
                         "G5q. Ab5e | Bb5q Db6q | C6q. Ab5e | B5q Ab5q | G5q Bb5q | E5q. G5e | F5q A5q | F#5h",
                         "Eb | Eb | Ab | Eb | Cm | F7 | Bb | Bb7 | Eb | Eb7 | Ab | Abm | Eb/Bb | C7 | F7 | D7",
                         "Eb5h | D5q Eb5q | Eb5h | Bb4h | Eb5h | Eb5q C5q | F4q Bb4q | D5h |"
                         "Bb4h | G4q Db5q | C5q Eb5q | Eb5h | Eb5h | Bb4q C5q | C5q Eb5q | D5q C5q"};

const Section coda{"coda", "Bb",
                   "D6q. Bb5e | Eb6q C6q | A5q. C6e | F5q B5q | Eb5q. A5e | Bb5h | Bb5h",
                   "Gm | Cm7 | F7 | Dm - G7 - | Cm - F7 - | Bb | Bb"};

} // namespace

SongDef paravise()
{
    using namespace voices;
    return {"E duje paravise", 2, 4, 72, Metre::Serenade2, -2, true, 0.9, Ending::Fade, {clarinet, mandolin}, guitar, strings, bass, {{.section = &intro, .lead = 1, .level = 78}, {.section = &verse, .lead = 0, .level = 82}, {.section = &refrain, .lead = 0, .second = Second::Duet, .pad = Pad::Held, .level = 84, .fill = true}, {.section = &barcarolle, .lead = 1, .second = Second::Counter, .guitar = Guitar::Rolled, .level = 80}, {.section = &verse, .lead = 1, .guitar = Guitar::Strum, .bass = Bass::Walking, .pad = Pad::Held, .level = 80, .ornaments = true}, {.section = &refrain, .lead = 1, .second = Second::Duet, .bass = Bass::Walking, .pad = Pad::Held, .level = 88}, {.section = &coda, .lead = 0, .guitar = Guitar::Rolled, .pad = Pad::Held, .level = 84}}, 33};
}

} // namespace songgen::book
