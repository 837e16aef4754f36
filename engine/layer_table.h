#pragma once
// The layer table: the steps of the layer run in order, and every plane they write with
// the step that builds it and whether it outlives the run. BuildLayers, the single-effect
// path, the gallery's early pictures and releases, and composition all read these rows,
// so a new layer is one row here and the effects that read it are rows of the catalogue.

#include <algorithm>
#include <array>
#include <functional>

#include "catalogue.h"
#include "engine.h"

namespace lumetra {

// The steps of the layer run, in the order they run.
enum class LayerStep { Gray, Sketch, Pencil, ColorBase, Dot, Sepia, Bright, Threshold, Contrast, ColorGray };

struct LayerStepInfo {
    LayerStep step;
    void (*run)(Engine&, const ProgressFn&);
    float progressAfter;   // what BuildLayers reports once the step is done; 0: nothing
    bool feedsLaterSteps;  // a later step reads what this one writes
};

inline constexpr std::array<LayerStepInfo, 10> kLayerSteps{{
    {LayerStep::Gray,
     [](Engine& e, const ProgressFn&) {
         e.AllocateLayers();
         e.CopyStep();
         e.BuildGrayLevels();
     },
     20.0f, true},
    {LayerStep::Sketch,
     [](Engine& e, const ProgressFn&) {
         e.DetectSketchLines();
         if (e.options.adjust) e.ShadeSketch();
     },
     0.0f, true},
    {LayerStep::Pencil, [](Engine& e, const ProgressFn&) { e.BuildPencilLayer(); }, 30.0f, false},
    // Reports 40 and 50 itself when mixing.
    {LayerStep::ColorBase, [](Engine& e, const ProgressFn& progress) { e.BuildColorBase(progress); }, 60.0f, true},
    {LayerStep::Dot, [](Engine& e, const ProgressFn&) { e.BuildDotLayer(); }, 70.0f, false},
    {LayerStep::Sepia, [](Engine& e, const ProgressFn&) { e.BuildSepiaLayer(); }, 0.0f, false},
    {LayerStep::Bright, [](Engine& e, const ProgressFn&) { e.BuildBrightLayer(); }, 0.0f, false},
    {LayerStep::Threshold, [](Engine& e, const ProgressFn&) { e.BuildThresholdLayer(); }, 80.0f, false},
    {LayerStep::Contrast, [](Engine& e, const ProgressFn&) { e.BuildContrastLayer(); }, 0.0f, false},
    {LayerStep::ColorGray, [](Engine& e, const ProgressFn&) { e.BuildColorGrayPlanes(); }, 95.0f, false},
}};

// BuildLayers' last report: every layer is final.
inline constexpr float kLayersDone = kLayerSteps.back().progressAfter;

struct LayerInfo {
    EffectLayer layer;          // None for a plane that only later steps read
    ColorPlane Engine::*color;  // the plane, when it has three channels
    GrayPlane Engine::*gray;    // the plane, when it is grey
    LayerStep step;             // the last step that writes it
    bool upFront;               // allocated at the start of the run, else by its step
    bool lasting;               // ReleaseLayers keeps it until the next run re-creates it
};

// In the order the run allocates them.
inline constexpr std::array<LayerInfo, 16> kLayers{{
    {EffectLayer::None, nullptr, &Engine::GrayPixels, LayerStep::Gray, true, false},
    {EffectLayer::None, nullptr, &Engine::Gray4Pixels, LayerStep::Gray, true, false},
    {EffectLayer::ColorGray, nullptr, &Engine::ColorGrayPixels, LayerStep::ColorGray, true, false},
    {EffectLayer::ColorGray8, nullptr, &Engine::ColorGray8Pixels, LayerStep::ColorGray, true, false},
    {EffectLayer::None, nullptr, &Engine::EdgeVotes, LayerStep::ColorBase, true, false},
    {EffectLayer::Sketch, &Engine::SketchPixels, nullptr, LayerStep::Sketch, true, false},
    {EffectLayer::None, &Engine::OrigPixels, nullptr, LayerStep::Gray, true, false},
    {EffectLayer::Color, &Engine::ColorPixels, nullptr, LayerStep::ColorBase, true, false},
    {EffectLayer::Bright, &Engine::BrightPixels, nullptr, LayerStep::Bright, true, false},
    {EffectLayer::Threshold, &Engine::ThresholdPixels, nullptr, LayerStep::Threshold, true, false},
    {EffectLayer::Contrast, &Engine::ContrastPixels, nullptr, LayerStep::Contrast, true, false},
    {EffectLayer::Pencil, &Engine::PencilPixels, nullptr, LayerStep::Pencil, true, true},
    {EffectLayer::None, &Engine::Gray4RGBPixels, nullptr, LayerStep::ColorBase, true, false},
    {EffectLayer::Dot, &Engine::DotPixels, nullptr, LayerStep::Dot, false, true},
    {EffectLayer::Sepia, &Engine::SepiaPixels, nullptr, LayerStep::Sepia, false, true},
    {EffectLayer::None, nullptr, &Engine::Gray4Work, LayerStep::ColorBase, false, true},
}};

// Every layer an effect can read has exactly one row.
static_assert([] {
    for (int layer = static_cast<int>(EffectLayer::None) + 1; layer <= static_cast<int>(EffectLayer::ColorGray);
         ++layer)
        if (std::count_if(kLayers.begin(), kLayers.end(),
                          [&](const LayerInfo& row) { return row.layer == static_cast<EffectLayer>(layer); }) != 1)
            return false;
    return true;
}());

// The row of an effect layer; nullptr for EffectLayer::None.
constexpr const LayerInfo* FindLayer(EffectLayer layer)
{
    if (layer == EffectLayer::None) return nullptr;
    const auto row = std::find_if(kLayers.begin(), kLayers.end(), [&](const LayerInfo& l) { return l.layer == layer; });
    return row == kLayers.end() ? nullptr : &*row;
}

// The progress value BuildLayers reports once a layer is final: the first report at or
// after the step that builds it, since no later step writes it. 0 for no layer.
constexpr float LayerDoneAt(EffectLayer layer)
{
    const LayerInfo* row = FindLayer(layer);
    if (!row) return 0.0f;
    for (const LayerStepInfo& step : kLayerSteps)
        if (step.step >= row->step && step.progressAfter > 0.0f) return step.progressAfter;
    return kLayersDone;
}

// Calls f with the plane of a row, whichever its type.
template <class E, class F>
void WithPlane(E& engine, const LayerInfo& row, F&& f)
{
    if (row.color)
        f(engine.*row.color);
    else
        f(engine.*row.gray);
}

// Runs steps of the layer run on e.SrcPixels, which must hold a picture. A half-built set
// of layers is never composed: on any failure every layer is released, and a failed
// allocation becomes an EngineError naming the picture size.
void RunGuarded(Engine& e, const std::function<void()>& steps);

}  // namespace lumetra
