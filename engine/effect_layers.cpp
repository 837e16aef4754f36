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

}  // namespace

// The layer steps of BuildLayers, in the same order, stopping once the layers the effect
// reads exist. No progress is reported.
void Engine::BuildEffectLayers(int index)
{
    if (index < 0 || index >= kBatchEffectCount)
        throw std::out_of_range("no batch effect has index " + std::to_string(index));

    AllocateLayers();
    CopyStep();
    BuildGreyLevels();
    DetectSketchLines();
    if (options.adjust) ShadeSketch();
    BuildPencilLayer();
    if (index == 0 || index == 2) return;

    BuildColorBase();
    if (index == 5) return;

    BuildDotLayer();
    switch (ToneStepFor(index)) {
    case ToneStep::Bright: BuildBrightLayer(); break;
    case ToneStep::Sepia: BuildSepiaLayer(); break;
    case ToneStep::Threshold: BuildThresholdLayer(); break;
    case ToneStep::Contrast: BuildContrastLayer(); break;
    case ToneStep::Grey: BuildColorGreyPlanes(); break;
    case ToneStep::None: break;
    }
}

}  // namespace lumetra
