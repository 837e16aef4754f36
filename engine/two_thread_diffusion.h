#pragma once
// The dot diffusion on two threads, with the same bytes as on one.

#include <chrono>
#include <stop_token>

#include "diffusion_rows.h"
#include "plane.h"

namespace lumetra::diffusion {

// Diffuses every row of colour into dots, each row cut at the middle between two threads.
// False, with nothing done, when the OpenMP runtime gives this region only one thread.
// patience: how long one thread waits for the other before it does the rest alone.
bool DiffuseOnTwoThreads(const DiffusionTables& tables, const ColorPlane& color, ColorPlane& dots, ErrorRing& ring,
                         std::chrono::microseconds patience, const std::stop_token& stop);

}  // namespace lumetra::diffusion
