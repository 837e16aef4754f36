#include "grey_planes.h"

#include "colour_math.h"
#include "row_threads.h"

namespace lumetra {

void WriteGreyAndLevels(const ColorPlane& colour, GrayPlane& grey, GrayPlane& levels, int levelStep)
{
    const int width = colour.Width();
#pragma omp parallel for schedule(static) if (UseRowThreads(colour.Width(), colour.Height()))
    for (int y = 0; y < colour.Height(); ++y) {
        const uint8_t* src = colour.Row(y);
        uint8_t* greyRow = grey.Row(y);
        uint8_t* levelRow = levels.Row(y);
        for (int x = 0; x < width; ++x) {
            const int g = kGrayTable[src[3 * x] + src[3 * x + 1] + src[3 * x + 2]];
            greyRow[x] = static_cast<uint8_t>(g);
            levelRow[x] = static_cast<uint8_t>(g / levelStep * levelStep);
        }
    }
}

}  // namespace lumetra
