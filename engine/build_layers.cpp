// BuildLayers: every layer of one run, in order, with its progress reports.

#include <new>

#include "engine.h"

namespace lumetra {

void Engine::BuildLayers(const ProgressFn& progress)
{
    // Every step stops within a few rows of a stop request; the check after each report
    // catches one made while the report ran (the gallery composes pictures there).
    const auto report = [&](float value) {
        if (progress) progress(value);
        ThrowIfStopped(stop);
    };
    try {
        if (SrcPixels.Empty()) throw EngineError("there is no picture to process");
        ThrowIfStopped(stop);
        AllocateLayers();
        CopyStep();
        BuildGreyLevels();
        report(20.0f);
        DetectSketchLines();
        if (options.adjust) ShadeSketch();
        BuildPencilLayer();
        report(30.0f);
        BuildColorBase(progress);
        report(60.0f);
        BuildDotLayer();
        report(70.0f);
        BuildSepiaLayer();
        BuildBrightLayer();
        BuildThresholdLayer();
        report(80.0f);
        BuildContrastLayer();
        BuildColorGreyPlanes();
        report(95.0f);
    } catch (const std::bad_alloc&) {
        // No plane of this run or an earlier one may be mistaken for a result.
        ReleaseAllLayers();
        throw EngineError("not enough memory for the layers of a " + std::to_string(SrcPixels.Width()) + " x " +
                          std::to_string(SrcPixels.Height()) + " picture");
    } catch (...) {
        ReleaseAllLayers();
        throw;
    }
}

}  // namespace lumetra
