// Grey and level planes for every channel sum a pixel can have, on one thread and on
// several.

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/gray_planes.h"

namespace lumetra {
namespace {

TEST(GrayPlanes, EveryChannelSumGivesItsThirdAndItsLevel)
{
    // Row after row of pixels whose channel sums run through 0..765, in a picture large
    // enough to be split over threads.
    constexpr int kWidth = 766, kHeight = 120;
    ColorPlane color(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const int sum = (x + 7 * y) % 766;
            const int first = std::min(sum, 255), second = std::min(sum - first, 255);
            // Spread the sum differently over the channels from row to row.
            const int c = y % 3;
            color(c, x, y) = static_cast<uint8_t>(first);
            color((c + 1) % 3, x, y) = static_cast<uint8_t>(second);
            color((c + 2) % 3, x, y) = static_cast<uint8_t>(sum - first - second);
        }
    for (int step : {64, 32}) {
        GrayPlane gray(kWidth, kHeight), levels(kWidth, kHeight);
        WriteGrayAndLevels(color, gray, levels, step);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int g = (x + 7 * y) % 766 / 3;
                wrong += gray(x, y) != g;
                wrong += levels(x, y) != g / step * step;
            }
        EXPECT_EQ(wrong, 0) << "step " << step;
    }
}

}  // namespace
}  // namespace lumetra
