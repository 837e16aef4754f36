#include "shade_rows.h"

#include "color_math.h"
#include "vector_clones.h"

namespace lumetra {

namespace {

// Written without branches so that the pixels go in vector lanes.
template <bool Color>
LUMETRA_VECTOR_CLONES void ShadeRow(const uint8_t* __restrict grayRow, const uint8_t* __restrict sourceRow,
                                    uint8_t* __restrict row, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        const unsigned keep = 0u - (row[3 * x] != 0);  // all ones where the pixel is not black
        const unsigned g = HalfRoundEven(grayRow[x]);
        const unsigned blue = Color ? HalfRoundEven(sourceRow[3 * x]) : g;
        const unsigned green = Color ? HalfRoundEven(sourceRow[3 * x + 1]) : g;
        const unsigned red = Color ? HalfRoundEven(sourceRow[3 * x + 2]) : g;
        row[3 * x] = static_cast<uint8_t>((row[3 * x] & keep) | (blue & ~keep));
        row[3 * x + 1] = static_cast<uint8_t>((row[3 * x + 1] & keep) | (green & ~keep));
        row[3 * x + 2] = static_cast<uint8_t>((row[3 * x + 2] & keep) | (red & ~keep));
    }
}

}  // namespace

void ShadeBlackPixelsRow(const uint8_t* grayRow, const uint8_t* sourceRow, uint8_t* row, int width, bool color)
{
    if (color)
        ShadeRow<true>(grayRow, sourceRow, row, width);
    else
        ShadeRow<false>(grayRow, sourceRow, row, width);
}

}  // namespace lumetra
