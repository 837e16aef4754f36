// JPEG sources decoded straight into the plane: wherever that way is taken it must give
// the very plane, details and messages of the general reader (picture, then plane), and
// it must step aside for every file where it could not.

#include <QBuffer>
#include <QColorSpace>
#include <QImageWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "imaging/jpeg_plane_decoder.h"
#include "imaging/plane_transfer.h"
#include "imaging/source_picture.h"
#include "odd_files.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

using test::Gradient;
using test::JpegLayout;
using test::JpegWithLayout;

constexpr double kLimit = 100.0;

// A picture with detail in every pixel at odd sizes, where fast DCT or plain chroma
// upsampling would change bytes and any row or channel swap would show.
QImage Detailed() { return Gradient(33, 17); }

QByteArray QtJpeg(const QImage& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    EXPECT_TRUE(writer.write(picture)) << writer.errorString().toStdString();
    return bytes;
}

QByteArray Sample(const char* name)
{
    return test::ReadBytes(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/") + name);
}

// The sample JPEG without its colour-profile segment: a camera-made scan, shown as stored.
QByteArray RocketWithoutProfile()
{
    QByteArray file = Sample("rocket.jpg");
    const qsizetype at = file.indexOf("\xFF\xE2");
    const int length = static_cast<unsigned char>(file[at + 2]) << 8 | static_cast<unsigned char>(file[at + 3]);
    return file.remove(at, 2 + length);
}

// The detailed picture stored so that the EXIF orientation shows it upright.
template <int Orientation, bool BigEndian = false>
QByteArray Turned()
{
    return test::JpegWithOrientation(JpegWithLayout(Detailed(), {}), Orientation, BigEndian);
}

struct JpegCase {
    const char* name;
    QByteArray (*make)();
    double limit = kLimit;
};

void PrintTo(const JpegCase& jpegCase, std::ostream* out) { *out << jpegCase.name; }

class JpegSourceTest : public testing::TestWithParam<JpegCase> {
protected:
    QString Write(const QByteArray& bytes)
    {
        EXPECT_FALSE(bytes.isEmpty());
        const QString path = dir_.filePath(QStringLiteral("%1.jpg").arg(GetParam().name));
        EXPECT_TRUE(test::WriteBytes(path, bytes));
        return path;
    }

    // The source plane equals what the general reader gives, messages and details included.
    static void ExpectAsGeneralReader(const QString& path, double limit)
    {
        const SourcePlane source = ReadSourcePlane(path, ReadLimits{limit}, std::nullopt);
        const ReadResult read = ReadPicture(path, ReadLimits{limit});
        EXPECT_EQ(source.error, read.error);
        EXPECT_EQ(source.warning, read.warning);
        EXPECT_EQ(source.details.exif, read.details.exif);
        EXPECT_TRUE(source.plane == (read.ok() ? LoadPixels(read.image) : PixelPlane()));
    }

    QTemporaryDir dir_;
};

using StraightJpegTest = JpegSourceTest;
using GeneralJpegTest = JpegSourceTest;

TEST_P(StraightJpegTest, DecodesToTheGeneralReadersPlane)
{
    const QByteArray bytes = GetParam().make();
    const QString path = Write(bytes);
    const std::optional<PixelPlane> straight = DecodeJpegPlane(bytes, GetParam().limit);
    ASSERT_TRUE(straight.has_value()) << "the straight way was not taken";
    EXPECT_TRUE(*straight == LoadPixels(ReadPicture(path).image));
    ExpectAsGeneralReader(path, GetParam().limit);
}

const JpegCase kStraight[] = {
    {"Chroma420", [] { return JpegWithLayout(Detailed(), {}); }},
    {"Chroma422", [] { return JpegWithLayout(Detailed(), {.lumaRows = 1}); }},
    {"Chroma440", [] { return JpegWithLayout(Detailed(), {.lumaColumns = 1}); }},
    {"Chroma444", [] { return JpegWithLayout(Detailed(), {.lumaColumns = 1, .lumaRows = 1}); }},
    {"Grey", [] { return JpegWithLayout(Detailed(), {.grey = true}); }},
    {"Progressive", [] { return JpegWithLayout(Detailed(), {.progressive = true}); }},
    {"RestartMarkers", [] { return JpegWithLayout(Gradient(70, 50), {.restartRows = 1}); }},
    {"QtWritten", [] { return QtJpeg(Detailed()); }},
    {"Upright", Turned<1>},
    {"Mirrored", Turned<2>},
    {"HalfTurn", Turned<3>},
    {"Flipped", Turned<4>},
    {"Transposed", Turned<5>},
    {"QuarterClockwise", Turned<6>},
    {"Transversed", Turned<7>},
    {"QuarterAnticlockwise", Turned<8>},
    {"QuarterClockwiseBigEndian", Turned<6, true>},
    {"CameraSample", RocketWithoutProfile},
    {"AtTheLimit", [] { return JpegWithLayout(Detailed(), {}); }, 33 * 17 / 1e6},
};
INSTANTIATE_TEST_SUITE_P(Files, StraightJpegTest, testing::ValuesIn(kStraight),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(GeneralJpegTest, IsLeftToTheGeneralReader)
{
    const QByteArray bytes = GetParam().make();
    const QString path = Write(bytes);
    EXPECT_FALSE(DecodeJpegPlane(bytes, GetParam().limit).has_value()) << "the straight way was taken";
    ExpectAsGeneralReader(path, GetParam().limit);
}

QByteArray Cmyk()
{
    QTemporaryDir dir;
    const unsigned char ink[4] = {10, 200, 40, 0};
    const QString path = dir.filePath("cmyk.jpg");
    return test::WriteCmykJpeg(path, 9, 7, ink) ? test::ReadBytes(path) : QByteArray();
}

QImage InDisplayP3(QImage picture)
{
    picture.setColorSpace(QColorSpace::DisplayP3);
    return picture;
}

const JpegCase kGeneral[] = {
    {"TwoOrientations", [] { return test::JpegWithOrientation(Turned<6>(), 3); }},
    {"OrientationOutOfRange", Turned<9>},
    {"ColourProfile", [] { return QtJpeg(InDisplayP3(Detailed())); }},
    {"CameraSampleWithProfile", [] { return Sample("rocket.jpg"); }},
    {"Cmyk", Cmyk},
    {"CutShort", [] { return JpegWithLayout(Gradient(64, 64), {}).chopped(300); }},
    {"TrailingBytes", [] { return JpegWithLayout(Detailed(), {}) + QByteArray(2000, '\0'); }},
    {"NoEndMarker", [] { return JpegWithLayout(Gradient(64, 64), {}).chopped(2); }},
    {"OverTheLimit", [] { return JpegWithLayout(Detailed(), {}); }, 33 * 17 / 1e6 - 1e-6},
    {"NotAJpeg", [] { return QByteArray("\xFF\xD8") + " plain text, not a picture"; }},
};
INSTANTIATE_TEST_SUITE_P(Files, GeneralJpegTest, testing::ValuesIn(kGeneral),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumetra
