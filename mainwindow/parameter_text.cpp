#include "parameter_text.h"

#include <cstdint>
#include <limits>

namespace lumetra {

namespace {

// The leading run of digits as a number; 0 when there is none or it overflows 32 bits.
int LeadingNumber(const QString& text)
{
    int64_t value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        value = value * 10 + (c.unicode() - '0');
        if (value > std::numeric_limits<int32_t>::max()) return 0;
    }
    return static_cast<int>(value);
}

}  // namespace

int ParseParameterText(const QString& text, const ParameterInfo& info)
{
    int value = LeadingNumber(text.trimmed());
    if (value > info.maximum) value = info.maximum;
    if (info.minimum == 1 && value < 1) value = 1;
    return value;
}

}  // namespace lumetra
