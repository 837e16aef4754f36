// The dot layer: error diffusion against a literal reference, its edge guards, the
// sensitivity, the 64-bit mean and the shading of the dots.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/dot_layer.h"
#include "engine/engine.h"

namespace lumetra {
namespace {

// ---- The reference: the diffusion as written --------------------------------------

int Div(int a, int b) { return a / b; }  // C++ division truncates toward zero, as required

// guardShort: the guards stop one short of the edge (x < MaxX - 1); otherwise they reach it
// (x <= MaxX - 1), which is what the dot layer must not do.
ColorPlane RefDiffuse(const ColorPlane& col, int sensitivity, bool guardShort = true)
{
    const int maxX = col.MaxX(), maxY = col.MaxY();
    static const int weight[13] = {0, 8, 4, 2, 4, 8, 4, 2, 1, 2, 4, 2, 1};
    std::vector<std::vector<int>> stucki(13, std::vector<int>(511));
    for (int k = 1; k <= 12; ++k)
        for (int d = -255; d <= 255; ++d) stucki[k][d + 255] = Div(d * weight[k], 42);
    auto share = [&](int k, int e) { return stucki[k][e + 255]; };
    std::vector<std::vector<int>> errorRows(4, std::vector<int>(maxX + 1, 0));
    long long sum = 0;
    for (int y = 0; y <= maxY; ++y)
        for (int x = 0; x <= maxX; ++x) sum += (col(0, x, y) + col(1, x, y) + col(2, x, y)) / 3;
    const long long mean = sum / ((maxX + 1LL) * (maxY + 1LL));
    const int s = guardShort ? 1 : 0;

    ColorPlane dots(maxX + 1, maxY + 1);
    for (int y = 0; y <= maxY; ++y) {
        for (int x = 0; x <= maxX; ++x) {
            int v = (col(0, x, y) + col(1, x, y) + col(2, x, y)) / 3;
            if (sensitivity != 0) v = v + Div(errorRows[1][x] * 10, sensitivity);
            if (v < 0) v = 0;
            if (v > 255) v = 255;
            const int out = v < mean ? 0 : 255;
            for (int c = 0; c < 3; ++c) dots(c, x, y) = static_cast<uint8_t>(out);
            const int e = v - out;
            if (x < maxX - s) errorRows[1][x + 1] += share(1, e);
            if (x < maxX - 1 - s) errorRows[1][x + 2] += share(2, e);
            if (y < maxY - s) {
                if (x > 1) errorRows[2][x - 2] += share(3, e);
                if (x > 0) errorRows[2][x - 1] += share(4, e);
                errorRows[2][x] += share(5, e);
                if (x < maxX - s) errorRows[2][x + 1] += share(6, e);
                if (x < maxX - 1 - s) errorRows[2][x + 2] += share(7, e);
            }
            if (y < maxY - 1 - s) {
                if (x > 1) errorRows[3][x - 2] += share(8, e);
                if (x > 0) errorRows[3][x - 1] += share(9, e);
                errorRows[3][x] += share(10, e);
                if (x < maxX - s) errorRows[3][x + 1] += share(11, e);
                if (x < maxX - 1 - s) errorRows[3][x + 2] += share(12, e);
            }
        }
        for (int x = 0; x <= maxX; ++x) {
            errorRows[1][x] = errorRows[2][x];
            errorRows[2][x] = errorRows[3][x];
            errorRows[3][x] = 0;
        }
    }
    return dots;
}

ColorPlane GreyPicture(int w, int h, const std::vector<int>& greys)
{
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) p(c, x, y) = static_cast<uint8_t>(greys[y * w + x]);
    return p;
}

ColorPlane RandomPicture(int w, int h, std::mt19937& rng)
{
    std::uniform_int_distribution<int> any(0, 255);
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) p(c, x, y) = static_cast<uint8_t>(any(rng));
    return p;
}

