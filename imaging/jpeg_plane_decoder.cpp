#include "imaging/jpeg_plane_decoder.h"

#include <turbojpeg.h>

#include <QBuffer>
#include <QImageReader>
#include <memory>
#include <new>

#include "imaging/decoded_picture.h"
#include "imaging/heif_decoder.h"
#include "imaging/jpeg_header.h"
#include "imaging/jxl_decoder.h"
#include "imaging/plane_orientation.h"
#include "imaging/picture_damage.h"
#include "imaging/size_limit.h"

namespace lumetra {

namespace {

struct DecompressorDeleter {
    void operator()(void* handle) const { tjDestroy(handle); }
};

// Whether the general reader takes the file for a JPEG: it asks the HEIF and JPEG XL
// decoders first, then Qt's readers.
bool ReadAsJpeg(const QByteArray& file)
{
    if (!file.startsWith("\xFF\xD8") || LooksLikeHeif(file) || LooksLikeJxl(file)) return false;
    QByteArray shared = file;  // the buffer shares the bytes; nothing is copied
    QBuffer buffer(&shared);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return reader.canRead() && reader.format() == "jpeg";
}

// The EXIF orientation to show the decoded plane in, when the file's header lets its
// pixels be taken as they are decoded: without a colour profile to convert from, the
// orientation beyond doubt, nothing the general reader would warn about. 0 otherwise.
int ShownOrientation(const QByteArray& file)
{
    const JpegHeader header = ReadJpegHeader(file);
    const bool asDecoded = header.read && !header.colourProfile && !FindShortfall("jpeg", file, QImage()).cut;
    return asDecoded ? header.orientation : 0;
}

}  // namespace

std::optional<PixelPlane> DecodeJpegPlane(const QByteArray& file, double maxMegapixels)
{
    if (!ReadAsJpeg(file)) return std::nullopt;
    const int orientation = ShownOrientation(file);
    if (orientation == 0) return std::nullopt;
    // One decompressor per call: calls on several threads at once share nothing.
    const std::unique_ptr<void, DecompressorDeleter> decompressor(tjInitDecompress());
    if (!decompressor) return std::nullopt;
    int width = 0, height = 0, subsampling = 0, colourSpace = 0;
    if (tjDecompressHeader3(decompressor.get(), BytesOf(file), static_cast<unsigned long>(file.size()), &width, &height,
                            &subsampling, &colourSpace) != 0)
        return std::nullopt;
    if (colourSpace != TJCS_YCbCr && colourSpace != TJCS_GRAY) return std::nullopt;
    const QSize size(width, height);
    if (!SizeLimitReason(size, maxMegapixels).isEmpty() || !ImpossibleDensity("jpeg", size, file.size()).isEmpty())
        return std::nullopt;
    try {
        PixelPlane plane;
        plane.AllocateForOverwrite(width, height);  // the decode writes every byte
        // The accurate DCT and smooth chroma upsampling are TurboJPEG's defaults, as they are
        // the general reader's; a warning stops the decode, and the general reader then
        // reports the damage in its own words.
        if (tjDecompress2(decompressor.get(), BytesOf(file), static_cast<unsigned long>(file.size()), plane.Data(),
                          width, int(plane.RowBytes()), height, TJPF_BGRX, TJFLAG_BOTTOMUP | TJFLAG_STOPONWARNING) != 0)
            return std::nullopt;
        if (orientation != 1) return Oriented(plane, orientation);
        return plane;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace lumetra
