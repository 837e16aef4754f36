#pragma once
// HEIC/HEIF and AVIF pictures through libheif: the primary image, turned and cropped
// as the file says, with its colour profile.

#include <QByteArray>

#include "imaging/decoded_picture.h"

namespace lumetra {

// Whether the file's first bytes are those of a HEIF container (HEIC, HEIF, AVIF).
bool LooksLikeHeif(const QByteArray& head);

// The size limit is checked from the header, before any pixel is decoded.
DecodedPicture DecodeHeif(const QByteArray& file, double maxMegapixels);

}  // namespace lumetra
