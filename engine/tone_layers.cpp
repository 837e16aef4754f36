// The tone layers: pointwise re-tonings of the colour base (sepia, bright, threshold,
// contrast) and its two grey planes.

#include "tone_layers.h"

#include <algorithm>
#include <vector>

#include "color_math.h"
#include "row_threads.h"
#include "vector_clones.h"
#include "engine.h"
#include "gray_planes.h"
#include "hsl.h"
#include "layer_allocation.h"

namespace lumetra {

namespace {

constexpr float kSepiaHue = 0.5f;  // 30 degrees, orange-brown
constexpr float kSepiaSaturation = 0.25f;

template <typename F>
ToneCurve MakeCurve(F f)
{
    ToneCurve curve{};
    for (int v = 0; v < 256; ++v) curve[v] = ClampByte(f(v));
    return curve;
}

// Sepia tints of every (largest, smallest) channel pair, at index largest x 256 + smallest,
// as blue | green << 8 | red << 16: one word per tint lets the vector units look up eight
// pixels at once.
std::vector<uint32_t> MakeSepiaTable()
{
    std::vector<uint32_t> table(256 * 256);
    for (int largest = 0; largest < 256; ++largest)
        for (int smallest = 0; smallest <= largest; ++smallest) {
            float h = 0, s = 0, l = 0;
            RGBToHSL(largest, smallest, smallest, h, s, l);
            int red = 0, green = 0, blue = 0;
            HSLToRGB(kSepiaHue, kSepiaSaturation, l, red, green, blue);
            table[largest * 256 + smallest] =
                static_cast<uint32_t>(blue) | static_cast<uint32_t>(green) << 8 | static_cast<uint32_t>(red) << 16;
        }
    return table;
}

const std::vector<uint32_t>& SepiaTable()
{
    static const std::vector<uint32_t> table = MakeSepiaTable();
    return table;
}

LUMETRA_VECTOR_CLONES void SepiaRow(const uint8_t* __restrict src, const uint32_t* __restrict table,
                                    uint8_t* __restrict dst, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        const unsigned b = src[3 * x], g = src[3 * x + 1], r = src[3 * x + 2];
        const uint32_t tint = table[std::max(b, std::max(g, r)) * 256 + std::min(b, std::min(g, r))];
        dst[3 * x] = static_cast<uint8_t>(tint);
        dst[3 * x + 1] = static_cast<uint8_t>(tint >> 8);
        dst[3 * x + 2] = static_cast<uint8_t>(tint >> 16);
    }
}

// Applies a per-channel curve to every pixel of the colour base.
void ApplyCurve(const ColorPlane& color, const ToneCurve& curve, ColorPlane& out, const std::stop_token& stop)
{
    const std::size_t rowBytes = color.RowBytes();
    ForEachRow(color.Width(), color.Height(), stop, [&](int y) {
        const uint8_t* src = color.Row(y);
        uint8_t* dst = out.Row(y);
        for (std::size_t i = 0; i < rowBytes; ++i) dst[i] = curve[src[i]];
    });
}

}  // namespace

const ToneCurve& BrightCurve()
{
    static const ToneCurve curve = MakeCurve([](int v) { return RoundEven(v * ((255 - v) / 255.0 * 0.75 + 1)); });
    return curve;
}

const ToneCurve& ThresholdCurve()
{
    static const ToneCurve curve = MakeCurve([](int v) { return RoundEven(v / 256.0) * 256; });
    return curve;
}

const ToneCurve& ContrastCurve()
{
    static const ToneCurve curve = MakeCurve([](int v) { return 10 * v - 1143; });
    return curve;
}

std::array<uint8_t, 3> SepiaTint(int largest, int smallest)
{
    const uint32_t tint = SepiaTable()[largest * 256 + smallest];
    return {static_cast<uint8_t>(tint), static_cast<uint8_t>(tint >> 8), static_cast<uint8_t>(tint >> 16)};
}

void Engine::BuildSepiaLayer()
{
    AllocateLayer(SepiaPixels, ColorPixels.Width(), ColorPixels.Height());
    const int width = ColorPixels.Width();
    const uint32_t* table = SepiaTable().data();
    ForEachRow(width, ColorPixels.Height(), stop,
               [&](int y) { SepiaRow(ColorPixels.Row(y), table, SepiaPixels.Row(y), width); });
}

namespace {

// The bright layer's saturation lift of a channel value v in a pixel of grey m, at index
// v x 256 + m: the lift depends on nothing else, so a table gives its exact bytes.
const std::vector<uint8_t>& BrightLiftTable()
{
    static const std::vector<uint8_t> table = [] {
        const float lift = static_cast<float>(128 / 100.0);
        std::vector<uint8_t> t(256 * 256);
        for (int v = 0; v < 256; ++v)
            for (int m = 0; m < 256; ++m) t[v * 256 + m] = LiftedChannel(v, m, lift);
        return t;
    }();
    return table;
}

}  // namespace

void Engine::BuildBrightLayer()
{
    // The bright curve, then the saturation lift on the curved pixel, in one pass.
    MatchLayerSize(BrightPixels, ColorPixels);
    const ToneCurve& curve = BrightCurve();
    const uint8_t* lift = BrightLiftTable().data();
    const int width = ColorPixels.Width();
    ForEachRow(width, ColorPixels.Height(), stop, [&](int y) {
        const uint8_t* src = ColorPixels.Row(y);
        uint8_t* dst = BrightPixels.Row(y);
        for (int x = 0; x < width; ++x) {
            const uint8_t b = curve[src[3 * x]], g = curve[src[3 * x + 1]], r = curve[src[3 * x + 2]];
            const int m = kGrayTable[b + g + r];
            dst[3 * x] = lift[b * 256 + m];
            dst[3 * x + 1] = lift[g * 256 + m];
            dst[3 * x + 2] = lift[r * 256 + m];
        }
    });
}

void Engine::BuildThresholdLayer()
{
    MatchLayerSize(ThresholdPixels, ColorPixels);
    ApplyCurve(ColorPixels, ThresholdCurve(), ThresholdPixels, stop);
}

void Engine::BuildContrastLayer()
{
    MatchLayerSize(ContrastPixels, ColorPixels);
    ApplyCurve(ColorPixels, ContrastCurve(), ContrastPixels, stop);
}

void Engine::BuildColorGrayPlanes()
{
    MatchLayerSize(ColorGrayPixels, ColorPixels);
    MatchLayerSize(ColorGray8Pixels, ColorPixels);
    WriteGrayAndLevels(ColorPixels, ColorGrayPixels, ColorGray8Pixels, 32, stop);
}

}  // namespace lumetra
