#include <gtest/gtest.h>

#include "engine_test_support.h"
#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/layer_table.h"

namespace lumetra {
namespace {

using test::NoisePlane;
using test::Uniform;

constexpr int kW = 7;
constexpr int kH = 5;

// An engine whose every layer holds its own noise, and whose dot layer mixes white
// (no dot), black, a shaded grey, a colour and an almost-white dot.
Engine NoiseEngine(int w = kW, int h = kH)
{
    Engine e;
    e.SrcPixels = NoisePlane<4>(w, h, 1);
    unsigned seed = 10;
    for (ColorPlane* p : {&e.SketchPixels, &e.PencilPixels, &e.BrightPixels, &e.ColorPixels, &e.SepiaPixels,
                          &e.ThresholdPixels, &e.ContrastPixels})
        *p = NoisePlane<3>(w, h, seed++);
    e.ColorGray8Pixels = NoisePlane<1>(w, h, seed++);
    e.ColorGrayPixels = NoisePlane<1>(w, h, seed++);
    e.DotPixels = Uniform<3>(w, h, 255);
    const uint8_t dots[][3] = {{0, 0, 0}, {100, 100, 100}, {10, 200, 30}, {255, 255, 254}, {254, 255, 255}};
    for (int i = 0; i < w * h; i += 3)
        for (int c = 0; c < 3; ++c) e.DotPixels(c, i % w, i / w) = dots[i / 3 % 5][c];
    return e;
}

bool IsDot(const ColorPlane& dots, int x, int y)
{
    return dots(0, x, y) != 255 || dots(1, x, y) != 255 || dots(2, x, y) != 255;
}

// The expected colour channel c at (x, y) for a slot, from the catalogue's rule.
uint8_t Expected(const Engine& e, int slot, int c, int x, int y)
{
    const EffectInfo& effect = kCatalogue[slot];
    if (ReadsDots(effect) && IsDot(e.DotPixels, x, y)) return e.DotPixels(c, x, y);
    const LayerInfo& row = *FindLayer(effect.layer);
    return row.color ? (e.*row.color)(c, x, y) : (e.*row.gray)(x, y);
}

// At every size: the vector loop bodies, their remainders and the rows on threads.
TEST(Compose, EverySlotFollowsItsKindAndKeepsChannelThree)
{
    for (const auto& [w, h] : test::FastPathSizes({{kW, kH}})) {
        Engine e = NoiseEngine(w, h);
        const PixelPlane source = e.SrcPixels;
        for (int slot = 1; slot <= 17; ++slot) {
            e.ComposeEffect(slot);
            int wrong = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    for (int c = 0; c < 3; ++c) wrong += e.SrcPixels(c, x, y) != Expected(e, slot, c, x, y);
                    wrong += e.SrcPixels(3, x, y) != source(3, x, y);
                }
            EXPECT_EQ(wrong, 0) << kCatalogue[slot].name << " " << w << " x " << h;
        }
    }
}

TEST(Compose, TheDotRuleTestsAllThreeChannels)
{
    Engine e = NoiseEngine();
    e.ComposeEffect(7);  // "Color 2 + Dot"
    // (255, 255, 254) and (254, 255, 255) are dots, copied as they are.
    EXPECT_EQ(e.SrcPixels(0, 2, 1), 255);
    EXPECT_EQ(e.SrcPixels(2, 2, 1), 254);
    EXPECT_EQ(e.SrcPixels(0, 5, 1), 254);
    // The shaded grey dot is copied, not blended.
    EXPECT_EQ(e.SrcPixels(1, 3, 0), 100);
    // Where the dots are white the base shows.
    EXPECT_EQ(e.SrcPixels(1, 1, 0), e.ColorPixels(1, 1, 0));
}

TEST(Compose, WhiteDotsGiveTheBaseAndBlackDotsGiveSketchPlusDot)
{
    Engine e = NoiseEngine();
    e.DotPixels = Uniform<3>(kW, kH, 255);
    for (int slot : {5, 7, 9, 11, 13, 15, 17}) {
        e.ComposeEffect(slot);
        const PixelPlane dotted = e.SrcPixels;
        e.ComposeEffect(slot - 1);
        EXPECT_EQ(dotted, e.SrcPixels) << kCatalogue[slot].name;
    }

    e.DotPixels = Uniform<3>(kW, kH, 0);
    e.ComposeEffect(2);
    const PixelPlane sketchDot = e.SrcPixels;
    for (int slot : {5, 7, 9, 11, 13, 15, 17}) {
        e.ComposeEffect(slot);
        EXPECT_EQ(e.SrcPixels, sketchDot) << kCatalogue[slot].name;
    }
}

TEST(Compose, ReleasedOrMismatchedLayersLeaveThePictureAlone)
{
    Engine e = NoiseEngine();
    e.ComposeEffect(4);
    e.ReleaseLayers();
    const PixelPlane before = e.SrcPixels;
    for (int slot = -1; slot <= 20; ++slot) {
        if (slot == 2 || slot == 3 || slot == 8 || slot == 9) continue;  // dot, pencil and sepia layers are kept
        e.ComposeEffect(slot);
        EXPECT_EQ(e.SrcPixels, before) << slot;
    }

    // A dot layer left over from a larger picture is not read.
    Engine other = NoiseEngine();
    other.DotPixels = Uniform<3>(kW + 1, kH, 0);
    const PixelPlane source = other.SrcPixels;
    other.ComposeEffect(2);
    other.ComposeEffect(5);
    EXPECT_EQ(other.SrcPixels, source);
}

// Composing into another plane gives what composing in place gives, whatever that plane
// held or however big it was, and leaves the source alone; with nothing to compose the
// target becomes the source.
TEST(Compose, IntoAnotherPlaneEqualsComposingInPlace)
{
    Engine e = NoiseEngine();
    const PixelPlane source = e.SrcPixels;
    PixelPlane target = NoisePlane<4>(kW + 2, kH, 99);
    for (int slot = 0; slot <= 19; ++slot) {
        e.ComposeEffectInto(slot, target);
        EXPECT_EQ(e.SrcPixels, source) << slot;
        Engine inPlace = NoiseEngine();
        inPlace.ComposeEffect(slot);
        EXPECT_EQ(target, inPlace.SrcPixels) << slot;
    }
    e.ReleaseLayers();
    e.ComposeEffectInto(4, target);
    EXPECT_EQ(target, source);
}

}  // namespace
}  // namespace lumetra
