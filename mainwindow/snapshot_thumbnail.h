#pragma once
// Gallery thumbnails: every picture is drawn into a 120 x 120 white canvas (1800 x
// 1800 twips at 15 twips per pixel) and framed by a one-pixel rectangle in the
// button-face colour on the canvas's outermost pixels.

#include <QColor>
#include <QImage>

namespace lumetra {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kThumbnailPixels = 120;
inline constexpr int kThumbnailTwips = kThumbnailPixels * kTwipsPerPixel;

// Where a picture of sourceWidth x sourceHeight twips lands on a canvas of
// canvasWidth x canvasHeight twips. A picture larger than the canvas in either
// direction is scaled down keeping its shape; when both sides bind equally the width
// decides. One that fits is drawn unscaled and centred. Single-precision, unrounded.
struct SnapshotPlacement {
    float left;
    float top;
    float width;
    float height;
};

SnapshotPlacement PlaceSnapshot(int sourceWidth, int sourceHeight, int canvasWidth = kThumbnailTwips,
                                int canvasHeight = kThumbnailTwips);

// The framed 120 x 120 thumbnail of a picture.
QImage MakeSnapshot(const QImage& picture, const QColor& frameColor);

}  // namespace lumetra
