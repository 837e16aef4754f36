// Planes written straight to files: the JPEG encoded from the plane's rows must be the
// file the picture writer makes of the same pixels, byte for byte, as must the formats
// left to it; the PNG must hold the plane's pixels.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "imaging/jpeg_plane_encoder.h"
#include "imaging/plane_transfer.h"
#include "imaging/plane_writer.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

TEST(PlaneWriterTest, FilesAreThePictureWritersFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Odd sizes: partial 16 x 16 blocks of the 4:2:0 encoding, one-pixel pictures.
    for (const QSize size : {QSize(1, 1), QSize(17, 9), QSize(64, 48), QSize(333, 101)}) {
        const PixelPlane plane = LoadPixels(test::Gradient(size.width(), size.height()));
        for (const PictureFormat format : {PictureFormat::Jpg, PictureFormat::Bmp}) {
            const QString extension = FormatExtension(format);
            const QString expected = dir.filePath(QStringLiteral("expected.") + extension);
            const QString written = dir.filePath(QStringLiteral("written.") + extension);
            ASSERT_EQ(WritePicture(DrawPixels(plane), expected, format), QString());
            ASSERT_EQ(WritePlane(plane, written, format), QString());
            EXPECT_EQ(test::ReadBytes(written), test::ReadBytes(expected))
                << extension.toStdString() << " " << size.width() << " x " << size.height();
        }
    }
}

TEST(PlaneWriterTest, PngHoldsThePlanesPixels)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(333, 101)}) {
        const PixelPlane plane = LoadPixels(test::Gradient(size.width(), size.height()));
        const QString path = dir.filePath(QStringLiteral("written.png"));
        ASSERT_EQ(WritePlane(plane, path, PictureFormat::Png), QString());
        const ReadResult read = ReadPicture(path);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.image, DrawPixels(plane)) << size.width() << " x " << size.height();
        EXPECT_EQ(read.image.dotsPerMeterX(), 3780);
        EXPECT_TRUE(read.warning.isEmpty());
    }
}

TEST(PlaneWriterTest, FailuresNameTheFile)
{
    QString error;
    EXPECT_TRUE(EncodeJpeg(PixelPlane(), error).isEmpty());
    EXPECT_FALSE(error.isEmpty());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("no-folder/out.jpg"));
    const QString message = WritePlane(LoadPixels(test::Gradient(4, 4)), path, PictureFormat::Jpg);
    EXPECT_TRUE(message.contains(QStringLiteral("out.jpg"))) << message.toStdString();
}

}  // namespace
}  // namespace lumetra
