#include "imaging/source_picture.h"

#include <QDir>
#include <new>
#include <utility>

#include "engine/resize.h"
#include "imaging/jpeg_plane_decoder.h"
#include "imaging/plane_transfer.h"

namespace lumetra {

namespace {

// The picture at its own size. Most photos are JPEGs that decode straight into the plane;
// every other file is read as a picture from the same bytes and copied into one.
// Fills in what it learns as it goes; throws std::bad_alloc when the plane cannot be had.
void ReadWholePlane(const QString& path, const ReadLimits& limits, SourcePlane& source)
{
    InputBytes input = ReadInputFile(path);
    if (input.refusal.isEmpty()) {
        if (std::optional<PixelPlane> plane = DecodeJpegPlane(input.bytes, limits.maxMegapixels)) {
            source.plane = std::move(*plane);
            source.details = ReadPhotoDetails(input.bytes);
            return;
        }
    }
    ReadResult read = ReadPicture(std::move(input), path, limits);
    source.warning = read.warning;
    source.details = std::move(read.details);
    if (!read.ok()) {
        source.error = read.error;
        return;
    }
    source.plane = LoadPixels(read.image);
}

}  // namespace

SourcePlane ReadSourcePlane(const QString& path, const ReadLimits& limits, const std::optional<TargetSize>& size)
{
    SourcePlane source;
    try {
        ReadWholePlane(path, limits, source);
        if (source.ok() && size) {
            const PictureSize target =
                FitInside({source.plane.Width(), source.plane.Height()}, {size->width, size->height}, size->keepAspect);
            source.plane = ResizePlane(source.plane, target);
        }
    } catch (const std::bad_alloc&) {
        source.plane.Release();
        source.error = QStringLiteral("Cannot read \"%1\": not enough memory for the picture.")
                           .arg(QDir::toNativeSeparators(path));
    }
    return source;
}

}  // namespace lumetra
