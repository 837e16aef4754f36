// Sketch shading and the pencil step.

#include <gtest/gtest.h>

#include <random>

#include "engine/color_math.h"
#include "engine_test_support.h"
#include "engine/engine.h"

namespace lumetra {
namespace {

using test::ExpectPixel;
using test::FlatPicture;
using test::PrepareSteps;
using test::SetPixel;

// An engine whose sketch marks the pixels listed in `lines` (x, y) and nothing else.
Engine WithLines(const PixelPlane& picture, std::initializer_list<std::pair<int, int>> lines)
{
    Engine e;
    PrepareSteps(e, picture);
    e.BuildGrayLevels();
    e.SketchPixels = test::Uniform<3>(picture.Width(), picture.Height(), 255);
    for (const auto& [x, y] : lines)
        for (int c = 0; c < 3; ++c) e.SketchPixels(c, x, y) = 0;
    return e;
}

TEST(SketchShadingTest, IntegerHalvingRoundsLikeTheFloatingPointOne)
{
    for (int v = 0; v <= 510; ++v) ASSERT_EQ(HalfRoundEven(v), RoundEven(v / 2.0)) << v;
}

TEST(SketchShadingTest, GrayShadingHalvesTheGrayRoundingHalvesToEven)
{
    PixelPlane p = FlatPicture(3, 1, 5, 5, 5);
    SetPixel(p, 1, 0, 7, 7, 7);
    SetPixel(p, 2, 0, 200, 0, 0);  // grey 66, but not a line
    Engine e = WithLines(p, {{0, 0}, {1, 0}});
    e.ShadeSketch();
    ExpectPixel(e.SketchPixels, 0, 0, 2, 2, 2);  // 2.5 -> 2
    ExpectPixel(e.SketchPixels, 1, 0, 4, 4, 4);  // 3.5 -> 4
    ExpectPixel(e.SketchPixels, 2, 0, 255, 255, 255);
}

TEST(SketchShadingTest, ColorShadingHalvesAndLiftsAndKeepsGraysGray)
{
    PixelPlane p = FlatPicture(3, 1, 40, 80, 120);
    SetPixel(p, 1, 0, 91, 91, 91);
    Engine e = WithLines(p, {{0, 0}, {1, 0}});
    e.options.colorSketch = true;
    e.ShadeSketch();
    // Halves 20, 40, 60 around their grey 40, moved away by 0.7: 6, 40, 74.
    ExpectPixel(e.SketchPixels, 0, 0, 6, 40, 74);
    ExpectPixel(e.SketchPixels, 1, 0, 46, 46, 46);  // 45.5 -> 46, and still grey
    ExpectPixel(e.SketchPixels, 2, 0, 255, 255, 255);
}

TEST(PencilTest, GrayPencilIsHalfSketchPlusHalfTexture)
{
    PixelPlane texture = FlatPicture(2, 1, 5, 5, 5);
    SetPixel(texture, 1, 0, 7, 7, 7);
    Engine e = WithLines(FlatPicture(4, 1, 90, 90, 90), {{0, 0}, {1, 0}, {2, 0}});
    e.PencilTexture = texture;
    e.SketchPixels(0, 2, 0) = 3;  // a shaded line pixel, channel by channel
    e.SketchPixels(1, 2, 0) = 4;
    e.SketchPixels(2, 2, 0) = 5;
    e.BuildPencilLayer();
    ExpectPixel(e.PencilPixels, 0, 0, 2, 2, 2);  // texture 5: 2.5 -> 2
    ExpectPixel(e.PencilPixels, 1, 0, 4, 4, 4);  // texture 7: 3.5 -> 4
    ExpectPixel(e.PencilPixels, 2, 0, 4, 4, 5);  // (3 + 5) / 2, (4 + 5) / 2 = 4.5 -> 4, (5 + 5) / 2
    ExpectPixel(e.PencilPixels, 3, 0, 255, 255, 255);
}

// A random sketch of paper and lines of any colour on a colour texture, against the rule
// as written, at sizes that tile the texture from the bottom-left corner with remainders,
// fill the vector loop bodies and run the rows on threads.
TEST(PencilTest, GrayPencilFollowsTheRuleWhereverTheTextureTiles)
{
    std::mt19937 rng(31);
    std::bernoulli_distribution paper(0.3);
    for (const auto& [w, h] : test::FastPathSizes({{104 * 2 + 17, 120 * 2 + 9}})) {
        Engine e;
        PrepareSteps(e, FlatPicture(w, h, 90, 90, 90));
        e.PencilTexture = test::RandomPicture(104, 120, rng);
        const PixelPlane lines = test::RandomPicture(w, h, rng);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int c = 0; c < 3; ++c) e.SketchPixels(c, x, y) = paper(rng) ? 255 : lines(c, x, y);
        e.BuildPencilLayer();
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool onPaper =
                    e.SketchPixels(0, x, y) == 255 && e.SketchPixels(1, x, y) == 255 && e.SketchPixels(2, x, y) == 255;
                for (int c = 0; c < 3; ++c) {
                    const int t = e.PencilTexture(c, x % 104, y % 120);
                    wrong +=
                        e.PencilPixels(c, x, y) != (onPaper ? 255 : RoundEven((e.SketchPixels(c, x, y) + t) / 2.0));
                }
            }
        EXPECT_EQ(wrong, 0) << w << " x " << h;
    }
}

TEST(PencilTest, ColorPencilBlendsThenLiftsOnlyWhenCheckedAndEnabled)
{
    PixelPlane picture = FlatPicture(2, 1, 20, 100, 180);
    Engine e = WithLines(picture, {{0, 0}});
    e.PencilTexture = FlatPicture(1, 1, 100, 100, 100);
    e.options.colorSketch = true;
    e.options.colorSketchEnabled = true;
    e.BuildPencilLayer();
    // 0.7 x source + 0.3 x texture = 44, 100, 156, lifted by 1.28 around 100.
    ExpectPixel(e.PencilPixels, 0, 0, 0, 100, 228);
    ExpectPixel(e.PencilPixels, 1, 0, 255, 255, 255);

    e.options.colorSketchEnabled = false;
    e.BuildPencilLayer();
    ExpectPixel(e.PencilPixels, 0, 0, 50, 50, 50);
}

TEST(PencilTest, CheckedButDisabledShadesInColorAndDrawsGrayPencil)
{
    Engine e = WithLines(FlatPicture(1, 1, 40, 80, 120), {{0, 0}});
    e.PencilTexture = FlatPicture(1, 1, 10, 10, 10);
    e.options.colorSketch = true;
    e.options.colorSketchEnabled = false;
    e.ShadeSketch();
    e.BuildPencilLayer();
    ExpectPixel(e.SketchPixels, 0, 0, 6, 40, 74);
    ExpectPixel(e.PencilPixels, 0, 0, 8, 25, 42);
}

TEST(PencilTest, WithoutATextureLinesLieOnWhitePaper)
{
    Engine e = WithLines(FlatPicture(3, 2, 90, 90, 90), {{1, 1}});
    e.BuildPencilLayer();
    ExpectPixel(e.PencilPixels, 1, 1, 128, 128, 128);  // 0 / 2 + 255 / 2 = 127.5 -> 128
    ExpectPixel(e.PencilPixels, 0, 0, 255, 255, 255);
}

}  // namespace
}  // namespace lumetra
