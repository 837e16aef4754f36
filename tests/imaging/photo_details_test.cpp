// Photo details (EXIF) from the source picture into what is written: date and time,
// camera, artist and copyright kept, the orientation reset, no thumbnail, the GPS
// position only when asked for, nothing at all when stripped.

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"
#include "imaging/plane_writer.h"
#include "exif_files.h"
#include "photo_files.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

using test::ExifOf;

// The CRC-32 of a PNG chunk's type and data, bit by bit.
quint32 PngCrc(const QByteArray& typeAndData)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : typeAndData) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

// Both ways a picture is written: as a picture (the window, the batch) and straight from
// the engine's plane (lumetra-cli gallery and render).
enum class Way { Picture, Plane };

class PhotoDetailsTest : public testing::Test {
protected:
    void SetUp() override
    {
        QImageWriter writer(&buffer_, "jpeg");
        buffer_.open(QIODevice::WriteOnly);
        ASSERT_TRUE(writer.write(test::Smooth(48, 32)));
        source_ = Path("camera.jpg");
        ASSERT_TRUE(test::WriteBytes(source_, test::WithCameraDetails(buffer_.data())));
        const ReadResult read = ReadPicture(source_);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        picture_ = read.image;
        details_ = read.details;
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Writes the picture with the details chosen; returns the file's EXIF entries.
    QMap<QString, QString> Written(const QString& name, const DetailsChoice& choice, Way way = Way::Picture)
    {
        const QString path = Path(name);
        const auto format = WrittenFormatOfExtension(QFileInfo(path).suffix());
        const PhotoDetails details = DetailsForOutput(details_, choice);
        EXPECT_EQ(way == Way::Picture ? WritePicture(picture_, path, *format, details)
                                      : WritePlane(LoadPixels(picture_), path, *format, details),
                  "");
        const ReadResult read = ReadPicture(path);
        EXPECT_TRUE(read.ok()) << read.error.toStdString();
        if (*format != PictureFormat::Jpg) {
            EXPECT_EQ(read.image, picture_) << "the details change no pixel";
        }
        return ExifOf(path);
    }

    QTemporaryDir dir_;
    QBuffer buffer_;
    QString source_;
    QImage picture_;
    PhotoDetails details_;
};

TEST_F(PhotoDetailsTest, JpegPngAndTiffKeepDateCameraArtistAndCopyrightWithoutLocationOrThumbnail)
{
    ASSERT_EQ(ExifOf(source_).value("Exif.Image.Orientation"), "6");
    ASSERT_TRUE(ExifOf(source_).contains("Exif.Thumbnail.JPEGInterchangeFormat"));
    for (const char* name : {"out.jpg", "out.png", "out.tif"})
        for (const Way way : {Way::Picture, Way::Plane}) {
            const QString written = (way == Way::Picture ? "picture-" : "plane-") + QString(name);
            SCOPED_TRACE(written.toStdString());
            const QMap<QString, QString> exif = Written(written, {}, way);
            EXPECT_EQ(exif.value("Exif.Photo.DateTimeOriginal"), "2024:07:14 09:30:12");
            EXPECT_EQ(exif.value("Exif.Image.DateTime"), "2024:07:15 18:00:00");
            EXPECT_EQ(exif.value("Exif.Image.Make"), "Makerco");
            EXPECT_EQ(exif.value("Exif.Image.Model"), "Model 7");
            EXPECT_EQ(exif.value("Exif.Image.Artist"), "A. Tester");
            EXPECT_EQ(exif.value("Exif.Image.Copyright"), "Copyright A. Tester");
            EXPECT_EQ(exif.value("Exif.Image.Orientation"), "1") << "the pixels are upright already";
            for (auto entry = exif.cbegin(); entry != exif.cend(); ++entry) {
                EXPECT_FALSE(entry.key().startsWith("Exif.GPSInfo.")) << entry.key().toStdString();
                EXPECT_FALSE(entry.key().startsWith("Exif.Thumbnail.")) << entry.key().toStdString();
            }
            EXPECT_FALSE(exif.contains("Exif.Image.Software")) << "only the listed details are kept";
        }
    // A PNG carries them in its standard chunk, ahead of the pixels, with the check sum
    // without which other readers drop it.
    for (const char* png : {"picture-out.png", "plane-out.png"}) {
        const QByteArray bytes = test::ReadBytes(Path(png));
        const qsizetype type = bytes.indexOf("eXIf");
        ASSERT_GT(type, 0) << png;
        EXPECT_LT(type, bytes.indexOf("IDAT")) << png;
        const qsizetype length = qFromBigEndian<quint32>(bytes.constData() + type - 4);
        EXPECT_EQ(qFromBigEndian<quint32>(bytes.constData() + type + 4 + length), PngCrc(bytes.mid(type, 4 + length)))
            << png;
        EXPECT_FALSE(bytes.contains("Raw profile type")) << png;
    }
    // The JPEG straight from the plane is the picture writer's file, details and all.
    EXPECT_EQ(test::ReadBytes(Path("plane-out.jpg")), test::ReadBytes(Path("picture-out.jpg")));
}

TEST_F(PhotoDetailsTest, LocationOnlyWhenKeptAndNothingWhenStripped)
{
    for (const char* format : {"jpg", "png", "tif"})
        for (const Way way : {Way::Plane, Way::Picture}) {
            SCOPED_TRACE(format);
            const QMap<QString, QString> kept = Written(QStringLiteral("kept.%1").arg(format), {true, false}, way);
            EXPECT_EQ(kept.value("Exif.GPSInfo.GPSLatitudeRef"), "N");
            EXPECT_EQ(kept.value("Exif.GPSInfo.GPSLatitude"), "48/1 51/1 2964/100");
            EXPECT_EQ(kept.value("Exif.Image.Make"), "Makerco");

            const QMap<QString, QString> stripped =
                Written(QStringLiteral("stripped.%1").arg(format), {true, true}, way);
            EXPECT_FALSE(stripped.contains("Exif.Image.Make"));
            EXPECT_FALSE(stripped.contains("Exif.Photo.DateTimeOriginal"));
            EXPECT_FALSE(stripped.contains("Exif.GPSInfo.GPSLatitude"));
        }
    // Stripped, or from a picture without details, the file is what it always was.
    ASSERT_EQ(WritePicture(picture_, Path("plain.png"), PictureFormat::Png), "");
    EXPECT_EQ(test::ReadBytes(Path("stripped.png")), test::ReadBytes(Path("plain.png")));
}

TEST_F(PhotoDetailsTest, GifAndBmpCarryNoDetails)
{
    for (const PictureFormat format : {PictureFormat::Gif, PictureFormat::Bmp}) {
        const QString with = Path("with." + FormatExtension(format));
        const QString without = Path("without." + FormatExtension(format));
        ASSERT_EQ(WritePicture(picture_, with, format, DetailsForOutput(details_, {true, false})), "");
        ASSERT_EQ(WritePicture(picture_, without, format), "");
        EXPECT_EQ(test::ReadBytes(with), test::ReadBytes(without));
    }
}

TEST_F(PhotoDetailsTest, DetailsReachTheFileThroughTheAtomicReplacement)
{
    const QString target = Path("replaced.jpg");
    ASSERT_TRUE(test::WriteBytes(target, "an older file"));
    const QStringList before = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(WritePicture(picture_, target, PictureFormat::Jpg, DetailsForOutput(details_, {})), "");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), before) << "no temporary file is left";
    EXPECT_EQ(ExifOf(target).value("Exif.Image.Model"), "Model 7");
}

