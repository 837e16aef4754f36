#include "snapshot_thumbnail.h"

#include <QPainter>
#include <cmath>

namespace lumetra {

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

QImage MakeSnapshot(const QImage& picture, const QColor& frameColour)
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
        else
            painter.drawImage(target.topLeft(),
                              picture.scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter frame(&canvas);
    frame.setPen(QPen(frameColour, 0));
    frame.setBrush(Qt::NoBrush);
    frame.drawRect(0, 0, kThumbnailPixels - 1, kThumbnailPixels - 1);
    return canvas;
}

}  // namespace lumetra
