// Embedded colour profiles: pictures in another colour space are converted to sRGB
// on reading, as closely as lcms2 (a second, independent colour engine) converts
// them; pictures without a profile or in sRGB come in as their stored bytes.

#include <QColorSpace>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <lcms2.h>

#include "imaging/picture_file.h"
#include "photo_files.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

const QString kSamples = QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/");

// The picture's stored pixels, its profile ignored.
QImage StoredPixels(const QString& path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QImage image = ToOpaqueRgb32(reader.read());
    image.setColorSpace(QColorSpace());
    return image;
}

// The picture converted from the profile to sRGB by lcms2, relative colorimetric
// like Qt's matrix-and-curves transform.
QImage ConvertedByLcms(const QImage& picture, const QByteArray& icc)
{
    const cmsHPROFILE from = cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size()));
    const cmsHPROFILE to = cmsCreate_sRGBProfile();
    const cmsHTRANSFORM transform =
        cmsCreateTransform(from, TYPE_BGRA_8, to, TYPE_BGRA_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    QImage converted = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; transform && y < converted.height(); ++y)
        cmsDoTransform(transform, converted.constScanLine(y), converted.scanLine(y),
                       cmsUInt32Number(converted.width()));
    if (transform) cmsDeleteTransform(transform);
    cmsCloseProfile(from);
    cmsCloseProfile(to);
    return transform ? converted : QImage();
}

// Primaries, secondaries, greys and skin and sky tones, one per pixel.
QImage ColorChart()
{
    const QRgb colors[] = {qRgb(255, 0, 0),     qRgb(0, 255, 0),    qRgb(0, 0, 255),     qRgb(255, 255, 0),
                           qRgb(0, 255, 255),   qRgb(255, 0, 255),  qRgb(255, 255, 255), qRgb(0, 0, 0),
                           qRgb(128, 128, 128), qRgb(200, 120, 80), qRgb(90, 140, 200),  qRgb(30, 200, 160),
                           qRgb(240, 200, 170), qRgb(10, 20, 30),   qRgb(250, 128, 5),   qRgb(100, 60, 180)};
    QImage chart(int(std::size(colors)), 1, QImage::Format_RGB32);
    for (int x = 0; x < chart.width(); ++x) chart.setPixel(x, 0, colors[x]);
    return chart;
}

TEST(ColorProfileTest, SamplesWithoutProfileOrInSrgbComeInAsTheirStoredBytes)
{
    for (const char* name : {"astronaut.png", "chelsea.png", "coffee.png"}) {
        SCOPED_TRACE(name);
        const ReadResult read = ReadPicture(kSamples + name);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.image, StoredPixels(kSamples + name));
    }
}

TEST(ColorProfileTest, AdobeRgbSampleIsConvertedLikeLcmsConvertsIt)
{
    const QString rocket = kSamples + "rocket.jpg";
    const QByteArray icc = QImageReader(rocket).read().colorSpace().iccProfile();
    ASSERT_FALSE(icc.isEmpty());
    const QImage stored = StoredPixels(rocket);
    const ReadResult read = ReadPicture(rocket);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_GT(test::MaxDifference(read.image, stored), 2);  // the profile was applied
    EXPECT_LE(test::MaxDifference(read.image, ConvertedByLcms(stored, icc)), 1);
}

TEST(ColorProfileTest, DisplayP3PicturesBecomeTheSrgbColorsLcmsGives)
{
    const QByteArray p3 = QColorSpace(QColorSpace::DisplayP3).iccProfile();
    const QImage chart = ColorChart();
    const QImage expected = ConvertedByLcms(chart, p3);
    ASSERT_FALSE(expected.isNull());
    EXPECT_EQ(expected.pixel(0, 0), qRgb(255, 0, 0)) << "P3 red lies outside sRGB: it clips to sRGB red";

    QImage taggedPng = chart;
    taggedPng.setColorSpace(QColorSpace::DisplayP3);
    QTemporaryDir dir;
    const QString png = dir.filePath("p3.png");
    const QString jxl = dir.filePath("p3.jxl");
    ASSERT_TRUE(taggedPng.save(png));
    ASSERT_TRUE(test::WriteBytes(jxl, test::EncodeJxl({chart}, p3)));
    for (const QString& path : {png, jxl}) {
        SCOPED_TRACE(path.toStdString());
        const ReadResult read = ReadPicture(path);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_LE(test::MaxDifference(read.image, expected), 1);
        EXPECT_FALSE(read.image.colorSpace().isValid());
    }

    // HEIC is lossy: the profile is checked on a picture of one in-gamut colour.
    QImage skin(64, 64, QImage::Format_RGB32);
    skin.fill(qRgb(200, 120, 80));
    const QString heic = dir.filePath("p3.heic");
    ASSERT_TRUE(test::WriteBytes(heic, test::EncodeHeif({skin}, test::HeifCodec::Hevc, p3)));
    const ReadResult read = ReadPicture(heic);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_LE(test::MaxDifference(read.image, ConvertedByLcms(skin, p3)), 4);
}

}  // namespace
}  // namespace lumetra
