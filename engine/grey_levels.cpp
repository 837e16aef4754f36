// Grey levels: the grey of every source pixel and its four-level quantisation.

#include "colour_math.h"
#include "engine.h"
#include "row_threads.h"

namespace lumetra {

void Engine::BuildGreyLevels()
{
    const int w = OrigPixels.Width();
    const int h = OrigPixels.Height();
#pragma omp parallel for schedule(static) if (UseRowThreads(w, h))
    for (int y = 0; y < h; ++y) {
        const uint8_t* bgr = OrigPixels.Row(y);
        uint8_t* grey = GrayPixels.Row(y);
        uint8_t* grey4 = Gray4Pixels.Row(y);
        for (int x = 0; x < w; ++x) {
            const int g = kGrayTable[bgr[3 * x] + bgr[3 * x + 1] + bgr[3 * x + 2]];
            grey[x] = static_cast<uint8_t>(g);
            grey4[x] = static_cast<uint8_t>(g / 64 * 64);
        }
    }
}

}  // namespace lumetra
