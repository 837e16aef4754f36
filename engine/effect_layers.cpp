#include <new>
#include <stdexcept>
#include <string>

#include "catalogue.h"
#include "engine.h"

namespace lumetra {

namespace {

// The one tone layer a batch index reads, if any.
enum class ToneStep { None, Bright, Sepia, Threshold, Contrast, Grey };

ToneStep ToneStepFor(int index)
{
    switch (index) {
    case 3: case 4: return ToneStep::Bright;
    case 7: case 8: return ToneStep::Sepia;
    case 9: case 10: return ToneStep::Threshold;
    case 11: case 12: return ToneStep::Contrast;
    case 13: case 14: case 15: case 16: return ToneStep::Grey;
    default: return ToneStep::None;
    }
}

// The layer steps of BuildLayers, in the same order, stopping once the layers the effect
// reads exist. No progress is reported.
void RunEffectSteps(Engine& e, int index)
{
    ThrowIfStopped(e.stop);
    e.AllocateLayers();
    e.CopyStep();
    e.BuildGreyLevels();
    e.DetectSketchLines();
    if (e.options.adjust) e.ShadeSketch();
    e.BuildPencilLayer();
    if (index == 0 || index == 2) return;

    e.BuildColorBase();
    if (index == 5) return;

    e.BuildDotLayer();
    switch (ToneStepFor(index)) {
    case ToneStep::Bright: e.BuildBrightLayer(); break;
    case ToneStep::Sepia: e.BuildSepiaLayer(); break;
    case ToneStep::Threshold: e.BuildThresholdLayer(); break;
    case ToneStep::Contrast: e.BuildContrastLayer(); break;
    case ToneStep::Grey: e.BuildColorGreyPlanes(); break;
    case ToneStep::None: break;
    }
}

}  // namespace

void Engine::BuildEffectLayers(int index)
{
    if (index < 0 || index >= kBatchEffectCount)
        throw std::out_of_range("no batch effect has index " + std::to_string(index));
    if (SrcPixels.Empty()) throw EngineError("there is no picture to process");
    // A half-built set of layers is never composed.
    try {
        RunEffectSteps(*this, index);
    } catch (const std::bad_alloc&) {
        ReleaseAllLayers();
        throw EngineError("not enough memory for the layers of a " + std::to_string(SrcPixels.Width()) + " x " +
                          std::to_string(SrcPixels.Height()) + " picture");
    } catch (...) {
        ReleaseAllLayers();
        throw;
    }
}

}  // namespace lumetra
