#include "gallery.h"

#include <algorithm>
#include <array>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

#include "catalogue.h"
#include "layer_allocation.h"
#include "layer_table.h"

namespace lumetra {

namespace {

EngineError PicturesOutOfMemory(const PixelPlane& source)
{
    return OutOfMemory("pictures", source.Width(), source.Height());
}

// Composes one pixel effect into `picture` and post-filters it there, leaving the source
// in SrcPixels.
void FinishPixelEffectInto(const Engine& engine, int slot, PixelPlane& picture)
{
    engine.ComposeEffectInto(slot, picture);
    engine.ApplyPostFiltersTo(picture);
}

// Releases a plane, unless it outlives the run and the caller keeps such planes.
void ReleasePlane(Engine& e, const LayerInfo& row, bool keepLasting)
{
    if (!(row.lasting && keepLasting)) WithPlane(e, row, [](auto& plane) { plane.Release(); });
}

void ReleaseLayer(Engine& e, EffectLayer layer, bool keepLasting)
{
    if (const LayerInfo* row = FindLayer(layer)) ReleasePlane(e, *row, keepLasting);
}

// The planes only the layer steps read; composition needs none of them.
void ReleaseBuildOnlyPlanes(Engine& e, bool keepLasting)
{
    for (const LayerInfo& row : kLayers)
        if (row.layer == EffectLayer::None) ReleasePlane(e, row, keepLasting);
}

// Whether a layer may go once its last reader has composed even while the build goes on:
// the step that makes it feeds no later step.
bool FreeBeforeBuildEnds(EffectLayer layer)
{
    const LayerInfo* row = FindLayer(layer);
    const auto maker = std::find_if(kLayerSteps.begin(), kLayerSteps.end(),
                                    [&](const LayerStepInfo& step) { return row && step.step == row->step; });
    return maker != kLayerSteps.end() && !maker->feedsLaterSteps;
}

constexpr int kLayerKinds = static_cast<int>(EffectLayer::ColorGray) + 1;

// For every pixel slot, the layers whose last reader it is.
std::array<std::vector<EffectLayer>, kSlotCount> LastReaders()
{
    std::array<int, kLayerKinds> lastSlot{};
    for (const EffectInfo& effect : kCatalogue)
        if (IsPixelEffect(effect.slot))
            for (EffectLayer layer : LayersRead(effect))
                if (layer != EffectLayer::None) lastSlot[static_cast<int>(layer)] = effect.slot;
    std::array<std::vector<EffectLayer>, kSlotCount> last;
    for (int layer = 0; layer < kLayerKinds; ++layer)
        if (lastSlot[layer] > 0) last[lastSlot[layer]].push_back(static_cast<EffectLayer>(layer));
    return last;
}

// Slots that a transition reads.
std::array<bool, kSlotCount> TransitionSources()
{
    std::array<bool, kSlotCount> needed{};
    for (const EffectInfo& effect : kCatalogue)
        if (effect.kind == EffectKind::Transition)
            needed[effect.left] = needed[effect.middle] = needed[effect.base] = true;
    return needed;
}

// The progress after which a slot can be finished: every layer it reads is final (a
// transition waits for the end, its pictures come before it anyway).
float SlotReadyAt(const EffectInfo& effect)
{
    float ready = effect.kind == EffectKind::Transition ? kLayersDone : 0.0f;
    for (EffectLayer layer : LayersRead(effect)) ready = std::max(ready, LayerDoneAt(layer));
    return ready;
}

// The gallery run. The pictures are finished in catalogue order, each as soon as the
// layers it reads are final, so the first ones come out while later layers are still
// being built. A layer goes once its last reader has composed: at once when no later step
// of the build reads it, else when the build is over; the finished pictures reuse its
// memory. Each picture is composed straight into a plane of its own, next to the source
// in SrcPixels, and handed out as it is. A transition is composed as soon as its three
// pictures are there and waits for its turn, so they need not be kept to the end. With
// keepAll the twenty pictures are returned; otherwise only what the transitions still
// need is kept and no layer outlives the run. Without transitions the run ends before the
// first of them and keeps no picture for them.
std::vector<PixelPlane> RunGallery(Engine& engine, const ProgressFn& progress,
                                   const std::function<void(int, const SharedPicture&)>& onPicture, bool keepAll,
                                   bool transitions = true)
{
    static const auto lastReaders = LastReaders();
    static const auto transitionSources = TransitionSources();
    std::vector<std::shared_ptr<PixelPlane>> kept(kSlotCount);
    try {
        if (keepAll) kept[0] = std::make_shared<PixelPlane>(engine.SrcPixels);
    } catch (const std::bad_alloc&) {
        throw PicturesOutOfMemory(engine.SrcPixels);
    }
    if (onPicture) onPicture(0, kept[0] ? kept[0] : SharedPicture(SharedPicture(), &engine.SrcPixels));

    const auto picture = [&](int slot) -> const PixelPlane& { return slot == 0 ? engine.SrcPixels : *kept[slot]; };
    int next = 1;  // the next slot to finish
    bool built = false;
    const auto releaseLayersOf = [&](int slot) {
        for (EffectLayer layer : lastReaders[slot])
            if (built || FreeBeforeBuildEnds(layer)) ReleaseLayer(engine, layer, keepAll);
    };
    // Composes every transition whose pictures are all finished (slot 0 always is), then
    // lets go of the pictures no transition still waiting reads.
    const auto composeReadyTransitions = [&] {
        const auto there = [&](int slot) { return slot == 0 || kept[slot] != nullptr; };
        const auto waiting = [&](const EffectInfo& t) { return t.kind == EffectKind::Transition && !kept[t.slot]; };
        for (const EffectInfo& t : kCatalogue)
            if (waiting(t) && there(t.left) && there(t.middle) && there(t.base))
                kept[t.slot] = std::make_shared<PixelPlane>(
                    ComposeTransition(picture(t.left), picture(t.middle), picture(t.base)));
        for (int slot = 1; slot < kSlotCount && !keepAll; ++slot)
            if (transitionSources[slot] && std::none_of(kCatalogue.begin(), kCatalogue.end(), [&](const EffectInfo& t) {
                    return waiting(t) && (t.left == slot || t.middle == slot || t.base == slot);
                }))
                kept[slot].reset();
    };
    // Finishes every slot, in order, whose layers are final at this point of the build.
    const auto finishReady = [&](float layersProgress) {
        for (; next < kSlotCount && SlotReadyAt(kCatalogue[next]) <= layersProgress; ++next) {
            ThrowIfStopped(engine.stop);
            const EffectInfo& effect = kCatalogue[next];
            if (!transitions && effect.kind == EffectKind::Transition) {
                next = kSlotCount;
                break;
            }
            std::shared_ptr<PixelPlane> finished = kept[next];  // a transition is composed already
            if (!finished) {
                finished = std::make_shared<PixelPlane>();
                FinishPixelEffectInto(engine, next, *finished);
                releaseLayersOf(next);
                if (keepAll || (transitions && transitionSources[next])) kept[next] = finished;
                if (transitions) composeReadyTransitions();
            }
            if (!keepAll && effect.kind == EffectKind::Transition) kept[next].reset();
            if (onPicture) onPicture(next, finished);
            if (built && progress) progress(kLayersDone + (100.0f - kLayersDone) * next / (kSlotCount - 1));
        }
    };

    // Slots whose layers come last wait for the end of the build, where the progress
    // goes on from BuildLayers' last report to 100 as they are finished.
    engine.BuildLayers([&](float value) {
        if (progress) progress(value);
        if (value < kLayersDone) finishReady(value);
    });
    built = true;
    ReleaseBuildOnlyPlanes(engine, keepAll);
    try {
        for (int slot = 1; slot < next; ++slot) releaseLayersOf(slot);
        finishReady(100.0f);
    } catch (const std::bad_alloc&) {
        engine.ReleaseAllLayers();
        throw PicturesOutOfMemory(engine.SrcPixels);
    } catch (...) {
        engine.ReleaseAllLayers();
        throw;
    }
    engine.ReleaseLayers();
    std::vector<PixelPlane> pictures;
    if (keepAll) {
        // Nobody else holds them: RenderGallery hands them out by reference only.
        pictures.reserve(kSlotCount);
        for (const auto& one : kept) pictures.push_back(std::move(*one));
    }
    return pictures;
}

}  // namespace

std::vector<PixelPlane> RenderGallery(Engine& engine, const ProgressFn& progress,
                                      const std::function<void(int, const PixelPlane&)>& onPicture)
{
    if (!onPicture) return RunGallery(engine, progress, {}, true);
    return RunGallery(
        engine, progress, [&](int slot, const SharedPicture& picture) { onPicture(slot, *picture); }, true);
}

void StreamGallery(Engine& engine, const ProgressFn& progress,
                   const std::function<void(int, const SharedPicture&)>& onPicture, bool transitions)
{
    RunGallery(engine, progress, onPicture, false, transitions);
}

namespace {

// Builds the layers of batch index `index` once and finishes each slot of `slots` from
// them; SrcPixels keeps the source throughout.
std::vector<PixelPlane> RenderPixelSlots(Engine& engine, int index, std::initializer_list<int> slots)
{
    std::vector<PixelPlane> finished(slots.size());
    try {
        engine.BuildEffectLayers(index);
        auto picture = finished.begin();
        for (int slot : slots) FinishPixelEffectInto(engine, slot, *picture++);
    } catch (...) {
        engine.ReleaseLayers();
        throw;
    }
    engine.ReleaseLayers();
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
        throw PicturesOutOfMemory(engine.SrcPixels);
    }
}

}  // namespace lumetra
