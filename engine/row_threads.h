#pragma once
// When the rows of a step are worth spreading over threads: below this size starting
// and joining the threads costs more than the work itself.

#include <cstdint>
#include <stop_token>

#include "run_cancel.h"

namespace lumetra {

inline constexpr int64_t kMinPixelsForThreads = 1 << 16;

inline bool UseRowThreads(int width, int height)
{
    return static_cast<int64_t>(width) * height >= kMinPixelsForThreads;
}

// rowFn(y) for the rows 0..height-1 of a width x height picture, each thread taking one
// band of rows in order when the picture is large. Once a stop is requested the rows not
// yet begun are skipped and RunCancelled is thrown after the loop (an exception may not
// leave a parallel region). Until then every row runs exactly as in a plain loop.
template <class RowFn>
void ForEachRow(int width, int height, const std::stop_token& stop, RowFn&& rowFn)
{
#pragma omp parallel for schedule(static) if (UseRowThreads(width, height))
    for (int y = 0; y < height; ++y)
        if (!stop.stop_requested()) rowFn(y);
    ThrowIfStopped(stop);
}

}  // namespace lumetra
