// Damaged, misnamed and odd picture files through the picture reader: each one gives a
// sound picture or a refusal that names the file, never a crash or a half picture.

#include <QDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/file_names.h"
#include "imaging/picture_file.h"
#include "tests/hostile/hostile_pictures.h"
#include "tests/hostile/scratch_files.h"
#include "tests/imaging/photo_files.h"

namespace lumetra {
namespace {

using namespace hostile;

class DamagedFiles : public test::ScratchFiles {
protected:
    static void ExpectRefused(const ReadResult& read, const QString& path)
    {
        EXPECT_FALSE(read.ok()) << path.toStdString();
        EXPECT_TRUE(read.image.isNull());
        EXPECT_TRUE(read.error.contains(QDir::toNativeSeparators(path))) << read.error.toStdString();
    }

    static void ExpectPicture(const ReadResult& read, QSize size)
    {
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.image.format(), QImage::Format_RGB32);
        EXPECT_EQ(read.image.size(), size);
    }
};

constexpr PictureFormat kFormats[] = {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Jpg, PictureFormat::Png,
                                      PictureFormat::Tif};

// The picture in every format read, by extension.
std::vector<std::pair<QString, QByteArray>> EveryFormat(const QImage& picture)
{
    std::vector<std::pair<QString, QByteArray>> files;
    for (const PictureFormat format : kFormats)
        files.emplace_back(FormatExtension(format), EncodePicture(picture, format));
    files.emplace_back("heic", test::EncodeHeif({picture}, test::HeifCodec::Hevc));
    files.emplace_back("avif", test::EncodeHeif({picture}, test::HeifCodec::Av1));
    files.emplace_back("webp", test::EncodeWebp({picture}));
    files.emplace_back("jxl", test::EncodeJxl({picture}));
    return files;
}

TEST_F(DamagedFiles, FilesCutShortAreRefusedOrReadAtTheirFullSize)
{
    const QImage picture = test::Gradient(37, 23);
    for (const auto& [extension, whole] : EveryFormat(picture)) {
        ASSERT_GT(whole.size(), 64) << extension.toStdString();
        for (const qsizetype keep : {qsizetype(0), qsizetype(1), qsizetype(8), qsizetype(30), whole.size() / 4,
                                     whole.size() / 2, whole.size() * 3 / 4, whole.size() - 2}) {
            const QString path = Write(QStringLiteral("cut-%1.%2").arg(keep).arg(extension), whole.left(keep));
            SCOPED_TRACE(path.toStdString());
            const ReadResult read = ReadPicture(path);
            if (!read.ok()) {
                ExpectRefused(read, path);
                continue;
            }
            ExpectPicture(read, picture.size());
            // Read at all, a picture that lost half its bytes or more is never read silently.
            if (keep <= whole.size() / 2) {
                EXPECT_TRUE(read.warning.contains(path)) << read.warning.toStdString();
            }
        }
    }
}

TEST_F(DamagedFiles, PicturesCutShortSayHowManyRowsAreMissing)
{
    const QImage picture = test::Gradient(64, 64);
    const QByteArray bmp = EncodePicture(picture, PictureFormat::Bmp);
    const QByteArray jpeg = EncodePicture(test::Smooth(64, 128), PictureFormat::Jpg);
    const QByteArray tiff = GrayTiff(16, 64);
    struct Case {
        const char* name;
        QByteArray bytes;
        const char* says;
    };
    for (const Case& cut : {Case{"cut.bmp", bmp.left(bmp.size() - 64 * 3 * 10), "10 of its 64 pixel rows are missing"},
                            Case{"cut.tif", tiff.left(tiff.size() - 16 * 8), "8 of its 64 pixel rows are missing"},
                            Case{"cut.jpg", jpeg.left(jpeg.size() * 3 / 4), "of its 128 pixel rows are missing"}}) {
        const QString path = Write(QString::fromLatin1(cut.name), cut.bytes);
        const ReadResult read = ReadPicture(path);
        const QString told = read.ok() ? read.warning : read.error;
        EXPECT_TRUE(told.contains(path) && told.contains(QLatin1String(cut.says))) << told.toStdString();
    }
    // The rows a BMP's data does not reach come out black, never as what the memory held
    // before (here: a white picture of the same size, read and let go just before).
    QImage white(64, 64, QImage::Format_RGB32);
    white.fill(Qt::white);
    ASSERT_TRUE(ReadPicture(Write(QStringLiteral("white.bmp"), EncodePicture(white, PictureFormat::Bmp))).ok());
    const QImage read = ReadPicture(Write(QStringLiteral("cut.bmp"), bmp.left(bmp.size() - 64 * 3 * 10))).image;
    ASSERT_EQ(read.size(), picture.size());
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(read.pixel(x, y), y < 10 ? qRgb(0, 0, 0) : picture.pixel(x, y)) << x << ", " << y;
}

// The header of a GIF or BMP made to promise twice the rows its data holds.
QByteArray DoubledHeight(QByteArray file, PictureFormat format)
{
    const auto setLittle16 = [&](qsizetype at, int value) {
        file[at] = char(value & 0xFF);
        file[at + 1] = char(value >> 8);
    };
    const auto little16 = [&](qsizetype at) { return int(uchar(file[at])) | int(uchar(file[at + 1])) << 8; };
    if (format == PictureFormat::Bmp) {
        setLittle16(22, little16(22) * 2);
        return file;
    }
    setLittle16(8, little16(8) * 2);
    const qsizetype frame = 13 + 3 * (2 << (uchar(file[10]) & 7));
    EXPECT_EQ(uchar(file[frame]), 0x2C);
    setLittle16(frame + 7, little16(frame + 7) * 2);
    return file;
}

TEST_F(DamagedFiles, HeadersPromisingMoreThanTheDataAreToldOrRefused)
{
    const QImage picture = test::Gradient(40, 30);
    for (const PictureFormat format : {PictureFormat::Bmp, PictureFormat::Gif}) {
        const QString path = Write(QStringLiteral("doubled.") + FormatExtension(format),
                                   DoubledHeight(EncodePicture(picture, format), format));
        const ReadResult read = ReadPicture(path);
        const QString told = read.ok() ? read.warning : read.error;
        EXPECT_TRUE(told.contains(path) && told.contains("30 of its 60 pixel rows are missing")) << told.toStdString();
    }

    // A few kilobytes claiming 100 million pixels are refused before decoding.
    QByteArray jpeg = EncodePicture(test::Smooth(64, 48), PictureFormat::Jpg);
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    jpeg.replace(frame + 5, 4, QByteArray("\x27\x0F\x27\x10", 4));  // 10000 x 9999
    QByteArray bmp = EncodePicture(test::Gradient(2, 2), PictureFormat::Bmp);
    bmp.replace(18, 8, QByteArray("\x30\x75\x00\x00\xB8\x0B\x00\x00", 8));  // 30000 x 3000
    for (const auto& [name, bytes] : {std::pair{"huge.jpg", jpeg}, std::pair{"huge.bmp", bmp}}) {
        const QString path = Write(QString::fromLatin1(name), bytes);
        const ReadResult read = ReadPicture(path);
        ExpectRefused(read, path);
        EXPECT_TRUE(read.error.contains("far more than")) << read.error.toStdString();
    }
}

TEST_F(DamagedFiles, InputsThatAreNotRegularFilesAreNeverRead)
{
    const QString fifo = Path("fifo.png");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);  // reading it would block
    for (const QString& path : {fifo, QStringLiteral("/dev/zero"), QStringLiteral("/dev/null")}) {
        const ReadResult read = ReadPicture(path);
        ExpectRefused(read, path);
        EXPECT_TRUE(read.error.contains("not a regular file")) << read.error.toStdString();
    }
    const ReadResult folder = ReadPicture(dir_.path());
    EXPECT_TRUE(folder.error.contains("it is a folder")) << folder.error.toStdString();
}

