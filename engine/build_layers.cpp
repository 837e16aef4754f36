// BuildLayers: every layer of one run, in order, with its progress reports.

#include <new>

#include "engine.h"

namespace lumetra {
namespace {

void Report(const ProgressFn& progress, float value)
{
    if (progress) progress(value);
}

// After a failed run no layer may be used: the ones a run keeps are dropped as well,
// so no plane of this run or an earlier one is mistaken for a result.
void ReleaseEveryLayer(Engine& engine)
{
    engine.ReleaseLayers();
    engine.PencilPixels.Release();
    engine.DotPixels.Release();
    engine.SepiaPixels.Release();
    engine.Gray4Work.Release();
}

}  // namespace

void Engine::BuildLayers(const ProgressFn& progress)
{
    try {
        if (SrcPixels.Empty()) throw EngineError("there is no picture to process");
        AllocateLayers();
        CopyStep();
        BuildGreyLevels();
        Report(progress, 20.0f);
        DetectSketchLines();
        if (options.adjust) ShadeSketch();
        BuildPencilLayer();
        Report(progress, 30.0f);
        BuildColorBase(progress);
        Report(progress, 60.0f);
        BuildDotLayer();
        Report(progress, 70.0f);
        BuildSepiaLayer();
        BuildBrightLayer();
        BuildThresholdLayer();
        Report(progress, 80.0f);
        BuildContrastLayer();
        BuildColorGreyPlanes();
        Report(progress, 95.0f);
    } catch (const std::bad_alloc&) {
        ReleaseEveryLayer(*this);
        throw EngineError("not enough memory for the layers of a " + std::to_string(SrcPixels.Width()) + " x " +
                          std::to_string(SrcPixels.Height()) + " picture");
    } catch (...) {
        ReleaseEveryLayer(*this);
        throw;
    }
}

}  // namespace lumetra
