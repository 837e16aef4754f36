#include "engine.h"

#include <new>

#include "row_threads.h"
#include "vector_clones.h"

namespace lumetra {

void Engine::AllocateLayers()
{
    const int w = SrcPixels.Width();
    const int h = SrcPixels.Height();
    try {
        GrayPixels.Allocate(w, h);
        Gray4Pixels.Allocate(w, h);
        ColorGrayPixels.Allocate(w, h);
        ColorGray8Pixels.Allocate(w, h);
        EdgeVotes.Allocate(w, h);
        SketchPixels.Allocate(w, h);
        OrigPixels.Allocate(w, h);
        ColorPixels.Allocate(w, h);
        BrightPixels.Allocate(w, h);
        ThresholdPixels.Allocate(w, h);
        ContrastPixels.Allocate(w, h);
        PencilPixels.Allocate(w, h);
        Gray4RGBPixels.Allocate(w, h);
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
#pragma omp parallel for schedule(static) if (UseRowThreads(SrcPixels.Width(), SrcPixels.Height()))
    for (int y = 0; y < SrcPixels.Height(); ++y) CopyColourChannels(SrcPixels.Row(y), OrigPixels.Row(y), w);
}

}  // namespace lumetra
