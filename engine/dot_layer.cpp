#include "dot_layer.h"

#include <omp.h>

#include <chrono>

#include "color_math.h"
#include "diffusion_rows.h"
#include "engine.h"
#include "layer_allocation.h"
#include "plane_sizes.h"
#include "row_threads.h"
#include "shade_rows.h"
#include "two_thread_diffusion.h"

namespace lumetra {

namespace {

using diffusion::DiffusionTables;
using diffusion::ErrorRing;
using diffusion::RowState;

// Below this many columns a row is not worth cutting in two.
constexpr int kMinWidthForThreads = 512;

void DiffuseRowsAlone(const DiffusionTables& tables, const ColorPlane& color, ColorPlane& dots, ErrorRing& ring,
                      const std::stop_token& stop)
{
    for (int y = 0; y < color.Height() && !stop.stop_requested(); ++y) {
        RowState state;
        diffusion::DiffuseRowPart(tables, color, dots, ring, y, state, 0, color.Width() - 1, true);
    }
}

// Without error the dots are the grey thresholded at the mean, row by row.
void ThresholdDots(const ColorPlane& color, int meanGray, ColorPlane& dots, const std::stop_token& stop)
{
    const int width = color.Width();
    ForEachRow(width, color.Height(), stop, [&](int y) {
        const uint8_t* src = color.Row(y);
        uint8_t* out = dots.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t dot = kGrayTable[src[3 * x] + src[3 * x + 1] + src[3 * x + 2]] < meanGray ? 0 : 255;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = dot;
        }
    });
}

}  // namespace

int64_t GraySum(const ColorPlane& color)
{
    int64_t sum = 0;
    const int width = color.Width();
#pragma omp parallel for schedule(static) reduction(+ : sum) if (UseRowThreads(color.Width(), color.Height()))
    for (int y = 0; y < color.Height(); ++y) {
        const uint8_t* row = color.Row(y);
        int64_t rowSum = 0;
        for (int x = 0; x < width; ++x) rowSum += kGrayTable[row[3 * x] + row[3 * x + 1] + row[3 * x + 2]];
        sum += rowSum;
    }
    return sum;
}

int MeanGray(const ColorPlane& color)
{
    const int64_t pixels = static_cast<int64_t>(color.Width()) * color.Height();
    return pixels == 0 ? 0 : static_cast<int>(GraySum(color) / pixels);
}

void DiffuseDots(const ColorPlane& color, int meanGray, int sensitivity, ColorPlane& dots, const std::stop_token& stop)
{
    // Far longer than the right-hand thread needs for two pixels while it has a core, or
    // to be woken at the start, and longer than most interruptions by other programs.
    DiffuseDotsWithPatience(color, meanGray, sensitivity, dots, std::chrono::microseconds{500}, stop);
}

void DiffuseDotsWithPatience(const ColorPlane& color, int meanGray, int sensitivity, ColorPlane& dots,
                             std::chrono::microseconds patience, const std::stop_token& stop)
{
    if (sensitivity == 0) {
        ThresholdDots(color, meanGray, dots, stop);
        return;
    }
    if (color.Width() == 0) return;
    const DiffusionTables tables(meanGray, sensitivity);
    ErrorRing ring(color.Width());
    const bool threads = omp_get_max_threads() >= 2 && color.Width() >= kMinWidthForThreads &&
                         UseRowThreads(color.Width(), color.Height());
    if (!threads || !diffusion::DiffuseOnTwoThreads(tables, color, dots, ring, patience, stop))
        DiffuseRowsAlone(tables, color, dots, ring, stop);
    ThrowIfStopped(stop);
}

void ShadeDots(const GrayPlane& gray, const ColorPlane& source, bool color, ColorPlane& dots,
               const std::stop_token& stop)
{
    const int width = dots.Width();
    ForEachRow(width, dots.Height(), stop,
               [&](int y) { ShadeBlackPixelsRow(gray.Row(y), source.Row(y), dots.Row(y), width, color); });
}

void Engine::BuildDotLayer()
{
    if (options.adjust) RequireSameSize("dot layer", ColorPixels, GrayPixels, OrigPixels);
    AllocateLayer(DotPixels, ColorPixels.Width(), ColorPixels.Height());
    DiffuseDots(ColorPixels, MeanGray(ColorPixels), params.DotSensitivity, DotPixels, stop);
    if (options.adjust) ShadeDots(GrayPixels, OrigPixels, options.colorSketch, DotPixels, stop);
}

}  // namespace lumetra