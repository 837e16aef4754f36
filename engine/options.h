#pragma once
// The engine's five parameters and the options it is handed. The parameter table
// feeds the window's panel, the command line's parser and its help text, so a
// parameter is described in one place only.

#include <array>
#include <string_view>

namespace lumetra {

// Engine values, as the layer steps read them. Two are stored inverted from what the
// user sees (see ParameterInfo::toEngine).
struct EngineParams {
    int EdgeThreshold = 28;
    int VoteThreshold = 1;
    int DarkThreshold = 70;
    int BrushWidth = 10;
    int DotSensitivity = 20;
    bool operator==(const EngineParams&) const = default;
};

// The check boxes the engine and the post-filters read, as plain values.
struct EngineOptions {
    bool adjust = true;              // "Adjust sketch depth"
    bool colorSketch = false;        // "Color Sketch" checked
    bool colorSketchEnabled = true;  // "Color Sketch" enabled (the window enables it exactly while adjust is on)
    bool mix = true;                 // "Mix similar color"
    bool blur = false;               // "Blur"
    bool sharpen = false;            // "Sharpen"
    bool operator==(const EngineOptions&) const = default;
};

enum class ParameterId { Sensitivity, DetailLevel, Dark, BrushWidth, Dot };

struct ParameterInfo {
    ParameterId id;
    std::string_view caption;  // panel label
    std::string_view option;   // command-line option, without the leading dashes
    int minimum;               // range the user sees
    int maximum;
    int resetValue;      // value the user sees after Reset
    bool invertFrom255;  // engine value = 255 - shown
    bool invertFrom9;    // engine value = 9 - shown

    int ToEngine(int shown) const { return invertFrom255 ? 255 - shown : invertFrom9 ? 9 - shown : shown; }
    int FromEngine(int engine) const { return ToEngine(engine); }  // both mappings are their own inverse
};

inline constexpr std::array<ParameterInfo, 5> kParameters{{
    {ParameterId::Sensitivity, "Sketch border sensitivity:", "border", 0, 250, 227, true, false},
    {ParameterId::DetailLevel, "Sketch detail level:", "detail", 1, 8, 8, false, true},
    {ParameterId::Dark, "Darkness:", "darkness", 0, 255, 70, false, false},
    {ParameterId::BrushWidth, "Brush width:", "brush", 1, 200, 10, false, false},
    {ParameterId::Dot, "Dot sensitivity:", "dot", 1, 100, 20, false, false},
}};

inline const ParameterInfo& Parameter(ParameterId id) { return kParameters[static_cast<int>(id)]; }

// The engine scalar that a parameter drives.
inline int& EngineValue(EngineParams& p, ParameterId id)
{
    switch (id) {
    case ParameterId::Sensitivity: return p.EdgeThreshold;
    case ParameterId::DetailLevel: return p.VoteThreshold;
    case ParameterId::Dark: return p.DarkThreshold;
    case ParameterId::BrushWidth: return p.BrushWidth;
    case ParameterId::Dot: return p.DotSensitivity;
    }
    return p.DotSensitivity;
}

// Sets a parameter from the value the user sees.
inline void SetShownValue(EngineParams& p, ParameterId id, int shown)
{
    EngineValue(p, id) = Parameter(id).ToEngine(shown);
}
inline int ShownValue(EngineParams p, ParameterId id) { return Parameter(id).FromEngine(EngineValue(p, id)); }

}  // namespace lumetra
