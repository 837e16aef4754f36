#pragma once
// The rule a parameter text box applies to every change of its text.

#include <QString>

#include "engine/options.h"

namespace lumetra {

// The text's leading decimal number clamped to the parameter's range. Empty text or
// text without a leading digit counts as 0, and so does a number too large for a
// 32-bit integer; the rows whose minimum is 1 lift anything below it to 1.
int ParseParameterText(const QString& text, const ParameterInfo& info);

}  // namespace lumetra
