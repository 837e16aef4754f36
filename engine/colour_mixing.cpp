#include "colour_mixing.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "colour_math.h"
#include "row_threads.h"
#include "sliding_run.h"

namespace lumetra {

namespace {

constexpr int kMaxVerticalRadius = 20;
// Columns handled by one thread in the vertical pass; each block advances row by row so
// the pass reads whole cache lines, and blocks never share a column.
constexpr int kColumnBlock = 64;

// A radius beyond the line's length reaches just as far as the length itself; clamping
// keeps pos +- radius from overflowing for absurd brush widths.
int ClampRadius(int radius, int count) { return std::clamp(radius, 0, std::max(count, 0)); }

// Per-thread working rows of the first pass.
struct RowRunScratch {
    explicit RowRunScratch(int width) : prefix(3 * (static_cast<std::size_t>(width) + 1)), nextBorder(width + 1) {}
    std::vector<int64_t> prefix;  // running channel sums of the source row, 3 per position
    std::vector<int> nextBorder;  // first border at or after each position, width if none
};

// The first pass over one row. Sums come from the source, so running sums give any run's
// total at once. Unvisited pixels still hold the border detector's output, so the
// nearest border to the right is known before the row starts; the nearest one to the
// left is the last visited pixel whose new channel 0 is 0. This finds the same run ends
// as scanning outward from each pixel, without the scan.
void AverageRowFromSource(const uint8_t* src, uint8_t* row, int width, int radius, RowRunScratch& scratch)
{
    int64_t* prefix = scratch.prefix.data();
    int* nextBorder = scratch.nextBorder.data();
    for (int x = 0; x < width; ++x)
        for (int c = 0; c < 3; ++c) prefix[3 * (x + 1) + c] = prefix[3 * x + c] + src[3 * x + c];
    nextBorder[width] = width;
    for (int x = width - 1; x >= 0; --x) nextBorder[x] = row[3 * x] == 0 ? x : nextBorder[x + 1];

    int lastBorder = -1;
    for (int x = 0; x < width; ++x) {
        uint8_t* pixel = row + 3 * x;
        if (pixel[0] == 0) {
            pixel[1] = pixel[2] = 0;
            lastBorder = x;
            continue;
        }
        const int low = std::max({lastBorder + 1, x - radius, 0});
        const int high = std::min({nextBorder[x + 1] - 1, x + radius, width - 1});
        const int n = high - low + 1;
        if (n < 2) {
            std::copy_n(src + 3 * x, 3, pixel);
        } else {
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<uint8_t>((prefix[3 * (high + 1) + c] - prefix[3 * low + c]) / n);
        }
        if (pixel[0] == 0) lastBorder = x;
    }
}

}  // namespace

int VerticalRunRadius(int brushWidth) { return std::min(RoundEven(brushWidth * 0.4), kMaxVerticalRadius); }

void AverageRowRunsFromSource(const ColorPlane& source, ColorPlane& colour, int radius)
{
    const int width = colour.Width();
    const int height = colour.Height();
    radius = ClampRadius(radius, width);
#pragma omp parallel if (UseRowThreads(colour.Width(), colour.Height()))
    {
        RowRunScratch scratch(width);
#pragma omp for schedule(static)
        for (int y = 0; y < height; ++y) AverageRowFromSource(source.Row(y), colour.Row(y), width, radius, scratch);
    }
}

void AverageColumnRunsInPlace(ColorPlane& colour, int radius)
{
    const int width = colour.Width();
    const int height = colour.Height();
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(colour.RowBytes());
    radius = ClampRadius(radius, height);
    const int blocks = (width + kColumnBlock - 1) / kColumnBlock;
#pragma omp parallel for schedule(static) if (UseRowThreads(colour.Width(), colour.Height()))
    for (int b = 0; b < blocks; ++b) {
        const int x0 = b * kColumnBlock;
        const int x1 = std::min(width, x0 + kColumnBlock);
        SlidingRun columns[kColumnBlock];
        for (int y = 0; y < height; ++y)
            for (int x = x0; x < x1; ++x) columns[x - x0].Average(colour.Data() + 3 * x, stride, y, height, radius);
    }
}

void AverageRowRunsInPlace(ColorPlane& colour, int radius)
{
    const int width = colour.Width();
    const int height = colour.Height();
    radius = ClampRadius(radius, width);
#pragma omp parallel for schedule(static) if (UseRowThreads(colour.Width(), colour.Height()))
    for (int y = 0; y < height; ++y) {
        uint8_t* row = colour.Row(y);
        SlidingRun run;
        for (int x = 0; x < width; ++x) run.Average(row, 3, x, width, radius);
    }
}

void RestoreBlackPixels(const ColorPlane& source, ColorPlane& colour)
{
    const int width = colour.Width();
#pragma omp parallel for schedule(static) if (UseRowThreads(colour.Width(), colour.Height()))
    for (int y = 0; y < colour.Height(); ++y) {
        const uint8_t* src = source.Row(y);
        uint8_t* row = colour.Row(y);
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = row + 3 * x;
            if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0) std::copy_n(src + 3 * x, 3, pixel);
        }
    }
}

void LaySketchLines(const ColorPlane& sketch, ColorPlane& colour)
{
    const int width = colour.Width();
#pragma omp parallel for schedule(static) if (UseRowThreads(colour.Width(), colour.Height()))
    for (int y = 0; y < colour.Height(); ++y) {
        const uint8_t* lines = sketch.Row(y);
        uint8_t* row = colour.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t* line = lines + 3 * x;
            if (line[0] != 255 || line[1] != 255 || line[2] != 255) std::copy_n(line, 3, row + 3 * x);
        }
    }
}

}  // namespace lumetra
