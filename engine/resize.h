#pragma once
// Bringing a picture to a new size: the aspect fit of the batch converter and the
// command line, and the shared resize routine built on the resampler.

#include "plane.h"

namespace lumetra {

struct PictureSize {
    int width;
    int height;
    bool operator==(const PictureSize&) const = default;
};

// The requested box fitted to the picture's shape when keepAspect is set: the side that
// is relatively too long shrinks (double arithmetic, halves to even; a side that rounds to
// 0 becomes 1). Without keepAspect, the request as it is. Zero or negative sizes never
// divide by zero: the result is at least 1 x 1.
PictureSize FitInside(PictureSize picture, PictureSize requested, bool keepAspect);

// The picture resampled to target.width x target.height: the grab is the picture plus one
// extra column (repeating the last column) and one extra row above the top (repeating
// the top row); it is resampled to last indexes (W, H), and columns 0..W-1, rows 1..H are
// kept. Returns a copy of the source when it already has that size.
PixelPlane ResizePlane(const PixelPlane& source, PictureSize target);

}  // namespace lumetra
