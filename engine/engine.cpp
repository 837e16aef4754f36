#include "engine.h"

#include <new>

#include "row_threads.h"
#include "vector_clones.h"

namespace lumetra {

void Engine::AllocateLayers()
{
    const int w = SrcPixels.Width();
    const int h = SrcPixels.Height();
    // Memory used before is zero-filled here, several milliseconds a plane, so a stop is
    // looked for between the planes.
    const auto allocate = [&](auto& plane) {
        ThrowIfStopped(stop);
        plane.Allocate(w, h);
    };
    try {
        allocate(GrayPixels);
        allocate(Gray4Pixels);
        allocate(ColorGrayPixels);
        allocate(ColorGray8Pixels);
        allocate(EdgeVotes);
        allocate(SketchPixels);
        allocate(OrigPixels);
        allocate(ColorPixels);
        allocate(BrightPixels);
        allocate(ThresholdPixels);
        allocate(ContrastPixels);
        allocate(PencilPixels);
        allocate(Gray4RGBPixels);
    } catch (const std::bad_alloc&) {
        ReleaseLayers();
        PencilPixels.Release();
        throw EngineError("not enough memory for the layers of a " + std::to_string(w) + " x " +
                          std::to_string(h) + " picture");
    }
}

void Engine::ReleaseLayers()
{
    GrayPixels.Release();
    Gray4Pixels.Release();
    ColorGrayPixels.Release();
    ColorGray8Pixels.Release();
    EdgeVotes.Release();
    SketchPixels.Release();
    OrigPixels.Release();
    ColorPixels.Release();
    BrightPixels.Release();
    ThresholdPixels.Release();
    ContrastPixels.Release();
    Gray4RGBPixels.Release();
}

void Engine::ReleaseAllLayers()
{
    ReleaseLayers();
    PencilPixels.Release();
    DotPixels.Release();
    SepiaPixels.Release();
    Gray4Work.Release();
}

namespace {

// Channels 0..2 of a row of four-channel pixels.
LUMETRA_VECTOR_CLONES void CopyColourChannels(const uint8_t* __restrict src, uint8_t* __restrict dst, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        dst[3 * x + 0] = src[4 * x + 0];
        dst[3 * x + 1] = src[4 * x + 1];
        dst[3 * x + 2] = src[4 * x + 2];
    }
}

}  // namespace

void Engine::CopyStep()
{
    const int w = SrcPixels.Width();
    ForEachRow(w, SrcPixels.Height(), stop, [&](int y) { CopyColourChannels(SrcPixels.Row(y), OrigPixels.Row(y), w); });
}

}  // namespace lumetra
