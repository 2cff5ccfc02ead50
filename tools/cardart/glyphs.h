// Letters and figures drawn as stroked centre lines, so the corner indices and
// the names read the same on every machine whatever fonts it has.
#pragma once

#include "svg.h"

#include <string>
#include <vector>

namespace cardart {

// Glyph boxes are 10 units tall (capitals and figures fill them, the small
// letters start at 4). `size` is the height of that box in picture units and
// `slant` leans the letters to the right by that fraction of their height.
struct Lettering {
    double size = 10;
    double slant = 0;
    double spacing = 0.9; // between letters, in glyph units
    // narrows letters and spacing alike
    double condense = 1;
};

// One pen movement of a centre line: where it starts and the pieces it runs
// through, each a cubic or, when `straight`, a line to `to`.
struct Stroke {
    struct Piece {
        Pt c1, c2, to;
        bool straight;
    };
    Pt start;
    std::vector<Piece> pieces;
};

// The centre lines of `text` with its top-left corner at `at`.
std::vector<Stroke> strokes(const std::string& text, Pt at, const Lettering& style);
// The same centre lines as path data.
Path letters(const std::string& text, Pt at, const Lettering& style);
// The width `text` takes, in picture units.
double lettersWidth(const std::string& text, const Lettering& style);

} // namespace cardart
