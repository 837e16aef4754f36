#include <stdexcept>

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "engine/gallery.h"

namespace lumetra {
namespace {

using test::Uniform;

// Which of the three pictures each column of the composite came from: 'L', 'M' or 'B'.
std::string ColumnSources(int width)
{
    const PixelPlane left = Uniform<4>(width, 3, 10);
    const PixelPlane middle = Uniform<4>(width, 3, 20);
    const PixelPlane base = Uniform<4>(width, 3, 30);
    const PixelPlane result = ComposeTransition(left, middle, base);
    std::string sources;
    for (int x = 0; x < width; ++x) {
        const uint8_t v = result(0, x, 0);
        for (int y = 0; y < 3; ++y)
            for (int c = 0; c < 4; ++c) EXPECT_EQ(result(c, x, y), v);
        sources += v == 10 ? 'L' : v == 20 ? 'M' : 'B';
    }
    return sources;
}

TEST(Transition, ThirdsOfTheWidth)
{
    EXPECT_EQ(ColumnSources(1), "B");
    EXPECT_EQ(ColumnSources(2), "BB");
    EXPECT_EQ(ColumnSources(300), std::string(100, 'L') + std::string(100, 'M') + std::string(100, 'B'));
    EXPECT_EQ(ColumnSources(301), std::string(100, 'L') + std::string(100, 'M') + std::string(101, 'B'));
}

TEST(Transition, TheMiddleThirdComesFromTheSameColumnsOfItsPicture)
{
    PixelPlane middle(6, 1);
    for (int x = 0; x < 6; ++x) middle(1, x, 0) = static_cast<uint8_t>(x);
    const PixelPlane result = ComposeTransition(Uniform<4>(6, 1, 0), middle, Uniform<4>(6, 1, 0));
    EXPECT_EQ(result(1, 2, 0), 2);
    EXPECT_EQ(result(1, 3, 0), 3);
}

TEST(Transition, PicturesOfDifferentSizesAreRefused)
{
    EXPECT_THROW(ComposeTransition(Uniform<4>(4, 3, 0), Uniform<4>(4, 3, 0), Uniform<4>(4, 2, 0)),
                 std::invalid_argument);
}

}  // namespace
}  // namespace lumetra
