// The copy step keeps channels 0..2 of every source pixel, on one thread and on several.

#include <gtest/gtest.h>

#include <random>

#include "engine/engine.h"
#include "engine_test_support.h"

namespace lumetra {
namespace {

TEST(CopyStep, KeepsTheThreeColorChannelsOfEveryPixel)
{
    std::mt19937 rng(7);
    for (const auto& [w, h] : test::FastPathSizes({{1, 1}, {7, 3}})) {
        Engine e;
        e.SrcPixels.Allocate(w, h);
        for (std::size_t i = 0; i < e.SrcPixels.SizeBytes(); ++i) e.SrcPixels.Data()[i] = static_cast<uint8_t>(rng());
        e.AllocateLayers();
        e.CopyStep();
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c) wrong += e.OrigPixels(c, x, y) != e.SrcPixels(c, x, y);
        EXPECT_EQ(wrong, 0) << w << " x " << h;
    }
}

}  // namespace
}  // namespace lumetra
