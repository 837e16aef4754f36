#pragma once
// The shading of black pixels, shared by the sketch lines and the dots: every pixel whose
// channel 0 is 0 takes half the brightness under it, rounded to even, in grey or in the
// colours of the source; every other pixel stays as it is.

#include <cstdint>

namespace lumetra {

// One row of three-channel pixels; grayRow holds one byte per pixel, sourceRow three.
void ShadeBlackPixelsRow(const uint8_t* grayRow, const uint8_t* sourceRow, uint8_t* row, int width, bool color);

}  // namespace lumetra
