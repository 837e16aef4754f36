#include "imaging/jpeg_header.h"

#include <QByteArrayView>

namespace lumetra {

namespace {

constexpr unsigned kStartOfScan = 0xDA;
constexpr unsigned kApp1 = 0xE1;
constexpr unsigned kApp2 = 0xE2;
constexpr int kMostIfds = 10;  // the reader follows no longer chain of IFDs
constexpr unsigned kOrientationTag = 0x0112;
constexpr unsigned kShortType = 3;

// Numbers of a TIFF block in either byte order; Has tells whether a read stays inside it.
class TiffBytes {
public:
    explicit TiffBytes(QByteArrayView tiff) : tiff_(tiff), big_(tiff.startsWith("MM")) {}

    bool Has(qsizetype at, qsizetype count) const { return at >= 0 && count >= 0 && at + count <= tiff_.size(); }
    unsigned U16(qsizetype at) const
    {
        const unsigned a = Byte(at), b = Byte(at + 1);
        return big_ ? a << 8 | b : b << 8 | a;
    }
    quint32 U32(qsizetype at) const
    {
        const quint32 a = U16(at), b = U16(at + 2);
        return big_ ? a << 16 | b : b << 16 | a;
    }

private:
    unsigned Byte(qsizetype at) const { return static_cast<unsigned char>(tiff_[at]); }

    QByteArrayView tiff_;
    bool big_;
};

// The orientation an EXIF segment (after its "Exif\0\0") gives the reader: the first
// orientation entry along the chain of IFDs, 1 when there is none, 0 when the block is
// malformed anywhere the reader would look or the entry is not one valid value.
int ExifOrientation(QByteArrayView tiff)
{
    const TiffBytes b(tiff);
    if (!(tiff.startsWith("II") || tiff.startsWith("MM")) || !b.Has(0, 8) || b.U16(2) != 0x2A) return 0;
    qsizetype end = 8;  // each IFD must start after what was read before it
    quint32 offset = b.U32(4);
    for (int ifd = 0; ifd < kMostIfds; ++ifd) {
        if (offset < end || !b.Has(offset, 2)) return 0;
        const unsigned entries = b.U16(offset);
        const qsizetype first = offset + 2;
        if (!b.Has(first, qsizetype(entries) * 12 + 4)) return 0;
        for (unsigned i = 0; i < entries; ++i) {
            const qsizetype entry = first + qsizetype(i) * 12;
            if (b.U16(entry) != kOrientationTag) continue;
            const unsigned value = b.U16(entry + 8);
            const bool valid = b.U16(entry + 2) == kShortType && b.U32(entry + 4) == 1 && value >= 1 && value <= 8;
            return valid ? int(value) : 0;
        }
        offset = b.U32(first + qsizetype(entries) * 12);
        end = first + qsizetype(entries) * 12 + 4;
        if (offset == 0) return 1;
    }
    return 0;
}

}  // namespace

JpegHeader ReadJpegHeader(const QByteArray& file)
{
    JpegHeader header;
    const QByteArrayView bytes(file);
    if (!bytes.startsWith("\xFF\xD8")) return header;
    bool firstApp1 = true;
    qsizetype at = 2;
    while (at + 4 <= bytes.size()) {
        if (static_cast<unsigned char>(bytes[at]) != 0xFF) return header;
        const unsigned marker = static_cast<unsigned char>(bytes[at + 1]);
        if (marker == 0xFF) {  // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == kStartOfScan) {
            header.read = true;
            return header;
        }
        const qsizetype length =
            qsizetype(static_cast<unsigned char>(bytes[at + 2])) << 8 | static_cast<unsigned char>(bytes[at + 3]);
        if (length < 2 || at + 2 + length > bytes.size()) return header;
        const QByteArrayView data = bytes.sliced(at + 4, length - 2);
        if (marker == kApp2 && data.startsWith(QByteArrayView("ICC_PROFILE\0", 12))) header.colourProfile = true;
        if (marker == kApp1) {
            // The reader takes the orientation from the first APP1 segment only, and only
            // when that one is EXIF; an EXIF segment anywhere else leaves it in doubt.
            const bool exif = data.startsWith(QByteArrayView("Exif\0\0", 6));
            if (exif) header.orientation = firstApp1 ? ExifOrientation(data.sliced(6)) : 0;
            firstApp1 = false;
        }
        at += 2 + length;
    }
    return header;
}

}  // namespace lumetra
