// Phone and web pictures (HEIC, AVIF, WebP, JPEG XL) through the one picture reader:
// their size, their pixels, their first frame or primary image, their orientation.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "imaging/picture_file.h"
#include "heif_boxes.h"
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
        QString path = dir_.filePath(name);
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

// Files of several pictures: the reader takes the first frame or the primary image.
struct SeveralPicturesCase {
    const char* name;
    QByteArray (*encode)(const QList<QImage>&);
};

const SeveralPicturesCase kSeveralPictures[] = {
    {"heic_images", [](const QList<QImage>& images) { return test::EncodeHeif(images, HeifCodec::Hevc); }},
    {"avif_images", [](const QList<QImage>& images) { return test::EncodeHeif(images, HeifCodec::Av1); }},
    {"avif_sequence", test::EncodeAvifSequence},
    {"webp_animation", test::EncodeWebp},
    {"jxl_animation", [](const QList<QImage>& frames) { return test::EncodeJxl(frames); }},
};

// The encoded bytes through the picture reader, from a file of their own.
ReadResult ReadEncoded(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture");
    ReadResult read;
    read.error = QStringLiteral("the test file could not be made");
    if (!bytes.isEmpty() && test::WriteBytes(path, bytes)) read = ReadPicture(path);
    return read;
}

class SeveralPicturesTest : public testing::TestWithParam<SeveralPicturesCase> {};

TEST_P(SeveralPicturesTest, GivesTheFirstFrameOrPrimaryImage)
{
    const QSize size(64, 32);
    const ReadResult read =
        ReadEncoded(GetParam().encode({OneColor(size, qRgb(220, 20, 20)), OneColor(size, qRgb(20, 20, 220))}));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.image.size(), size);
    const QRgb centre = read.image.pixel(32, 16);
    EXPECT_GT(qRed(centre), 180);
    EXPECT_LT(qBlue(centre), 60);
}

INSTANTIATE_TEST_SUITE_P(Files, SeveralPicturesTest, testing::ValuesIn(kSeveralPictures),
                         [](const testing::TestParamInfo<SeveralPicturesCase>& info) {
                             return std::string(info.param.name);
                         });

// A picture of 64 x 32, its left quarter red and the rest blue, stored as it is with a
// turn recorded in the file (JPEG XL: an EXIF-style orientation; HEIF: an 'irot'
// property added to what libheif writes), and where the reader must show red and blue.
struct TurnCase {
    const char* name;
    Kind kind;
    int orientation;  // 3: half a turn, 6: a quarter turn clockwise, 8: anticlockwise
    QSize shown;
    QPoint red;
    QPoint blue;
};

const TurnCase kTurns[] = {
    {"jxl_clockwise", Kind::Jxl, 6, {32, 64}, {16, 2}, {16, 61}},
    {"heic_clockwise", Kind::Heic, 6, {32, 64}, {16, 2}, {16, 61}},
    {"heic_anticlockwise", Kind::Heic, 8, {32, 64}, {16, 61}, {16, 2}},
    {"heic_half_turn", Kind::Heic, 3, {64, 32}, {61, 16}, {2, 16}},
    {"avif_clockwise", Kind::Avif, 6, {32, 64}, {16, 2}, {16, 61}},
};

QByteArray EncodeTurned(const TurnCase& turn, const QImage& picture)
{
    const int quarterTurnsAnticlockwise = turn.orientation == 3 ? 2 : turn.orientation == 6 ? 3 : 1;
    switch (turn.kind) {
    case Kind::Heic: return test::WithRotation(test::EncodeHeif({picture}, HeifCodec::Hevc), quarterTurnsAnticlockwise);
    case Kind::Avif: return test::WithRotation(test::EncodeHeif({picture}, HeifCodec::Av1), quarterTurnsAnticlockwise);
    default: return test::EncodeJxl({picture}, {}, turn.orientation);
    }
}

class PhotoOrientationTest : public testing::TestWithParam<TurnCase> {};

TEST_P(PhotoOrientationTest, ComesInUprightAtTheTurnedSize)
{
    QImage picture = OneColor(QSize(64, 32), qRgb(0, 0, 255));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 16; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
    const ReadResult read = ReadEncoded(EncodeTurned(GetParam(), picture));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.image.size(), GetParam().shown);
    const QRgb red = read.image.pixel(GetParam().red);
    const QRgb blue = read.image.pixel(GetParam().blue);
    EXPECT_TRUE(qRed(red) > 200 && qBlue(red) < 50) << std::hex << red;
    EXPECT_TRUE(qBlue(blue) > 200 && qRed(blue) < 50) << std::hex << blue;
}

INSTANTIATE_TEST_SUITE_P(Turns, PhotoOrientationTest, testing::ValuesIn(kTurns),
                         [](const testing::TestParamInfo<TurnCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumetra
