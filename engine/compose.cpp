#include "catalogue.h"
#include "engine.h"

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

bool IsWhite(const uint8_t* dot) { return dot[0] == 255 && dot[1] == 255 && dot[2] == 255; }

// Writes a base layer (three channels, or one spread to three) into channels 0..2 of the
// target, with the dot pixel in its place wherever dots are given and not pure white.
// Every pixel depends only on the same pixel of the inputs, so rows run in parallel.
template <int C>
void ComposeLayer(const Plane<C>& layer, const ColorPlane* dots, PixelPlane& target)
{
    const int w = target.Width();
#pragma omp parallel for schedule(static)
    for (int y = 0; y < target.Height(); ++y) {
        const uint8_t* src = layer.Row(y);
        const uint8_t* dot = dots ? dots->Row(y) : nullptr;
        uint8_t* dst = target.Row(y);
        for (int x = 0; x < w; ++x) {
            const bool dotHere = dot && !IsWhite(dot + 3 * x);
            for (int c = 2; c >= 0; --c) {
                const uint8_t base = C == 3 ? src[3 * x + c] : src[x];
                dst[4 * x + c] = dotHere ? dot[3 * x + c] : base;
            }
        }
    }
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
