#pragma once
// Odd and hostile picture files, built byte by byte or with the encoders, for the
// robustness tests and as seeds for the picture reader's fuzzer.

#include <QByteArray>
#include <QImage>

#include "imaging/picture_file.h"

namespace lumetra::hostile {

// The picture encoded in the format, as a file would hold it.
QByteArray EncodePicture(const QImage& image, PictureFormat format);

// A width x height picture of one colour, encoded in the format.
QByteArray OneColorPicture(int width, int height, QRgb color, PictureFormat format);

// A GIF with a header, a screen and a palette, but not a single frame.
QByteArray GifWithoutFrames();

// An uncompressed 8-bit grey TIFF of the given size; width 0 makes the damaged file
// whose pixel rows have no length.
QByteArray GrayTiff(int width, int height);

// A 16-bit grey PNG whose pixel (x, y) is 257 * ((x * 16 + y * 40) % 256), so that each
// value maps to one exact 8-bit grey.
QByteArray GrayPng16(int width, int height);
int GrayPng16Expected(int x, int y);

// A CMYK JPEG filled with one amount of each ink (0 none, 255 full), stored inverted
// under an Adobe marker as such files usually are.
QByteArray CmykJpeg(int width, int height, unsigned char c, unsigned char m, unsigned char y, unsigned char k);

// A PNG that announces width x height RGB pixels but holds only a few compressed
// rows: a few kilobytes that would unpack to gigabytes.
QByteArray PngBomb(int width, int height);

// A small HEIC whose header announces width x height pixels.
QByteArray HeifBomb(int width, int height);

// The first bytes of a JPEG XL code stream that announces side x side pixels.
QByteArray JxlBomb(int side);

}  // namespace lumetra::hostile
