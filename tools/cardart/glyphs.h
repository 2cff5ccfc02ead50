// Letters and figures drawn as stroked centre lines, so the corner indices and
// the names read the same on every machine whatever fonts it has.
#pragma once

#include "svg.h"

#include <string>

namespace cardart {

// Glyph boxes are 10 units tall (capitals and figures fill them, the small
// letters start at 4). `size` is the height of that box in picture units and
// `slant` leans the letters to the right by that fraction of their height.
struct Lettering {
    double size = 10;
    double slant = 0;
    double spacing = 0.9;  // between letters, in glyph units
    double condense = 1;   // narrows letters and spacing alike
};

// The centre lines of `text` with its top-left corner at `at`.
Path letters(const std::string &text, Pt at, const Lettering &style);
// The width `text` takes, in picture units.
double lettersWidth(const std::string &text, const Lettering &style);

} // namespace cardart
