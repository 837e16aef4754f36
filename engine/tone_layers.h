#pragma once
// Per-value curves of the tone layers. Each tone layer is pointwise, so its curve is
// worked out once for every possible input and the pixel loops only look values up.

#include <array>
#include <cstdint>

namespace lumetra {

using ToneCurve = std::array<uint8_t, 256>;

// round(v x ((255 - v) / 255 x 0.75 + 1)), clamped: lifts mid-tones most.
const ToneCurve& BrightCurve();
// 0 up to 128, 255 from 129 (round(v / 256) x 256, lowered to 255).
const ToneCurve& ThresholdCurve();
// 10 x v - 1143, clamped to 0..255.
const ToneCurve& ContrastCurve();

// The sepia tint of a colour whose largest channel is `largest` and smallest `smallest`:
// only the lightness survives the tint, and the lightness depends on those two alone.
// Returns blue, green, red.
std::array<uint8_t, 3> SepiaTint(int largest, int smallest);

}  // namespace lumetra
