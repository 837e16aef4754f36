// Writing pictures: lossless formats round-trip, JPEG quality, GIF palettes, no alpha,
// and failures that leave the old file alone.

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gif_lib.h>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"
#include "imaging/plane_writer.h"
#include "imaging/write_group.h"
#include "test_pictures.h"

namespace lumetra {
namespace {

using test::Gradient;
using test::MaxDifference;
using test::ReadBytes;

// SamplesPerPixel (tag 277) of the first page of a little-endian TIFF.
int TiffSamplesPerPixel(const QByteArray& tiff)
{
    const auto u16 = [&](qsizetype at) { return int(uchar(tiff[at])) | int(uchar(tiff[at + 1])) << 8; };
    const auto u32 = [&](qsizetype at) { return qsizetype(u16(at)) | qsizetype(u16(at + 2)) << 16; };
    if (!tiff.startsWith("II")) return -1;
    const qsizetype ifd = u32(4);
    for (int i = 0; i < u16(ifd); ++i) {
        const qsizetype entry = ifd + 2 + i * 12;
        if (u16(entry) == 277) return u16(entry + 8);
    }
    return 1;
}

// The first bytes of the first quantisation table (zig-zag order) of a JPEG.
QByteArray FirstQuantisationValues(const QByteArray& jpeg, int count)
{
    const qsizetype dqt = jpeg.indexOf(QByteArray("\xFF\xDB", 2));
    return dqt < 0 ? QByteArray() : jpeg.mid(dqt + 5, count);
}

struct GifFacts {
    int paletteSize = -1;
    int frames = -1;
};

GifFacts ReadGifFacts(const QString& path)
{
    GifFacts facts;
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
    if (!gif) return facts;
    if (DGifSlurp(gif) == GIF_OK) {
        facts.frames = gif->ImageCount;
        facts.paletteSize = gif->SColorMap ? gif->SColorMap->ColorCount : 0;
    }
    DGifCloseFile(gif, &error);
    return facts;
}

class WritePictureTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System); }
    QTemporaryDir dir_;
};

TEST_F(WritePictureTest, LosslessFormatsRoundTripByteForByte)
{
    const QImage picture = Gradient(37, 23);  // odd width: BMP rows are padded
    for (const char* name : {"a.png", "a.tif", "a.bmp", "A.TIFF"}) {
        SCOPED_TRACE(name);
        const QString path = Path(name);
        ASSERT_EQ(WritePicture(picture, path, *WrittenFormatOfExtension(QFileInfo(path).suffix())), "");
        const ReadResult read = ReadPicture(path);
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.image, picture);
    }
}

TEST_F(WritePictureTest, OutputsAreEightBitRgbWithoutAlpha)
{
    QImage translucent = Gradient(5, 4).convertToFormat(QImage::Format_ARGB32);
    translucent.setPixel(0, 0, qRgba(10, 20, 30, 40));
    ASSERT_EQ(WritePicture(translucent, Path("a.png"), PictureFormat::Png), "");
    ASSERT_EQ(WritePicture(translucent, Path("a.bmp"), PictureFormat::Bmp), "");
    ASSERT_EQ(WritePicture(translucent, Path("a.tif"), PictureFormat::Tif), "");
    const QByteArray png = ReadBytes(Path("a.png"));
    EXPECT_EQ(png.at(24), 8);                        // bit depth
    EXPECT_EQ(png.at(25), 2);                        // colour type: RGB, no alpha
    EXPECT_EQ(ReadBytes(Path("a.bmp")).at(28), 24);  // bits per pixel
    EXPECT_EQ(TiffSamplesPerPixel(ReadBytes(Path("a.tif"))), 3);
    // Transparency is composited over black, as when reading.
    const QRgb written = ReadPicture(Path("a.png")).image.pixel(0, 0);
    EXPECT_NEAR(qRed(written), 10.0 * 40 / 255, 1);
    EXPECT_NEAR(qBlue(written), 30.0 * 40 / 255, 1);
}

