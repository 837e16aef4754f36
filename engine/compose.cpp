#include <bit>
#include <cstdint>
#include <cstring>

#include "catalogue.h"
#include "engine.h"
#include "layer_table.h"
#include "vector_clones.h"

namespace lumetra {

namespace {

// The base layer of an effect as a three-channel or a grey plane (one of the two is set).
struct BaseLayer {
    const ColorPlane* color = nullptr;
    const GrayPlane* gray = nullptr;
};

BaseLayer LayerOf(const Engine& e, EffectLayer layer)
{
    const LayerInfo* row = FindLayer(layer);
    if (!row) return {};
    return {row->color ? &(e.*row->color) : nullptr, row->gray ? &(e.*row->gray) : nullptr};
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
// channel 3 comes from `keep`, which may be the target row itself. Every pixel depends
// only on the same pixel of the inputs, so the pixels go in vector lanes.
template <int C, bool Dotted>
LUMETRA_VECTOR_CLONES void ComposeRow(const uint8_t* __restrict src, const uint8_t* __restrict dot, const uint8_t* keep,
                                      uint8_t* dst, int width)
{
#pragma omp simd
    for (int x = 0; x < width; ++x) {
        uint32_t rgb = BasePixel<C>(src, x);
        if constexpr (Dotted) {
            const uint32_t d = BasePixel<3>(dot, x);
            rgb = d == kWhite ? rgb : d;
        }
        uint32_t pixel;
        std::memcpy(&pixel, keep + 4 * x, 4);
        pixel = (pixel & 0xFF000000u) | rgb;
        std::memcpy(dst + 4 * x, &pixel, 4);
    }
}

template <int C, bool Dotted>
void ComposeRows(const Plane<C>& layer, const ColorPlane* dots, const PixelPlane& keep, PixelPlane& target,
                 const std::stop_token& stop)
{
    const int w = target.Width();
#pragma omp parallel for schedule(static)
    for (int y = 0; y < target.Height(); ++y)
        if (!stop.stop_requested())
            ComposeRow<C, Dotted>(layer.Row(y), Dotted ? dots->Row(y) : nullptr, keep.Row(y), target.Row(y), w);
    ThrowIfStopped(stop);
}

template <int C>
void ComposeLayer(const Plane<C>& layer, const ColorPlane* dots, const PixelPlane& keep, PixelPlane& target,
                  const std::stop_token& stop)
{
    if (dots)
        ComposeRows<C, true>(layer, dots, keep, target, stop);
    else
        ComposeRows<C, false>(layer, dots, keep, target, stop);
}

}  // namespace

void Engine::ComposeEffect(int slot) { ComposeEffectInto(slot, SrcPixels); }

void Engine::ComposeEffectInto(int slot, PixelPlane& target) const
{
    if (&target != &SrcPixels && (target.Width() != SrcPixels.Width() || target.Height() != SrcPixels.Height()))
        target.AllocateForOverwrite(SrcPixels.Width(), SrcPixels.Height());  // every byte is composed
    const EffectInfo* effect = IsPixelEffect(slot) ? &kCatalogue[slot] : nullptr;
    const BaseLayer base = effect ? LayerOf(*this, effect->layer) : BaseLayer{};
    const bool dotted = effect && ReadsDots(*effect);
    const ColorPlane* dots = dotted ? &DotPixels : nullptr;
    const bool composable = (!dotted || Usable(dots, SrcPixels)) &&
                            (base.color ? Usable(base.color, SrcPixels) : Usable(base.gray, SrcPixels));
    if (!composable) {
        // Nothing to compose leaves SrcPixels as it was, so the target is its copy.
        if (&target != &SrcPixels) target = SrcPixels;
        return;
    }
    if (base.color)
        ComposeLayer(*base.color, dots, SrcPixels, target, stop);
    else
        ComposeLayer(*base.gray, dots, SrcPixels, target, stop);
}

}  // namespace lumetra
