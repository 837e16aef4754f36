#include "engine/hsl.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace lumetra {
namespace {

std::array<float, 3> ToHsl(int r, int g, int b)
{
    std::array<float, 3> hsl{};
    RGBToHSL(r, g, b, hsl[0], hsl[1], hsl[2]);
    return hsl;
}

std::array<int, 3> ToRgb(float h, float s, float l)
{
    std::array<int, 3> rgb{};
    HSLToRGB(h, s, l, rgb[0], rgb[1], rgb[2]);
    return rgb;
}

using Hsl = std::array<float, 3>;
using Rgb = std::array<int, 3>;

TEST(HslTest, BlackWhitePrimariesAndTies)
{
    EXPECT_EQ(ToHsl(0, 0, 0), (Hsl{0, 0, 0}));
    EXPECT_EQ(ToHsl(255, 255, 255), (Hsl{0, 0, 1}));
    EXPECT_EQ(ToHsl(255, 0, 0), (Hsl{0, 1, 0.5f}));
    EXPECT_EQ(ToHsl(0, 255, 0)[0], 2.0f);
    EXPECT_EQ(ToHsl(0, 0, 255)[0], 4.0f);
    // Red wins a tie with blue, green a tie with blue; the hue is not wrapped into 0..6.
    EXPECT_EQ(ToHsl(255, 0, 255)[0], -1.0f);
    EXPECT_EQ(ToHsl(0, 255, 255)[0], 3.0f);
}

TEST(HslTest, ToRgbRoundsHalvesToEvenInEverySector)
{
    EXPECT_EQ(ToRgb(0.5f, 0.25f, static_cast<float>(128 / 255.0)), (Rgb{160, 128, 96}));
    EXPECT_EQ(ToRgb(3.0f, 0.0f, 0.5f), (Rgb{128, 128, 128}));  // 127.5 -> 128
    // Full saturation at half lightness: extremes 0 and 255, the third channel follows the hue.
    EXPECT_EQ(ToRgb(-0.5f, 1, 0.5f), (Rgb{255, 0, 128}));
    EXPECT_EQ(ToRgb(0.5f, 1, 0.5f), (Rgb{255, 128, 0}));
    EXPECT_EQ(ToRgb(1.5f, 1, 0.5f), (Rgb{128, 255, 0}));
    EXPECT_EQ(ToRgb(2.5f, 1, 0.5f), (Rgb{0, 255, 128}));
    EXPECT_EQ(ToRgb(3.5f, 1, 0.5f), (Rgb{0, 128, 255}));
    EXPECT_EQ(ToRgb(4.5f, 1, 0.5f), (Rgb{128, 0, 255}));
}

TEST(HslTest, RoundTripOfPrimariesSecondariesAndGrays)
{
    std::vector<Rgb> colors = {{255, 0, 0},   {0, 255, 0},   {0, 0, 255}, {255, 255, 0},
                               {255, 0, 255}, {0, 255, 255}, {128, 0, 0}, {200, 100, 100}};
    for (int v = 0; v < 256; ++v) colors.push_back({v, v, v});
    for (const Rgb& c : colors) {
        const Hsl v = ToHsl(c[0], c[1], c[2]);
        EXPECT_EQ(ToRgb(v[0], v[1], v[2]), c);
    }
}

}  // namespace
}  // namespace lumetra