TEST_F(DamagedFiles, NamesThatAreNotTextAreReadWrittenAndShownEscaped)
{
    const QByteArray folder = QFile::encodeName(dir_.path());
    const QString odd = NameFromBytes(folder + "/caf\xE9\x07.png");  // Latin-1 e-acute and a bell
    ASSERT_TRUE(odd.contains(QChar(0xDCE9)));
    EXPECT_EQ(NameToBytes(odd), folder + "/caf\xE9\x07.png");
    ASSERT_EQ(WritePicture(test::Gradient(6, 5), odd, PictureFormat::Png), "");
    EXPECT_EQ(access((folder + "/caf\xE9\x07.png").constData(), F_OK), 0);
    EXPECT_EQ(ReadPicture(odd).image, test::Gradient(6, 5));

    const QString missing = NameFromBytes(folder + "/gone\xFF\x1B[2J.png");
    const QString error = ReadPicture(missing).error;
    EXPECT_TRUE(error.contains("gone\\xFF\\x1B[2J.png")) << error.toStdString();
    EXPECT_TRUE(error.contains("does not exist")) << error.toStdString();
}

TEST_F(DamagedFiles, PicturesUnderTheWrongExtensionAreReadByTheirContent)
{
    const QImage picture = test::Gradient(19, 11);
    const QString pngAsJpg = Write(QStringLiteral("png.jpg"), EncodePicture(picture, PictureFormat::Png));
    const QString bmpAsGif = Write(QStringLiteral("bmp.gif"), EncodePicture(picture, PictureFormat::Bmp));
    const QString tifAsPng = Write(QStringLiteral("tif.png"), EncodePicture(picture, PictureFormat::Tif));
    const QString jpgAsBmp = Write(QStringLiteral("jpg.bmp"), EncodePicture(picture, PictureFormat::Jpg));
    const QString jxlAsJpg = Write(QStringLiteral("jxl.jpg"), test::EncodeJxl({picture}));
    const QString webpAsPng = Write(QStringLiteral("webp.png"), test::EncodeWebp({picture}));
    for (const QString& path : {pngAsJpg, bmpAsGif, tifAsPng, jxlAsJpg, webpAsPng}) {
        const ReadResult read = ReadPicture(path);
        ExpectPicture(read, picture.size());
        EXPECT_EQ(test::MaxDifference(read.image, picture), 0) << path.toStdString();
    }
    ExpectPicture(ReadPicture(jpgAsBmp), picture.size());
    const QString heicAsJxl = Write(QStringLiteral("heic.jxl"), test::EncodeHeif({picture}, test::HeifCodec::Hevc));
    ExpectPicture(ReadPicture(heicAsJxl), picture.size());

    const QString text = Write(QStringLiteral("notes.png"), QByteArray("these are not pixels\n"));
    ExpectRefused(ReadPicture(text), text);
}

