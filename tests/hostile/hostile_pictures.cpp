#include "tests/hostile/hostile_pictures.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <jpeglib.h>

#include "imaging/gif_writer.h"
#include "tests/imaging/photo_files.h"

namespace lumetra::hostile {

namespace {

quint32 Crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray BigEndian32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray PngChunk(const char* type, const QByteArray& body)
{
    const QByteArray typed = QByteArray(type, 4) + body;
    return BigEndian32(quint32(body.size())) + typed + BigEndian32(Crc32(typed));
}

void AppendLittle16(QByteArray& bytes, quint16 value) { bytes.append(char(value & 0xFF)).append(char(value >> 8)); }

void AppendLittle32(QByteArray& bytes, quint32 value)
{
    AppendLittle16(bytes, quint16(value & 0xFFFF));
    AppendLittle16(bytes, quint16(value >> 16));
}

}  // namespace

QByteArray EncodePicture(const QImage& image, PictureFormat format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (format == PictureFormat::Gif) {
        EncodeGif(image.convertToFormat(QImage::Format_RGB32), buffer);
        return buffer.data();
    }
    QImageWriter writer(&buffer, FormatExtension(format).toLatin1());
    writer.write(image);
    return buffer.data();
}

QByteArray OneColorPicture(int width, int height, QRgb color, PictureFormat format)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(color);
    return EncodePicture(picture, format);
}

QByteArray GifWithoutFrames()
{
    QByteArray bytes("GIF89a");
    bytes.append("\x04\x00\x04\x00", 4);  // screen 4 x 4
    bytes.append("\x80\x00\x00", 3);      // a global palette of two colours
    bytes.append("\x00\x00\x00\xFF\xFF\xFF", 6);
    bytes.append('\x3B');  // trailer straight away
    return bytes;
}

QByteArray GrayTiff(int width, int height)
{
    struct Entry {
        quint16 tag, type;
        quint32 count, value;
    };
    constexpr quint16 kShort = 3, kLong = 4;
    const quint32 stripBytes = quint32(width) * quint32(height);
    const std::array<Entry, 9> entries{{
        {256, kLong, 1, quint32(width)},   // width
        {257, kLong, 1, quint32(height)},  // height
        {258, kShort, 1, 8},               // bits per sample
        {259, kShort, 1, 1},               // no compression
        {262, kShort, 1, 1},               // black is zero
        {273, kLong, 1, 0},                // strip offset, filled in below
        {277, kShort, 1, 1},               // one sample per pixel
        {278, kLong, 1, quint32(height)},  // one strip
        {279, kLong, 1, stripBytes},       // its length
    }};
    const quint32 ifdOffset = 8;
    const quint32 dataOffset = ifdOffset + 2 + quint32(entries.size()) * 12 + 4;

    QByteArray bytes("II*\0", 4);
    AppendLittle32(bytes, ifdOffset);
    AppendLittle16(bytes, quint16(entries.size()));
    for (const Entry& entry : entries) {
        AppendLittle16(bytes, entry.tag);
        AppendLittle16(bytes, entry.type);
        AppendLittle32(bytes, entry.count);
        AppendLittle32(bytes, entry.tag == 273 ? dataOffset : entry.value);
    }
    AppendLittle32(bytes, 0);
    for (quint32 i = 0; i < stripBytes; ++i) bytes.append(char(i * 7 % 256));
    return bytes;
}

int GrayPng16Expected(int x, int y) { return (x * 16 + y * 40) % 256; }

QByteArray GrayPng16(int width, int height)
{
    QImage image(width, height, QImage::Format_Grayscale16);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<quint16*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] = quint16(257 * GrayPng16Expected(x, y));
    }
    return EncodePicture(image, PictureFormat::Png);
}

QByteArray CmykJpeg(int width, int height, unsigned char c, unsigned char m, unsigned char y, unsigned char k)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t(width) * 4);
    for (int x = 0; x < width; ++x) {
        // Stored inverted, as with the Adobe marker that libjpeg writes for CMYK.
        row[std::size_t(x) * 4 + 0] = 255 - c;
        row[std::size_t(x) * 4 + 1] = 255 - m;
        row[std::size_t(x) * 4 + 2] = 255 - y;
        row[std::size_t(x) * 4 + 3] = 255 - k;
    }
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    std::free(out);
    return bytes;
}

QByteArray PngBomb(int width, int height)
{
    QByteArray header = BigEndian32(quint32(width)) + BigEndian32(quint32(height));
    header.append("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB, no interlace
    const QByteArray rows(qsizetype(1 + 3 * qint64(width)) * 16, '\0');
    const QByteArray stream = qCompress(rows, 9).mid(4);  // the zlib stream without Qt's length prefix
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", stream) +
           PngChunk("IEND", QByteArray());
}

QByteArray HeifBomb(int width, int height)
{
    QByteArray heic = test::EncodeHeif({QImage(64, 64, QImage::Format_RGB32)}, test::HeifCodec::Hevc);
    // Every image spatial extent property: "ispe", version and flags, width, height.
    for (qsizetype at = heic.indexOf("ispe"); at >= 0; at = heic.indexOf("ispe", at + 4)) {
        heic.replace(at + 8, 4, BigEndian32(quint32(width)));
        heic.replace(at + 12, 4, BigEndian32(quint32(height)));
    }
    return heic;
}

QByteArray JxlBomb(int side)
{
    // A bare code stream: the signature, then the size header and the image header,
    // bits taken from the lowest bit of each byte up.
    QByteArray bytes("\xFF\x0A", 2);
    quint64 bits = 0;
    int count = 0;
    const auto put = [&](quint64 value, int width) {
        bits |= value << count;
        count += width;
    };
    put(0, 1);  // not a small picture
    put(2, 2);  // the height in 18 bits
    put(quint64(side - 1), 18);
    put(1, 3);  // width : height = 1 : 1
    put(1, 1);  // all image header fields at their defaults
    for (int i = 0; i < 8; ++i, bits >>= 8) bytes.append(char(bits & 0xFF));
    return bytes + QByteArray(64, '\0');
}

}  // namespace lumetra::hostile
