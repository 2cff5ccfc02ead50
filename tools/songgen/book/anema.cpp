// "Anema e core": a broad waltz-song, F minor verse and F major refrain, the
// guitar breaking its chords under the accordion's off-beats; a middle section
// in D flat.
#include "book.h"

namespace songgen::book {
namespace {

const Section intro{"intro", "Fm",
                    "Ab5h F5q | F5q Db5q Bb4q | D5q F5q B4q | Bb4h G4q",
                    "Db | Bbm6 | G7 | C7"};

const Section verse{"verse", "Fm",
                    "C5q F5q Ab5q | G5h F5q | Db5q F5q Bb5q | Ab5h G5q | F5q Ab5q C6q | Db6h C6q | Bb5h G5q | E5h. |"
                    "C5q F5q Ab5q | G5h F5q | Db5q F5q Bb5q | Db6h Bb5q | C6h. | Bb5q Ab5q F5q | G5q. F5e E5q | F5h.",
                    "Fm | Fm | Bbm - Bbm6 | C7 | Fm | Db | Bbm6 - G7/B | C7 | Fm | Fm | Bbm | Eb7 | Ab | Db | C7 | Fm"};

const Section refrain{"refrain", "F",
                      "A5h. | G5q A5q C6q | D6h Bb5q | A5h. | F5q A5q D6q | C6q Bb5q G5q | E5q G5q Bb5q | A5h. |"
                      "A5q C6q Eb6q | D6h. | Db6h Bb5q | C6h A5q | D6q. C6e A5q | B5h G5q | Bb5q. A5e G5q | F5h.",
                      "F | F | Bb | F | Dm | Gm | C7 | F | F7 | Bb | Bbm | F/C | Dm | G7 | C7 | F"};

const Section middle{"middle", "Db",
                     "F5h. | Ab5q Gb5q F5q | Eb5h Db5q | F5h. | F5q Gb5q Bb5q | Bb5h G5q | Ab5h. | Gb5h Eb5q |"
                     "F5h. | B5q Ab5q F5q | Bb5h Db6q | A5h Gb5q | Ab5q F5q Db5q | Db5h Bb4q | B4q D5q F5q | E5h G5q",
                     "Db | Db | Gb | Db | Bbm | Eb7 | Ab | Ab7 | Db | Db7 | Gb | Gbm | Db/Ab | Bbm | G7 | C7",
                     "Db5q F4q Ab4q | Db5h. | Db5q Bb4q Gb4q | Ab4h. | Db5h. | Db5q Eb5q Bb4q | C5q Eb5q Ab4q | C5h. |"
                     "Db5h Ab4q | Ab4h. | Db5h. | Db5h. | F4q Ab4q Db5q | F4h. | D4q F4q G4q | Bb4h."};

const Section coda{"coda", "F",
                   "D6h Bb5q | Bb5q A5q G5q | E5h G5q | C6h A5q | Bb5h E5q | F5h.",
                   "Bb | Gm7 | C7 | Am - Dm | Gm - C7 | F"};

} // namespace

SongDef anema()
{
    using namespace voices;
    return {"Anema e core", 3, 4, 100, Metre::Waltz, -4, true, 0.8, Ending::Fermata, {violin, mandolin}, guitar, accordionChords, bass, {{.section = &intro, .lead = 0, .guitar = Guitar::Rolled, .pad = Pad::Held, .level = 88}, {.section = &verse, .lead = 0, .pad = Pad::Offbeat, .level = 84}, {.section = &refrain, .lead = 0, .second = Second::Duet, .pad = Pad::Held, .level = 90, .fill = true}, {.section = &middle, .lead = 1, .second = Second::Counter, .guitar = Guitar::Rolled, .level = 88}, {.section = &verse, .lead = 1, .guitar = Guitar::Strum, .bass = Bass::Walking, .pad = Pad::Offbeat, .level = 88, .ornaments = true}, {.section = &refrain, .lead = 0, .second = Second::Duet, .bass = Bass::Walking, .pad = Pad::Held, .level = 92, .ornaments = true}, {.section = &coda, .lead = 0, .second = Second::Duet, .guitar = Guitar::Rolled, .pad = Pad::Held, .level = 82}}, 44};
}

} // namespace songgen::book
