#pragma once
// JPEG files decoded by libjpeg-turbo's TurboJPEG interface straight into the engine's
// bottom-up BGRX plane, with no picture made and no row converted or copied. Taken only
// where it gives exactly the plane the general picture reader would, with the same
// (empty) messages: anything else is left to that reader.

#include <QByteArray>
#include <optional>

#include "engine/plane.h"

namespace lumetra {

// The plane of the file, turned as its EXIF orientation says, when it is a YCbCr or grey
// JPEG without a colour profile, within the megapixel limit, that decodes without any
// warning; nothing otherwise (including when there is no memory for the plane).
std::optional<PixelPlane> DecodeJpegPlane(const QByteArray& file, double maxMegapixels);

}  // namespace lumetra
