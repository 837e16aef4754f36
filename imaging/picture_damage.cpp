#include "imaging/picture_damage.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace lumetra {

namespace {

constexpr double kMostPixelsPerByte = 1000.0;
constexpr double kMostGifPixelsPerByte = 3000.0;

// Little- or big-endian numbers at any offset of the file, 0 beyond its end.
class Bytes {
public:
    Bytes(const QByteArray& data, bool bigEndian = false) : data_(data), big_(bigEndian) {}
    qsizetype Size() const { return data_.size(); }
    unsigned U8(qsizetype at) const { return at >= 0 && at < data_.size() ? static_cast<unsigned char>(data_[at]) : 0; }
    unsigned U16(qsizetype at) const { return big_ ? U8(at) << 8 | U8(at + 1) : U8(at) | U8(at + 1) << 8; }
    quint32 U32(qsizetype at) const
    {
        return big_ ? quint32(U16(at)) << 16 | U16(at + 2) : quint32(U16(at)) | quint32(U16(at + 2)) << 16;
    }

private:
    const QByteArray& data_;
    bool big_;
};

Shortfall RowsShort(qint64 missing, qint64 total)
{
    return {missing > 0, static_cast<int>(std::clamp<qint64>(missing, 0, total)), static_cast<int>(total)};
}

// The row an RLE-compressed BMP's data reaches when it ends without its end marker.
Shortfall BmpRleShortfall(const Bytes& b, qsizetype at, int height, bool fourBit)
{
    qint64 row = 0;
    while (at + 1 < b.Size() && row < height) {
        const unsigned count = b.U8(at), code = b.U8(at + 1);
        at += 2;
        if (count > 0) continue;  // a run of one colour
        if (code == 0) {
            ++row;
        } else if (code == 1) {
            return {};  // end of the picture: the rest is background by design
        } else if (code == 2) {
            row += b.U8(at + 1);
            at += 2;
        } else {
            const qsizetype stored = fourBit ? (code + 1) / 2 : code;
            at += stored + (stored & 1);
        }
    }
    if (row >= height) return {};
    return RowsShort(height - row, height);
}

Shortfall BmpShortfall(const Bytes& b)
{
    const quint32 dataOffset = b.U32(10);
    const quint32 headerSize = b.U32(14);
    const bool core = headerSize == 12;
    const qint64 width = core ? b.U16(18) : qint64(qint32(b.U32(18)));
    const qint64 height = std::abs(core ? qint64(b.U16(20)) : qint64(qint32(b.U32(22))));
    const unsigned bitsPerPixel = b.U16(core ? 24 : 28);
    const quint32 compression = core ? 0 : b.U32(30);
    if (width <= 0 || height <= 0 || height > (1 << 24)) return {};
    if (compression == 1 || compression == 2)
        return BmpRleShortfall(b, dataOffset, static_cast<int>(height), compression == 2);
    if (compression != 0 && compression != 3 && compression != 6) return {};
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    const qint64 lacking = qint64(dataOffset) + stride * height - b.Size();
    if (lacking <= 0 || stride == 0) return {};
    return RowsShort((lacking + stride - 1) / stride, height);
}

// Reads the LZW codes of a GIF frame across its data sub-blocks.
class GifCodes {
public:
    GifCodes(const Bytes& b, qsizetype firstBlock) : b_(b), block_(firstBlock) {}

