#include "dot_layer.h"

#include <omp.h>

#include <chrono>

#include "colour_math.h"
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

void DiffuseRowsAlone(const DiffusionTables& tables, const ColorPlane& colour, ColorPlane& dots, ErrorRing& ring,
                      const std::stop_token& stop)
{
    for (int y = 0; y < colour.Height() && !stop.stop_requested(); ++y) {
        RowState state;
        diffusion::DiffuseRowPart(tables, colour, dots, ring, y, state, 0, colour.Width() - 1, true);
    }
}

// Without error the dots are the grey thresholded at the mean, row by row.
void ThresholdDots(const ColorPlane& colour, int meanGrey, ColorPlane& dots, const std::stop_token& stop)
{
    const int width = colour.Width();
    ForEachRow(width, colour.Height(), stop, [&](int y) {
        const uint8_t* src = colour.Row(y);
        uint8_t* out = dots.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t dot = kGrayTable[src[3 * x] + src[3 * x + 1] + src[3 * x + 2]] < meanGrey ? 0 : 255;
            out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = dot;
        }
    });
}

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

void DiffuseDots(const ColorPlane& colour, int meanGrey, int sensitivity, ColorPlane& dots,
                 const std::stop_token& stop)
{
    // Far longer than the right-hand thread needs for two pixels while it has a core, or
    // to be woken at the start, and longer than most interruptions by other programs.
    DiffuseDotsWithPatience(colour, meanGrey, sensitivity, dots, std::chrono::microseconds{500}, stop);
}

void DiffuseDotsWithPatience(const ColorPlane& colour, int meanGrey, int sensitivity, ColorPlane& dots,
                             std::chrono::microseconds patience, const std::stop_token& stop)
{
    if (sensitivity == 0) {
        ThresholdDots(colour, meanGrey, dots, stop);
        return;
    }
    if (colour.Width() == 0) return;
    const DiffusionTables tables(meanGrey, sensitivity);
    ErrorRing ring(colour.Width());
    const bool threads = omp_get_max_threads() >= 2 && colour.Width() >= kMinWidthForThreads &&
                         UseRowThreads(colour.Width(), colour.Height());
    if (!threads || !diffusion::DiffuseOnTwoThreads(tables, colour, dots, ring, patience, stop))
        DiffuseRowsAlone(tables, colour, dots, ring, stop);
    ThrowIfStopped(stop);
}

void ShadeDots(const GrayPlane& grey, const ColorPlane& source, bool colour, ColorPlane& dots,
               const std::stop_token& stop)
{
    const int width = dots.Width();
    ForEachRow(width, dots.Height(), stop,
               [&](int y) { ShadeBlackPixelsRow(grey.Row(y), source.Row(y), dots.Row(y), width, colour); });
}

void Engine::BuildDotLayer()
{
    if (options.adjust) RequireSameSize("dot layer", ColorPixels, GrayPixels, OrigPixels);
    AllocateLayer(DotPixels, ColorPixels.Width(), ColorPixels.Height());
    DiffuseDots(ColorPixels, MeanGrey(ColorPixels), params.DotSensitivity, DotPixels, stop);
    if (options.adjust) ShadeDots(GrayPixels, OrigPixels, options.colorSketch, DotPixels, stop);
}

}  // namespace lumetra