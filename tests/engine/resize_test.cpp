#include <stdexcept>

#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "engine/resize.h"

namespace lumetra {
namespace {

using test::NoisePlane;
using test::Uniform;

TEST(FitInside, KeepsTheAspectRatioInsideTheBox)
{
    const PictureSize box{800, 600};
    EXPECT_EQ(FitInside({1600, 1200}, box, true), (PictureSize{800, 600}));
    EXPECT_EQ(FitInside({1200, 1600}, box, true), (PictureSize{450, 600}));
    EXPECT_EQ(FitInside({2000, 500}, box, true), (PictureSize{800, 200}));
    EXPECT_EQ(FitInside({2000, 500}, box, false), box);
}

// The resize prompt's automatic size is the fit into an 800 x 800 box.
TEST(FitInside, LongSideOf800)
{
    const PictureSize box{800, 800};
    EXPECT_EQ(FitInside({2000, 1500}, box, true), (PictureSize{800, 600}));
    EXPECT_EQ(FitInside({1500, 2000}, box, true), (PictureSize{600, 800}));
    EXPECT_EQ(FitInside({1366, 1025}, box, true), (PictureSize{800, 600}));  // 600.29
    EXPECT_EQ(FitInside({1200, 1200}, box, true), (PictureSize{800, 800}));
    EXPECT_EQ(FitInside({1000, 999}, {999, 999}, true), (PictureSize{999, 998}));  // 998.001
}

TEST(FitInside, DegenerateSizesGiveAtLeastOnePixel)
{
    EXPECT_EQ(FitInside({10000, 10}, {800, 600}, true), (PictureSize{800, 1}));  // 0.8 rounds to 1
    EXPECT_EQ(FitInside({10000, 5}, {800, 600}, true), (PictureSize{800, 1}));   // 0.4 would be 0
    EXPECT_EQ(FitInside({640, 480}, {0, 0}, true).width, 1);
    EXPECT_EQ(FitInside({0, 0}, {800, 600}, true), (PictureSize{600, 600}));
    EXPECT_EQ(FitInside({640, 480}, {-5, 600}, false), (PictureSize{1, 600}));
}

TEST(ResizePlane, AlreadyThatSizeIsUntouched)
{
    const PixelPlane picture = NoisePlane<4>(5, 4, 1);
    EXPECT_EQ(ResizePlane(picture, {5, 4}), picture);
}

// The grab's extra column and row repeat the picture's edge, so a uniform picture stays
// uniform at any size: no dark top row, no dark right column.
TEST(ResizePlane, AUniformPictureStaysUniform)
{
    PixelPlane white = Uniform<4>(40, 30, 255);
    for (PictureSize size : {PictureSize{80, 60}, PictureSize{13, 7}, PictureSize{1, 1}, PictureSize{40, 31}}) {
        const PixelPlane resized = ResizePlane(white, size);
        ASSERT_EQ(resized.Width(), size.width);
        ASSERT_EQ(resized.Height(), size.height);
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x)
                for (int c = 0; c < 3; ++c) ASSERT_EQ(resized(c, x, y), 255) << x << ", " << y;
    }
}

// Doubling a 2 x 2 picture: the grab is 3 x 3, resampled to last indexes (4, 4); the box
// keeps columns 0..3 and rows 1..4.
TEST(ResizePlane, KeepsWhatTheBoxShows)
{
    PixelPlane picture(2, 2);
    picture(0, 0, 0) = 0;
    picture(0, 1, 0) = 90;
    picture(0, 0, 1) = 30;
    picture(0, 1, 1) = 60;
    const PixelPlane resized = ResizePlane(picture, {4, 4});
    // Row 0 of the result is row 1 of the resampled plane: a third of the way from the
    // bottom row to the top row.
    EXPECT_EQ(resized(0, 0, 0), 10);
    EXPECT_EQ(resized(0, 2, 1), 60);  // resampled row 2 = picture's top row 1, column 2 = column 1
    EXPECT_EQ(resized(0, 3, 3), 60);  // the extra row and column repeat the edge
}

TEST(ResizePlane, EmptyPicturesAndSizesAreRefused)
{
    EXPECT_THROW(ResizePlane(PixelPlane(), {3, 3}), std::invalid_argument);
    EXPECT_THROW(ResizePlane(Uniform<4>(3, 3, 1), {0, 3}), std::invalid_argument);
}

}  // namespace
}  // namespace lumetra
