#include "hsl.h"

#include "color_math.h"

namespace lumetra {

float MaxOf3(const float& a, const float& b, const float& c)
{
    if (a > b) return a > c ? a : c;
    return b < c ? c : b;
}

float MinOf3(const float& a, const float& b, const float& c)
{
    if (a < b) return a < c ? a : c;
    return b > c ? c : b;
}

void RGBToHSL(int red, int green, int blue, float& h, float& s, float& l)
{
    const float r = static_cast<float>(red / 255.0);
    const float g = static_cast<float>(green / 255.0);
    const float b = static_cast<float>(blue / 255.0);
    const float mx = MaxOf3(r, g, b);
    const float mn = MinOf3(r, g, b);
    l = static_cast<float>((static_cast<double>(mx) + mn) / 2.0);
    if (mx == mn) {
        s = 0.0f;
        h = 0.0f;
        return;
    }
    if (l <= 0.5f)
        s = static_cast<float>((static_cast<double>(mx) - mn) / (static_cast<double>(mx) + mn));
    else
        s = static_cast<float>((static_cast<double>(mx) - mn) / (2.0 - mx - mn));

    const float d = static_cast<float>(static_cast<double>(mx) - mn);
    if (r == mx)
        h = static_cast<float>((static_cast<double>(g) - b) / d);
    else if (g == mx)
        h = static_cast<float>((static_cast<double>(b) - r) / d + 2.0);
    else
        h = static_cast<float>((static_cast<double>(r) - g) / d + 4.0);
}

void HSLToRGB(float h, float s, float l, int& red, int& green, int& blue)
{
    float rv = l;
    float gv = l;
    float bv = l;
    if (s != 0.0f) {
        const float mn =
            l <= 0.5f ? static_cast<float>(static_cast<double>(l) * (1.0 - s)) : static_cast<float>(l - (1.0 - l) * s);
        const float mx = static_cast<float>(2.0 * l - mn);
        const float d = static_cast<float>(static_cast<double>(mx) - mn);
        // Rising and falling edges of the hexcone inside the current sector.
        const auto up = [&](double offset) { return static_cast<float>(mn + (h - offset) * d); };
        const auto down = [&](double offset) { return static_cast<float>(mn - (h - offset) * d); };
        if (h < 0.0f) {
            rv = mx;
            gv = mn;
            bv = down(0.0);
        } else if (h < 1.0f) {
            rv = mx;
            gv = up(0.0);
            bv = mn;
        } else if (h < 2.0f) {
            rv = down(2.0);
            gv = mx;
            bv = mn;
        } else if (h < 3.0f) {
            rv = mn;
            gv = mx;
            bv = up(2.0);
        } else if (h < 4.0f) {
            rv = mn;
            gv = down(4.0);
            bv = mx;
        } else {
            rv = up(4.0);
            gv = mn;
            bv = mx;
        }
    }
    red = RoundEven(rv * 255.0);
    green = RoundEven(gv * 255.0);
    blue = RoundEven(bv * 255.0);
}

}  // namespace lumetra
