#include "color_mixing.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "color_math.h"
#include "row_threads.h"
#include "run_divider.h"
#include "sliding_run.h"
#include "vector_clones.h"

namespace lumetra {

namespace {

constexpr int kMaxVerticalRadius = 20;
// Columns handled by one thread in the vertical pass; each block advances row by row so
// the pass reads whole cache lines, and blocks never share a column.
constexpr int kColumnBlock = 64;

// A radius beyond the line's length reaches just as far as the length itself; clamping
// keeps pos +- radius from overflowing for absurd brush widths.
int ClampRadius(int radius, int count) { return std::clamp(radius, 0, std::max(count, 0)); }

// The divider for the runs of a pass: a run is at most 2 * radius + 1 long and never
// longer than its line.
RunDivider DividerFor(int radius, int count)
{
    return RunDivider(static_cast<int>(std::min<int64_t>(2 * int64_t{radius} + 1, count)));
}

// Per-thread working rows of the first pass.
struct RowRunScratch {
    explicit RowRunScratch(int width) : prefix(3 * (static_cast<std::size_t>(width) + 1)), nextBorder(width + 1) {}
    // Running channel sums of the source row, 3 per position. They may wrap around; the
    // difference of two is still a run's exact sum, which is far below 2^32.
    std::vector<uint32_t> prefix;
    std::vector<int> nextBorder;  // first border at or after each position, width if none
};

// The first pass over one row. Sums come from the source, so running sums give any run's
// total at once. Unvisited pixels still hold the border detector's output, so the
// nearest border to the right is known before the row starts; the nearest one to the
// left is the last visited pixel whose new channel 0 is 0. This finds the same run ends
// as scanning outward from each pixel, without the scan.
void AverageRowFromSource(const uint8_t* src, uint8_t* row, int width, int radius, const RunDivider& divide,
                          RowRunScratch& scratch)
{
    uint32_t* prefix = scratch.prefix.data();
    int* nextBorder = scratch.nextBorder.data();
    // The running sums and the nearest border stay in registers: a chain through memory
    // would wait for every store to come back.
    uint32_t blue = 0, green = 0, red = 0;
    for (int x = 0; x < width; ++x) {
        prefix[3 * x + 3] = blue += src[3 * x];
        prefix[3 * x + 4] = green += src[3 * x + 1];
        prefix[3 * x + 5] = red += src[3 * x + 2];
    }
    int next = width;
    nextBorder[width] = width;
    for (int x = width - 1; x >= 0; --x) nextBorder[x] = next = row[3 * x] == 0 ? x : next;

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
            pixel[0] = src[3 * x];
            pixel[1] = src[3 * x + 1];
            pixel[2] = src[3 * x + 2];
        } else {
            for (int c = 0; c < 3; ++c)
                pixel[c] =
                    static_cast<uint8_t>(divide(static_cast<int>(prefix[3 * (high + 1) + c] - prefix[3 * low + c]), n));
        }
        if (pixel[0] == 0) lastBorder = x;
    }
}

}  // namespace

int VerticalRunRadius(int brushWidth) { return std::min(RoundEven(brushWidth * 0.4), kMaxVerticalRadius); }

void AverageRowRunsFromSource(const ColorPlane& source, ColorPlane& color, int radius, const std::stop_token& stop)
{
    const int width = color.Width();
    const int height = color.Height();
    radius = ClampRadius(radius, width);
    const RunDivider divide = DividerFor(radius, width);
    std::vector<RowRunScratch> scratch = ScratchPerThread<RowRunScratch>(width);
#pragma omp parallel if (UseRowThreads(color.Width(), color.Height()))
    {
        RowRunScratch& mine = scratch[static_cast<std::size_t>(omp_get_thread_num())];
#pragma omp for schedule(static)
        for (int y = 0; y < height; ++y)
            if (!stop.stop_requested()) AverageRowFromSource(source.Row(y), color.Row(y), width, radius, divide, mine);
    }
    ThrowIfStopped(stop);
}

void AverageColumnRunsInPlace(ColorPlane& color, int radius, const std::stop_token& stop)
{
    const int width = color.Width();
    const int height = color.Height();
    const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(color.RowBytes());
    radius = ClampRadius(radius, height);
    const RunDivider divide = DividerFor(radius, height);
    const int blocks = (width + kColumnBlock - 1) / kColumnBlock;
#pragma omp parallel for schedule(static) if (UseRowThreads(color.Width(), color.Height()))
    for (int b = 0; b < blocks; ++b) {
        if (stop.stop_requested()) continue;
        const int x0 = b * kColumnBlock;
        const int x1 = std::min(width, x0 + kColumnBlock);
        SlidingRun columns[kColumnBlock];
        for (int y = 0; y < height; ++y)
            for (int x = x0; x < x1; ++x)
                columns[x - x0].Average(color.Data() + 3 * x, stride, y, height, radius, divide);
    }
    ThrowIfStopped(stop);
}

void AverageRowRunsInPlace(ColorPlane& color, int radius, const std::stop_token& stop)
{
    const int width = color.Width();
    radius = ClampRadius(radius, width);
    const RunDivider divide = DividerFor(radius, width);
    ForEachRow(width, color.Height(), stop, [&](int y) {
        uint8_t* row = color.Row(y);
        SlidingRun run;
        for (int x = 0; x < width; ++x) run.Average(row, 3, x, width, radius, divide);
    });
}

namespace {

enum class Replace { WhereBlack, WhereNotWhite };

// One row: each pixel of `row` takes the pixel of `other` where the test holds, tested on
// the row's own pixel (WhereBlack) or on the other's (WhereNotWhite). Written without
// branches so that the pixels go in vector lanes.
template <Replace When>
LUMETRA_VECTOR_CLONES void ReplaceRow(const uint8_t* __restrict other, uint8_t* __restrict row, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        const unsigned b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
        const unsigned ob = other[3 * x], og = other[3 * x + 1], orr = other[3 * x + 2];
        const unsigned replace = When == Replace::WhereBlack ? (b | g | r) == 0 : (ob & og & orr) != 255;
        const unsigned take = 0u - replace;  // all ones where the pixel is replaced
        row[3 * x] = static_cast<uint8_t>((ob & take) | (b & ~take));
        row[3 * x + 1] = static_cast<uint8_t>((og & take) | (g & ~take));
        row[3 * x + 2] = static_cast<uint8_t>((orr & take) | (r & ~take));
    }
}

template <Replace When>
void ReplacePixels(const ColorPlane& other, ColorPlane& color, const std::stop_token& stop)
{
    const int width = color.Width();
    ForEachRow(width, color.Height(), stop, [&](int y) { ReplaceRow<When>(other.Row(y), color.Row(y), width); });
}

}  // namespace

void RestoreBlackPixels(const ColorPlane& source, ColorPlane& color, const std::stop_token& stop)
{
    ReplacePixels<Replace::WhereBlack>(source, color, stop);
}

void LaySketchLines(const ColorPlane& sketch, ColorPlane& color, const std::stop_token& stop)
{
    ReplacePixels<Replace::WhereNotWhite>(sketch, color, stop);
}

}  // namespace lumetra
