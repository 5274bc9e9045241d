#pragma once
// uMakeThumb: the reductions every sim and neighborhood picture is drawn through. Thumbnails must
// look the same as the ones players already know, pixel for pixel, so the arithmetic is fixed:
// scale factors are 32-bit floats taken from an extended-precision division, each target pixel
// is the truncated box average of its block of source pixels, and the result is sharpened once.
//
// Source and target may be the same object. The target's previous content is discarded.

#include "core/pictures/Bitmap.h"

namespace kinloom {

// Target becomes a size × size reduction of source, or an exact copy of source (its own size,
// not sharpened) when source is no larger than size in both directions. Where the source is
// smaller than size in one direction only, some target rows or columns have no source pixels;
// they are black. A size of 0 or less, or an empty source, gives an empty target.
void MakeThumb(const Bitmap& source, Bitmap& target, int size);

// Target becomes a reduction of source fitted into width × height, or an exact copy when source
// fits. The box keeps its own proportions when it has to shrink (an 800 × 200 picture fitted
// into 400 × 300 becomes 266 × 200), so a picture may come out squeezed. A box that shrinks to
// nothing, or an empty source, gives an empty target.
void MakeThumbFit(const Bitmap& source, Bitmap& target, int width, int height);

}  // namespace kinloom
