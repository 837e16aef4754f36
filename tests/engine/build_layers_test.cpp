// The whole layer run: order of progress reports, repeatability, isolation between
// runs, tiny pictures and failure.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/color_math.h"
#include "engine/engine.h"
#include "engine_test_support.h"

namespace lumetra {
namespace {

std::vector<float> ProgressOf(Engine& e)
{
    std::vector<float> seen;
    e.BuildLayers([&](float v) { seen.push_back(v); });
    return seen;
}

Engine EngineFor(const PixelPlane& picture, EngineOptions options = {}, EngineParams params = {})
{
    Engine e;
    e.SrcPixels = picture;
    e.PencilTexture = test::PatternTexture(104, 120);
    e.options = options;
    e.params = params;
    return e;
}

void ExpectSameLayers(const Engine& a, const Engine& b)
{
    for (const auto& layer : test::kColorLayers)
        EXPECT_TRUE(a.*layer == b.*layer) << "colour layer " << &layer - test::kColorLayers;
    for (const auto& layer : test::kGrayLayers)
        EXPECT_TRUE(a.*layer == b.*layer) << "grey layer " << &layer - test::kGrayLayers;
}

// Every combination of the four layer options.
std::vector<EngineOptions> AllLayerOptions()
{
    std::vector<EngineOptions> all;
    for (int bits = 0; bits < 16; ++bits) {
        EngineOptions o;
        o.adjust = bits & 1;
        o.colorSketch = bits & 2;
        o.colorSketchEnabled = bits & 4;
        o.mix = bits & 8;
        all.push_back(o);
    }
    return all;
}

TEST(BuildLayersTest, ReportsProgressInOrderWithAndWithoutMixing)
{
    std::mt19937 rng(7);
    EngineOptions mix;
    Engine withMix = EngineFor(test::RandomPicture(9, 7, rng), mix);
    EXPECT_EQ(ProgressOf(withMix), (std::vector<float>{20, 30, 40, 50, 60, 70, 80, 95}));

    EngineOptions plain;
    plain.mix = false;
    Engine withoutMix = EngineFor(test::RandomPicture(9, 7, rng), plain);
    EXPECT_EQ(ProgressOf(withoutMix), (std::vector<float>{20, 30, 60, 70, 80, 95}));

    Engine silent = EngineFor(test::RandomPicture(3, 3, rng));
    EXPECT_NO_THROW(silent.BuildLayers());
}

TEST(BuildLayersTest, TwoRunsGiveTheSameBytes)
{
    std::mt19937 rng(11);
    const PixelPlane picture = test::RandomPicture(61, 47, rng);
    for (const EngineOptions& o : {EngineOptions{}, AllLayerOptions()[5]}) {
        Engine first = EngineFor(picture, o);
        Engine second = EngineFor(picture, o);
        first.BuildLayers();
        second.BuildLayers();
        ExpectSameLayers(first, second);
        second.BuildLayers();
        ExpectSameLayers(first, second);
    }
}

TEST(BuildLayersTest, NothingOfOneRunLeaksIntoTheNext)
{
    std::mt19937 rng(13);
    EngineParams wide;
    wide.BrushWidth = 30;
    // Mixing on throughout: without it the mixing planes are left as they were, by design.
    const auto all = AllLayerOptions();
    for (const EngineOptions& o : {all[8], all[15], all[11]}) {
        const PixelPlane a = test::RandomPicture(40, 33, rng);
        for (const PixelPlane& b : {test::RandomPicture(40, 33, rng), test::RandomPicture(23, 51, rng)}) {
            Engine reused = EngineFor(a, o, wide);
            reused.BuildLayers();
            reused.SrcPixels = b;
            reused.BuildLayers();
            Engine fresh = EngineFor(b, o, wide);
            fresh.BuildLayers();
            ExpectSameLayers(reused, fresh);
        }
    }
}

TEST(BuildLayersTest, WithoutAdjustLinesStayBlackAndPencilIsHalfTexture)
{
    EngineOptions o;
    o.adjust = false;
    EngineParams p;
    p.DarkThreshold = 256;  // every pixel a line
    Engine e = EngineFor(test::FlatPicture(130, 125, 90, 90, 90), o, p);
    e.BuildLayers();
    for (int y = 0; y < 125; ++y)
        for (int x = 0; x < 130; ++x)
            for (int c = 0; c < 3; ++c) {
                ASSERT_EQ(e.SketchPixels(c, x, y), 0);
                ASSERT_EQ(e.PencilPixels(c, x, y), RoundEven(e.PencilTexture(c, x % 104, y % 120) / 2.0));
            }
}

TEST(BuildLayersTest, TinyPicturesRunEveryStep)
{
    std::mt19937 rng(17);
    const int sizes[][2] = {{1, 1}, {1, 2}, {2, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 1}, {1, 3}, {3, 3}};
    const auto all = AllLayerOptions();
    for (const auto& size : sizes)
        for (const EngineOptions& o : {all[0], all[7], all[8], all[15]}) {
            Engine e = EngineFor(test::RandomPicture(size[0], size[1], rng), o);
            e.BuildLayers();
            EXPECT_EQ(e.ColorGray8Pixels.Width(), size[0]);
            EXPECT_EQ(e.ColorGray8Pixels.Height(), size[1]);
            EXPECT_EQ(e.DotPixels.Width(), size[0]);
        }
}

TEST(BuildLayersTest, FailedRunLeavesNoLayerBehind)
{
    std::mt19937 rng(19);
    Engine e = EngineFor(test::RandomPicture(8, 8, rng));
    e.BuildLayers();
    e.SrcPixels = PixelPlane();
    EXPECT_THROW(e.BuildLayers(), EngineError);
    EXPECT_TRUE(test::NoLayerLeft(e));
}

}  // namespace
}  // namespace lumetra
