// Blur and sharpen on the composed picture. Both read a pixel, the pixel above it, the
// one to its right and the diagonal between them; the last column and the top row keep
// their values. Every read must see an unfiltered value.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <omp.h>

#include "color_math.h"
#include "engine.h"

namespace lumetra {

namespace {

// Runs filterRow(row, above) over rows 0..MaxY-1 in place. filterRow writes columns
// 0..MaxX-1 of row from left to right, reading row at x and x + 1 and above at x and
// x + 1: within a row, x + 1 is still unfiltered when x is written. Rows are split into
// blocks, one per thread; the row just above a block belongs to the next block, which
// may already have rewritten it, so a copy taken before any block starts is read there.
// A stop skips the rows not yet begun and throws RunCancelled after the loop.
template <class FilterRow>
void FilterRowsInPlace(PixelPlane& plane, const std::stop_token& stop, FilterRow filterRow)
{
    const int rows = plane.Height() - 1;
    if (rows <= 0 || plane.Width() < 2) return;
    const int blocks = std::min(rows, omp_get_max_threads());
    std::vector<int> start(blocks + 1);
    for (int b = 0; b <= blocks; ++b) start[b] = static_cast<int>(static_cast<long long>(rows) * b / blocks);

    std::vector<std::vector<uint8_t>> rowAboveBlock(blocks);
    for (int b = 0; b < blocks; ++b) {
        const uint8_t* above = plane.Row(start[b + 1]);
        rowAboveBlock[b].assign(above, above + plane.RowBytes());
    }

#pragma omp parallel for schedule(static, 1)
    for (int b = 0; b < blocks; ++b) {
        for (int y = start[b]; y < start[b + 1] && !stop.stop_requested(); ++y) {
            const uint8_t* above = (y + 1 == start[b + 1]) ? rowAboveBlock[b].data() : plane.Row(y + 1);
            filterRow(plane.Row(y), above);
        }
    }
    ThrowIfStopped(stop);
}

// round(s / 4) for every neighbourhood sum s = 0..1020.
struct BlurTable {
    std::array<uint8_t, 1021> value{};
    BlurTable()
    {
        for (int s = 0; s <= 1020; ++s) value[s] = ClampByte(RoundEven(s / 4.0));
    }
};

}  // namespace

namespace {

void Blur(PixelPlane& picture, const std::stop_token& stop)
{
    static const BlurTable table;
    const int lastX = picture.MaxX();
    FilterRowsInPlace(picture, stop, [&](uint8_t* row, const uint8_t* above) {
        for (int x = 0; x < lastX; ++x) {
            uint8_t* p = row + 4 * x;
            const uint8_t* a = above + 4 * x;
            for (int c = 0; c < 3; ++c) p[c] = table.value[p[c] + a[c] + p[4 + c] + a[4 + c]];
        }
    });
}

void Sharpen(PixelPlane& picture, float amount, const std::stop_token& stop)
{
    // The two products are rounded separately; both depend on one small integer each.
    const float k1 = amount + 1.0f;
    const float k2 = -amount / 3.0f;
    std::array<int, 256> centre{};
    std::array<int, 766> neighbours{};
    for (int v = 0; v < 256; ++v) centre[v] = RoundEven(static_cast<double>(v) * k1);
    for (int n = 0; n < 766; ++n) neighbours[n] = RoundEven(static_cast<double>(n) * k2);

    const int lastX = picture.MaxX();
    FilterRowsInPlace(picture, stop, [&](uint8_t* row, const uint8_t* above) {
        for (int x = 0; x < lastX; ++x) {
            uint8_t* p = row + 4 * x;
            const uint8_t* a = above + 4 * x;
            for (int c = 0; c < 3; ++c) p[c] = ClampByte(centre[p[c]] + neighbours[a[c] + p[4 + c] + a[4 + c]]);
        }
    });
}

}  // namespace

void Engine::BlurPixels() { Blur(SrcPixels, stop); }

void Engine::SharpenPixels(float amount) { Sharpen(SrcPixels, amount, stop); }

void Engine::ApplyPostFilters() { ApplyPostFiltersTo(SrcPixels); }

void Engine::ApplyPostFiltersTo(PixelPlane& picture) const
{
    if (options.blur) Blur(picture, stop);
    if (options.sharpen) Sharpen(picture, 1.0f, stop);
}

}  // namespace lumetra