TEST_F(WritePictureTest, JpegIsWrittenAtQuality90)
{
    ASSERT_EQ(WritePicture(test::Smooth(32, 32), Path("a.jpg"), PictureFormat::Jpg), "");
    // The standard luminance table starts 16, 11, 12, 14 (zig-zag); quality 90 scales it
    // by 20 %: 3, 2, 2, 3.
    EXPECT_EQ(FirstQuantisationValues(ReadBytes(Path("a.jpg")), 4), QByteArray("\x03\x02\x02\x03", 4));
    EXPECT_LE(MaxDifference(ReadPicture(Path("a.jpg")).image, test::Smooth(32, 32)), 12);
}

TEST_F(WritePictureTest, GifHasAtMost256ColorsAndKeepsFewColorsExactly)
{
    const QImage many = Gradient(64, 64);  // thousands of colours
    ASSERT_EQ(WritePicture(many, Path("many.gif"), PictureFormat::Gif), "");
    const GifFacts facts = ReadGifFacts(Path("many.gif"));
    EXPECT_EQ(facts.frames, 1);
    EXPECT_GT(facts.paletteSize, 16);
    EXPECT_LE(facts.paletteSize, 256);
    const ReadResult read = ReadPicture(Path("many.gif"));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.image.size(), many.size());

    QImage few(20, 10, QImage::Format_RGB32);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) few.setPixel(x, y, qRgb((x % 4) * 80, (y % 4) * 80, 120));
    ASSERT_EQ(WritePicture(few, Path("few.gif"), PictureFormat::Gif), "");
    EXPECT_EQ(ReadPicture(Path("few.gif")).image, few);
}

TEST_F(WritePictureTest, FailedWritesNameTheFileAndKeepTheOldOne)
{
    const QString missingFolder = Path("no/such/folder/a.png");
    const QString message = WritePicture(Gradient(4, 4), missingFolder, PictureFormat::Png);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(missingFolder))) << message.toStdString();

    // A GIF side cannot exceed 65535: the encoder fails after the file was opened.
    const QString target = Path("kept.gif");
    ASSERT_EQ(WritePicture(Gradient(8, 8), target, PictureFormat::Gif), "");
    const QByteArray before = ReadBytes(target);
    QImage tooWide(70000, 1, QImage::Format_RGB32);
    tooWide.fill(Qt::white);
    const QString failure = WritePicture(tooWide, target, PictureFormat::Gif);
    EXPECT_TRUE(failure.contains(QDir::toNativeSeparators(target))) << failure.toStdString();
    EXPECT_EQ(ReadBytes(target), before);
    EXPECT_EQ(Files(), QStringList{"kept.gif"});  // no temporary file left behind

    EXPECT_FALSE(WritePicture(QImage(), Path("null.png"), PictureFormat::Png).isEmpty());
    EXPECT_FALSE(QFile::exists(Path("null.png")));
}

// The ways a picture reaches a file: as a picture, straight from the engine's plane
// (lumetra-cli's JPEG and PNG encoders), and as a picture in a group of writes.
using Writer = QString (*)(const QImage&, const QString&, PictureFormat);
QString WriteAsPicture(const QImage& picture, const QString& path, PictureFormat format)
{
    return WritePicture(picture, path, format);
}
QString WriteAsPlane(const QImage& picture, const QString& path, PictureFormat format)
{
    return WritePlane(LoadPixels(picture), path, format);
}
QString WriteInGroup(const QImage& picture, const QString& path, PictureFormat format)
{
    QString committed;
    WriteGroup group;
    const QString added =
        group.Add(path, PictureEncoder(picture, format), [&](const QString& error) { committed = error; });
    group.Commit();
    return added.isEmpty() ? committed : added;
}
constexpr Writer kWriters[] = {WriteAsPicture, WriteAsPlane, WriteInGroup};

