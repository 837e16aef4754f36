#pragma once
// Small arithmetic shared by the layer steps. Rounding is to nearest with halves to
// even (the default floating-point rounding mode), as every step of the engine rounds.

#include <array>
#include <cmath>
#include <cstdint>

namespace lumetra {

inline int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// v / 2 rounded with halves to even, for v >= 0: the value of RoundEven(v / 2.0) in
// integer arithmetic, for the many halvings of whole bytes and byte sums.
inline int HalfRoundEven(int v) { return (v + ((v >> 1) & 1)) >> 1; }

inline uint8_t ClampByte(int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

// GrayTable: the grey of a channel sum, i \ 3 for i = 0..765.
struct GrayTable {
    std::array<int32_t, 766> value{};
    constexpr GrayTable()
    {
        for (int i = 0; i < 766; ++i) value[i] = i / 3;
    }
    int32_t operator[](int sum) const { return value[sum]; }
};
inline constexpr GrayTable kGrayTable{};

// The saturation lift: each channel moves away from the pixel's grey by the factor f,
// a 32-bit float k / 100; the product is formed in double and rounded, then clamped.
// A pure grey pixel is left unchanged.
inline uint8_t LiftedChannel(int v, int m, float f)
{
    return ClampByte(RoundEven(v + static_cast<double>(f) * (v - m)));
}

inline void SaturationLift(uint8_t* bgr, float f)
{
    const int m = kGrayTable[bgr[0] + bgr[1] + bgr[2]];
    for (int c = 0; c < 3; ++c) bgr[c] = LiftedChannel(bgr[c], m, f);
}

}  // namespace lumetra
