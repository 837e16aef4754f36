#pragma once
// JPEG XL pictures through libjxl: the first frame, turned as the file says, with
// its colour profile.

#include <QByteArray>

#include "imaging/decoded_picture.h"

namespace lumetra {

// Whether the file's first bytes are a JPEG XL signature (bare code stream or container).
bool LooksLikeJxl(const QByteArray& head);

// The size limit is checked from the header, before any pixel is decoded.
DecodedPicture DecodeJxl(const QByteArray& file, double maxMegapixels);

}  // namespace lumetra