TEST_F(PhotoDetailsTest, DetailsAreReadFromEveryKindOfSource)
{
    const QImage picture = test::Smooth(64, 48);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(QImageWriter(&png, "png").write(picture));
    const std::pair<const char*, QByteArray> sources[] = {
        {"phone.heic", test::EncodeHeif({picture}, test::HeifCodec::Hevc, {}, test::CameraExifBlock())},
        {"camera.jxl", test::EncodeJxl({picture}, {}, 1, test::CameraExifBlock())},
        {"raw-profile.png", test::WithCameraDetails(png.data())},  // a text chunk of hex digits
    };
    for (const auto& [name, bytes] : sources) {
        SCOPED_TRACE(name);
        const QString source = Path(name);
        ASSERT_TRUE(test::WriteBytes(source, bytes));
        const ReadResult read = ReadPicture(source);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        const QString out = Path(QStringLiteral("from-%1.jpg").arg(name));
        ASSERT_EQ(WritePicture(read.image, out, PictureFormat::Jpg, DetailsForOutput(read.details, {})), "");
        EXPECT_EQ(ExifOf(out).value("Exif.Photo.DateTimeOriginal"), "2024:07:14 09:30:12");
        EXPECT_EQ(ExifOf(out).value("Exif.Image.Make"), "Makerco");
    }
}

}  // namespace
}  // namespace lumetra
