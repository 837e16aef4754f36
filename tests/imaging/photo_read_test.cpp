// Phone and web pictures (HEIC, AVIF, WebP, JPEG XL) through the one picture reader:
// their size, their pixels, their first frame or primary image, their orientation.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "imaging/picture_file.h"
#include "photo_files.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

using test::HeifCodec;
using test::MaxDifference;

enum class Kind { Heic, Avif, Webp, Jxl };

struct KindCase {
    Kind kind;
    const char* extension;
    int tolerance;  // lossy encoders: the largest channel difference allowed
};

constexpr KindCase kKinds[] = {
    {Kind::Heic, "heic", 24}, {Kind::Avif, "avif", 24}, {Kind::Webp, "webp", 0}, {Kind::Jxl, "jxl", 0}};

QByteArray Encode(Kind kind, const QList<QImage>& frames)
{
    switch (kind) {
    case Kind::Heic: return test::EncodeHeif(frames, HeifCodec::Hevc);
    case Kind::Avif: return test::EncodeHeif(frames, HeifCodec::Av1);
    case Kind::Webp: return test::EncodeWebp(frames);
    case Kind::Jxl: return test::EncodeJxl(frames);
    }
    return {};
}

QImage OneColor(QSize size, QRgb color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

class PhotoReadTest : public testing::TestWithParam<KindCase> {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        EXPECT_FALSE(bytes.isEmpty()) << "the encoder failed for " << name.toStdString();
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(test::WriteBytes(path, bytes));
        return path;
    }
    QString Name(const char* base) const { return QStringLiteral("%1.%2").arg(base, GetParam().extension); }

    QTemporaryDir dir_;
};

TEST_P(PhotoReadTest, ComesInAtItsSizeWithItsPixels)
{
    const QImage picture = test::Smooth(64, 48);
    const QString path = Write(Name("smooth"), Encode(GetParam().kind, {picture}));
    const ReadResult read = ReadPicture(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(read.image.size(), picture.size());
    EXPECT_LE(MaxDifference(read.image, picture), GetParam().tolerance);
}

TEST_P(PhotoReadTest, GivesTheFirstFrameOrPrimaryImage)
{
    const QSize size(64, 32);
    const QString path = Write(
        Name("two"), Encode(GetParam().kind, {OneColor(size, qRgb(220, 20, 20)), OneColor(size, qRgb(20, 20, 220))}));
    const ReadResult read = ReadPicture(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.image.size(), size);
    const QRgb centre = read.image.pixel(32, 16);
    EXPECT_GT(qRed(centre), 180);
    EXPECT_LT(qBlue(centre), 60);
}

TEST_P(PhotoReadTest, IsReadByItsContentUnderAnotherExtension)
{
    const QImage picture = test::Smooth(40, 30);
    const QString path =
        Write(QStringLiteral("misnamed-%1.png").arg(GetParam().extension), Encode(GetParam().kind, {picture}));
    const ReadResult read = ReadPicture(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_LE(MaxDifference(read.image, picture), GetParam().tolerance);
}

TEST_P(PhotoReadTest, IsRefusedFromItsHeaderWhenOverTheSizeLimit)
{
    const QString path = Write(Name("limit"), Encode(GetParam().kind, {test::Smooth(64, 48)}));
    const ReadResult read = ReadPicture(path, ReadLimits{0.003});
    EXPECT_FALSE(read.ok());
    EXPECT_TRUE(read.error.contains("64 x 48")) << read.error.toStdString();
    EXPECT_TRUE(read.error.contains(path)) << read.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Kinds, PhotoReadTest, testing::ValuesIn(kKinds),
                         [](const testing::TestParamInfo<KindCase>& info) {
                             return std::string(info.param.extension);
                         });

TEST(PhotoOrientationTest, JxlOrientationTurnsThePictureUpright)
{
    // 64 x 32, left quarter red, the rest blue. Orientation 6 shows it turned
    // clockwise: 32 x 64 with the red part along the top.
    QImage picture = OneColor(QSize(64, 32), qRgb(0, 0, 255));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
    QTemporaryDir dir;
    const QString path = dir.filePath("turned.jxl");
    ASSERT_TRUE(test::WriteBytes(path, test::EncodeJxl({picture}, {}, 6)));
    const ReadResult read = ReadPicture(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.image.size(), QSize(32, 64));
    EXPECT_EQ(read.image.pixel(16, 2), qRgb(255, 0, 0));
    EXPECT_EQ(read.image.pixel(16, 60), qRgb(0, 0, 255));
}

}  // namespace
}  // namespace lumetra
