// The colour base under every colour effect: the source picture with the sketch lines
// laid over it, or, with mixing, region-averaged colours with the lines laid over.

#include <algorithm>

#include "color_mixing.h"
#include "engine.h"
#include "layer_allocation.h"
#include "plane_sizes.h"
#include "row_threads.h"
#include "vector_clones.h"

namespace lumetra {

namespace {

// The four-level grey repeated in three channels: the colour input of the region-border
// detector, so that only changes between grey levels make borders.
LUMETRA_VECTOR_CLONES void ExpandRow(const uint8_t* __restrict src, uint8_t* __restrict dst, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        dst[3 * x] = src[x];
        dst[3 * x + 1] = src[x];
        dst[3 * x + 2] = src[x];
    }
}

void ExpandToThreeChannels(const GrayPlane& gray, ColorPlane& color, const std::stop_token& stop)
{
    const int width = gray.Width();
    ForEachRow(width, gray.Height(), stop, [&](int y) { ExpandRow(gray.Row(y), color.Row(y), width); });
}

}  // namespace

void Engine::BuildColorBase(const ProgressFn& progress)
{
    RequireSameSize("colour base", OrigPixels, SketchPixels);
    if (!options.mix) {
        MatchLayerSize(ColorPixels, OrigPixels);
        std::copy_n(OrigPixels.Data(), OrigPixels.SizeBytes(), ColorPixels.Data());
        LaySketchLines(SketchPixels, ColorPixels, stop);
        return;
    }

    RequireSameSize("colour mixing", OrigPixels, Gray4Pixels);
    const int width = OrigPixels.Width();
    const int height = OrigPixels.Height();
    AllocateLayer(EdgeVotes, width, height);
    AllocateLayer(Gray4Work, width, height);
    MatchLayerSize(Gray4RGBPixels, OrigPixels);
    MatchLayerSize(ColorPixels, OrigPixels);
    ExpandToThreeChannels(Gray4Pixels, Gray4RGBPixels, stop);
    std::copy_n(Gray4Pixels.Data(), Gray4Pixels.SizeBytes(), Gray4Work.Data());

    // Region borders come out black, everything else white.
    DetectLines(Gray4RGBPixels, Gray4Work, EdgeVotes, ColorPixels, params.EdgeThreshold, params.VoteThreshold,
                params.DarkThreshold, stop);
    if (progress) progress(40.0f);

    AverageRowRunsFromSource(OrigPixels, ColorPixels, params.BrushWidth, stop);
    const int verticalRadius = VerticalRunRadius(params.BrushWidth);
    AverageColumnRunsInPlace(ColorPixels, verticalRadius, stop);
    if (verticalRadius > kThirdPassMinRadius) AverageRowRunsInPlace(ColorPixels, kThirdPassRadius, stop);
    if (progress) progress(50.0f);

    RestoreBlackPixels(OrigPixels, ColorPixels, stop);
    LaySketchLines(SketchPixels, ColorPixels, stop);
}

}  // namespace lumetra
