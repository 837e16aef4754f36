#pragma once
// The engine's English captions (effect names, parameter labels) in the user's language.
// The engine knows no Qt; the build hands its captions to lupdate (see CMakeLists.txt).
//
//     gallery->AddSnapshot(lumetra::EffectCaption(slot), ...);

#include <QString>

#include "engine/options.h"

namespace lumetra {

// The name of gallery slot 0..19: "Original", "Sketch", ... translated.
QString EffectCaption(int slot);

// The panel label of a parameter, with its colon: "Darkness:" translated.
QString ParameterCaption(const ParameterInfo& parameter);

}  // namespace lumetra
