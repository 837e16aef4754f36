#pragma once
// When the rows of a step are worth spreading over threads: below this size starting
// and joining the threads costs more than the work itself.

#include <cstdint>

namespace lumetra {

inline constexpr int64_t kMinPixelsForThreads = 1 << 16;

inline bool UseRowThreads(int width, int height)
{
    return static_cast<int64_t>(width) * height >= kMinPixelsForThreads;
}

}  // namespace lumetra
