#include "imaging/png_plane_encoder.h"

#include <libdeflate.h>

#include <cstring>
#include <memory>
#include <new>

#include "engine/row_threads.h"
#include "engine/vector_clones.h"

namespace lumetra {

namespace {

constexpr int kFastestLevel = 1;
constexpr uint8_t kSubFilter = 1;
constexpr uint32_t kDotsPerMeter96Dpi = 3780;

void PutBigEndian(QByteArray& out, uint32_t value)
{
    const char bytes[] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    out.append(bytes, 4);
}

// A chunk: length, type, data, and the CRC of type and data.
void PutChunk(QByteArray& out, const char* type, const char* data, std::size_t size)
{
    PutBigEndian(out, uint32_t(size));
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data, qsizetype(size));
    PutBigEndian(out, libdeflate_crc32(0, out.constData() + start, std::size_t(out.size() - start)));
}

// One picture row (top-down) of plane pixels as a "sub"-filtered PNG scan line:
// red, green, blue, each less the same channel of the pixel to its left.
LUMETRA_VECTOR_CLONES void FilterRow(const uint8_t* __restrict in, uint8_t* __restrict out, int width)
{
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
#pragma omp simd
    for (int x = 1; x < width; ++x) {
        out[3 * x] = uint8_t(in[4 * x + 2] - in[4 * x - 2]);
        out[3 * x + 1] = uint8_t(in[4 * x + 1] - in[4 * x - 3]);
        out[3 * x + 2] = uint8_t(in[4 * x] - in[4 * x - 4]);
    }
}

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

}  // namespace

PngScanLines FilterForPng(const PixelPlane& plane)
{
    PngScanLines lines;
    lines.width = plane.Width();
    lines.height = plane.Height();
    const std::size_t lineBytes = 1 + std::size_t(lines.width) * 3;
    // At 12 megapixels the scan lines are the size of a three-channel layer, so one
    // picture after another reuses the same memory from the planes' buffer store.
    lines.bytes = PlaneBuffer(lineBytes * std::size_t(lines.height));
#pragma omp parallel for schedule(static) if (UseRowThreads(lines.width, lines.height))
    for (int row = 0; row < lines.height; ++row) {
        uint8_t* line = lines.bytes.data() + std::size_t(row) * lineBytes;
        line[0] = kSubFilter;
        FilterRow(plane.Row(lines.height - 1 - row), line + 1, lines.width);
    }
    return lines;
}

QByteArray EncodePng(const PngScanLines& lines, QString& error)
{
    if (lines.bytes.empty()) {
        error = QStringLiteral("there is no picture to write");
        return {};
    }
    const int width = lines.width, height = lines.height;
    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(kFastestLevel));
    if (!compressor) throw std::bad_alloc();
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), lines.bytes.size());
    QByteArray file("\x89PNG\r\n\x1a\n", 8);

    QByteArray header;
    PutBigEndian(header, uint32_t(width));
    PutBigEndian(header, uint32_t(height));
    header.append("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filtering, no interlace
    PutChunk(file, "IHDR", header.constData(), std::size_t(header.size()));

    QByteArray density;
    PutBigEndian(density, kDotsPerMeter96Dpi);
    PutBigEndian(density, kDotsPerMeter96Dpi);
    density.append('\x01');  // unit: the metre
    PutChunk(file, "pHYs", density.constData(), std::size_t(density.size()));

    QByteArray deflated(qsizetype(bound), Qt::Uninitialized);
    const std::size_t size =
        libdeflate_zlib_compress(compressor.get(), lines.bytes.data(), lines.bytes.size(), deflated.data(), bound);
    if (size == 0) {
        error = QStringLiteral("the picture could not be compressed");
        return {};
    }
    PutChunk(file, "IDAT", deflated.constData(), size);
    PutChunk(file, "IEND", nullptr, 0);
    return file;
}

}  // namespace lumetra
