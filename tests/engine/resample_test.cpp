#include <stdexcept>
#include <vector>

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "engine/resample.h"

namespace lumetra {
namespace {

using test::NoisePlane;

// A picture one row high (or one column wide) carrying the values in channel 0.
PixelPlane Line(const std::vector<int>& values, bool vertical)
{
    const int n = static_cast<int>(values.size());
    PixelPlane p(vertical ? 1 : n, vertical ? n : 1);
    for (int i = 0; i < n; ++i) p(0, vertical ? 0 : i, vertical ? i : 0) = static_cast<uint8_t>(values[i]);
    return p;
}

std::vector<int> Channel0(const PixelPlane& p, bool vertical)
{
    std::vector<int> values;
    const int n = vertical ? p.Height() : p.Width();
    values.reserve(n);
    for (int i = 0; i < n; ++i) values.push_back(p(0, vertical ? 0 : i, vertical ? i : 0));
    return values;
}

TEST(Resample, SameSizeCopiesEveryPixel)
{
    const PixelPlane grab = NoisePlane<4>(9, 7, 1);
    PixelPlane target;
    ResampleTo(grab, target, 8, 6);
    ASSERT_EQ(target.Width(), 9);
    ASSERT_EQ(target.Height(), 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            for (int c = 0; c < 3; ++c) EXPECT_EQ(target(c, x, y), grab(c, x, y));
            EXPECT_EQ(target(3, x, y), 0);
        }
}

// Doubling writes the samples at even positions and, between two, prev + (cur - prev) / 3.
TEST(Resample, DoublingStepsAThirdOfTheWayTowardsTheNextSample)
{
    for (bool vertical : {false, true}) {
        PixelPlane target;
        ResampleTo(Line({0, 90, 31, 255}, vertical), target, vertical ? 0 : 6, vertical ? 6 : 0);
        EXPECT_EQ(Channel0(target, vertical), (std::vector<int>{0, 30, 90, 70, 31, 106, 255})) << vertical;
    }
}

// Halving keeps the last sample whose rounded position (halves to even) lands on a pixel.
TEST(Resample, HalvingKeepsTheLastSampleLandingOnEachPixel)
{
    const std::vector<int> samples{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    for (bool vertical : {false, true}) {
        PixelPlane target;
        ResampleTo(Line(samples, vertical), target, vertical ? 0 : 5, vertical ? 5 : 0);
        EXPECT_EQ(Channel0(target, vertical), (std::vector<int>{1, 2, 5, 6, 9, 10})) << vertical;
    }
}

TEST(Resample, ASingleColumnOrRowIsRepeated)
{
    PixelPlane target;
    ResampleTo(Line({0, 90, 31}, true), target, 4, 4);
    for (int y = 0; y <= 4; ++y)
        for (int x = 0; x <= 4; ++x) EXPECT_EQ(target(0, x, y), target(0, 0, y));
    EXPECT_EQ(Channel0(target, true), (std::vector<int>{0, 30, 90, 70, 31}));

    ResampleTo(Line({7, 8, 9}, false), target, 2, 3);
    for (int y = 0; y <= 3; ++y) EXPECT_EQ(Channel0(target, false), (std::vector<int>{7, 8, 9}));

    ResampleTo(Line({42}, false), target, 3, 2);
    for (int y = 0; y <= 2; ++y) EXPECT_EQ(Channel0(target, false), (std::vector<int>{42, 42, 42, 42}));
}

// The running float position drifts over long lines: 10000 samples onto 9999 pixels
// round the last position to 9999, one past the end.
TEST(Resample, LongLinesStayInsideTheTarget)
{
    std::vector<int> ramp(10000);
    for (int i = 0; i < 10000; ++i) ramp[i] = i % 251;
    PixelPlane target;
    ResampleTo(Line(ramp, false), target, 9998, 0);
    ASSERT_EQ(target.Width(), 9999);
    EXPECT_EQ(target(0, 9998, 0), ramp.back());

    ResampleTo(Line({5, 200, 60}, false), target, 9998, 1);
    EXPECT_EQ(target(0, 0, 1), 5);
    EXPECT_EQ(target(0, 4999, 0), 200);
    EXPECT_EQ(target(0, 9998, 1), 60);
}

TEST(Resample, EmptyInputsAreRefused)
{
    PixelPlane target;
    EXPECT_THROW(ResampleTo(PixelPlane(), target, 3, 3), std::invalid_argument);
    EXPECT_THROW(ResampleTo(PixelPlane(2, 2), target, -1, 3), std::invalid_argument);
}

}  // namespace
}  // namespace lumetra
