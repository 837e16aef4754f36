#include "resize.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

#include "resample.h"

namespace lumetra {

namespace {

// A side computed in double: halves to even, never below one pixel.
int RoundSide(double side) { return std::max(1, static_cast<int>(std::nearbyint(side))); }

// The grab of a picture as the resampler expects it: one column more on the right,
// repeating the last column, and one row more above the top, repeating the top row.
PixelPlane GrabWithMargin(const PixelPlane& source)
{
    const int w = source.Width();
    const int h = source.Height();
    PixelPlane grab(w + 1, h + 1);
    for (int y = 0; y <= h; ++y) {
        const uint8_t* from = source.Row(std::min(y, h - 1));
        uint8_t* to = grab.Row(y);
        std::memcpy(to, from, source.RowBytes());
        std::memcpy(to + 4 * w, from + 4 * (w - 1), 4);
    }
    return grab;
}

}  // namespace

PictureSize FitInside(PictureSize picture, PictureSize requested, bool keepAspect)
{
    const int w = std::max(1, requested.width);
    const int h = std::max(1, requested.height);
    if (!keepAspect) return {w, h};

    const double w0 = std::max(1, picture.width);
    const double h0 = std::max(1, picture.height);
    if (static_cast<double>(w) / h < w0 / h0) return {w, RoundSide(h0 * (w / w0))};
    return {RoundSide(w0 * (h / h0)), h};
}

PixelPlane ResizePlane(const PixelPlane& source, PictureSize target)
{
    if (source.Empty()) throw std::invalid_argument("there is no picture to resize");
    if (target.width < 1 || target.height < 1)
        throw std::invalid_argument("a resized picture needs at least one pixel");
    if (source.Width() == target.width && source.Height() == target.height) return source;

    PixelPlane resampled;
    ResampleTo(GrabWithMargin(source), resampled, target.width, target.height);

    // What a W x H box shows of the (W + 1) x (H + 1) result drawn at its top-left
    // corner: every column but the last, every row but the bottom one.
    PixelPlane result(target.width, target.height);
    for (int y = 0; y < target.height; ++y) std::memcpy(result.Row(y), resampled.Row(y + 1), result.RowBytes());
    return result;
}

}  // namespace lumetra
