#pragma once
// Conversion between 8-bit RGB and hue/saturation/lightness in the hexcone model.
// Hue is in sector units (one unit per 60 degrees): red -1..1, green 1..3, blue 3..5;
// saturation and lightness are 0..1. Every stored intermediate is a 32-bit float while
// each expression is evaluated in double, so results are reproducible to the byte.

namespace lumetra {

// The largest and smallest of three values.
float MaxOf3(const float& a, const float& b, const float& c);
float MinOf3(const float& a, const float& b, const float& c);

// red, green, blue in 0..255. Hue comes out in -1..5 and is not wrapped.
void RGBToHSL(int red, int green, int blue, float& h, float& s, float& l);

// Accepts any hue (the sector is chosen by comparisons); channels are rounded half to even.
void HSLToRGB(float h, float s, float l, int& red, int& green, int& blue);

}  // namespace lumetra
