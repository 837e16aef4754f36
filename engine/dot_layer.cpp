#include "dot_layer.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "colour_math.h"
#include "row_threads.h"
#include "engine.h"
#include "layer_allocation.h"
#include "plane_sizes.h"

namespace lumetra {

namespace {

// The share of an error -255..255 that goes to a neighbour of weight w (of 42), truncated
// toward zero so that a negative error gives a share of the same size as the positive one.
struct ShareTable {
    std::array<std::array<int32_t, 511>, 9> value{};
    constexpr ShareTable()
    {
        for (int w : {1, 2, 4, 8})
            for (int e = -255; e <= 255; ++e) value[w][e + 255] = e * w / 42;
    }
    int32_t operator()(int weight, int error) const { return value[weight][error + 255]; }
};
constexpr ShareTable kShare{};

}  // namespace

int64_t GreySum(const ColorPlane& colour)
{
    int64_t sum = 0;
    const int width = colour.Width();
#pragma omp parallel for schedule(static) reduction(+ : sum) if (UseRowThreads(colour.Width(), colour.Height()))
    for (int y = 0; y < colour.Height(); ++y) {
        const uint8_t* row = colour.Row(y);
        int64_t rowSum = 0;
        for (int x = 0; x < width; ++x) rowSum += kGrayTable[row[3 * x] + row[3 * x + 1] + row[3 * x + 2]];
        sum += rowSum;
    }
    return sum;
}

int MeanGrey(const ColorPlane& colour)
{
    const int64_t pixels = static_cast<int64_t>(colour.Width()) * colour.Height();
    return pixels == 0 ? 0 : static_cast<int>(GreySum(colour) / pixels);
}

void DiffuseDots(const ColorPlane& colour, int meanGrey, int sensitivity, ColorPlane& dots)
{
    const int width = colour.Width();
    const int maxX = width - 1;
    const int maxY = colour.Height() - 1;
    // The error waiting for the current row and for the two rows above it.
    std::array<std::vector<int32_t>, 3> errorRows;
    for (auto& row : errorRows) row.assign(width, 0);
    // A pixel receives at most 42/42 of errors of at most 255, so its waiting error stays
    // within -255..255 and error x 10 / sensitivity comes from a table instead of a
    // division per pixel; anything outside (never expected) is divided as it stands.
    std::array<int32_t, 511> scaled{};
    if (sensitivity != 0)
        for (int e = -255; e <= 255; ++e) scaled[e + 255] = e * 10 / sensitivity;
    const auto scaledError = [&](int32_t e) {
        return static_cast<uint32_t>(e + 255) <= 510 ? scaled[e + 255] : e * 10 / sensitivity;
    };

    for (int y = 0; y <= maxY; ++y) {
        int32_t* here = errorRows[0].data();
        int32_t* above = errorRows[1].data();
        int32_t* twoAbove = errorRows[2].data();
        // The right-hand and upper guards stop one position short of the plane's edge.
        const bool intoAbove = y < maxY - 1;
        const bool intoTwoAbove = y < maxY - 2;
        const uint8_t* src = colour.Row(y);
        uint8_t* out = dots.Row(y);
        for (int x = 0; x <= maxX; ++x) {
            int v = kGrayTable[src[3 * x] + src[3 * x + 1] + src[3 * x + 2]];
            if (sensitivity != 0) v += scaledError(here[x]);
            v = ClampByte(v);
            const int dot = v < meanGrey ? 0 : 255;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = static_cast<uint8_t>(dot);

            const int e = v - dot;
            const bool right1 = x < maxX - 1;
            const bool right2 = x < maxX - 2;
            // The five shares of a row above, weights for x - 2 .. x + 2.
            auto spread = [&](int32_t* row, const std::array<int, 5>& weight) {
                if (x > 1) row[x - 2] += kShare(weight[0], e);
                if (x > 0) row[x - 1] += kShare(weight[1], e);
                row[x] += kShare(weight[2], e);
                if (right1) row[x + 1] += kShare(weight[3], e);
                if (right2) row[x + 2] += kShare(weight[4], e);
            };
            if (right1) here[x + 1] += kShare(8, e);
            if (right2) here[x + 2] += kShare(4, e);
            if (intoAbove) spread(above, {2, 4, 8, 4, 2});
            if (intoTwoAbove) spread(twoAbove, {1, 2, 4, 2, 1});
        }
        std::swap(errorRows[0], errorRows[1]);
        std::swap(errorRows[1], errorRows[2]);
        std::fill(errorRows[2].begin(), errorRows[2].end(), 0);
    }
}

void ShadeDots(const GrayPlane& grey, const ColorPlane& source, bool colour, ColorPlane& dots)
{
    const int width = dots.Width();
#pragma omp parallel for schedule(static) if (UseRowThreads(dots.Width(), dots.Height()))
    for (int y = 0; y < dots.Height(); ++y) {
        const uint8_t* greyRow = grey.Row(y);
        const uint8_t* srcRow = source.Row(y);
        uint8_t* row = dots.Row(y);
        for (int x = 0; x < width; ++x) {
            uint8_t* dot = row + 3 * x;
            if (dot[0] != 0) continue;
            if (colour) {
                for (int c = 0; c < 3; ++c) dot[c] = static_cast<uint8_t>(HalfRoundEven(srcRow[3 * x + c]));
            } else {
                dot[0] = dot[1] = dot[2] = static_cast<uint8_t>(HalfRoundEven(greyRow[x]));
            }
        }
    }
}

void Engine::BuildDotLayer()
{
    if (options.adjust) RequireSameSize("dot layer", ColorPixels, GrayPixels, OrigPixels);
    AllocateLayer(DotPixels, ColorPixels.Width(), ColorPixels.Height());
    DiffuseDots(ColorPixels, MeanGrey(ColorPixels), params.DotSensitivity, DotPixels);
    if (options.adjust) ShadeDots(GrayPixels, OrigPixels, options.colorSketch, DotPixels);
}

}  // namespace lumetra
