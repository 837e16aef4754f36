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

// The plane drawn into a new Format_RGB888 picture of the plane's size: the same pixels
// in three bytes each instead of four, for pictures kept in memory by the dozen.
QImage DrawPixels24(const PixelPlane& plane);

// A new black width x height picture in RGB32 or RGB888 whose memory comes from the
// planes' buffer store: where many large pictures come and go, that memory has mostly
// been written before, which costs far less than fresh memory. Throws std::bad_alloc.
QImage NewStorePicture(int width, int height, QImage::Format format);

// The pencil-paper texture built into the program, as a plane.
PixelPlane LoadPencilTexture();

}  // namespace lumetra
