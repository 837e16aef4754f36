#pragma once
// JPEG files straight from a plane through libjpeg-turbo's TurboJPEG interface: the
// bottom-up blue-green-red-unused rows of a finished plane go in as they are, with no
// picture made and no row converted. The format table's JPEG quality, 4:2:0 chroma, the
// accurate DCT and a 96-dpi JFIF header: the bytes Qt's JPEG writer gives for the same picture.

#include <QByteArray>
#include <QString>

#include "engine/plane.h"

namespace lumetra {

// The JPEG file of a finished plane, or an empty array with the reason in `error`.
QByteArray EncodeJpeg(const PixelPlane& plane, QString& error);

}  // namespace lumetra
