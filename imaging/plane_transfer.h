#pragma once
// Moving pixels between pictures and the engine's planes. A top-down Format_RGB32
// QImage and a bottom-up four-channel plane hold the same rows in reverse order, so
// each transfer is one memcpy per row.

#include <QImage>

#include "engine/plane.h"

namespace lumetra {

// The picture's pixels as a bottom-up BGRX plane of the same size. Pictures in
// another format are converted to RGB32 first.
PixelPlane LoadPixels(const QImage& image);

// The plane drawn into a new Format_RGB32 picture of the plane's size.
QImage DrawPixels(const PixelPlane& plane);

// The plane drawn at the top-left corner of a width x height picture: the picture
// keeps the plane pixels that fall inside it; parts of the picture the plane does not
// cover stay black.
QImage DrawPixels(const PixelPlane& plane, int width, int height);

// The pencil-paper texture built into the program, as a plane.
PixelPlane LoadPencilTexture();

}  // namespace lumetra
