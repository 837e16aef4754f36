#include "resample.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "color_math.h"

namespace lumetra {

namespace {

// Where source samples j and j + 1 land in the target: round(p) and round(p + s), p being
// the running 32-bit float sum of the scale factor. The sum drifts on long runs, so both
// are clamped to the last target index.
struct Span {
    int from;
    int to;
};

std::vector<Span> Spans(int sourceMax, int targetMax, float scale)
{
    std::vector<Span> spans(static_cast<std::size_t>(sourceMax));
    float p = 0.0f;
    for (int j = 0; j < sourceMax; ++j) {
        const float q = p + scale;
        spans[j] = {static_cast<int>(std::min<long>(std::lrint(p), targetMax)),
                    static_cast<int>(std::min<long>(std::lrint(q), targetMax))};
        p = q;
    }
    return spans;
}

// The scale factor, formed in double and stored as a 32-bit float, and the step weight
// 1 / floor(s + 1).
float ScaleOf(int targetMax, int sourceMax) { return static_cast<float>(static_cast<double>(targetMax) / sourceMax); }
float WeightOf(float scale) { return 1.0f / std::floor(scale + 1.0f); }

// A run of pixels along one line, of a plane with any channel count: channels 0..2 of
// pixel i sit at base + i * stride.
struct Line {
    uint8_t* base;
    std::ptrdiff_t stride;
    uint8_t* At(int i) const { return base + i * stride; }
};
struct ConstLine {
    const uint8_t* base;
    std::ptrdiff_t stride;
    const uint8_t* At(int i) const { return base + i * stride; }
};

void CopyBgr(const uint8_t* from, uint8_t* to)
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

// One line of the resampler: each source sample is written at its position, the gap up
// to the next one is filled by stepping from it towards the next by (next - it) * weight,
// in 32-bit float, and the last target pixel receives the last source sample.
void ResampleLine(ConstLine source, int sourceMax, Line target, int targetMax, const std::vector<Span>& spans,
                  float weight)
{
    if (sourceMax == 0) {
        // A single sample has no neighbour to step towards: it fills the line.
        for (int k = 0; k <= targetMax; ++k) CopyBgr(source.At(0), target.At(k));
        return;
    }
    const uint8_t* prev = source.At(0);
    for (int j = 0; j < sourceMax; ++j) {
        const Span span = spans[j];
        CopyBgr(prev, target.At(span.from));
        const uint8_t* cur = source.At(j + 1);
        if (span.to - span.from > 1) {
            for (int c = 0; c < 3; ++c) {
                const float step = static_cast<float>(cur[c] - prev[c]) * weight;
                float acc = 0.0f;
                for (int k = span.from + 1; k < span.to; ++k) {
                    acc = acc + step;
                    target.At(k)[c] = ClampByte(static_cast<int>(std::lrint(prev[c] + acc)));
                }
            }
        }
        prev = cur;
    }
    CopyBgr(prev, target.At(targetMax));
}

}  // namespace

void ResampleTo(const PixelPlane& grab, PixelPlane& target, int newMaxX, int newMaxY)
{
    if (grab.Empty()) throw std::invalid_argument("there is no picture to resample");
    if (newMaxX < 0 || newMaxY < 0) throw std::invalid_argument("a resampled picture needs at least one pixel");
    const int grabMaxX = grab.MaxX();
    const int grabMaxY = grab.MaxY();

    // Down every column into the intermediate, which keeps the grab's width.
    ColorPlane temp(grab.Width(), newMaxY + 1);
    const float sy = grabMaxY > 0 ? ScaleOf(newMaxY, grabMaxY) : 0.0f;
    const std::vector<Span> rowSpans = Spans(grabMaxY, newMaxY, sy);
    const float wy = WeightOf(sy);
#pragma omp parallel for schedule(static)
    for (int x = 0; x <= grabMaxX; ++x) {
        ResampleLine({grab.Data() + 4 * x, static_cast<std::ptrdiff_t>(grab.RowBytes())}, grabMaxY,
                     {temp.Data() + 3 * x, static_cast<std::ptrdiff_t>(temp.RowBytes())}, newMaxY, rowSpans, wy);
    }

    // Then along every row into the target.
    target.Allocate(newMaxX + 1, newMaxY + 1);
    const float sx = grabMaxX > 0 ? ScaleOf(newMaxX, grabMaxX) : 0.0f;
    const std::vector<Span> columnSpans = Spans(grabMaxX, newMaxX, sx);
    const float wx = WeightOf(sx);
#pragma omp parallel for schedule(static)
    for (int y = 0; y <= newMaxY; ++y) {
        ResampleLine({temp.Row(y), 3}, grabMaxX, {target.Row(y), 4}, newMaxX, columnSpans, wx);
    }
}

}  // namespace lumetra
