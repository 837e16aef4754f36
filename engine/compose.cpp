#include <bit>
#include <cstdint>
#include <cstring>

#include "catalogue.h"
#include "engine.h"
#include "vector_clones.h"

namespace lumetra {

namespace {

// The base layer of an effect as a three-channel or a grey plane (one of the two is set).
struct BaseLayer {
    const ColorPlane* colour = nullptr;
    const GrayPlane* grey = nullptr;
};

BaseLayer LayerOf(const Engine& e, EffectLayer layer)
{
    switch (layer) {
    case EffectLayer::Sketch: return {&e.SketchPixels, nullptr};
    case EffectLayer::Dot: return {&e.DotPixels, nullptr};
    case EffectLayer::Pencil: return {&e.PencilPixels, nullptr};
    case EffectLayer::Bright: return {&e.BrightPixels, nullptr};
    case EffectLayer::Color: return {&e.ColorPixels, nullptr};
    case EffectLayer::Sepia: return {&e.SepiaPixels, nullptr};
    case EffectLayer::Threshold: return {&e.ThresholdPixels, nullptr};
    case EffectLayer::Contrast: return {&e.ContrastPixels, nullptr};
    case EffectLayer::ColorGray8: return {nullptr, &e.ColorGray8Pixels};
    case EffectLayer::ColorGray: return {nullptr, &e.ColorGrayPixels};
    case EffectLayer::None: break;
    }
    return {};
}

// A layer can be read only while it exists and matches the picture: after a release, or
// when a kept layer is left over from a picture of another size, composition does nothing.
template <int C>
bool Usable(const Plane<C>* layer, const PixelPlane& target)
{
    return layer && !layer->Empty() && layer->Width() == target.Width() && layer->Height() == target.Height();
}

// A pixel of a three-channel layer as the low three bytes of a word (blue lowest), or a
// grey value spread to those three bytes.
template <int C>
uint32_t BasePixel(const uint8_t* row, int x)
{
    if constexpr (C == 1)
        return row[x] * 0x010101u;
    else
        return row[3 * x] | row[3 * x + 1] << 8 | row[3 * x + 2] << 16;
}

constexpr uint32_t kWhite = 0xFFFFFFu;
static_assert(std::endian::native == std::endian::little, "pixels are written as little-endian words");

// One row: a base layer (three channels, or one spread to three) into channels 0..2 of
// the target, with the dot pixel in its place wherever dots are given and not pure white;
// channel 3 of the target keeps its value. Every pixel depends only on the same pixel of
// the inputs, so the pixels go in vector lanes.
template <int C, bool Dotted>
LUMETRA_VECTOR_CLONES void ComposeRow(const uint8_t* __restrict src, const uint8_t* __restrict dot,
                                      uint8_t* __restrict dst, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        uint32_t rgb = BasePixel<C>(src, x);
        if constexpr (Dotted) {
            const uint32_t d = BasePixel<3>(dot, x);
            rgb = d == kWhite ? rgb : d;
        }
        uint32_t pixel;
        std::memcpy(&pixel, dst + 4 * x, 4);
        pixel = (pixel & 0xFF000000u) | rgb;
        std::memcpy(dst + 4 * x, &pixel, 4);
    }
}

template <int C, bool Dotted>
void ComposeRows(const Plane<C>& layer, const ColorPlane* dots, PixelPlane& target)
{
    const int w = target.Width();
#pragma omp parallel for schedule(static)
    for (int y = 0; y < target.Height(); ++y)
        ComposeRow<C, Dotted>(layer.Row(y), Dotted ? dots->Row(y) : nullptr, target.Row(y), w);
}

template <int C>
void ComposeLayer(const Plane<C>& layer, const ColorPlane* dots, PixelPlane& target)
{
    if (dots)
        ComposeRows<C, true>(layer, dots, target);
    else
        ComposeRows<C, false>(layer, dots, target);
}

}  // namespace

void Engine::ComposeEffect(int slot)
{
    if (!IsPixelEffect(slot)) return;
    const EffectInfo& effect = kCatalogue[slot];
    const BaseLayer base = LayerOf(*this, effect.layer);
    const bool dotted = effect.kind == EffectKind::DotOverColor || effect.kind == EffectKind::DotOverGray;
    const ColorPlane* dots = dotted ? &DotPixels : nullptr;
    if (dotted && !Usable(dots, SrcPixels)) return;

    if (base.colour) {
        if (Usable(base.colour, SrcPixels)) ComposeLayer(*base.colour, dots, SrcPixels);
    } else if (Usable(base.grey, SrcPixels)) {
        ComposeLayer(*base.grey, dots, SrcPixels);
    }
}

}  // namespace lumetra
