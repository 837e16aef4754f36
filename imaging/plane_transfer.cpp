#include "imaging/plane_transfer.h"

#include <algorithm>
#include <cstring>

// The pencil-paper texture lives in the assets library's resource file; a static
// library's resources must be registered by hand, from the global namespace.
static void RegisterAssetResources()
{
    Q_INIT_RESOURCE(assets);
}

namespace lumetra {

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
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::black);
    // Plane row y lands on picture row (plane height - 1 - y) when drawn at the
    // top-left corner; only rows and columns inside the picture are kept.
    const int columns = std::min(width, plane.Width());
    for (int row = 0; row < height; ++row) {
        const int y = plane.Height() - 1 - row;
        if (y < 0)
            break;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::memcpy(out, plane.Row(y), static_cast<size_t>(columns) * 4);
        for (int x = 0; x < columns; ++x)
            out[x] |= 0xFF000000u;   // channel 3 is unused in a plane; RGB32 wants it opaque
    }
    return image;
}

PixelPlane LoadPencilTexture()
{
    RegisterAssetResources();
    return LoadPixels(QImage(QStringLiteral(":/pencil-paper.png")));
}

}  // namespace lumetra
