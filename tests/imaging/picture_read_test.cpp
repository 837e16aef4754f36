// Reading every kind of picture file, and refusing the ones that are not pictures.

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

#include "imaging/picture_file.h"
#include "odd_files.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

using test::Gradient;
using test::MaxDifference;

class ReadPictureTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Writes the picture with Qt's writer for the format, with an optional tweak.
    QString Save(const QImage& image, const QString& name, const std::function<void(QImageWriter&)>& tweak = {})
    {
        QImageWriter writer(Path(name));
        if (tweak) tweak(writer);
        EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
        return Path(name);
    }

    static ReadResult ReadOk(const QString& path)
    {
        ReadResult result = ReadPicture(path);
        EXPECT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(result.image.format(), QImage::Format_RGB32);
        return result;
    }

    QTemporaryDir dir_;
};

TEST_F(ReadPictureTest, LosslessKindsComeInAsTheirPixels)
{
    const QImage rgb = Gradient(9, 7);
    const QImage gray = rgb.convertToFormat(QImage::Format_Grayscale8);
    struct Case {
        QString name;
        QImage written;
        QImage expected;
    };
    const Case cases[] = {
        {"plain.bmp", rgb, rgb},
        {"rgb.png", rgb, rgb},
        {"palette.png", rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither), {}},
        {"grey.png", gray, gray},
        {"grey16.png", rgb.convertToFormat(QImage::Format_Grayscale16), gray},
        {"rgb16.png", rgb.convertToFormat(QImage::Format_RGBX64), rgb},
        {"rgb.tif", rgb, rgb},
        {"rgb16.tif", rgb.convertToFormat(QImage::Format_RGBX64), rgb},
        {"grey.tif", gray, gray},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const ReadResult result = ReadOk(Save(c.written, c.name));
        const QImage expected = c.expected.isNull() ? c.written : c.expected;
        EXPECT_EQ(MaxDifference(result.image, expected.convertToFormat(QImage::Format_RGB32)), 0);
    }
    // The 16-bit files really are 16-bit: PNG bit depth byte.
    EXPECT_EQ(test::ReadBytes(Path("rgb16.png")).at(24), 16);
}

TEST_F(ReadPictureTest, JpegKindsComeInCloseToTheirPixels)
{
    const QImage rgb = test::Smooth(16, 16);
    const QString baseline = Save(rgb, "baseline.jpg", [](QImageWriter& w) { w.setQuality(100); });
    const QString progressive = Save(rgb, "progressive.jpg", [](QImageWriter& w) {
        w.setQuality(100);
        w.setProgressiveScanWrite(true);
    });
    const QString gray = Save(rgb.convertToFormat(QImage::Format_Grayscale8), "grey.jpg");
    ASSERT_TRUE(test::ReadBytes(progressive).contains(QByteArray("\xFF\xC2", 2)));  // progressive frame

    EXPECT_LE(MaxDifference(ReadOk(baseline).image, rgb), 12);
    EXPECT_LE(MaxDifference(ReadOk(progressive).image, rgb), 12);
    const QImage grayRead = ReadOk(gray).image;
    EXPECT_EQ(grayRead.size(), rgb.size());
    EXPECT_TRUE(grayRead.allGray());

    // Adobe CMYK: 255 is no ink. C=M=Y=255, K=255 is white; M=0 is magenta ink only.
    const unsigned char white[4] = {255, 255, 255, 255};
    const unsigned char magenta[4] = {255, 0, 255, 255};
    ASSERT_TRUE(test::WriteCmykJpeg(Path("white-cmyk.jpg"), 8, 8, white));
    ASSERT_TRUE(test::WriteCmykJpeg(Path("magenta-cmyk.jpg"), 8, 8, magenta));
    const QRgb w = ReadOk(Path("white-cmyk.jpg")).image.pixel(3, 3);
    const QRgb m = ReadOk(Path("magenta-cmyk.jpg")).image.pixel(3, 3);
    EXPECT_GE(qRed(w) + qGreen(w) + qBlue(w), 3 * 250);
    EXPECT_GE(qRed(m), 250);
    EXPECT_LE(qGreen(m), 5);
    EXPECT_GE(qBlue(m), 250);
}

