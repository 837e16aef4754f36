#pragma once
// The dot layer: the grey of the colour base turned into black dots on white by error
// diffusion, thresholded at the picture's own mean grey.

#include <chrono>
#include <cstdint>
#include <stop_token>

#include "plane.h"

namespace lumetra {

// Sum of the greys of all pixels. Held in 64 bits: the greys of a bright picture of more
// than about 8.4 million pixels add up to more than a 32-bit integer holds.
int64_t GraySum(const ColorPlane& color);

// Mean grey of the picture (integer division); 0 for an empty plane.
int MeanGray(const ColorPlane& color);

// Error diffusion over the rows from the bottom up, each left to right, with the weights
// 8 4 / 2 4 8 4 2 / 1 2 4 2 1 over 42. The diffused error is scaled by 10 / sensitivity;
// a sensitivity of 0 leaves the error out, so the dots become a plain threshold at the mean.
// Writes 0 or 255 into every pixel of dots, which must have the size of colour.
// Large pictures are diffused on two threads when there are two, with the same bytes.
// Throws RunCancelled when stopped.
void DiffuseDots(const ColorPlane& color, int meanGray, int sensitivity, ColorPlane& dots,
                 const std::stop_token& stop = {});

// DiffuseDots with the time one thread waits for the other before it takes over the rest
// of a row itself; tests shorten it to make the threads take rows from each other.
void DiffuseDotsWithPatience(const ColorPlane& color, int meanGray, int sensitivity, ColorPlane& dots,
                             std::chrono::microseconds patience, const std::stop_token& stop = {});

// Gives every black dot half the brightness of the picture under it: half the grey, or
// with colour half of each source channel. Throws RunCancelled when stopped.
void ShadeDots(const GrayPlane& gray, const ColorPlane& source, bool color, ColorPlane& dots,
               const std::stop_token& stop = {});

}  // namespace lumetra
