#include "gallery.h"

#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "catalogue.h"

namespace lumetra {

namespace {

// Progress after BuildLayers' last report: the composition of the nineteen effects
// fills the rest of the bar.
constexpr float kLayersDone = 95.0f;

EngineError OutOfMemory(const PixelPlane& source)
{
    return EngineError("not enough memory for the pictures of a " + std::to_string(source.Width()) + " x " +
                       std::to_string(source.Height()) + " picture");
}

// Composes one pixel effect into SrcPixels, post-filters it and returns a copy.
PixelPlane FinishPixelEffect(Engine& engine, int slot)
{
    engine.ComposeEffect(slot);
    engine.ApplyPostFilters();
    return engine.SrcPixels;
}

PixelPlane TransitionOf(const std::vector<PixelPlane>& pictures, const EffectInfo& effect)
{
    return ComposeTransition(pictures[effect.left], pictures[effect.middle], pictures[effect.base]);
}

}  // namespace

std::vector<PixelPlane> RenderGallery(Engine& engine, const ProgressFn& progress,
                                      const std::function<void(int, const PixelPlane&)>& onPicture)
{
    std::vector<PixelPlane> pictures(kSlotCount);
    try {
        pictures[0] = engine.SrcPixels;
    } catch (const std::bad_alloc&) {
        throw OutOfMemory(engine.SrcPixels);
    }
    if (onPicture) onPicture(0, pictures[0]);

    engine.BuildLayers(progress);

    // Composition writes into SrcPixels; the source goes back there at the end so that
    // the engine still holds the picture it was given.
    try {
        for (const EffectInfo& effect : kCatalogue) {
            if (effect.kind == EffectKind::Source) continue;
            pictures[effect.slot] = effect.kind == EffectKind::Transition ? TransitionOf(pictures, effect)
                                                                           : FinishPixelEffect(engine, effect.slot);
            if (onPicture) onPicture(effect.slot, pictures[effect.slot]);
            if (progress) progress(kLayersDone + (100.0f - kLayersDone) * effect.slot / (kSlotCount - 1));
        }
    } catch (const std::bad_alloc&) {
        engine.ReleaseLayers();
        engine.SrcPixels = std::move(pictures[0]);
        throw OutOfMemory(engine.SrcPixels);
    }
    engine.ReleaseLayers();
    engine.SrcPixels = pictures[0];
    return pictures;
}

namespace {

// Builds the layers of batch index `index` once and finishes each slot of `slots` from
// them, restoring the source in SrcPixels afterwards.
std::vector<PixelPlane> RenderPixelSlots(Engine& engine, int index, std::initializer_list<int> slots)
{
    PixelPlane source = engine.SrcPixels;
    std::vector<PixelPlane> finished;
    try {
        engine.BuildEffectLayers(index);
        for (int slot : slots) finished.push_back(FinishPixelEffect(engine, slot));
    } catch (...) {
        engine.ReleaseLayers();
        engine.SrcPixels = std::move(source);
        throw;
    }
    engine.ReleaseLayers();
    engine.SrcPixels = std::move(source);
    return finished;
}

PixelPlane RenderCatalogueSlot(Engine& engine, int slot)
{
    const EffectInfo& effect = kCatalogue[slot];
    switch (effect.kind) {
    case EffectKind::Source: return engine.SrcPixels;
    case EffectKind::Transition: {
        // The middle picture's layers include the base picture's for both transitions
        // ("Color 1" needs the sketch, "Color 1 + Dot" the dots of "Sketch + Dot").
        const PixelPlane left = RenderCatalogueSlot(engine, effect.left);
        std::vector<PixelPlane> parts = RenderPixelSlots(engine, effect.middle - 1, {effect.middle, effect.base});
        return ComposeTransition(left, parts[0], parts[1]);
    }
    default: {
        PixelPlane source = engine.SrcPixels;
        try {
            engine.BuildEffectLayers(slot - 1);
            engine.ComposeBatchEffect(slot - 1);
        } catch (...) {
            engine.ReleaseLayers();
            engine.SrcPixels = std::move(source);
            throw;
        }
        PixelPlane result = std::move(engine.SrcPixels);
        engine.SrcPixels = std::move(source);
        return result;
    }
    }
}

}  // namespace

PixelPlane RenderSlot(Engine& engine, int slot)
{
    if (slot < 0 || slot >= kSlotCount) throw std::out_of_range("no effect has slot " + std::to_string(slot));
    try {
        return RenderCatalogueSlot(engine, slot);
    } catch (const std::bad_alloc&) {
        throw OutOfMemory(engine.SrcPixels);
    }
}

}  // namespace lumetra
