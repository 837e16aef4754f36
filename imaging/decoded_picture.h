#pragma once
// What a decoder of a picture format hands back to the reader.

#include <QImage>
#include <QString>

namespace lumetra {

struct DecodedPicture {
    QImage image;     // upright, first frame; its colour space set when the file gives one
    QString reason;   // why the file cannot be read; empty on success
    QByteArray exif;  // the file's EXIF block (TIFF header first) when the decoder finds it
};

}  // namespace lumetra
