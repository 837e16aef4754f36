#include <stdexcept>
#include <string>

#include "catalogue.h"
#include "engine.h"
#include "layer_table.h"

namespace lumetra {

namespace {

// The steps of BuildLayers, in the same order, up to the last one that builds a layer
// the effect reads; a step that no later step reads runs only when the effect reads what
// it builds. No progress is reported.
void RunEffectSteps(Engine& e, const EffectInfo& effect)
{
    const auto builds = [&](LayerStep step) {
        for (EffectLayer layer : LayersRead(effect))
            if (const LayerInfo* row = FindLayer(layer); row && row->step == step) return true;
        return false;
    };
    LayerStep last = LayerStep::Gray;
    for (EffectLayer layer : LayersRead(effect))
        if (const LayerInfo* row = FindLayer(layer)) last = std::max(last, row->step);

    for (const LayerStepInfo& step : kLayerSteps) {
        if (step.step > last) break;
        if (step.feedsLaterSteps || builds(step.step)) step.run(e, {});
    }
}

}  // namespace

void Engine::BuildEffectLayers(int index)
{
    if (index < 0 || index >= kBatchEffectCount)
        throw std::out_of_range("no batch effect has index " + std::to_string(index));
    RunGuarded(*this, [&] { RunEffectSteps(*this, kCatalogue[SlotOfBatchIndex(index)]); });
}

}  // namespace lumetra