    // The next code of the given width; false when the data runs out.
    bool Next(int width, int& code)
    {
        while (bitCount_ < width) {
            if (left_ == 0) {
                if (block_ >= b_.Size() || b_.U8(block_) == 0) return false;
                left_ = b_.U8(block_);
                at_ = block_ + 1;
                block_ = at_ + left_;
            }
            if (at_ >= b_.Size()) return false;
            bits_ |= b_.U8(at_++) << bitCount_;
            bitCount_ += 8;
            --left_;
        }
        code = static_cast<int>(bits_ & ((1u << width) - 1));
        bits_ >>= width;
        bitCount_ -= width;
        return true;
    }

private:
    const Bytes& b_;
    qsizetype block_;
    qsizetype at_ = 0;
    unsigned left_ = 0;
    quint32 bits_ = 0;
    int bitCount_ = 0;
};

// How many pixels the LZW data of a frame stands for, counted without decoding them.
qint64 GifPixelsInData(const Bytes& b, qsizetype at, qint64 wanted)
{
    const int minimumWidth = static_cast<int>(b.U8(at));
    if (minimumWidth < 2 || minimumWidth > 11) return wanted;  // not a frame we can judge; the decoder will
    const int clear = 1 << minimumWidth;
    std::vector<qint64> length(4096, 1);
    GifCodes codes(b, at + 1);
    int width = minimumWidth + 1, next = clear + 2, previous = -1, code = 0;
    qint64 pixels = 0;
    while (pixels < wanted && codes.Next(width, code)) {
        if (code == clear) {
            width = minimumWidth + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == clear + 1 || code > next || (previous < 0 && code > clear))
            break;  // end of data, or a code the decoder stops at too
        pixels += code == next ? length[previous] + 1 : length[code];
        if (previous >= 0 && next < 4096) {
            length[next] = length[previous] + 1;
            if (++next == 1 << width && width < 12) ++width;
        }
        previous = code;
    }
    return pixels;
}

qsizetype SkipGifSubBlocks(const Bytes& b, qsizetype at)
{
    while (at < b.Size() && b.U8(at) != 0) at += b.U8(at) + 1;
    return at + 1;
}

Shortfall GifShortfall(const Bytes& b)
{
    const unsigned screenFlags = b.U8(10);
    qsizetype at = 13 + ((screenFlags & 0x80) ? 3 * (2 << (screenFlags & 7)) : 0);
    while (at < b.Size()) {
        const unsigned kind = b.U8(at);
        if (kind == 0x21) {
            at = SkipGifSubBlocks(b, at + 2);
        } else if (kind == 0x2C) {
            const qint64 width = b.U16(at + 5), height = b.U16(at + 7);
            const unsigned flags = b.U8(at + 9);
            at += 10 + ((flags & 0x80) ? 3 * (2 << (flags & 7)) : 0);
            if (width == 0 || height == 0) return {};
            const qint64 missing = width * height - GifPixelsInData(b, at, width * height);
            return RowsShort((missing + width - 1) / width, height);
        } else {
            return {};  // the trailer, or something the decoder judges
        }
    }
    return {};
}

// A PNG whose chunks run past the end of the file, or stop before the closing IEND.
Shortfall PngShortfall(const Bytes& b)
{
    qsizetype at = 8;
    while (at + 8 <= b.Size()) {
        const qint64 length = b.U32(at);
        if (b.U32(at + 4) == 0x49454E44)  // "IEND"
            return {};
        at += 12 + length;
    }
    return {true, 0, static_cast<int>(b.U32(20))};
}

// The rows of a TIFF's strips that lie beyond the end of the file.
Shortfall TiffShortfall(const QByteArray& file)
{
    const Bytes b(file, file.startsWith("MM"));
    const qsizetype ifd = b.U32(4);
    const unsigned entries = b.U16(ifd);
    qint64 height = 0, rowsPerStrip = 0;
    struct Array {
        unsigned type = 0;
        quint32 count = 0, where = 0;
    } offsets, counts;
    for (unsigned i = 0; i < entries; ++i) {
        const qsizetype entry = ifd + 2 + qsizetype(i) * 12;
        const unsigned tag = b.U16(entry), type = b.U16(entry + 2);
        const quint32 count = b.U32(entry + 4);
        const quint32 value = type == 3 ? b.U16(entry + 8) : b.U32(entry + 8);
        const quint32 where = count * (type == 3 ? 2 : 4) <= 4 ? quint32(entry + 8) : b.U32(entry + 8);
        if (tag == 257)
            height = value;
        else if (tag == 278)
            rowsPerStrip = value;
        else if (tag == 273)
            offsets = {type, count, where};
        else if (tag == 279)
            counts = {type, count, where};
    }
    if (height <= 0 || offsets.count == 0 || offsets.count != counts.count || offsets.count > (1u << 20)) return {};
    rowsPerStrip = rowsPerStrip <= 0 ? height : std::min(rowsPerStrip, height);
    const auto value = [&](const Array& a, quint32 i) -> qint64 {
        return a.type == 3 ? b.U16(a.where + qint64(i) * 2) : b.U32(a.where + qint64(i) * 4);
    };
    // A strip cut part-way is taken to miss the same share of its rows.
    qint64 missing = 0;
    for (quint32 i = 0; i < offsets.count; ++i) {
        const qint64 rows = std::clamp<qint64>(height - qint64(i) * rowsPerStrip, 0, rowsPerStrip);
        const qint64 length = value(counts, i);
        const qint64 present = std::clamp<qint64>(b.Size() - value(offsets, i), 0, length);
        if (present < length) missing += rows - present * rows / length;
    }
    return RowsShort(missing, height);
}

// A JPEG without its end marker FF D9 (near the end, after which only a little padding
// may follow) was cut short; the decoder fills the missing end grey.
Shortfall JpegShortfall(const QByteArray& file, const QImage& decoded)
{
    if (file.right(1024).contains(QByteArray("\xFF\xD9", 2))) return {};
    int grayRows = 0;
    for (int y = decoded.height() - 1; y >= 0; --y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(decoded.constScanLine(y));
        if (!std::all_of(row, row + decoded.width(), [](QRgb p) { return (p & 0xFFFFFF) == 0x808080; })) break;
        ++grayRows;
    }
    return {true, grayRows, decoded.height()};
}

}  // namespace

