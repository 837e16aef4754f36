// The tone layers against a literal per-pixel reference, and their worked examples.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/engine.h"
#include "engine/hsl.h"
#include "engine/tone_layers.h"
#include "engine_test_support.h"

namespace lumetra {
namespace {

int Round(double v) { return static_cast<int>(std::nearbyint(v)); }
int Clamp(int v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// ---- The reference: each layer as written --------------------------------------------

ColorPlane RefSepia(const ColorPlane& col)
{
    ColorPlane out(col.Width(), col.Height());
    for (int x = 0; x <= col.MaxX(); ++x)
        for (int y = 0; y <= col.MaxY(); ++y) {
            float h, s, l;
            RGBToHSL(col(2, x, y), col(1, x, y), col(0, x, y), h, s, l);
            int r, g, b;
            HSLToRGB(0.5f, 0.25f, l, r, g, b);
            out(0, x, y) = static_cast<uint8_t>(b);
            out(1, x, y) = static_cast<uint8_t>(g);
            out(2, x, y) = static_cast<uint8_t>(r);
        }
    return out;
}

ColorPlane RefBright(const ColorPlane& col)
{
    ColorPlane out(col.Width(), col.Height());
    for (int x = 0; x <= col.MaxX(); ++x)
        for (int y = 0; y <= col.MaxY(); ++y)
            for (int c = 0; c < 3; ++c) {
                const int v = col(c, x, y);
                out(c, x, y) = static_cast<uint8_t>(Clamp(Round(v * ((255 - v) / 255.0 * 0.75 + 1))));
            }
    const float f = static_cast<float>(128.0 / 100.0);
    for (int y = 0; y <= col.MaxY(); ++y)
        for (int x = 0; x <= col.MaxX(); ++x) {
            const int m = (out(0, x, y) + out(1, x, y) + out(2, x, y)) / 3;
            for (int c = 0; c < 3; ++c) {
                const int v = out(c, x, y);
                out(c, x, y) = static_cast<uint8_t>(Clamp(Round(v + static_cast<double>(f) * (v - m))));
            }
        }
    return out;
}

template <typename F>
ColorPlane RefPerChannel(const ColorPlane& col, F f)
{
    ColorPlane out(col.Width(), col.Height());
    for (int x = 0; x <= col.MaxX(); ++x)
        for (int y = 0; y <= col.MaxY(); ++y)
            for (int c = 0; c < 3; ++c) out(c, x, y) = static_cast<uint8_t>(f(col(c, x, y)));
    return out;
}

int RefThreshold(int v) { return std::min(Round(v / 256.0) * 256, 255); }

int RefContrast(int v)
{
    int r = 10 * v - 1143;
    if (r > 255) r = 255;
    if (r < 0) r = 0;
    return r;
}

// ---- Helpers ----------------------------------------------------------------------------

ColorPlane RandomPicture(int w, int h, std::mt19937& rng)
{
    std::uniform_int_distribution<int> any(0, 255), few(0, 3);
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool gray = few(rng) == 0;  // pure greys take other branches of HSL
            const auto v = static_cast<uint8_t>(any(rng));
            for (int c = 0; c < 3; ++c) p(c, x, y) = gray ? v : static_cast<uint8_t>(any(rng));
        }
    return p;
}

Engine EngineWithColors(const ColorPlane& color)
{
    Engine engine;
    engine.ColorPixels = color;
    return engine;
}

ColorPlane OnePixel(uint8_t b, uint8_t g, uint8_t r) { return test::FlatPicture<ColorPlane>(1, 1, b, g, r); }

// ---- Against the reference --------------------------------------------------------------

TEST(ToneLayersTest, EveryLayerMatchesTheReferenceOnRandomPictures)
{
    std::mt19937 rng(41);
    for (const auto& [w, h] : test::FastPathSizes({{1, 1}, {1, 6}, {6, 1}, {37, 29}})) {
        SCOPED_TRACE(testing::Message() << w << "x" << h);
        const ColorPlane col = RandomPicture(w, h, rng);
        Engine engine = EngineWithColors(col);
        engine.BuildSepiaLayer();
        engine.BuildBrightLayer();
        engine.BuildThresholdLayer();
        engine.BuildContrastLayer();
        engine.BuildColorGrayPlanes();
        EXPECT_EQ(engine.SepiaPixels, RefSepia(col));
        EXPECT_EQ(engine.BrightPixels, RefBright(col));
        EXPECT_EQ(engine.ThresholdPixels, RefPerChannel(col, RefThreshold));
        EXPECT_EQ(engine.ContrastPixels, RefPerChannel(col, RefContrast));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int gray = (col(0, x, y) + col(1, x, y) + col(2, x, y)) / 3;
                ASSERT_EQ(engine.ColorGrayPixels(x, y), gray);
                ASSERT_EQ(engine.ColorGray8Pixels(x, y), gray / 32 * 32);
            }
        EXPECT_EQ(engine.ColorPixels, col) << "the colour base is only read";
    }
}

TEST(ToneLayersTest, SepiaDependsOnTheLargestAndSmallestChannelOnly)
{
    // Every pair, through HSL per pixel, with the third channel between the two; every
    // result lies in 0..255 (the HSL side gives int, the layer stores bytes).
    for (int largest = 0; largest < 256; ++largest)
        for (int smallest = 0; smallest <= largest; ++smallest) {
            float h, s, l;
            RGBToHSL(largest, (largest + smallest) / 2, smallest, h, s, l);
            int r, g, b;
            HSLToRGB(0.5f, 0.25f, l, r, g, b);
            ASSERT_TRUE(std::min({r, g, b}) >= 0 && std::max({r, g, b}) <= 255) << largest << " " << smallest;
            const std::array<uint8_t, 3> expected{static_cast<uint8_t>(b), static_cast<uint8_t>(g),
                                                  static_cast<uint8_t>(r)};
            ASSERT_EQ(SepiaTint(largest, smallest), expected) << largest << " " << smallest;
        }
}

TEST(ToneLayersTest, WorkedExamples)
{
    // Sepia keeps only the lightness: black and white stay, mid-grey turns brown.
    EXPECT_EQ(SepiaTint(0, 0), (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(SepiaTint(255, 255), (std::array<uint8_t, 3>{255, 255, 255}));
    EXPECT_EQ(SepiaTint(128, 128), (std::array<uint8_t, 3>{96, 128, 160}));  // blue, green, red

    const ToneCurve &bright = BrightCurve(), &threshold = ThresholdCurve(), &contrast = ContrastCurve();
    EXPECT_EQ(bright[0], 0);
    EXPECT_EQ(bright[128], 176);
    EXPECT_EQ(bright[255], 255);
    EXPECT_EQ(threshold[128], 0);  // 0.5 rounds to even
    EXPECT_EQ(threshold[129], 255);
    EXPECT_EQ(contrast[114], 0);
    EXPECT_EQ(contrast[115], 7);
    EXPECT_EQ(contrast[139], 247);
    EXPECT_EQ(contrast[140], 255);

    // The lift leaves a grey pixel grey. Curve 100 -> 146 and 200 -> 232; the grey of
    // (146, 146, 232) is 174; the float 1.28 lifts 146 - 35.84 -> 110 and 232 + 74.24,
    // clamped to 255.
    Engine gray = EngineWithColors(OnePixel(128, 128, 128));
    gray.BuildBrightLayer();
    EXPECT_EQ(gray.BrightPixels, OnePixel(176, 176, 176));
    Engine color = EngineWithColors(OnePixel(100, 100, 200));
    color.BuildBrightLayer();
    EXPECT_EQ(color.BrightPixels, OnePixel(110, 110, 255));
}

}  // namespace
}  // namespace lumetra
