#include "imaging/source_picture.h"

#include <QDir>
#include <new>
#include <utility>

#include "engine/resize.h"
#include "imaging/plane_transfer.h"

namespace lumetra {

SourcePlane ReadSourcePlane(const QString& path, const ReadLimits& limits, const std::optional<TargetSize>& size)
{
    SourcePlane source;
    ReadResult read = ReadPicture(path, limits);
    source.warning = read.warning;
    source.details = std::move(read.details);
    if (!read.ok()) {
        source.error = read.error;
        return source;
    }
    try {
        source.plane = LoadPixels(read.image);
        read.image = QImage();
        if (size) {
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
