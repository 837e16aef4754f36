#pragma once
// Pictures, planes and engines for the engine tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

#include "engine/engine.h"

namespace lumetra::test {

template <int C>
void SetPixel(Plane<C>& p, int x, int y, uint8_t b, uint8_t g, uint8_t r)
{
    p(0, x, y) = b;
    p(1, x, y) = g;
    p(2, x, y) = r;
}

// One colour everywhere; a picture's fourth channel stays 0.
template <typename P = PixelPlane>
P FlatPicture(int w, int h, uint8_t b, uint8_t g, uint8_t r)
{
    P p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixel(p, x, y, b, g, r);
    return p;
}

// Random colours drawn mostly from a few values, so that equal greys, equal channels
// and differences right at a threshold all occur often.
inline PixelPlane RandomPicture(int w, int h, std::mt19937& rng)
{
    static constexpr uint8_t kFew[] = {0, 28, 29, 64, 70, 100, 128, 200, 255};
    std::uniform_int_distribution<int> pick(0, 11);
    std::uniform_int_distribution<int> any(0, 255);
    PixelPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) {
                const int i = pick(rng);
                p(c, x, y) = static_cast<uint8_t>(i < 9 ? kFew[i] : any(rng));
            }
    return p;
}

// A pure-grey texture whose every pixel differs from its neighbours in both directions,
// so a shifted or flipped tiling shows.
inline PixelPlane PatternTexture(int w, int h)
{
    PixelPlane t(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const auto v = static_cast<uint8_t>((x * 7 + y * 31) % 256);
            SetPixel(t, x, y, v, v, v);
        }
    return t;
}

// Greys given row by row, in all three channels.
inline ColorPlane GrayPicture(int w, int h, const std::vector<int>& grays)
{
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) p(c, x, y) = static_cast<uint8_t>(grays[y * w + x]);
    return p;
}

// The first channel of every pixel, row by row.
inline std::vector<int> FirstChannel(const ColorPlane& p)
{
    std::vector<int> v;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) v.push_back(p(0, x, y));
    return v;
}

template <int C>
void ExpectPixel(const Plane<C>& p, int x, int y, int b, int g, int r)
{
    EXPECT_EQ(p(0, x, y), b) << "blue at " << x << "," << y;
    EXPECT_EQ(p(1, x, y), g) << "green at " << x << "," << y;
    EXPECT_EQ(p(2, x, y), r) << "red at " << x << "," << y;
}

// Every layer the layer run builds, in colour and in grey.
inline constexpr ColorPlane Engine::*kColorLayers[] = {
    &Engine::OrigPixels,      &Engine::SketchPixels,  &Engine::PencilPixels, &Engine::Gray4RGBPixels,
    &Engine::ColorPixels,     &Engine::DotPixels,     &Engine::SepiaPixels,  &Engine::BrightPixels,
    &Engine::ThresholdPixels, &Engine::ContrastPixels};
inline constexpr GrayPlane Engine::*kGrayLayers[] = {&Engine::GrayPixels,      &Engine::Gray4Pixels,
                                                     &Engine::EdgeVotes,       &Engine::Gray4Work,
                                                     &Engine::ColorGrayPixels, &Engine::ColorGray8Pixels};

inline bool NoLayerLeft(const Engine& e)
{
    for (const auto layer : kColorLayers)
        if (!(e.*layer).Empty()) return false;
    for (const auto layer : kGrayLayers)
        if (!(e.*layer).Empty()) return false;
    return true;
}

// An engine holding `picture`, with its layers allocated and the copy step done, ready
// for a single step to be run by hand.
inline void PrepareSteps(Engine& engine, const PixelPlane& picture)
{
    engine.SrcPixels = picture;
    engine.AllocateLayers();
    engine.CopyStep();
}

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

// Picture sizes for comparing an optimised step with its plain version: widths whose
// rows fill the vector loop bodies exactly or leave a remainder, and one size above the
// threading threshold. The tests add their own tiny sizes for the edge rules.
inline std::vector<std::pair<int, int>> FastPathSizes(std::vector<std::pair<int, int>> tiny = {})
{
    for (std::pair<int, int> size : {std::pair{64, 3}, {67, 2}, {129, 2}, {1000, 2}, {300, 300}}) tiny.push_back(size);
    return tiny;
}

}  // namespace lumetra::test
