#include "imaging/plane_writer.h"

#include <QImage>
#include <utility>

#include "imaging/jpeg_plane_encoder.h"
#include "imaging/plane_transfer.h"
#include "imaging/png_plane_encoder.h"

namespace lumetra {

namespace {

// The details are added after encoding and before the rename, as WritePicture does.
QString WriteEncoded(QByteArray file, QString reason, PictureFormat format, const PhotoDetails& details,
                     QIODevice& device)
{
    if (file.isEmpty()) return reason;
    if (!details.Empty() && InfoOf(format).writer.photoDetails)
        if (reason = EmbedPhotoDetails(file, details); !reason.isEmpty()) return reason;
    return device.write(file) == file.size() ? QString() : device.errorString();
}

}  // namespace

Encoder PlaneEncoder(SharedPicture plane, PictureFormat format, const PhotoDetails& details)
{
    switch (format) {
    case PictureFormat::Jpg:
        return [plane = std::move(plane), details](QIODevice& device) {
            QString reason;
            QByteArray file = EncodeJpeg(*plane, reason);
            return WriteEncoded(std::move(file), reason, PictureFormat::Jpg, details, device);
        };
    case PictureFormat::Png:
        return [plane = std::move(plane), lines = PngScanLines(), details](QIODevice& device) mutable {
            if (plane) {
                lines = FilterForPng(*plane);
                plane.reset();
            }
            QString reason;
            QByteArray file = EncodePng(lines, reason);
            return WriteEncoded(std::move(file), reason, PictureFormat::Png, details, device);
        };
    case PictureFormat::Gif:
    case PictureFormat::Tif:
    case PictureFormat::Bmp: break;
    }
    return [plane = std::move(plane), picture = QImage(), format, details](QIODevice& device) mutable {
        if (plane) {
            picture = DrawPixels(*plane);
            plane.reset();
        }
        return PictureEncoder(picture, format, details)(device);
    };
}

QString WritePlane(const PixelPlane& plane, const QString& path, PictureFormat format, const PhotoDetails& details)
{
    // The write is over before this returns, so the encoder may borrow the plane.
    return WriteFileAtomically(path, PlaneEncoder(SharedPicture(SharedPicture(), &plane), format, details));
}

}  // namespace lumetra
