#pragma once
// The effect catalogue: one table of the twenty gallery slots that the gallery, the
// batch converter, the command line and the tests all read. Slot 0 is the source
// picture ("Original"); slots 1..17 are the pixel effects composed from the layers;
// slots 18 and 19 join three finished pictures side by side.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra {

enum class EffectKind {
    Source,        // the picture as loaded
    ColorLayer,    // one three-channel layer copied as it is
    GrayLayer,     // one grey layer spread to the three channels
    DotOverColor,  // DotPixels laid over a three-channel layer
    DotOverGray,   // DotPixels laid over a grey layer
    Transition,    // thirds of three finished pictures
};

// The layer plane an effect is made from (its base under the dots, for the dotted kinds).
enum class EffectLayer {
    None,
    Sketch,      // SketchPixels
    Dot,         // DotPixels
    Pencil,      // PencilPixels
    Bright,      // BrightPixels
    Color,       // ColorPixels
    Sepia,       // SepiaPixels
    Threshold,   // ThresholdPixels
    Contrast,    // ContrastPixels
    ColorGray8,  // ColorGray8Pixels (grey)
    ColorGray,   // ColorGrayPixels (grey)
};

struct EffectInfo {
    int slot;
    std::string_view name;  // caption, exact
    EffectKind kind;
    EffectLayer layer;
    int left, middle, base;  // transition sources (slots 18 and 19 only; -1 elsewhere)
};

inline constexpr int kSlotCount = 20;
inline constexpr int kFirstPixelEffect = 1;
inline constexpr int kLastPixelEffect = 17;

inline constexpr std::array<EffectInfo, kSlotCount> kCatalogue{{
    {0, "Original", EffectKind::Source, EffectLayer::None, -1, -1, -1},
    {1, "Sketch", EffectKind::ColorLayer, EffectLayer::Sketch, -1, -1, -1},
    {2, "Sketch + Dot", EffectKind::ColorLayer, EffectLayer::Dot, -1, -1, -1},
    {3, "Pencil Sketch", EffectKind::ColorLayer, EffectLayer::Pencil, -1, -1, -1},
    {4, "Color 1", EffectKind::ColorLayer, EffectLayer::Bright, -1, -1, -1},
    {5, "Color 1 + Dot", EffectKind::DotOverColor, EffectLayer::Bright, -1, -1, -1},
    {6, "Color 2", EffectKind::ColorLayer, EffectLayer::Color, -1, -1, -1},
    {7, "Color 2 + Dot", EffectKind::DotOverColor, EffectLayer::Color, -1, -1, -1},
    {8, "Sepia", EffectKind::ColorLayer, EffectLayer::Sepia, -1, -1, -1},
    {9, "Sepia + Dot", EffectKind::DotOverColor, EffectLayer::Sepia, -1, -1, -1},
    {10, "Contrast 1", EffectKind::ColorLayer, EffectLayer::Threshold, -1, -1, -1},
    {11, "Contrast 1 + Dot", EffectKind::DotOverColor, EffectLayer::Threshold, -1, -1, -1},
    {12, "Contrast 2", EffectKind::ColorLayer, EffectLayer::Contrast, -1, -1, -1},
    {13, "Contrast 2 + Dot", EffectKind::DotOverColor, EffectLayer::Contrast, -1, -1, -1},
    {14, "Gray 1", EffectKind::GrayLayer, EffectLayer::ColorGray8, -1, -1, -1},
    {15, "Gray 1 + Dot", EffectKind::DotOverGray, EffectLayer::ColorGray8, -1, -1, -1},
    {16, "Gray 2", EffectKind::GrayLayer, EffectLayer::ColorGray, -1, -1, -1},
    {17, "Gray 2 + Dot", EffectKind::DotOverGray, EffectLayer::ColorGray, -1, -1, -1},
    {18, "Transition 1", EffectKind::Transition, EffectLayer::None, 0, 4, 1},
    {19, "Transition 2", EffectKind::Transition, EffectLayer::None, 0, 5, 2},
}};

// Whether an effect lays the dot layer over its own.
constexpr bool ReadsDots(const EffectInfo& effect)
{
    return effect.kind == EffectKind::DotOverColor || effect.kind == EffectKind::DotOverGray;
}

// The layers an effect reads: its own and, for the dotted kinds, the dots (None where
// there is no second one, or none at all).
constexpr std::array<EffectLayer, 2> LayersRead(const EffectInfo& effect)
{
    return {effect.layer, ReadsDots(effect) ? EffectLayer::Dot : EffectLayer::None};
}

// The batch converter offers the pixel effects only: batch index i is slot i + 1.
inline constexpr int kBatchEffectCount = 17;
inline constexpr int SlotOfBatchIndex(int index) { return index + 1; }
inline constexpr bool IsPixelEffect(int slot) { return slot >= kFirstPixelEffect && slot <= kLastPixelEffect; }

// The name lower-cased, every run of characters other than a-z and 0-9 replaced by one
// hyphen: "original", "sketch", "sketch-dot", ..., "transition-2". Empty for a slot
// outside 0..19.
std::string EffectSlug(int slot);

// The slot a user means by a number ("3"), a name ("pencil sketch", any case) or a slug
// ("pencil-sketch"); nothing when it names none of the twenty.
std::optional<int> FindEffectSlot(std::string_view numberOrName);

}  // namespace lumetra
