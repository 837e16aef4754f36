#include "imaging/jpeg_plane_encoder.h"

#include <turbojpeg.h>

#include <cstring>
#include <memory>

#include "imaging/picture_formats.h"

namespace lumetra {

namespace {

// The JFIF header TurboJPEG writes records no unit and a 1:1 density; the files say
// 96 dots per inch, like every picture the program writes.
void RecordDotsPerInch(unsigned char* file, unsigned long size)
{
    static constexpr unsigned char kJfifStart[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
    constexpr unsigned long kDensityAt = 13;  // unit, then x and y density, big-endian
    if (size < kDensityAt + 5 || std::memcmp(file, kJfifStart, sizeof kJfifStart) != 0) return;
    const unsigned char density[] = {1, 0, 96, 0, 96};
    std::memcpy(file + kDensityAt, density, sizeof density);
}

struct CompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

}  // namespace

QByteArray EncodeJpeg(const PixelPlane& plane, QString& error)
{
    if (plane.Empty()) {
        error = QStringLiteral("there is no picture to write");
        return {};
    }
    // One compressor per call: calls on several threads at once share nothing.
    const std::unique_ptr<void, CompressorDeleter> compressor(tjInitCompress());
    if (!compressor) {
        error = QString::fromLocal8Bit(tjGetErrorStr2(nullptr));
        return {};
    }
    unsigned char* file = nullptr;
    unsigned long size = 0;
    if (tjCompress2(compressor.get(), plane.Row(0), plane.Width(), int(plane.RowBytes()), plane.Height(), TJPF_BGRX,
                    &file, &size, TJSAMP_420, InfoOf(PictureFormat::Jpg).writer.quality,
                    TJFLAG_BOTTOMUP | TJFLAG_ACCURATEDCT) != 0) {
        error = QString::fromLocal8Bit(tjGetErrorStr2(compressor.get()));
        tjFree(file);
        return {};
    }
    RecordDotsPerInch(file, size);
    QByteArray bytes(reinterpret_cast<const char*>(file), qsizetype(size));
    tjFree(file);
    return bytes;
}

}  // namespace lumetra
