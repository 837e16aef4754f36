// Arbitrary bytes read as a picture file under each name the program recognises (and
// one it does not). A read either fails with a message naming the file, or gives an
// opaque RGB32 picture inside the size limit that survives the trip through a plane.

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

#include "fuzz/fuzz_check.h"
#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"

namespace {

// Small enough that one input stays far below the fuzzer's memory limit, large enough
// that every decoder's normal path runs.
constexpr double kMegapixelLimit = 16.0;

constexpr const char* kNames[] = {"in.bmp",  "in.gif",  "in.jpg",  "in.png",  "in.tif", "in.tiff",
                                  "in.jpeg", "in.dat",  "in.heic", "in.avif", "in.webp", "in.jxl"};

QTemporaryDir* folder = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lumetra::fuzz::StartQt(argc, argv);
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using lumetra::fuzz::Require;
    if (size == 0)
        return 0;
    const QString path = folder->filePath(QString::fromLatin1(kNames[data[0] % std::size(kNames)]));
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be written");
        file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }

    const lumetra::ReadResult read = lumetra::ReadPicture(path, lumetra::ReadLimits{kMegapixelLimit});
    if (!read.ok()) {
        Require(read.image.isNull(), "a failed read gives no picture");
        Require(read.error.contains(path), "the message names the file");
    } else {
        const QImage& image = read.image;
        Require(!image.isNull() && image.format() == QImage::Format_RGB32, "the picture is RGB32");
        Require(double(image.width()) * image.height() <= kMegapixelLimit * 1e6, "the picture is inside the limit");
        const lumetra::PixelPlane plane = lumetra::LoadPixels(image);
        Require(plane.Width() == image.width() && plane.Height() == image.height(), "the plane has the picture's size");
        Require(lumetra::DrawPixels(plane) == image, "the plane draws back into the same picture");
    }
    QFile::remove(path);
    return 0;
}
