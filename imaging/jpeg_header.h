#pragma once
// What the segments of a JPEG file before its first scan say about how its pixels are
// shown: whether it embeds a colour profile, and the EXIF orientation the picture
// reader turns it by. Read from the bytes alone, without decoding.

#include <QByteArray>

namespace lumetra {

struct JpegHeader {
    bool read = false;           // every segment up to the first scan was walked
    bool colourProfile = false;  // an ICC profile segment is present
    // The orientation the picture reader applies (1: upright, as stored; 2 to 8: the
    // EXIF turns and mirrors); 0 when the EXIF segments leave it in any doubt.
    int orientation = 1;
};

JpegHeader ReadJpegHeader(const QByteArray& file);

}  // namespace lumetra