std::vector<int> Dots(const ColorPlane& p)
{
    std::vector<int> v;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) v.push_back(p(0, x, y));
    return v;
}

ColorPlane Diffuse(const ColorPlane& col, int sensitivity)
{
    ColorPlane dots(col.Width(), col.Height());
    DiffuseDots(col, MeanGrey(col), sensitivity, dots);
    return dots;
}

// ---- Diffusion ----------------------------------------------------------------------

TEST(DotDiffusionTest, MatchesTheReferenceOnRandomPictures)
{
    std::mt19937 rng(17);
    const int sizes[][2] = {{1, 1}, {1, 8}, {8, 1}, {2, 2}, {3, 3}, {4, 5}, {5, 4}, {31, 29}, {100, 7}};
    int guardMatters = 0;
    for (const auto& size : sizes)
        for (int sensitivity : {1, 5, 10, 20, 37, 100}) {
            const ColorPlane col = RandomPicture(size[0], size[1], rng);
            const ColorPlane expected = RefDiffuse(col, sensitivity);
            ASSERT_EQ(Diffuse(col, sensitivity), expected)
                << size[0] << "x" << size[1] << " sensitivity " << sensitivity;
            guardMatters += RefDiffuse(col, sensitivity, false) != expected;
        }
    EXPECT_GT(guardMatters, 0) << "the pictures must tell the edge guards apart";
}

TEST(DotDiffusionTest, RightmostColumnGetsNoErrorFromTheLeft)
{
    // Mean 105. x = 1 is white with error -84, whose share would make x = 3 white if it
    // reached the last column.
    const ColorPlane row = GreyPicture(4, 1, {60, 160, 100, 100});
    EXPECT_EQ(Dots(Diffuse(row, 10)), (std::vector<int>{0, 255, 0, 0}));
}

TEST(DotDiffusionTest, TopRowGetsNoErrorFromBelow)
{
    // One column, bottom to top; mean 100. y = 2 is white with error -140, whose share
    // would make the top pixel black if it reached the top row.
    const ColorPlane column = GreyPicture(1, 4, {40, 100, 140, 120});
    EXPECT_EQ(Dots(Diffuse(column, 10)), (std::vector<int>{0, 255, 255, 255}));
}

TEST(DotDiffusionTest, FlatPictureStartsWhiteAndFollowsTheGrey)
{
    // The mean equals the grey, so the bottom-left pixel (not below the mean) is white;
    // darker pictures get more black dots.
    long previousWhite = -1;
    for (int grey : {1, 64, 128, 200, 254}) {
        const ColorPlane flat = GreyPicture(40, 30, std::vector<int>(1200, grey));
        EXPECT_EQ(MeanGrey(flat), grey);
        const std::vector<int> dots = Dots(Diffuse(flat, 10));
        EXPECT_EQ(dots[0], 255) << "grey " << grey;
        const long white = std::count(dots.begin(), dots.end(), 255);
        EXPECT_GT(white, previousWhite) << "grey " << grey;
        previousWhite = white;
    }
}

TEST(DotDiffusionTest, ZeroSensitivityIsAPlainThresholdAtTheMean)
{
    std::mt19937 rng(23);
    const ColorPlane col = RandomPicture(23, 19, rng);
    const int mean = MeanGrey(col);
    const ColorPlane dots = Diffuse(col, 0);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 23; ++x) {
            const int grey = (col(0, x, y) + col(1, x, y) + col(2, x, y)) / 3;
            for (int c = 0; c < 3; ++c) ASSERT_EQ(dots(c, x, y), grey < mean ? 0 : 255);
        }
}

