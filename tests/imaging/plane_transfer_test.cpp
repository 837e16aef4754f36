// Pictures to planes and back: row order, channel order, cropping into a smaller box.

#include <gtest/gtest.h>

#include "imaging/plane_transfer.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

TEST(PlaneTransferTest, LoadPixelsGivesBottomUpBgrRows)
{
    const QImage picture = test::Gradient(5, 3);
    const PixelPlane plane = LoadPixels(picture);
    ASSERT_EQ(plane.Width(), 5);
    ASSERT_EQ(plane.Height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const QRgb p = picture.pixel(x, 2 - y);  // plane row 0 is the picture's bottom row
            EXPECT_EQ(plane(0, x, y), qBlue(p));
            EXPECT_EQ(plane(1, x, y), qGreen(p));
            EXPECT_EQ(plane(2, x, y), qRed(p));
        }
}

TEST(PlaneTransferTest, DrawPixelsIsTheReverseOfLoadPixels)
{
    for (const QImage& picture : {test::Gradient(1, 1), test::Gradient(3, 7), test::Gradient(64, 2)}) {
        const QImage drawn = DrawPixels(LoadPixels(picture));
        EXPECT_EQ(drawn.format(), QImage::Format_RGB32);
        EXPECT_EQ(drawn, picture);
        // The same pixels in three bytes each, rows padded where 3 * width is not a multiple of 4.
        const QImage packed = DrawPixels24(LoadPixels(picture));
        EXPECT_EQ(packed.format(), QImage::Format_RGB888);
        EXPECT_EQ(packed, picture.convertToFormat(QImage::Format_RGB888));
        EXPECT_EQ(packed.dotsPerMeterX(), 3780);
    }
    // Rows spread over threads: a picture large enough for them.
    const QImage large = test::Gradient(301, 260);
    EXPECT_EQ(DrawPixels24(LoadPixels(large)), large.convertToFormat(QImage::Format_RGB888));
    // Pictures of other formats come in converted.
    const QImage gray = test::Gradient(4, 4).convertToFormat(QImage::Format_Grayscale8);
    EXPECT_EQ(DrawPixels(LoadPixels(gray)), gray.convertToFormat(QImage::Format_RGB32));

    // Whatever the unused fourth channel holds, the picture is opaque and records 96 dpi.
    PixelPlane plane = LoadPixels(test::Gradient(5, 2));
    for (int x = 0; x < 5; ++x) plane(3, x, 1) = static_cast<uint8_t>(x * 40);
    const QImage drawn = DrawPixels(plane);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(qAlpha(drawn.pixel(x, 0)), 255);
    EXPECT_EQ(drawn, test::Gradient(5, 2));
    EXPECT_EQ(drawn.dotsPerMeterX(), 3780);
    EXPECT_EQ(drawn.dotsPerMeterY(), 3780);
}

TEST(PlaneTransferTest, DrawingIntoASmallerBoxKeepsTheTopLeftPixels)
{
    // A 4 x 3 plane drawn at the top-left corner of a 3 x 2 box: plane columns 0..2 and
    // plane rows 1..2 (the top two) show; the bottom row and the last column do not.
    const QImage picture = test::Gradient(4, 3);
    const QImage box = DrawPixels(LoadPixels(picture), 3, 2);
    ASSERT_EQ(box.size(), QSize(3, 2));
    EXPECT_EQ(box, picture.copy(0, 0, 3, 2));

    // A larger box keeps the whole plane and is black elsewhere.
    const QImage large = DrawPixels(LoadPixels(picture), 6, 5);
    EXPECT_EQ(large.copy(0, 0, 4, 3), picture);
    EXPECT_EQ(large.pixel(5, 4), qRgb(0, 0, 0));
    EXPECT_EQ(large.pixel(4, 0), qRgb(0, 0, 0));
}

TEST(PlaneTransferTest, PencilTextureIsTheBuiltInGrayPicture)
{
    const PixelPlane texture = LoadPencilTexture();
    ASSERT_EQ(texture.Width(), 104);
    ASSERT_EQ(texture.Height(), 120);
    for (int y = 0; y < texture.Height(); y += 17)
        for (int x = 0; x < texture.Width(); x += 13) {
            EXPECT_EQ(texture(0, x, y), texture(1, x, y));
            EXPECT_EQ(texture(1, x, y), texture(2, x, y));
        }
}

}  // namespace
}  // namespace lumetra
