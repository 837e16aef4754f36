// BuildLayers: every layer of one run, in order, with its progress reports; and the
// guard around any layer run.

#include <new>

#include "engine.h"
#include "layer_allocation.h"
#include "layer_table.h"

namespace lumetra {

void RunGuarded(Engine& e, const std::function<void()>& steps)
{
    try {
        if (e.SrcPixels.Empty()) throw EngineError("there is no picture to process");
        ThrowIfStopped(e.stop);
        steps();
    } catch (const std::bad_alloc&) {
        // No plane of this run or an earlier one may be mistaken for a result.
        e.ReleaseAllLayers();
        throw OutOfMemory("layers", e.SrcPixels.Width(), e.SrcPixels.Height());
    } catch (...) {
        e.ReleaseAllLayers();
        throw;
    }
}

void Engine::BuildLayers(const ProgressFn& progress)
{
    RunGuarded(*this, [&] {
        for (const LayerStepInfo& step : kLayerSteps) {
            step.run(*this, progress);
            if (step.progressAfter == 0.0f) continue;
            // Every step stops within a few rows of a stop request; the check after each
            // report catches one made while the report ran (the gallery composes pictures there).
            if (progress) progress(step.progressAfter);
            ThrowIfStopped(stop);
        }
    });
}

}  // namespace lumetra
