// Lettering written with a broad pen, given as filled outlines rather than as
// strokes: the outline is what a renderer would work out on every draw, and
// filling it is many times cheaper than stroking the pen's many passes.
#pragma once

#include "glyphs.h"
#include "svg.h"

namespace cardart {

// The area a flat nib covers travelling along `lines`: the nib runs from
// -nib to +nib about the centre line and its edge is rounded off by `radius`
// (half the width of the line that draws it). One closed outline per stroke,
// all turning the same way, so the nonzero fill of the whole is their union.
Path broadPen(const std::vector<Stroke>& lines, Pt nib, double radius);

} // namespace cardart
