#include "engine.h"

#include <new>

#include "layer_allocation.h"
#include "layer_table.h"
#include "row_threads.h"
#include "vector_clones.h"

namespace lumetra {

void Engine::AllocateLayers()
{
    const int w = SrcPixels.Width();
    const int h = SrcPixels.Height();
    // Memory used before is zero-filled here, several milliseconds a plane, so a stop is
    // looked for between the planes.
    try {
        for (const LayerInfo& row : kLayers)
            if (row.upFront)
                WithPlane(*this, row, [&](auto& plane) {
                    ThrowIfStopped(stop);
                    plane.Allocate(w, h);
                });
    } catch (const std::bad_alloc&) {
        ReleaseAllLayers();
        throw OutOfMemory("layers", w, h);
    }
}

void Engine::ReleaseLayers()
{
    for (const LayerInfo& row : kLayers)
        if (!row.lasting) WithPlane(*this, row, [](auto& plane) { plane.Release(); });
}

void Engine::ReleaseAllLayers()
{
    for (const LayerInfo& row : kLayers) WithPlane(*this, row, [](auto& plane) { plane.Release(); });
}

namespace {

// Channels 0..2 of a row of four-channel pixels.
LUMETRA_VECTOR_CLONES void CopyColorChannels(const uint8_t* __restrict src, uint8_t* __restrict dst, int width)
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
    ForEachRow(w, SrcPixels.Height(), stop, [&](int y) { CopyColorChannels(SrcPixels.Row(y), OrigPixels.Row(y), w); });
}

}  // namespace lumetra
