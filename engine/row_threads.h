#pragma once
// When the rows of a step are worth spreading over threads: below this size starting
// and joining the threads costs more than the work itself.

#include <omp.h>

#include <cstdint>
#include <stop_token>
#include <vector>

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

// One T(args...) for each thread a parallel region may have, made before the region,
// for the thread numbered t to use the t-th: memory that cannot be had is thrown here,
// where the caller catches it; thrown inside the region it would end the program.
template <class T, class... Args>
std::vector<T> ScratchPerThread(const Args&... args)
{
    const int threads = omp_get_max_threads();
    std::vector<T> scratch;
    scratch.reserve(static_cast<std::size_t>(threads));
    for (int t = 0; t < threads; ++t) scratch.emplace_back(args...);
    return scratch;
}

}  // namespace lumetra
