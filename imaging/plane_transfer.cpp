#include "imaging/plane_transfer.h"

#include <algorithm>
#include <cstring>
#include <new>

// The pencil-paper texture lives in the assets library's resource file; a static
// library's resources must be registered by hand, from the global namespace.
static void RegisterAssetResources()
{
    Q_INIT_RESOURCE(assets);
}

namespace lumetra {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

// A 32-bit picture whose memory comes from the planes' buffer store: mapped in 2 MB pages
// and reused from one picture to the next, where the heap would hand a new picture of tens
// of megabytes fresh 4 KB pages, each first write to which costs far more than the write.
QImage PictureFromBufferStore(int width, int height)
{
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    auto* buffer = new PlaneBuffer(static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height));
    return QImage(buffer->data(), width, height, bytesPerLine, QImage::Format_RGB32,
                  [](void* store) { delete static_cast<PlaneBuffer*>(store); }, buffer);
}

}  // namespace

PixelPlane LoadPixels(const QImage& image)
{
    const QImage rgb32 = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb32.width();
    const int h = rgb32.height();
    PixelPlane plane(w, h);
    for (int y = 0; y < h; ++y)
        std::memcpy(plane.Row(h - 1 - y), rgb32.constScanLine(y), plane.RowBytes());
    return plane;
}

QImage DrawPixels(const PixelPlane& plane)
{
    return DrawPixels(plane, plane.Width(), plane.Height());
}

QImage DrawPixels(const PixelPlane& plane, int width, int height)
{
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image;
    try {
        image = PictureFromBufferStore(width, height);
    } catch (const std::bad_alloc&) {
        return QImage();
    }
    // Every picture records 96 dpi. Set here, on a picture nobody shares yet, it also
    // spares the writer a copy of the whole picture just to change the resolution.
    image.setDotsPerMeterX(kDotsPerMeter96Dpi);
    image.setDotsPerMeterY(kDotsPerMeter96Dpi);
    // Plane row y lands on picture row (plane height - 1 - y) when drawn at the
    // top-left corner; only rows and columns inside the picture are kept, the rest is black.
    const int columns = std::min(width, plane.Width());
    const int rows = std::min(height, plane.Height());
    if (columns < width || rows < height)
        image.fill(Qt::black);
    for (int row = 0; row < rows; ++row) {
        const uint8_t* in = plane.Row(plane.Height() - 1 - row);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int x = 0; x < columns; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, in + 4 * x, 4);
            out[x] = pixel | 0xFF000000u;   // channel 3 is unused in a plane; RGB32 wants it opaque
        }
    }
    return image;
}

PixelPlane LoadPencilTexture()
{
    RegisterAssetResources();
    return LoadPixels(QImage(QStringLiteral(":/pencil-paper.png")));
}

}  // namespace lumetra