// Files of this process fail to grow beyond a given size, as on a device that fills up
// after that many bytes: the write that crosses it fails with "File too large".
class FileSizeCap {
public:
    explicit FileSizeCap(rlim_t bytes)
    {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit cap = previous_;
        cap.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &cap);
    }
    ~FileSizeCap()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int) = nullptr;
};

TEST_F(WritePictureTest, EveryFormatFailingPartWayIsReportedAndKeepsTheOldFile)
{
    QImage noise(256, 192, QImage::Format_RGB32);  // no encoder makes it small
    quint32 seed = 12345;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) noise.setPixel(x, y, (seed = seed * 1664525u + 1013904223u) >> 8);
    for (const char* name : {"a.jpg", "a.png", "a.gif", "a.tif", "a.bmp"}) {
        const QString path = Path(name);
        ASSERT_EQ(WritePicture(Gradient(8, 8), path, *FormatFromKey(path)), "");
        const QByteArray before = ReadBytes(path);
        for (const rlim_t failAfter : {0, 1, 8, 200, 4096, 20000})
            for (const Writer write : kWriters) {
                SCOPED_TRACE(testing::Message() << name << " failing after " << failAfter << " bytes, writer "
                                                << (write == WriteAsPicture ? "picture"
                                                    : write == WriteAsPlane ? "plane"
                                                                            : "group"));
                QString message;
                {
#if defined(__SANITIZE_ADDRESS__)
                    // Qt's JPEG writer does not free its row buffer when the device fails.
                    const __lsan::ScopedDisabler qtLeaks;
#endif
                    const FileSizeCap cap(failAfter);
                    message = write(noise, path, *FormatFromKey(path));
                }
                EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
                EXPECT_TRUE(message.contains("File too large")) << message.toStdString();
                EXPECT_EQ(ReadBytes(path), before);
                EXPECT_EQ(Files().filter(".a."), QStringList());  // no temporary file left
            }
    }
}

TEST_F(WritePictureTest, OutputThatIsNotARegularFileIsRefusedAndLeftAlone)
{
    ASSERT_EQ(mkfifo(Path("fifo.png").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder.png"));
    ASSERT_TRUE(QFile::link("/dev/full", Path("device.png")));
    ASSERT_TRUE(QFile::link(Path("loop.png"), Path("loop.png")));
    ASSERT_TRUE(QFile::link(Path("nothing.png"), Path("dangling.png")));
    for (const char* name : {"fifo.png", "folder.png", "device.png", "loop.png", "dangling.png"})
        for (const Writer write : kWriters) {
            const QString path = Path(name);
            const QFileInfo before(path);
            const QString message = write(Gradient(4, 4), path, PictureFormat::Png);
            EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path))) << message.toStdString();
            EXPECT_EQ(QFileInfo(path).isSymLink(), before.isSymLink()) << name;
            EXPECT_EQ(QFileInfo(path).isFile(), before.isFile()) << name;
        }
    EXPECT_FALSE(QFile::exists(Path("nothing.png")));

    // A link to a regular file writes that file and stays a link.
    ASSERT_EQ(WritePicture(Gradient(4, 4), Path("real.png"), PictureFormat::Png), "");
    ASSERT_TRUE(QFile::link(Path("real.png"), Path("link.png")));
    ASSERT_EQ(WritePicture(Gradient(5, 5), Path("link.png"), PictureFormat::Png), "");
    EXPECT_TRUE(QFileInfo(Path("link.png")).isSymLink());
    EXPECT_EQ(ReadPicture(Path("real.png")).image.size(), QSize(5, 5));
}

TEST_F(WritePictureTest, UnwritableFolderIsAnError)
{
    if (geteuid() == 0) GTEST_SKIP() << "root writes into every folder";
    QDir(dir_.path()).mkdir("locked");
    QFile::setPermissions(Path("locked"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QString path = Path("locked/a.jpg");
    EXPECT_TRUE(WritePicture(Gradient(4, 4), path, PictureFormat::Jpg).contains(QDir::toNativeSeparators(path)));
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace lumetra
