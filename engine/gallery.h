#pragma once
// The gallery run: every finished picture of one photograph, and the single-slot path
// that yields the same bytes for one of them.

#include <functional>
#include <vector>

#include "engine.h"
#include "plane.h"

namespace lumetra {

// Runs BuildLayers on engine.SrcPixels (the source picture) and returns the twenty finished
// pictures in catalogue order: [0] the source as given, [1..17] composed then post-filtered
// per engine.options, [18], [19] transitions from the finished pictures. Progress: BuildLayers'
// values, then composition progress up to 100. onPicture(slot, picture), when given, is called
// as each picture is finished. Releases the layers at the end. Throws EngineError when the
// layers cannot be allocated.
std::vector<PixelPlane> RenderGallery(Engine& engine, const ProgressFn& progress = {},
                                      const std::function<void(int, const PixelPlane&)>& onPicture = {});

// The same run for a caller that writes each picture out as it comes: onPicture(slot,
// picture) sees the same twenty pictures in the same order, but only the transitions'
// sources are kept meanwhile and no layer outlives the run, which takes far less memory.
// Each picture is a plane of its own, so the caller can go on with it (encode it on
// another thread) while the run composes the next one. Slot 0's picture is
// engine.SrcPixels itself, shared without being owned: the run and the caller only read
// it, and it stays while the engine holds it. engine.SrcPixels is left holding the source
// picture. Without transitions the run stops after slot 17 and keeps no picture at all: a
// caller that holds the pictures anyway composes slots 18 and 19 from its own (same
// columns as ComposeTransition).
void StreamGallery(Engine& engine, const ProgressFn& progress,
                   const std::function<void(int, const SharedPicture&)>& onPicture, bool transitions = true);

// One finished picture of slot 0..19 from engine.SrcPixels: 0 = copy of the source;
// 1..17 through BuildEffectLayers + ComposeBatchEffect; 18/19 composed from the slots they
// need (same bytes as the gallery). engine.SrcPixels is left holding the source picture.
// Throws std::out_of_range for a slot outside 0..19, EngineError when out of memory.
PixelPlane RenderSlot(Engine& engine, int slot);

// Transition composite of three finished pictures of equal size: columns 0..w3-1 from left,
// w3..2*w3-1 from middle, the rest from base, where w3 = width / 3.
// Throws std::invalid_argument when the sizes differ.
PixelPlane ComposeTransition(const PixelPlane& left, const PixelPlane& middle, const PixelPlane& base);

}  // namespace lumetra
