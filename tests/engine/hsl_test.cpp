#include "engine/hsl.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace lumetra {
namespace {

struct Hsl {
    float h, s, l;
};

Hsl ToHsl(int r, int g, int b)
{
    Hsl v{};
    RGBToHSL(r, g, b, v.h, v.s, v.l);
    return v;
}

TEST(HslTest, BlackWhiteAndPrimaries)
{
    const Hsl black = ToHsl(0, 0, 0);
    EXPECT_EQ(black.h, 0.0f);
    EXPECT_EQ(black.s, 0.0f);
    EXPECT_EQ(black.l, 0.0f);

    const Hsl white = ToHsl(255, 255, 255);
    EXPECT_EQ(white.l, 1.0f);
    EXPECT_EQ(white.s, 0.0f);

    const Hsl red = ToHsl(255, 0, 0);
    EXPECT_EQ(red.h, 0.0f);
    EXPECT_EQ(red.s, 1.0f);
    EXPECT_EQ(red.l, 0.5f);

    EXPECT_EQ(ToHsl(0, 255, 0).h, 2.0f);
    EXPECT_EQ(ToHsl(0, 0, 255).h, 4.0f);
    // Red wins the tie with blue, and the hue is not wrapped into 0..6.
    EXPECT_EQ(ToHsl(255, 0, 255).h, -1.0f);
    EXPECT_EQ(ToHsl(0, 255, 255).h, 3.0f);  // green wins the tie with blue
}

TEST(HslTest, SaturationFormChangesAtHalfLightness)
{
    // Lightness below and above one half take the two saturation forms.
    EXPECT_FLOAT_EQ(ToHsl(128, 0, 0).s, 1.0f);
    const Hsl light = ToHsl(255, 128, 128);
    EXPECT_FLOAT_EQ(light.s, 1.0f);
    EXPECT_GT(light.l, 0.5f);
    const Hsl pale = ToHsl(200, 100, 100);  // l = 150 / 255, s = 100 / 210
    EXPECT_FLOAT_EQ(pale.s, static_cast<float>((200.0 - 100.0) / (510.0 - 300.0)));
}

TEST(HslTest, ToRgbRoundsHalvesToEven)
{
    int r = 0, g = 0, b = 0;
    HSLToRGB(0.5f, 0.25f, static_cast<float>(128 / 255.0), r, g, b);
    EXPECT_EQ(r, 160);
    EXPECT_EQ(g, 128);
    EXPECT_EQ(b, 96);

    // Zero saturation gives the grey of the lightness: 0.5 x 255 = 127.5 rounds to 128.
    HSLToRGB(3.0f, 0.0f, 0.5f, r, g, b);
    EXPECT_EQ(r, 128);
    EXPECT_EQ(g, 128);
    EXPECT_EQ(b, 128);
}

TEST(HslTest, EverySectorOfTheHexcone)
{
    struct Case {
        float h;
        int r, g, b;
    };
    // Full saturation at half lightness: extremes 0 and 1, the third channel follows the hue.
    const Case cases[] = {{-0.5f, 255, 0, 128}, {0.5f, 255, 128, 0}, {1.5f, 128, 255, 0},
                          {2.5f, 0, 255, 128},  {3.5f, 0, 128, 255}, {4.5f, 128, 0, 255}};
    for (const Case& c : cases) {
        int r = 0, g = 0, b = 0;
        HSLToRGB(c.h, 1.0f, 0.5f, r, g, b);
        EXPECT_EQ(r, c.r) << "hue " << c.h;
        EXPECT_EQ(g, c.g) << "hue " << c.h;
        EXPECT_EQ(b, c.b) << "hue " << c.h;
    }
}

TEST(HslTest, RoundTripOfPrimariesSecondariesAndGreys)
{
    std::vector<std::array<int, 3>> colours = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255},   {255, 255, 0},
                                               {255, 0, 255}, {0, 255, 255}, {128, 0, 0},   {0, 0, 64}};
    for (int v = 0; v < 256; ++v) colours.push_back({v, v, v});
    for (const auto& c : colours) {
        const Hsl v = ToHsl(c[0], c[1], c[2]);
        int r = 0, g = 0, b = 0;
        HSLToRGB(v.h, v.s, v.l, r, g, b);
        EXPECT_EQ(r, c[0]);
        EXPECT_EQ(g, c[1]);
        EXPECT_EQ(b, c[2]);
    }
}

TEST(HslTest, MaxAndMinOfThreeInEveryOrder)
{
    const float v[3] = {0.25f, 0.5f, 0.75f};
    const int orders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
    for (const auto& o : orders) {
        EXPECT_EQ(MaxOf3(v[o[0]], v[o[1]], v[o[2]]), 0.75f);
        EXPECT_EQ(MinOf3(v[o[0]], v[o[1]], v[o[2]]), 0.25f);
    }
    EXPECT_EQ(MaxOf3(0.5f, 0.5f, 0.25f), 0.5f);
    EXPECT_EQ(MinOf3(0.5f, 0.25f, 0.25f), 0.25f);
}

}  // namespace
}  // namespace lumetra
