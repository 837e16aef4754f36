#pragma once
// Photo details (EXIF) put into and read out of picture files with exiv2, as a camera
// would have written them: date and time, make, model, artist, copyright, an
// orientation, a GPS position, a thumbnail and an editor's name.

#include <QByteArray>
#include <QMap>
#include <QString>

namespace lumetra::test {

// The encoded JPEG, PNG, TIFF or WebP with a camera's EXIF block added.
QByteArray WithCameraDetails(const QByteArray& encoded);

// The camera's EXIF block alone, TIFF header first.
QByteArray CameraExifBlock();

// Every EXIF entry of a picture file, key to value text; empty when it has none.
QMap<QString, QString> ExifOf(const QString& path);

}  // namespace lumetra::test
