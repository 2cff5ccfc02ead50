// The five songs of the music menu: original tunes in the manner of the
// Neapolitan popular song. Melodies are written as note names with lengths
// (w h q e s t, "." dotted), chords one bar between bar lines; see arranger.h.
#include "arranger.h"

#include <string>

namespace songgen {
namespace {

const Voice mandolin{"Mandolin", 25, true, 100, 58, 50, 0};
const Voice violin{"Violin", 40, false, 96, 70, 60, 0};
const Voice clarinet{"Clarinet", 71, false, 88, 60, 55, 0};
const Voice accordion{"Accordion", 21, false, 116, 74, 50, 10};
const Voice accordionChords{"Accordion chords", 21, false, 84, 80, 55, 10};
const Voice strings{"Strings", 48, false, 100, 80, 60, 20};
const Voice guitar{"Guitar", 24, false, 88, 44, 45, 0};
const Voice bass{"Bass", 32, false, 100, 64, 30, 0};

// ---------------------------------------------------------------------------
// 1. A slow song in D minor whose refrain opens into D major.

const Section s1Intro{"intro", "Dm",
    "D5q. E5e F5q A5q | Bb5q. A5e G5q D5q | G5q Eb5q E5q C#5q | D5h A4h",
    "Dm | Gm | Eb/G - A7 - | Dm - A7 -"};

const Section s1Verse{"verse", "Dm",
    "Rq A4e D5e F5q. E5e | D5q. C5e Bb4q A4q | Rq G4e Bb4e D5q. C5e | F4q G4e F4e E4h |"
    "Rq A4e D5e F5q. G5e | A5q. G5e F5q D5q | G5q Eb5q C#5q. E5e | D5h. Rq",
    "Dm | Gm - A7 - | Gm | A7 | Dm | Bb | Eb/G - A7 - | Dm"};

// The refrain's first seven bars; the eighth leads back to it or closes.
const std::string s1RefrainHead =
    "F#5h. E5e F#5e | G5q F#5q D5q B4q | E5h. D5e E5e | G5q. F#5e E5h |"
    "A4q D5q F#5q A5q | B5q. A5e F#5q C5q | B4q. D5e Bb4q. D5e |";
const std::string s1RefrainHeadChords = "D | Bm | Em | A7 | D | D7 | G - Gm - |";

const Section s1Refrain{"refrain", "D", s1RefrainHead + "A4h E5q C#5q", s1RefrainHeadChords + "D - A7 -"};

const Section s1RefrainEnd{"refrain, close", "D", s1RefrainHead + "E5q. C#5e D5h", s1RefrainHeadChords + "A7 - D -"};

const Section s1Coda{"coda", "D",
    "B4h Bb4h | A4h. Rq",
    "G - Gm - | D"};

// ---------------------------------------------------------------------------
// 2. A waltz in G major with a verse in E minor.

const Section s2Intro{"intro", "G",
    "G5q A5q B5q | C6h. | A5q G5q F#5q | G5h. | E5q F#5q G5q | A5h. | C6q A5q F#5q | D#5h.",
    "G | C | D7 | G | Em | Am | Am - B7 | B7"};

const Section s2Verse{"verse", "Em",
    "B4q E5q G5q | F#5h. | A4q C5q E5q | D#5h. | E5q G5q B5q | C6h B5q | A5q G5q F5q | D#5h B4q |"
    "E5q. F#5e G5q | F#5h. | A4q C5q E5q | F#5q. E5e D5q | G5h D5q | E5h C5q | B4q D#5q F#5q | E5h.",
    "Em | B7 | Am | B7 | Em | C | F/A | B7 | Em | B7 | Am | D7 | G | C | B7 | Em"};

const Section s2Refrain{"refrain", "G",
    "D5h. | E5q. D5e E5q | C6h. | B5q A5q E5q | F#5h. | F#5q. E5e F#5q | B5h. | A5q G5q D5q |"
    "D5h. | E5q. D5e E5q | C6h. | C6q G5q Eb5q | D5h B5q | A5q. G5e F#5q | A5h F#5q | G5h.",
    "G | E7 | Am | Am | D7 | D7 | G | G | G | E7 | Am | Cm | G/D | D7 | D7 | G"};

const Section s2Coda{"coda", "G",
    "E5q G5q C6q | C6q G5q Eb5q | D5q A5q F#5q | G5h Rq",
    "C | Cm | D7 | G"};

// ---------------------------------------------------------------------------
// 3. A serenade in two-four, G minor turning to B flat major.

const Section s3Intro{"intro", "Gm",
    "G5h | C6q Ab5q | F#5q A5q | Bb5q A5q",
    "Gm | Ab/C | D7 | Gm D7"};

const Section s3Verse{"verse", "Gm",
    "D5q. G5e | Bb5q A5e G5e | G5q. Eb5e | D5h | D5q. G5e | Bb5q C6e Bb5e | C6q Ab5q | F#5h |"
    "Bb5q. A5e | G5q Eb5q | F5q. Eb5e | D5h | Eb5q G5q | C6q. Bb5e | A5q F#5q | G5h",
    "Gm | Gm | Cm | D7 | Gm | Gm | Ab/C | D7 | Gm | Cm | F7 | Bb | Eb | Cm | D7 | Gm"};

const Section s3Refrain{"refrain", "Bb",
    "F5q. G5e | F5q D5q | G5q. A5e | G5q Eb5q | Bb5q. C6e | A5q F5q | D6q. C6e | Bb5h |"
    "Ab5q. F5e | G5q Eb5q | Gb5q. Eb5e | F5h | G5q. A5e | Bb5q E5q | A5q Eb5q | D5h",
    "Bb | Bb | Eb | Eb | Cm7 | F7 | Bb | Bb | Bb7 | Eb | Ebm | Bb/F | Gm | C7 | F7 | Bb"};

const Section s3Coda{"coda", "Bb",
    "G5q Eb5q | Gb5q Eb5q | F5q A4q | Bb4q. Re",
    "Eb | Ebm | F7 | Bb"};

// ---------------------------------------------------------------------------
// 4. A broad waltz-song: F minor verse, F major refrain.

const Section s4Intro{"intro", "Fm",
    "C6h. | Bb5h Gb5q | E5q G5q Bb5q | F5h E5q",
    "Fm | Gb/Bb | C7 | Fm - C7"};

const Section s4Verse{"verse", "Fm",
    "C5q F5q Ab5q | G5h F5q | Db5q F5q Bb5q | Ab5h G5q | F5q Ab5q C6q | Db6h C6q | Bb5h Gb5q | E5h. |"
    "C5q F5q Ab5q | G5h F5q | Db5q F5q Bb5q | Db6h Bb5q | C6h. | Bb5q Ab5q F5q | G5q. F5e E5q | F5h.",
    "Fm | Fm | Bbm | C7 | Fm | Db | Gb/Bb | C7 | Fm | Fm | Bbm | Eb7 | Ab | Db | C7 | Fm"};

const Section s4Refrain{"refrain", "F",
    "A5h. | G5q A5q C6q | D6h Bb5q | A5h. | F5q A5q D6q | C6q Bb5q G5q | E5q G5q Bb5q | A5h. |"
    "A5q C6q Eb6q | D6h. | Db6h Bb5q | C6h A5q | D6q. C6e A5q | B5h G5q | Bb5q. A5e G5q | F5h.",
    "F | F | Bb | F | Dm | Gm | C7 | F | F7 | Bb | Bbm | F/C | Dm | G7 | C7 | F"};

const Section s4Coda{"coda", "F",
    "F5q Bb5q D6q | Db6h. | C6q Bb5q G5q | F5h Rq",
    "Bb | Bbm | C7 | F"};

// ---------------------------------------------------------------------------
// 5. A tarantella in A minor, its second strain in A major.

const Section s5Intro{"intro", "Am",
    "Rh. | Rh. | E6e D6e C6e B5e C6e A5e | G#5e A5e B5e E5q. |"
    "F5e A5e D6e F5e A5e D6e | E5e A5e C6e E5e A5e C6e | B5e G#5e E5e D6e B5e G#5e | E5q. Rq.",
    "Am | E7 | Am | E7 | Dm | Am | E7 | E7"};

const Section s5First{"first strain", "Am",
    "E5e A5e B5e C6e B5e A5e | G#5e A5e B5e E5q. | E5e G#5e B5e D6e C6e B5e | C6q. A5q. |"
    "D5e F5e A5e D6e C6e A5e | C6e B5e A5e E5q. | B4e C5e D5e E5e D5e B4e | C5q. A4q. |"
    "E5e A5e B5e C6e B5e A5e | G#5e A5e B5e E5q. | E5e G#5e B5e D6e C6e B5e | C6q. A5q. |"
    "F5e E5e D5e F5e A5e D6e | D6e Bb5e F5e D6e Bb5e F5e | G#5e B5e D6e E6q. | A5q. Rq.",
    "Am | E7 | E7 | Am | Dm | Am | E7 | Am | Am | E7 | E7 | Am | Dm | Bb/D | E7 | Am"};

const Section s5Second{"second strain", "A",
    "E5e E5e E5e A5q E5e | D5e D5e D5e G#5q D5e | B4e D5e G#5e B5e A5e G#5e | A5q. E5q. |"
    "F#5e F#5e F#5e A5q F#5e | E5e E5e E5e A5q E5e | D5e C#5e B4e E5e G#5e B5e | A5q. Rq. |"
    "G5e G5e G5e C#6q G5e | F#5e F#5e F#5e A5q D6e | F5e F5e F5e A5q D6e | C#6q. A5q. |"
    "C#6e B5e A5e F#5e A5e C#6e | D6e C#6e B5e F#5q. | E5e G#5e B5e D6e C#6e B5e | A5q. Rq.",
    "A | E7 | E7 | A | D | A | E7 | A | A7 | D | Dm | A | F#m | Bm | E7 | A"};

const Section s5Coda{"coda", "A",
    "F#5e A5e D6e F#5e A5e D6e | F5e A5e D6e F5e A5e D6e | E5e G#5e B5e D6e B5e G#5e | A5q. Rq.",
    "D | Dm | E7 | A"};

} // namespace

std::vector<SongDef> songBook()
{
    std::vector<SongDef> book;

    book.push_back({"O' surdat nnammurat", 4, 4, 76, Metre::Slow4, -1, true,
                    {mandolin, violin}, guitar, strings, bass, false,
                    {{&s1Intro, 0, -1, false, 80},
                     {&s1Verse, 0, -1, false, 84},
                     {&s1Verse, 1, -1, true, 80},
                     {&s1Refrain, 1, 0, true, 86},
                     {&s1Refrain, 0, -1, true, 82},
                     {&s1RefrainEnd, 1, 0, true, 90},
                     {&s1Coda, 1, 0, true, 78}},
                    11});

    book.push_back({"Ie te vurria vasa'", 3, 4, 132, Metre::Waltz, 1, false,
                    {mandolin, accordion}, guitar, strings, bass, false,
                    {{&s2Intro, 0, -1, false, 78},
                     {&s2Verse, 0, -1, false, 82},
                     {&s2Refrain, 1, 0, true, 84},
                     {&s2Intro, 1, -1, false, 76},
                     {&s2Verse, 1, -1, true, 80},
                     {&s2Refrain, 0, 1, true, 88},
                     {&s2Coda, 0, 1, true, 80}},
                    22});

    book.push_back({"E duje paravise", 2, 4, 80, Metre::Serenade2, -2, true,
                    {clarinet, mandolin}, guitar, strings, bass, false,
                    {{&s3Intro, 1, -1, false, 78},
                     {&s3Verse, 0, -1, false, 82},
                     {&s3Refrain, 0, 1, true, 84},
                     {&s3Verse, 1, -1, true, 80},
                     {&s3Refrain, 0, 1, true, 88},
                     {&s3Coda, 0, 1, true, 78}},
                    33});

    book.push_back({"Anema e core", 3, 4, 100, Metre::Waltz, -4, true,
                    {violin, mandolin}, guitar, accordionChords, bass, false,
                    {{&s4Intro, 0, -1, true, 80},
                     {&s4Verse, 0, -1, true, 82},
                     {&s4Refrain, 0, 1, true, 88},
                     {&s4Verse, 1, -1, true, 80},
                     {&s4Refrain, 0, 1, true, 90},
                     {&s4Coda, 0, 1, true, 80}},
                    44});

    book.push_back({"Guapparia", 6, 8, 216, Metre::Tarantella, 0, true,
                    {mandolin, accordion}, guitar, accordionChords, bass, true,
                    {{&s5Intro, 0, -1, false, 80},
                     {&s5First, 0, -1, false, 84},
                     {&s5First, 1, 0, false, 82},
                     {&s5Second, 0, 1, false, 86},
                     {&s5Second, 1, -1, true, 84},
                     {&s5Intro, 1, -1, false, 80},
                     {&s5First, 0, 1, false, 86},
                     {&s5Second, 0, 1, true, 90},
                     {&s5Coda, 0, 1, true, 88}},
                    55});

    return book;
}

} // namespace songgen
