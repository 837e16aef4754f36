#include "imaging/plane_orientation.h"

#include <cstring>

#include "engine/row_threads.h"

namespace lumetra {

namespace {

struct Point {
    int x;
    int y;
};

// Where the pixel shown at (x, y), top-left origin, lies in the stored picture of
// width w and height h.
Point StoredPoint(int orientation, int x, int y, int w, int h)
{
    switch (orientation) {
    case 2: return {w - 1 - x, y};
    case 3: return {w - 1 - x, h - 1 - y};
    case 4: return {x, h - 1 - y};
    case 5: return {y, x};
    case 6: return {y, h - 1 - x};
    case 7: return {w - 1 - y, h - 1 - x};
    case 8: return {w - 1 - y, x};
    default: return {x, y};
    }
}

}  // namespace

PixelPlane Oriented(const PixelPlane& stored, int orientation)
{
    const int w = stored.Width();
    const int h = stored.Height();
    const bool swapped = orientation >= 5 && orientation <= 8;
    PixelPlane shown;
    shown.AllocateForOverwrite(swapped ? h : w, swapped ? w : h);  // every pixel is moved in
    const int width = shown.Width();
    const int height = shown.Height();
    // The index of a stored pixel from its top-left position (planes keep rows bottom-up).
    const auto index = [&](Point p) { return (static_cast<std::ptrdiff_t>(h - 1 - p.y)) * w + p.x; };
    // Along a shown row the stored position moves by one fixed step, a pixel or a row.
    const std::ptrdiff_t step =
        width > 1 ? index(StoredPoint(orientation, 1, 0, w, h)) - index(StoredPoint(orientation, 0, 0, w, h)) : 0;
#pragma omp parallel for schedule(static) if (UseRowThreads(width, height))
    for (int row = 0; row < height; ++row) {
        const int y = height - 1 - row;
        const std::ptrdiff_t first = index(StoredPoint(orientation, 0, y, w, h));
        uint8_t* out = shown.Row(row);
        for (int x = 0; x < width; ++x) std::memcpy(out + 4 * x, stored.Data() + 4 * (first + x * step), 4);
    }
    return shown;
}

}  // namespace lumetra
