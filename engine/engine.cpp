#include "engine.h"

#include <new>

#include "row_threads.h"

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

void Engine::CopyStep()
{
    const int w = SrcPixels.Width();
#pragma omp parallel for schedule(static) if (UseRowThreads(SrcPixels.Width(), SrcPixels.Height()))
    for (int y = 0; y < SrcPixels.Height(); ++y) {
        const uint8_t* src = SrcPixels.Row(y);
        uint8_t* dst = OrigPixels.Row(y);
#pragma omp simd
        for (int x = 0; x < w; ++x) {
            dst[3 * x + 0] = src[4 * x + 0];
            dst[3 * x + 1] = src[4 * x + 1];
            dst[3 * x + 2] = src[4 * x + 2];
        }
    }
}

}  // namespace lumetra
