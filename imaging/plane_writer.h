#pragma once
// Writing a finished plane as a picture file without making a picture of it first where
// the format allows: JPEG and PNG are encoded straight from the plane's rows. JPEG files
// are the bytes WritePicture writes, PNG files hold the same pixels (written faster, see
// png_plane_encoder.h), the other formats go through WritePicture; same photo details in
// the formats that carry them, same messages, same atomic replacement of the target.

#include <QImage>
#include <QString>

#include "engine/plane.h"
#include "imaging/photo_details.h"
#include "imaging/picture_file.h"
#include "imaging/png_plane_encoder.h"

namespace lumetra {

// A finished plane made ready to be written: what the encoder needs is taken from the
// plane at once, in three bytes a pixel, so the plane can be reused; the encoding and the
// writing happen in Write, on any thread.
class PlaneFile {
public:
    // Throws std::bad_alloc when there is no memory for the copy.
    PlaneFile(const PixelPlane& plane, PictureFormat format, const PhotoDetails& details = {});

    // Returns "" on success, otherwise a message naming the file and the reason.
    QString Write(const QString& path) const;
    // What Write writes, for a file written another way (a WriteGroup); valid while
    // this object lives.
    Encoder FileEncoder() const;

private:
    PictureFormat format_;
    PhotoDetails details_;
    ColorPlane colors_;      // JPEG
    PngScanLines pngLines_;  // PNG
    QImage picture_;         // the other formats
};

// PlaneFile(plane, format, details).Write(path).
QString WritePlane(const PixelPlane& plane, const QString& path, PictureFormat format,
                   const PhotoDetails& details = {});

}  // namespace lumetra