TEST_F(ReadPictureTest, ExifOrientationTurnsThePictureUpright)
{
    // 4 x 2, left column red, the rest blue. Orientation 6 shows it turned clockwise:
    // 2 x 4, with the red column along the top.
    QImage image(4, 2, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 255));
    for (int y = 0; y < 2; ++y) image.setPixel(0, y, qRgb(255, 0, 0));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(100);
    ASSERT_TRUE(writer.write(image.scaled(64, 32)));
    ASSERT_TRUE(test::WriteBytes(Path("turned.jpg"), test::JpegWithOrientation(buffer.data(), 6)));

    const QImage read = ReadOk(Path("turned.jpg")).image;
    ASSERT_EQ(read.size(), QSize(32, 64));
    EXPECT_GT(qRed(read.pixel(16, 2)), 200);    // top: the red column
    EXPECT_GT(qBlue(read.pixel(16, 60)), 200);  // bottom: blue
}

TEST_F(ReadPictureTest, TransparencyIsCompositedOverBlack)
{
    QImage image(3, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(200, 100, 50, 0));    // fully transparent
    image.setPixel(1, 0, qRgba(200, 100, 50, 255));  // opaque
    image.setPixel(2, 0, qRgba(200, 100, 50, 128));  // half
    const QImage read = ReadOk(Save(image, "alpha.png")).image;
    EXPECT_EQ(read.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(read.pixel(1, 0), qRgb(200, 100, 50));
    const QRgb half = read.pixel(2, 0);
    EXPECT_NEAR(qRed(half), 100, 1);
    EXPECT_NEAR(qGreen(half), 50, 1);
    EXPECT_NEAR(qBlue(half), 25, 1);
}

TEST_F(ReadPictureTest, OnlyTheFirstFrameOrPageIsRead)
{
    ASSERT_TRUE(test::WriteTwoFrameGif(Path("two.gif"), 4, 3, Qt::red, Qt::blue));
    const QImage gif = ReadOk(Path("two.gif")).image;
    ASSERT_EQ(gif.size(), QSize(4, 3));
    EXPECT_EQ(gif.pixel(1, 1), qRgb(255, 0, 0));

    ASSERT_TRUE(test::WriteBytes(Path("two.tif"), test::TwoPageTiff(4, 2, Qt::green, Qt::blue)));
    const QImage tif = ReadOk(Path("two.tif")).image;
    ASSERT_EQ(tif.size(), QSize(4, 2));
    EXPECT_EQ(tif.pixel(3, 1), qRgb(0, 255, 0));
}

TEST_F(ReadPictureTest, FileWithoutReadPermissionIsAnError)
{
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const QString path = Save(Gradient(4, 4), "locked.png");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    const ReadResult result = ReadPicture(path);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.contains("permission"));
}

TEST_F(ReadPictureTest, TruncatedJpegIsReadWithAWarningNamingTheFile)
{
    QImageWriter writer(Path("full.jpg"));
    ASSERT_TRUE(writer.write(Gradient(64, 64)));
    const QByteArray jpeg = test::ReadBytes(Path("full.jpg"));
    ASSERT_TRUE(test::WriteBytes(Path("cut.jpg"), jpeg.left(jpeg.size() * 2 / 3)));

    const ReadResult full = ReadPicture(Path("full.jpg"));
    EXPECT_TRUE(full.ok());
    EXPECT_TRUE(full.warning.isEmpty());
    const ReadResult cut = ReadPicture(Path("cut.jpg"));
    if (cut.ok()) {
        EXPECT_TRUE(cut.warning.contains(QDir::toNativeSeparators(Path("cut.jpg"))));
        EXPECT_EQ(cut.image.size(), QSize(64, 64));
    } else {
        EXPECT_TRUE(cut.error.contains(QDir::toNativeSeparators(Path("cut.jpg"))));
    }
}

TEST_F(ReadPictureTest, PicturesOverTheMegapixelLimitAreRefusedBeforeDecoding)
{
    QImage big(1500, 1000, QImage::Format_RGB32);
    big.fill(Qt::gray);
    const QString path = Save(big, "big.png");
    const ReadResult refused = ReadPicture(path, ReadLimits{1.0});
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error.contains("1500 x 1000")) << refused.error.toStdString();
    EXPECT_TRUE(refused.image.isNull());
    EXPECT_TRUE(ReadPicture(path, ReadLimits{2.0}).ok());
}

}  // namespace
}  // namespace lumetra
