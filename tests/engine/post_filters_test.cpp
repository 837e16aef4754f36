#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include <gtest/gtest.h>
#include <omp.h>

#include "engine_test_support.h"
#include "engine/engine.h"

namespace lumetra {
namespace {

using test::NoisePlane;
using test::Uniform;

// Straight from the description: every neighbourhood read from an untouched copy.
PixelPlane ReferenceFilter(const PixelPlane& in, bool sharpen)
{
    PixelPlane out = in;
    const float k2 = -1.0f / 3.0f;
    for (int x = 0; x < in.MaxX(); ++x)
        for (int y = 0; y < in.MaxY(); ++y)
            for (int c = 0; c < 3; ++c) {
                const int n = in(c, x, y + 1) + in(c, x + 1, y) + in(c, x + 1, y + 1);
                const int v = sharpen ? 2 * in(c, x, y) + static_cast<int>(std::nearbyint(n * static_cast<double>(k2)))
                                      : static_cast<int>(std::nearbyint((in(c, x, y) + n) / 4.0));
                out(c, x, y) = static_cast<uint8_t>(std::clamp(v, 0, 255));
            }
    return out;
}

Engine WithPicture(PixelPlane picture)
{
    Engine e;
    e.SrcPixels = std::move(picture);
    return e;
}

// A 2 x 2 picture whose channel c holds the values at (0, 0), (1, 0), (0, 1) and (1, 1).
Engine Square(int c, const std::array<int, 4>& values)
{
    Engine e = WithPicture(PixelPlane(2, 2));
    for (int i = 0; i < 4; ++i) e.SrcPixels(c, i % 2, i / 2) = static_cast<uint8_t>(values[i]);
    return e;
}

TEST(PostFilters, BlurRoundsHalvesToEven)
{
    // Four values of channel 0 summing to 2, 6 and 10 give 0, 2 and 2.
    for (auto [values, expected] :
         {std::pair{std::array{1, 1, 0, 0}, 0}, {std::array{3, 1, 1, 1}, 2}, {std::array{4, 2, 2, 2}, 2}}) {
        Engine e = Square(0, values);
        e.BlurPixels();
        EXPECT_EQ(e.SrcPixels(0, 0, 0), expected);
        for (int i = 1; i < 4; ++i) EXPECT_EQ(e.SrcPixels(0, i % 2, i / 2), values[i]) << i;
    }
}

TEST(PostFilters, SharpenDoublesThePixelLessAThirdOfItsNeighboursClamped)
{
    const auto sharpen = [](int centre, int up, int right, int diagonal) {
        Engine e = Square(1, {centre, right, up, diagonal});
        e.SharpenPixels(1.0f);
        return static_cast<int>(e.SrcPixels(1, 0, 0));
    };
    EXPECT_EQ(sharpen(255, 0, 0, 0), 255);
    EXPECT_EQ(sharpen(0, 255, 255, 255), 0);
    EXPECT_EQ(sharpen(100, 10, 20, 31), 180);  // 200 - round(20.33)
    EXPECT_EQ(sharpen(100, 10, 20, 32), 179);  // 200 - round(20.67)
}

TEST(PostFilters, UniformAndThinPicturesAreUnchanged)
{
    for (auto [w, h] : {std::pair{6, 4}, {1, 9}, {9, 1}, {1, 1}}) {
        const PixelPlane picture = (w > 1 && h > 1) ? Uniform<4>(w, h, 77) : NoisePlane<4>(w, h, 3);
        Engine e = WithPicture(picture);
        e.BlurPixels();
        e.SharpenPixels(1.0f);
        EXPECT_EQ(e.SrcPixels, picture) << w << " x " << h;
    }
}

// In place and in parallel blocks, the filters must give what an untouched copy gives,
// also where one thread's block meets the next; channel 3, the last column and the top
// row keep their values.
TEST(PostFilters, InPlaceEqualsTheFilterOfAnUntouchedCopy)
{
    const int threads = omp_get_max_threads();
    for (int useThreads : {1, 3, 8}) {
        omp_set_num_threads(useThreads);
        const PixelPlane picture = NoisePlane<4>(37, 29, 5);
        Engine e = WithPicture(picture);
        e.BlurPixels();
        EXPECT_EQ(e.SrcPixels, ReferenceFilter(picture, false)) << useThreads;
        e.SrcPixels = picture;
        e.SharpenPixels(1.0f);
        EXPECT_EQ(e.SrcPixels, ReferenceFilter(picture, true)) << useThreads;
    }
    omp_set_num_threads(threads);
}

TEST(PostFilters, BlurComesBeforeSharpenAndOnlyWhenAsked)
{
    const PixelPlane picture = NoisePlane<4>(12, 10, 6);
    Engine e = WithPicture(picture);
    e.options.blur = e.options.sharpen = false;
    e.ApplyPostFilters();
    EXPECT_EQ(e.SrcPixels, picture);

    e.options.blur = e.options.sharpen = true;
    e.ApplyPostFilters();
    EXPECT_EQ(e.SrcPixels, ReferenceFilter(ReferenceFilter(picture, false), true));
}

}  // namespace
}  // namespace lumetra
