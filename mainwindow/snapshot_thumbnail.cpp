#include "snapshot_thumbnail.h"

#include <QPainter>
#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/row_threads.h"

namespace lumetra {

namespace {

// The picture shrunk to `size` (no larger than the picture) by averaging, for each
// thumbnail pixel, the block of picture pixels it covers. One pass over the picture,
// far cheaper than a filtered scaling of twelve megapixels down to a hundred columns.
QImage AverageBlocks(const QImage& picture, QSize size)
{
    const QImage source = picture.format() == QImage::Format_RGB888 || picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    // Channel offsets of red, green and blue within a pixel.
    const bool packed = source.format() == QImage::Format_RGB888;
    const int step = packed ? 3 : 4;
    const int red = packed ? 0 : 2, blue = packed ? 2 : 0;
    const int sw = source.width(), sh = source.height(), tw = size.width(), th = size.height();
    std::vector<int> firstColumn(tw + 1);
    for (int x = 0; x <= tw; ++x) firstColumn[x] = int(int64_t(x) * sw / tw);

    QImage shrunk(size, QImage::Format_RGB32);
    // Everything the rows need is had before they are spread over threads, where a
    // failed allocation could not be reported.
    std::vector<uint64_t> allSums(3 * size_t(tw) * size_t(th), 0);
    if (source.isNull() || shrunk.isNull()) return QImage();
#pragma omp parallel for schedule(dynamic) if (UseRowThreads(sw, sh))
    for (int ty = 0; ty < th; ++ty) {
        const int y0 = int(int64_t(ty) * sh / th), y1 = int(int64_t(ty + 1) * sh / th);
        uint64_t* const sums = allSums.data() + 3 * size_t(tw) * size_t(ty);
        for (int y = y0; y < y1; ++y) {
            const uchar* line = source.constScanLine(y);
            for (int tx = 0; tx < tw; ++tx) {
                uint32_t r = 0, g = 0, b = 0;  // one block row: below 2^32 for any width under 16 million
                for (int x = firstColumn[tx]; x < firstColumn[tx + 1]; ++x) {
                    r += line[step * x + red];
                    g += line[step * x + 1];
                    b += line[step * x + blue];
                }
                sums[3 * tx] += r;
                sums[3 * tx + 1] += g;
                sums[3 * tx + 2] += b;
            }
        }
        auto* out = reinterpret_cast<QRgb*>(shrunk.scanLine(ty));
        for (int tx = 0; tx < tw; ++tx) {
            const uint64_t count = uint64_t(firstColumn[tx + 1] - firstColumn[tx]) * uint64_t(y1 - y0);
            const auto mean = [&](int channel) { return int((sums[3 * tx + channel] + count / 2) / count); };
            out[tx] = qRgb(mean(0), mean(1), mean(2));
        }
    }
    return shrunk;
}

}  // namespace

SnapshotPlacement PlaceSnapshot(int sourceWidth, int sourceHeight, int canvasWidth, int canvasHeight)
{
    const int sW = sourceWidth, sH = sourceHeight, tW = canvasWidth, tH = canvasHeight;
    if (tH < sH || tW < sW) {
        const double rw = double(tW) / sW;
        const double rh = double(tH) / sH;
        if (rw > rh) {
            const float dw = float(rh * sW);
            return {(float(tW) - dw) / 2, 0.0f, dw, float(tH)};
        }
        const float dh = float(rw * sH);
        return {0.0f, (float(tH) - dh) / 2, float(tW), dh};
    }
    return {float(tW - sW) / 2, float(tH - sH) / 2, float(sW), float(sH)};
}

QImage MakeSnapshot(const QImage& picture, const QColor& frameColor)
{
    QImage canvas(kThumbnailPixels, kThumbnailPixels, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    if (!picture.isNull()) {
        const SnapshotPlacement p = PlaceSnapshot(picture.width() * kTwipsPerPixel, picture.height() * kTwipsPerPixel);
        // Whole pixels: rounding keeps the unscaled case exact and the scaled one centred.
        const QRect target(int(std::lrint(p.left / kTwipsPerPixel)), int(std::lrint(p.top / kTwipsPerPixel)),
                           std::max(1, int(std::lrint(p.width / kTwipsPerPixel))),
                           std::max(1, int(std::lrint(p.height / kTwipsPerPixel))));
        QPainter painter(&canvas);
        if (target.size() == picture.size())
            painter.drawImage(target.topLeft(), picture);
        else if (target.width() <= picture.width() && target.height() <= picture.height())
            painter.drawImage(target.topLeft(), AverageBlocks(picture, target.size()));
        else  // a rounding up by a pixel: a filtered scaling copes
            painter.drawImage(target.topLeft(),
                              picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter frame(&canvas);
    frame.setPen(QPen(frameColor, 0));
    frame.setBrush(Qt::NoBrush);
    frame.drawRect(0, 0, kThumbnailPixels - 1, kThumbnailPixels - 1);
    return canvas;
}

}  // namespace lumetra
