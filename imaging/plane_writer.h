#pragma once
// Writing a finished plane as a picture file without making a picture of it first where
// the format allows: JPEG and PNG are encoded straight from the plane's rows. JPEG files
// are the bytes WritePicture writes, PNG files hold the same pixels (written faster, see
// png_plane_encoder.h), the other formats go through WritePicture; same photo details in
// the formats that carry them, same messages, same atomic replacement of the target.

#include <QString>

#include "engine/plane.h"
#include "imaging/atomic_file.h"
#include "imaging/photo_details.h"
#include "imaging/picture_file.h"

namespace lumetra {

// The encoder of a finished plane's file, for WriteFileAtomically or a WriteGroup: it holds
// the plane and does all the work (conversion, encoding, photo details) when it is called,
// on the thread that calls it, so the maker of the plane can go on meanwhile. A PNG or a
// picture in another format lets the plane go once its own copy of the pixels is made.
Encoder PlaneEncoder(SharedPicture plane, PictureFormat format, const PhotoDetails& details = {});

// Writes the plane's file at once. Returns "" on success, otherwise a message naming the
// file and the reason.
QString WritePlane(const PixelPlane& plane, const QString& path, PictureFormat format,
                   const PhotoDetails& details = {});

}  // namespace lumetra