QString ImpossibleDensity(const QByteArray& format, QSize size, qint64 bytes)
{
    double limit = 0;
    if (format == "jpeg" || format == "bmp")
        limit = kMostPixelsPerByte;
    else if (format == "gif")
        limit = kMostGifPixelsPerByte;
    const double pixels = double(size.width()) * double(size.height());
    if (limit == 0 || pixels <= limit * double(std::max<qint64>(bytes, 1))) return {};
    return QStringLiteral(
               "its header claims %1 x %2 pixels, far more than its %3 bytes can hold (the file is damaged).")
        .arg(size.width())
        .arg(size.height())
        .arg(bytes);
}

Shortfall FindShortfall(const QByteArray& format, const QByteArray& file, const QImage& decoded)
{
    if (format == "bmp") return BmpShortfall(Bytes(file));
    if (format == "gif") return GifShortfall(Bytes(file));
    if (format == "png") return PngShortfall(Bytes(file, true));
    if (format == "tiff") return TiffShortfall(file);
    if (format == "jpeg") return JpegShortfall(file, decoded);
    return {};
}

void BlackenMissingBmpRows(const QByteArray& file, const Shortfall& shortfall, QImage& decoded)
{
    if (!shortfall.cut || shortfall.missingRows <= 0 || decoded.isNull()) return;
    // A palette has no black of its own to paint with.
    if (decoded.format() != QImage::Format_RGB32 && decoded.format() != QImage::Format_ARGB32)
        decoded = decoded.convertToFormat(decoded.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    // Rows are stored bottom row first unless the height is negative; the data ends in the
    // rows stored last.
    const Bytes b(file);
    const bool topDown = b.U32(14) != 12 && qint32(b.U32(22)) < 0;
    const int missing = std::min(shortfall.missingRows, decoded.height());
    const int first = topDown ? decoded.height() - missing : 0;
    for (int y = first; y < first + missing; ++y) {
        auto* row = reinterpret_cast<QRgb*>(decoded.scanLine(y));
        std::fill(row, row + decoded.width(), qRgb(0, 0, 0));
    }
}

QString DescribeShortfall(const Shortfall& shortfall)
{
    if (shortfall.missingRows > 0 && shortfall.totalRows > 0)
        return QStringLiteral("%1 of its %2 pixel rows are missing")
            .arg(shortfall.missingRows)
            .arg(shortfall.totalRows);
    return QStringLiteral("part of the picture is missing");
}

}  // namespace lumetra
