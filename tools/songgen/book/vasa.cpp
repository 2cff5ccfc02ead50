// "Ie te vurria vasa'": a waltz in G major with a verse in E minor and a
// trio in C, the guitar's "pah-pah" after the bass.
#include "book.h"

namespace songgen::book {
namespace {

const Section intro{"intro", "G",
                    "A5h F#5q | C6h A5q | B5q. A5e G5q | G5h E5q | C6q B5q A5q | F#5q A5q C6q | C6h B5q | D#5h F#5q",
                    "D7 | D7 | G | Em | Am | D7 | Am - B7 | B7"};

const Section verse{"verse", "Em",
                    "B4q E5q G5q | F#5h. | A4q C5q E5q | D#5h. | E5q G5q B5q | C6h B5q | A5q G5q F#5q | D#5h B4q |"
                    "E5q. F#5e G5q | F#5h. | A4q C5q E5q | F#5q. E5e D5q | G5h D5q | E5h C5q | B4q D#5q F#5q | E5h.",
                    "Em | B7 | Am - C | B7 | Em | C | Am6/C | B7 | Em | B7 | Am | D7 | G | F#m7b5 | B7 | Em"};

const Section refrain{"refrain", "G",
                      "D5h. | E5q. D5e E5q | C6h. | B5q A5q E5q | F#5h. | F#5q. E5e F#5q | B5h. | A5q G5q D5q |"
                      "D5h. | E5q. D5e E5q | C6h. | C6q G5q Eb5q | D5h B5q | A5q. G5e F#5q | A5h F#5q | G5h.",
                      "G | E7 | Am | Am | D7 | D7 | G | G | G | E7 | Am | Cm | G/D | D7 | D7 | G"};

// The middle section in the subdominant, the mandolin's long notes under the accordion.
const Section trio{"trio", "C",
                   "E5h. | G5q F5q E5q | D5h. | F5q E5q D5q | F5h A5q | G5h F5q | E5h. | Bb5h G5q |"
                   "A5h. | Ab5q G5q F5q | E5q. F5e G5q | C#5h E5q | D5h F5q | B4h D5q | C5h. | C5h Rq",
                   "C | C | G7 | G7 | Dm | G7 | C | C7 | F | Fm | C/G | A7 | Dm | G7 | C | C",
                   "C5q E4q G4q | C5h. | B4q G4q F4q | B4h. | A4h. | B4h. | C5q G4q E4q | E4h. |"
                   "F4q A4q C5q | C5h. | C5h. | A4h G4q | F4q A4q D4q | F4h. | E4q G4q C5q | E4h Rq"};

const Section coda{"coda", "G",
                   "G#5h B5q | C6h. | Eb6h C6q | B5h A5q | G5q Bb5q Eb6q | D6h C6q | B5q G5q D5q | G5q Rh",
                   "E7 | Am | Cm6 | G/D | Eb | D7 | G | G"};

} // namespace

SongDef vasa()
{
    using namespace voices;
    return {"Ie te vurria vasa'", 3, 4, 126, Metre::Waltz, 1, false, 0.7, Ending::Button, {mandolin, accordion}, guitar, strings, bass, {{.section = &intro, .lead = 1, .guitar = Guitar::Rolled, .level = 78}, {.section = &verse, .lead = 0, .guitar = Guitar::Strum, .level = 82}, {.section = &refrain, .lead = 1, .second = Second::Duet, .guitar = Guitar::Strum, .pad = Pad::Held, .level = 84, .fill = true}, {.section = &trio, .lead = 1, .second = Second::Counter, .pad = Pad::Held, .level = 80}, {.section = &intro, .lead = 0, .guitar = Guitar::Strum, .bass = Bass::Walking, .level = 84}, {.section = &verse, .lead = 1, .bass = Bass::Walking, .pad = Pad::Held, .level = 86, .ornaments = true}, {.section = &refrain, .lead = 0, .second = Second::Duet, .guitar = Guitar::Strum, .bass = Bass::Walking, .pad = Pad::Held, .level = 88}, {.section = &coda, .lead = 0, .second = Second::Duet, .guitar = Guitar::Strum, .pad = Pad::Held, .level = 80}}, 22};
}

} // namespace songgen::book
