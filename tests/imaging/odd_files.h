#pragma once
// Picture files that Qt cannot write directly: CMYK JPEG (libjpeg), JPEG with an EXIF
// orientation, a GIF with two frames (giflib), a TIFF with two pages.

#include <QByteArray>
#include <QColor>
#include <QString>

namespace lumetra::test {

// A width x height JPEG of one CMYK colour, stored the Adobe way (inverted values).
bool WriteCmykJpeg(const QString& path, int width, int height, const unsigned char cmyk[4]);

// A JPEG of the picture with an EXIF orientation tag (6: shown turned 90 degrees clockwise).
QByteArray JpegWithOrientation(const QByteArray& jpeg, int orientation);

// A GIF whose first frame is all `first` and second frame all `second`.
bool WriteTwoFrameGif(const QString& path, int width, int height, QColor first, QColor second);

// An uncompressed 8-bit RGB TIFF with two pages of one colour each.
QByteArray TwoPageTiff(int width, int height, QColor first, QColor second);

}  // namespace lumetra::test
