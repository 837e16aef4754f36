#pragma once
// The resampler: a separable stretch or shrink, first down every column, then along
// every row, with 32-bit float positions, steps and weights.

#include "plane.h"

namespace lumetra {

// Resamples grab into target, re-created with last column newMaxX and last row newMaxY
// (so (newMaxX + 1) x (newMaxY + 1) pixels). Channel 3 of target is 0. A grab with one
// column or one row repeats it across the target. Nothing is written outside target,
// however far the float positions drift. newMaxX and newMaxY must be >= 0.
void ResampleTo(const PixelPlane& grab, PixelPlane& target, int newMaxX, int newMaxY);

}  // namespace lumetra
