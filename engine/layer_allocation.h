#pragma once
// Allocation of a layer inside a step. A failed allocation becomes an EngineError that
// names the picture size, so the caller can stop the run and tell the user why.

#include <new>
#include <string>

#include "engine.h"

namespace lumetra {

// The error of a run that cannot have the memory for its planes (what: "layers" or
// "pictures") of a width x height picture.
inline EngineError OutOfMemory(const char* what, int width, int height)
{
    return EngineError(std::string("not enough memory for the ") + what + " of a " + std::to_string(width) + " x " +
                       std::to_string(height) + " picture");
}

// Re-creates the plane zero-filled at width x height.
template <int C>
void AllocateLayer(Plane<C>& plane, int width, int height)
{
    try {
        plane.Allocate(width, height);
    } catch (const std::bad_alloc&) {
        plane.Release();
        throw OutOfMemory("layers", width, height);
    }
}

// Gives the plane the size of `like`; the contents are kept when it already has it, so a
// step that overwrites every pixel does not pay for a second zero fill.
template <int C, int D>
void MatchLayerSize(Plane<C>& plane, const Plane<D>& like)
{
    if (plane.Width() != like.Width() || plane.Height() != like.Height())
        AllocateLayer(plane, like.Width(), like.Height());
}

}  // namespace lumetra
