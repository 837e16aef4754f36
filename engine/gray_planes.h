#pragma once
// The grey of every pixel of a colour plane, with the grey lowered to a multiple of a
// level step (64 gives four levels, 32 eight).

#include <stop_token>

#include "plane.h"

namespace lumetra {

// grey and levels must have the size of colour; levelStep is a power of two (1..256).
// Throws RunCancelled when stopped.
void WriteGrayAndLevels(const ColorPlane& color, GrayPlane& gray, GrayPlane& levels, int levelStep,
                        const std::stop_token& stop = {});

}  // namespace lumetra
