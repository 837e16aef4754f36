#include "odd_files.h"

#include <cstdio>
#include <cstdlib>
#include <gif_lib.h>
#include <jpeglib.h>
#include <vector>

namespace lumetra::test {

bool WriteCmykJpeg(const QString& path, int width, int height, const unsigned char cmyk[4])
{
    std::FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    info.write_Adobe_marker = TRUE;
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<size_t>(width) * 4);
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 4; ++c) row[static_cast<size_t>(x) * 4 + c] = cmyk[c];
    while (info.next_scanline < info.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

QByteArray JpegWithLayout(const QImage& picture, const JpegLayout& layout)
{
    const QImage pixels = picture.convertToFormat(layout.grey ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(pixels.width());
    info.image_height = static_cast<JDIMENSION>(pixels.height());
    info.input_components = layout.grey ? 1 : 3;
    info.in_color_space = layout.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (!layout.grey) {
        info.comp_info[0].h_samp_factor = layout.lumaColumns;
        info.comp_info[0].v_samp_factor = layout.lumaRows;
    }
    if (layout.progressive) jpeg_simple_progression(&info);
    info.restart_in_rows = layout.restartRows;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(pixels.constScanLine(static_cast<int>(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return bytes;
}

QByteArray JpegWithOrientation(const QByteArray& jpeg, int orientation, bool bigEndian)
{
    // APP1 "Exif": a TIFF header and one IFD entry, Orientation (0x0112), type SHORT,
    // count 1, the value in the first two bytes of the value field.
    const auto number = [bigEndian](quint32 value, int bytes) {
        QByteArray out;
        for (int i = 0; i < bytes; ++i) out += char(value >> (8 * (bigEndian ? bytes - 1 - i : i)));
        return out;
    };
    QByteArray exif("Exif\0\0", 6);
    exif += bigEndian ? "MM" : "II";
    exif += number(42, 2) + number(8, 4);
    exif += number(1, 2);  // one entry
    exif += number(0x0112, 2) + number(3, 2) + number(1, 4) + number(quint32(orientation), 2) + number(0, 2);
    exif += number(0, 4);  // no next IFD
    QByteArray segment("\xFF\xE1", 2);
    const int length = static_cast<int>(exif.size()) + 2;
    segment += char(length >> 8);
    segment += char(length & 0xFF);
    segment += exif;
    return jpeg.left(2) + segment + jpeg.mid(2);
}

bool WriteTwoFrameGif(const QString& path, int width, int height, QColor first, QColor second)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif) return false;
    GifColorType colors[2] = {
        {GifByteType(first.red()), GifByteType(first.green()), GifByteType(first.blue())},
        {GifByteType(second.red()), GifByteType(second.green()), GifByteType(second.blue())},
    };
    ColorMapObject* map = GifMakeMapObject(2, colors);
    bool ok = EGifPutScreenDesc(gif, width, height, 1, 0, map) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<size_t>(width));
    for (GifPixelType index : {GifPixelType(0), GifPixelType(1)}) {
        std::fill(row.begin(), row.end(), index);
        ok = ok && EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
        for (int y = 0; ok && y < height; ++y) ok = EGifPutLine(gif, row.data(), width) == GIF_OK;
    }
    GifFreeMapObject(map);
    return EGifCloseFile(gif, &error) == GIF_OK && ok;
}

namespace {

void PutU16(QByteArray& out, unsigned value)
{
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void PutU32(QByteArray& out, unsigned value)
{
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

void PutEntry(QByteArray& out, unsigned tag, unsigned type, unsigned count, unsigned value)
{
    PutU16(out, tag);
    PutU16(out, type);
    PutU32(out, count);
    if (type == 3 && count == 1) {
        PutU16(out, value);
        PutU16(out, 0);
    } else {
        PutU32(out, value);
    }
}

}  // namespace

QByteArray TwoPageTiff(int width, int height, QColor first, QColor second)
{
    constexpr unsigned kShort = 3, kLong = 4, kEntries = 9;
    const unsigned dataSize = unsigned(width * height * 3);
    const unsigned pageSize = dataSize + 6 + 2 + kEntries * 12 + 4;  // pixels, BitsPerSample, IFD
    QByteArray out("II*\0", 4);
    PutU32(out, 8 + dataSize + 6);  // first IFD
    for (int page = 0; page < 2; ++page) {
        const unsigned start = 8 + unsigned(page) * pageSize;
        const QColor color = page == 0 ? first : second;
        for (unsigned i = 0; i < dataSize / 3; ++i) {
            out += char(color.red());
            out += char(color.green());
            out += char(color.blue());
        }
        const unsigned bitsAt = start + dataSize;
        for (int c = 0; c < 3; ++c) PutU16(out, 8);
        PutU16(out, kEntries);
        PutEntry(out, 256, kShort, 1, unsigned(width));
        PutEntry(out, 257, kShort, 1, unsigned(height));
        PutEntry(out, 258, kShort, 3, bitsAt);
        PutEntry(out, 259, kShort, 1, 1);     // no compression
        PutEntry(out, 262, kShort, 1, 2);     // RGB
        PutEntry(out, 273, kLong, 1, start);  // the strip
        PutEntry(out, 277, kShort, 1, 3);
        PutEntry(out, 278, kShort, 1, unsigned(height));
        PutEntry(out, 279, kLong, 1, dataSize);
        PutU32(out, page == 0 ? start + pageSize + dataSize + 6 : 0);
    }
    return out;
}

}  // namespace lumetra::test
