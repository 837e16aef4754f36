#pragma once
// Reading and writing picture files. Every picture comes in as a QImage in
// Format_RGB32 (transparent pixels composited over black, EXIF orientation applied,
// first frame or page only) and goes out as 8-bit RGB without alpha. Every failure
// comes back as a message naming the file and the reason.

#include <QImage>
#include <QString>
#include <optional>

#include "imaging/atomic_file.h"
#include "imaging/input_file.h"
#include "imaging/photo_details.h"
#include "imaging/picture_formats.h"
#include "imaging/size_limit.h"

namespace lumetra {

struct ReadLimits {
    // Pictures larger than this many million pixels are refused before decoding.
    double maxMegapixels = DefaultMaxMegapixels();
};

struct ReadResult {
    QImage image;          // Format_RGB32 on success
    QString error;         // names the file and the reason; empty on success
    QString warning;       // set when the picture was read but is damaged (e.g. a truncated JPEG)
    PhotoDetails details;  // the EXIF entries pictures made from it may keep
    bool ok() const { return error.isEmpty(); }
};

// The picture as Format_RGB32 with transparent parts composited over black (a
// premultiplied colour is exactly that colour over black).
QImage ToOpaqueRgb32(const QImage& image);

ReadResult ReadPicture(const QString& path, const ReadLimits& limits = {});

// The same for a file already read by ReadInputFile: its bytes (or why it was not read)
// stand for the file at path, which the messages name.
ReadResult ReadPicture(InputBytes input, const QString& path, const ReadLimits& limits = {});

// Writes the picture in the given format through a temporary file in the target's
// folder that is renamed over the target, so a failure never leaves a partial file.
// Formats that carry them get the photo details (see DetailsForOutput). Returns "" on
// success, otherwise a message naming the file and the reason.
QString WritePicture(const QImage& image, const QString& path, PictureFormat format, const PhotoDetails& details = {});

// What WritePicture writes, as an encoder for a file written another way (a WriteGroup).
Encoder PictureEncoder(const QImage& image, PictureFormat format, const PhotoDetails& details = {});

}  // namespace lumetra
