// Arbitrary bytes read as a picture file under each name the program recognises (and
// one it does not). A read either fails with a message naming the file, or gives an
// opaque RGB32 picture inside the size limit that survives the trip through a plane.

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_check.h"

namespace {

constexpr const char* kNames[] = {"in.bmp",  "in.gif", "in.jpg",  "in.png",  "in.tif",  "in.tiff",
                                  "in.jpeg", "in.dat", "in.heic", "in.avif", "in.webp", "in.jxl"};

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
    if (size == 0) return 0;
    const QString path = folder->filePath(QString::fromLatin1(kNames[data[0] % std::size(kNames)]));
    {
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file can be written");
        file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    }
    lumetra::fuzz::RequireKept(lumetra::fuzz::CheckPictureFile(path));
    QFile::remove(path);
    return 0;
}
