#pragma once
// Picture files that Qt cannot write directly: CMYK JPEG (libjpeg), JPEGs of any
// chroma sampling, progressive or with restart markers (libjpeg), JPEG with an EXIF
// orientation, a GIF with two frames (giflib), a TIFF with two pages.

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace lumetra::test {

// A width x height JPEG of one CMYK colour, stored the Adobe way (inverted values).
bool WriteCmykJpeg(const QString& path, int width, int height, const unsigned char cmyk[4]);

// How a JPEG is laid out. The luma sampling factors against chroma's 1 x 1 give the
// chroma subsampling: 2 x 2 is 4:2:0, 2 x 1 is 4:2:2, 1 x 1 is 4:4:4.
struct JpegLayout {
    int lumaColumns = 2;
    int lumaRows = 2;
    bool grey = false;
    bool progressive = false;
    int restartRows = 0;  // a restart marker every this many MCU rows; 0: none
};

// The picture as a libjpeg JPEG of quality 90 in the given layout.
QByteArray JpegWithLayout(const QImage& picture, const JpegLayout& layout);

// A JPEG of the picture with an EXIF orientation tag (6: shown turned 90 degrees clockwise),
// in a little-endian EXIF block unless bigEndian.
QByteArray JpegWithOrientation(const QByteArray& jpeg, int orientation, bool bigEndian = false);

// A GIF whose first frame is all `first` and second frame all `second`.
bool WriteTwoFrameGif(const QString& path, int width, int height, QColor first, QColor second);

// An uncompressed 8-bit RGB TIFF with two pages of one colour each.
QByteArray TwoPageTiff(int width, int height, QColor first, QColor second);

}  // namespace lumetra::test