TEST_F(DamagedFiles, GifWithoutFramesIsRefused)
{
    const QString path = Write(QStringLiteral("empty.gif"), GifWithoutFrames());
    ExpectRefused(ReadPicture(path), path);
}

TEST_F(DamagedFiles, TiffWithZeroWidthIsRefusedWhileTheSameTiffWithPixelsReads)
{
    const QString broken = Write(QStringLiteral("zero.tif"), GrayTiff(0, 4));
    ExpectRefused(ReadPicture(broken), broken);

    const QString sound = Write(QStringLiteral("grey.tif"), GrayTiff(5, 3));
    const ReadResult read = ReadPicture(sound);
    ExpectPicture(read, QSize(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const int gray = (y * 5 + x) * 7 % 256;
            EXPECT_EQ(read.image.pixel(x, y), qRgb(gray, gray, gray)) << x << "," << y;
        }
}

TEST_F(DamagedFiles, SixteenBitGrayPngKeepsItsGrays)
{
    const QByteArray bytes = GrayPng16(9, 7);
    ASSERT_EQ(bytes[24], 16) << "the file is not 16 bits deep";
    ASSERT_EQ(bytes[25], 0) << "the file is not grey";
    const QString path = Write(QStringLiteral("grey16.png"), bytes);
    const ReadResult read = ReadPicture(path);
    ExpectPicture(read, QSize(9, 7));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const int gray = GrayPng16Expected(x, y);
            EXPECT_EQ(read.image.pixel(x, y), qRgb(gray, gray, gray)) << x << "," << y;
        }
}

TEST_F(DamagedFiles, CmykJpegComesOutInItsColors)
{
    // No ink is white, full black ink is black, cyan ink takes the red away.
    struct Case {
        unsigned char c, m, y, k;
        QRgb expected;
    };
    for (const Case& ink : {Case{0, 0, 0, 0, qRgb(255, 255, 255)}, Case{0, 0, 0, 255, qRgb(0, 0, 0)},
                            Case{255, 0, 0, 0, qRgb(0, 255, 255)}}) {
        const QString path =
            Write(QStringLiteral("cmyk-%1-%2.jpg").arg(ink.c).arg(ink.k), CmykJpeg(16, 8, ink.c, ink.m, ink.y, ink.k));
        const ReadResult read = ReadPicture(path);
        ExpectPicture(read, QSize(16, 8));
        QImage expected(16, 8, QImage::Format_RGB32);
        expected.fill(ink.expected);
        EXPECT_LE(test::MaxDifference(read.image, expected), 3) << path.toStdString();
    }
}

}  // namespace
}  // namespace lumetra
