#pragma once
// What a decoder of a picture format hands back to the reader.

#include <QImage>
#include <QString>
#include <cstdint>

namespace lumetra {

struct DecodedPicture {
    QImage image;     // upright, first frame; its colour space set when the file gives one
    QString reason;   // why the file cannot be read; empty on success
    QByteArray exif;  // the file's EXIF block (TIFF header first) when the decoder finds it
};

// A file's bytes as the decoding libraries take them.
inline const uint8_t* BytesOf(const QByteArray& file) { return reinterpret_cast<const uint8_t*>(file.constData()); }

// The EXIF block (TIFF header first) of an EXIF item or box as HEIF and JPEG XL store
// it: a big-endian offset to the TIFF header, then the block. Empty when it is cut.
QByteArray ExifAfterOffset(const QByteArray& item);

// A decode that ends without a picture, for this reason.
DecodedPicture NotDecoded(const QString& reason);

// The reasons every decoder may give, translated.
QString NoMemoryReason();  // "not enough memory to read the picture."
QString DamagedReason();   // "the file is damaged or not a picture."

}  // namespace lumetra
