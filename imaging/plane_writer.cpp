#include "imaging/plane_writer.h"

#include "engine/engine.h"
#include "imaging/atomic_file.h"
#include "imaging/jpeg_plane_encoder.h"
#include "imaging/plane_transfer.h"

namespace lumetra {

PlaneFile::PlaneFile(const PixelPlane& plane, PictureFormat format, const PhotoDetails& details)
    : format_(format), details_(details)
{
    switch (format) {
    case PictureFormat::Jpg: colors_ = ColorChannels(plane); break;
    case PictureFormat::Png: pngLines_ = FilterForPng(plane); break;
    case PictureFormat::Gif:
    case PictureFormat::Tif:
    case PictureFormat::Bmp: picture_ = DrawPixels(plane); break;
    }
}

Encoder PlaneFile::FileEncoder() const
{
    if (format_ != PictureFormat::Jpg && format_ != PictureFormat::Png)
        return PictureEncoder(picture_, format_, details_);
    // The details are added after encoding and before the rename, as WritePicture does.
    return [this](QIODevice& device) {
        QString reason;
        QByteArray file = format_ == PictureFormat::Jpg ? EncodeJpeg(colors_, reason) : EncodePng(pngLines_, reason);
        if (file.isEmpty()) return reason;
        if (!details_.Empty() && InfoOf(format_).writer.photoDetails)
            if (reason = EmbedPhotoDetails(file, details_); !reason.isEmpty()) return reason;
        return device.write(file) == file.size() ? QString() : device.errorString();
    };
}

QString PlaneFile::Write(const QString& path) const { return WriteFileAtomically(path, FileEncoder()); }

QString WritePlane(const PixelPlane& plane, const QString& path, PictureFormat format, const PhotoDetails& details)
{
    return PlaneFile(plane, format, details).Write(path);
}

}  // namespace lumetra
