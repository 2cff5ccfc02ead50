// "Guapparia": a tarantella in A minor at the dance's own pace, light on its
// feet, its second strain in A major with the tambourine, a singing middle
// strain in F.
#include "book.h"

namespace songgen::book {
namespace {

const Section intro{"intro", "Am",
                    "A4q. C5q. | E5q. A5q. | F5q E5e D5q. | A5q. F5q. | C6q B5e A5q. | G#5q. B5q. | C6q. A5q. | B5q. G#5q.",
                    "Am | Am | Dm | Dm | F | E7 | Am | E7"};

const Section first{"first strain", "Am",
                    "E5q A5e C6q B5e | G#5q. E5q. | E5q G#5e B5q D6e | C6q. A5q. |"
                    "D5q F5e A5q D6e | C6q B5e A5q. | B4q C5e D5q E5e | C5q. A4q. |"
                    "E5q A5e C6q E6e | D6q C6e B5q. | E5q G#5e B5q D6e | C6q. A5q. |"
                    "F5q E5e D5q F5e | D6q. Bb5q. | G#5q B5e E6q D6e | A5q. Rq.",
                    "Am | E7 | E7 | Am | Dm | Am | E7 | Am | Am | E7 | E7 | Am | Dm | Bb/D | E7 | Am"};

const Section second{"second strain", "A",
                     "E5e E5e E5e A5q E5e | D5e D5e D5e G#5q D5e | B4e D5e G#5e B5e A5e G#5e | A5q. E5q. |"
                     "F#5e F#5e F#5e A5q F#5e | E5e E5e E5e A5q E5e | D5e C#5e B4e E5e G#5e B5e | A5q. Rq. |"
                     "G5e G5e G5e C#6q G5e | F#5e F#5e F#5e A5q D6e | F5e F5e F5e A5q D6e | C#6q. A5q. |"
                     "C#6e B5e A5e F#5e A5e C#6e | D6e C#6e B5e F#5q. | E5e G#5e B5e D6e C#6e B5e | A5q. Rq.",
                     "A | E7 | E7 | A | D | A | E7 | A | A7 | D | Dm | A | F#m | Bm | E7 | A"};

const Section middle{"middle strain", "F",
                     "A5q. C6q. | C6q Bb5e A5q. | G5q. Bb5q. | Bb5q A5e G5q. | E5q. G5q. | Bb5q A5e G5q. | F5q. A5q. | C6q. Rq. |"
                     "D6q. F5q. | Db6q. F5q. | C6q. A5q. | F#5q. A5q. | Bb5q A5e G5q. | E5q. C6q. | A5q. F5q. | G#5q. B5q.",
                     "F | F | C7 | C7 | C7 | C7 | F | F | Bb | Bbm | F/C | D7 | Gm | C7 | Dm | E7",
                     "F4q. A4q. | C5q. F4q. | E4q. G4q. | C5q. E4q. | G4q. Bb4q. | C5q. E4q. | A4q. C5q. | A4q G4e F4q. |"
                     "F4q. Bb4q. | F4q. Bb4q. | A4q. C5q. | D5q. C5q. | D5q. Bb4q. | G4q. Bb4q. | D5q. A4q. | B4q. E4q."};

const Section coda{"coda", "A",
                   "F#5q A5e D6q F#5e | F#5q. A5q. | E5q A5e C#6q E6e | E6q. C#6q. | D6q C#6e B5q. | G#5q B5e D6q B5e |"
                   "A5q. E5q. | A4q. Rq.",
                   "D | D#dim7 | A/E | F#7 | Bm | E7 | A | A"};

} // namespace

SongDef guapparia()
{
    using namespace voices;
    return {"Guapparia", 6, 8, 192, Metre::Tarantella, 0, true, 0.25, Ending::Button, {mandolin, accordion}, guitar, accordionChords, bass, {{.section = &intro, .lead = 1, .guitar = Guitar::Rolled, .level = 84}, {.section = &first, .lead = 0, .level = 86}, {.section = &first, .lead = 1, .second = Second::Duet, .guitar = Guitar::Rolled, .bass = Bass::Walking, .pad = Pad::Offbeat, .level = 80, .ornaments = true, .fill = true}, {.section = &second, .lead = 0, .second = Second::Duet, .guitar = Guitar::Strum, .level = 84, .tambourine = true}, {.section = &middle, .lead = 1, .second = Second::Counter, .guitar = Guitar::Rolled, .pad = Pad::Held, .level = 78}, {.section = &intro, .lead = 0, .bass = Bass::Pedal, .level = 76}, {.section = &second, .lead = 1, .guitar = Guitar::Strum, .bass = Bass::Walking, .pad = Pad::Offbeat, .level = 84, .ornaments = true, .tambourine = true}, {.section = &middle, .lead = 0, .second = Second::Counter, .pad = Pad::Offbeat, .level = 80, .ornaments = true}, {.section = &second, .lead = 1, .second = Second::Duet, .bass = Bass::Walking, .level = 82, .ornaments = true, .tambourine = true}, {.section = &first, .lead = 0, .second = Second::Duet, .bass = Bass::Walking, .level = 84}, {.section = &coda, .lead = 0, .second = Second::Duet, .guitar = Guitar::Strum, .pad = Pad::Offbeat, .level = 82}}, 55};
}

} // namespace songgen::book
