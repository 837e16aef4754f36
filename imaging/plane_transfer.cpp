#include "imaging/plane_transfer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "engine/row_threads.h"
#include "engine/vector_clones.h"

// The pencil-paper texture lives in the assets library's resource file; a static
// library's resources must be registered by hand, from the global namespace.
static void RegisterAssetResources() { Q_INIT_RESOURCE(assets); }

namespace lumetra {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

// Plane pixels (blue, green, red, unused) to picture pixels (red, green, blue).
LUMETRA_VECTOR_CLONES void PackRow(const uint8_t* __restrict in, uint8_t* __restrict out, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        out[3 * x] = in[4 * x + 2];
        out[3 * x + 1] = in[4 * x + 1];
        out[3 * x + 2] = in[4 * x];
    }
}

}  // namespace

// The store maps memory in 2 MB pages and reuses it from one picture to the next, where
// the heap would hand a new picture of tens of megabytes fresh 4 KB pages, each first write
// to which costs far more than the write. A three-byte picture's rows are padded to four
// bytes, as QImage wants them; at 12 megapixels its buffer is the size of a three-channel
// layer, so it reuses the memory of the layers a gallery run releases.
QImage NewStorePicture(int width, int height, QImage::Format format)
{
    const int bytesPerPixel = format == QImage::Format_RGB888 ? 3 : 4;
    const qsizetype bytesPerLine = (qsizetype(width) * bytesPerPixel + 3) / 4 * 4;
    auto* buffer = new PlaneBuffer(static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height));
    QImage image(
        buffer->data(), width, height, bytesPerLine, format,
        [](void* store) { delete static_cast<PlaneBuffer*>(store); }, buffer);
    // Every picture records 96 dpi. Set here, on a picture nobody shares yet, it also
    // spares the writer a copy of the whole picture just to change the resolution.
    image.setDotsPerMeterX(kDotsPerMeter96Dpi);
    image.setDotsPerMeterY(kDotsPerMeter96Dpi);
    return image;
}

namespace {

// A new store picture; empty for an empty size or when there is no memory for it.
QImage StorePictureOrEmpty(int width, int height, QImage::Format format)
{
    if (width <= 0 || height <= 0) return QImage();
    try {
        return NewStorePicture(width, height, format);
    } catch (const std::bad_alloc&) {
        return QImage();
    }
}

}  // namespace

PixelPlane LoadPixels(const QImage& image)
{
    const QImage rgb32 = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb32.width();
    const int h = rgb32.height();
    PixelPlane plane(w, h);
    for (int y = 0; y < h; ++y) std::memcpy(plane.Row(h - 1 - y), rgb32.constScanLine(y), plane.RowBytes());
    return plane;
}

QImage DrawPixels(const PixelPlane& plane) { return DrawPixels(plane, plane.Width(), plane.Height()); }

QImage DrawPixels(const PixelPlane& plane, int width, int height)
{
    QImage image = StorePictureOrEmpty(width, height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    // Plane row y lands on picture row (plane height - 1 - y) when drawn at the
    // top-left corner; only rows and columns inside the picture are kept, the rest is black.
    const int columns = std::min(width, plane.Width());
    const int rows = std::min(height, plane.Height());
    if (columns < width || rows < height) image.fill(Qt::black);
    for (int row = 0; row < rows; ++row) {
        const uint8_t* in = plane.Row(plane.Height() - 1 - row);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < columns; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, in + 4 * x, 4);
            out[x] = pixel | 0xFF000000u;  // channel 3 is unused in a plane; RGB32 wants it opaque
        }
    }
    return image;
}

QImage DrawPixels24(const PixelPlane& plane)
{
    const int width = plane.Width();
    const int height = plane.Height();
    QImage image = StorePictureOrEmpty(width, height, QImage::Format_RGB888);
    if (image.isNull()) return image;
    uchar* const top = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
#pragma omp parallel for schedule(static) if (UseRowThreads(width, height))
    for (int row = 0; row < height; ++row) PackRow(plane.Row(height - 1 - row), top + row * bytesPerLine, width);
    return image;
}

PixelPlane LoadPencilTexture()
{
    RegisterAssetResources();
    return LoadPixels(QImage(QStringLiteral(":/pencil-paper.png")));
}

}  // namespace lumetra
