#pragma once
// Pictures for the composition, post-filter and resampler tests.

#include <cstdint>
#include <random>

#include "engine/plane.h"

namespace lumetra::test {

// Every byte of every channel random, channel 3 included (composition must keep it).
template <int C>
Plane<C> NoisePlane(int w, int h, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> any(0, 255);
    Plane<C> p(w, h);
    for (std::size_t i = 0; i < p.SizeBytes(); ++i) p.Data()[i] = static_cast<uint8_t>(any(rng));
    return p;
}

template <int C>
Plane<C> Uniform(int w, int h, uint8_t value)
{
    Plane<C> p(w, h);
    for (std::size_t i = 0; i < p.SizeBytes(); ++i) p.Data()[i] = value;
    return p;
}

}  // namespace lumetra::test