TEST(DotDiffusionTest, GreySumDoesNotOverflowOnABrightLargePicture)
{
    // 9 million white pixels: their greys add up to 2,295,000,000, beyond a 32-bit integer.
    ColorPlane white(3000, 3000);
    std::fill_n(white.Data(), white.SizeBytes(), uint8_t{255});
    EXPECT_EQ(GreySum(white), 2295000000LL);
    EXPECT_EQ(MeanGrey(white), 255);
    white(0, 0, 0) = white(1, 0, 0) = white(2, 0, 0) = 0;
    EXPECT_EQ(MeanGrey(white), 254);  // (2,295,000,000 - 255) / 9,000,000
}

// ---- The step on the engine ----------------------------------------------------------

class DotLayerTest : public testing::Test {
protected:
    void Prepare(const ColorPlane& colour)
    {
        const int w = colour.Width(), h = colour.Height();
        engine.ColorPixels = colour;
        engine.OrigPixels = colour;
        engine.GrayPixels.Allocate(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                engine.GrayPixels(x, y) =
                    static_cast<uint8_t>((colour(0, x, y) + colour(1, x, y) + colour(2, x, y)) / 3);
    }
    Engine engine;
};

TEST_F(DotLayerTest, ShadingHalvesTheGreyOrTheColourUnderBlackDots)
{
    // Left half dark enough to take black dots, right half white.
    ColorPlane picture(8, 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool dark = x < 4;
            picture(0, x, y) = dark ? 5 : 255;    // blue
            picture(1, x, y) = dark ? 7 : 255;    // green
            picture(2, x, y) = dark ? 201 : 255;  // red; grey of the dark half 71
        }
    Prepare(picture);
    engine.options.adjust = false;
    engine.BuildDotLayer();
    const ColorPlane plain = engine.DotPixels;
    ASSERT_EQ(plain, RefDiffuse(picture, engine.params.DotSensitivity));

    engine.options.adjust = true;
    engine.options.colorSketch = false;
    engine.BuildDotLayer();
    const ColorPlane grey = engine.DotPixels;

    // The colour variant follows the check box's value alone, enabled or not.
    engine.options.colorSketch = true;
    engine.options.colorSketchEnabled = false;
    engine.BuildDotLayer();
    const ColorPlane colour = engine.DotPixels;

    int black = 0;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            if (plain(0, x, y) == 255) {
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(grey(c, x, y), 255);
                    ASSERT_EQ(colour(c, x, y), 255);
                }
                continue;
            }
            ++black;
            for (int c = 0; c < 3; ++c) ASSERT_EQ(grey(c, x, y), 36);  // 35.5 rounds to even
            ASSERT_EQ(colour(0, x, y), 2);    // 2.5 rounds to even
            ASSERT_EQ(colour(1, x, y), 4);    // 3.5
            ASSERT_EQ(colour(2, x, y), 100);  // 100.5
        }
    EXPECT_GT(black, 0);
}

TEST_F(DotLayerTest, StepRecreatesTheLayerAndSurvivesZeroSensitivity)
{
    std::mt19937 rng(29);
    engine.DotPixels.Allocate(3, 3);
    std::fill_n(engine.DotPixels.Data(), engine.DotPixels.SizeBytes(), uint8_t{9});
    Prepare(RandomPicture(17, 13, rng));
    engine.options.adjust = false;
    engine.params.DotSensitivity = 0;
    engine.BuildDotLayer();
    EXPECT_EQ(engine.DotPixels, RefDiffuse(engine.ColorPixels, 0));
}

TEST_F(DotLayerTest, TinyPicturesStayInsideTheirPlanes)
{
    std::mt19937 rng(31);
    const int sizes[][2] = {{1, 1}, {1, 3}, {3, 1}, {2, 2}};
    for (const auto& size : sizes) {
        Prepare(RandomPicture(size[0], size[1], rng));
        engine.options.colorSketch = true;
        engine.BuildDotLayer();
        EXPECT_EQ(engine.DotPixels.Width(), size[0]);
        EXPECT_EQ(engine.DotPixels.Height(), size[1]);
    }
}

}  // namespace
}  // namespace lumetra
