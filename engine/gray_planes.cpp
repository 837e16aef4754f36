#include "gray_planes.h"

#include <cassert>

#include "color_math.h"
#include "row_threads.h"
#include "vector_clones.h"

namespace lumetra {

namespace {

// The grey table's value i \ 3 for a channel sum i = 0..765, by a multiplication the
// vector units can do: i x 43691 / 2^17 exceeds i / 3 by i / 393216, under 1/3 for every
// such i, so no quotient reaches the next integer.
inline int GrayOfSum(int sum) { return (sum * 43691) >> 17; }

LUMETRA_VECTOR_CLONES void GrayAndLevelsRow(const uint8_t* __restrict src, uint8_t* __restrict grayRow,
                                            uint8_t* __restrict levelRow, int width, int levelMask)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        const int g = GrayOfSum(src[3 * x] + src[3 * x + 1] + src[3 * x + 2]);
        grayRow[x] = static_cast<uint8_t>(g);
        levelRow[x] = static_cast<uint8_t>(g & levelMask);
    }
}

}  // namespace

void WriteGrayAndLevels(const ColorPlane& color, GrayPlane& gray, GrayPlane& levels, int levelStep,
                        const std::stop_token& stop)
{
    assert(levelStep > 0 && (levelStep & (levelStep - 1)) == 0);
    // For a grey g >= 0, (g \ step) x step with step a power of two clears the low bits.
    const int levelMask = ~(levelStep - 1);
    const int width = color.Width();
    ForEachRow(width, color.Height(), stop,
               [&](int y) { GrayAndLevelsRow(color.Row(y), gray.Row(y), levels.Row(y), width, levelMask); });
}

}  // namespace lumetra
