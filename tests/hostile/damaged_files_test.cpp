// Damaged, misnamed and odd picture files through the picture reader: each one gives a
// sound picture or a refusal that names the file, never a crash or a half picture.

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "imaging/picture_file.h"
#include "tests/hostile/hostile_pictures.h"
#include "tests/imaging/test_pictures.h"

namespace lumetra {
namespace {

using namespace hostile;

class DamagedFiles : public testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(test::WriteBytes(path, bytes));
        return path;
    }

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

    QTemporaryDir dir_;
};

constexpr PictureFormat kFormats[] = {PictureFormat::Bmp, PictureFormat::Gif, PictureFormat::Jpg,
                                      PictureFormat::Png, PictureFormat::Tif};

TEST_F(DamagedFiles, FilesCutShortAreRefusedOrReadAtTheirFullSize)
{
    const QImage picture = test::Gradient(37, 23);
    for (const PictureFormat format : kFormats) {
        const QByteArray whole = EncodePicture(picture, format);
        ASSERT_GT(whole.size(), 64);
        for (const qsizetype keep : {qsizetype(1), qsizetype(8), qsizetype(30), whole.size() / 4, whole.size() / 2,
                                     whole.size() * 3 / 4, whole.size() - 2}) {
            const QString path = Write(QStringLiteral("cut-%1.%2").arg(keep).arg(FormatExtension(format)), whole.left(keep));
            SCOPED_TRACE(path.toStdString());
            const ReadResult read = ReadPicture(path);
            if (read.ok())
                ExpectPicture(read, picture.size());
            else
                ExpectRefused(read, path);
        }
    }
}

TEST_F(DamagedFiles, CutJpegIsReadWithAWarning)
{
    const QByteArray whole = EncodePicture(test::Gradient(64, 64), PictureFormat::Jpg);
    const QString path = Write(QStringLiteral("cut.jpg"), whole.left(whole.size() * 3 / 4));
    const ReadResult read = ReadPicture(path);
    ExpectPicture(read, QSize(64, 64));
    EXPECT_TRUE(read.warning.contains(path)) << read.warning.toStdString();
}

TEST_F(DamagedFiles, PicturesUnderTheWrongExtensionAreReadByTheirContent)
{
    const QImage picture = test::Gradient(19, 11);
    const QString pngAsJpg = Write(QStringLiteral("png.jpg"), EncodePicture(picture, PictureFormat::Png));
    const QString bmpAsGif = Write(QStringLiteral("bmp.gif"), EncodePicture(picture, PictureFormat::Bmp));
    const QString tifAsPng = Write(QStringLiteral("tif.png"), EncodePicture(picture, PictureFormat::Tif));
    const QString jpgAsBmp = Write(QStringLiteral("jpg.bmp"), EncodePicture(picture, PictureFormat::Jpg));
    for (const QString& path : {pngAsJpg, bmpAsGif, tifAsPng}) {
        const ReadResult read = ReadPicture(path);
        ExpectPicture(read, picture.size());
        EXPECT_EQ(test::MaxDifference(read.image, picture), 0) << path.toStdString();
    }
    ExpectPicture(ReadPicture(jpgAsBmp), picture.size());

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
    const QString broken = Write(QStringLiteral("zero.tif"), GreyTiff(0, 4));
    ExpectRefused(ReadPicture(broken), broken);

    const QString sound = Write(QStringLiteral("grey.tif"), GreyTiff(5, 3));
    const ReadResult read = ReadPicture(sound);
    ExpectPicture(read, QSize(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            const int grey = (y * 5 + x) * 7 % 256;
            EXPECT_EQ(read.image.pixel(x, y), qRgb(grey, grey, grey)) << x << "," << y;
        }
}

TEST_F(DamagedFiles, SixteenBitGreyPngKeepsItsGreys)
{
    const QByteArray bytes = GreyPng16(9, 7);
    ASSERT_EQ(bytes[24], 16) << "the file is not 16 bits deep";
    ASSERT_EQ(bytes[25], 0) << "the file is not grey";
    const QString path = Write(QStringLiteral("grey16.png"), bytes);
    const ReadResult read = ReadPicture(path);
    ExpectPicture(read, QSize(9, 7));
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            const int grey = GreyPng16Expected(x, y);
            EXPECT_EQ(read.image.pixel(x, y), qRgb(grey, grey, grey)) << x << "," << y;
        }
}

TEST_F(DamagedFiles, CmykJpegComesOutInItsColours)
{
    // No ink is white, full black ink is black, cyan ink takes the red away.
    struct Case {
        unsigned char c, m, y, k;
        QRgb expected;
    };
    for (const Case& ink : {Case{0, 0, 0, 0, qRgb(255, 255, 255)}, Case{0, 0, 0, 255, qRgb(0, 0, 0)},
                            Case{255, 0, 0, 0, qRgb(0, 255, 255)}}) {
        const QString path = Write(QStringLiteral("cmyk-%1-%2.jpg").arg(ink.c).arg(ink.k),
                                   CmykJpeg(16, 8, ink.c, ink.m, ink.y, ink.k));
        const ReadResult read = ReadPicture(path);
        ExpectPicture(read, QSize(16, 8));
        QImage expected(16, 8, QImage::Format_RGB32);
        expected.fill(ink.expected);
        EXPECT_LE(test::MaxDifference(read.image, expected), 3) << path.toStdString();
    }
}

}  // namespace
}  // namespace lumetra
