#pragma once
// Guard for the layer steps that read planes written by earlier steps: a step run out
// of order, or on planes of another picture, stops instead of reading past a plane.

#include <stdexcept>
#include <string>

#include "plane.h"

namespace lumetra {

template <int C, int... D>
void RequireSameSize(const char* step, const Plane<C>& first, const Plane<D>&... others)
{
    if (((others.Width() != first.Width() || others.Height() != first.Height()) || ...))
        throw std::invalid_argument(std::string(step) + ": the planes it reads differ in size");
}

}  // namespace lumetra
