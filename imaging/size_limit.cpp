#include "imaging/size_limit.h"

#include <atomic>

namespace lumetra {

namespace {

// Set once at start-up, read by every reading thread.
std::atomic<double> defaultLimit{kDefaultMaxMegapixels};

}  // namespace

std::optional<double> ParseMegapixelLimit(const QString& text)
{
    bool ok = false;
    const double limit = text.toDouble(&ok);
    if (!ok || !(limit >= kLowestMegapixelLimit && limit <= kHighestMegapixelLimit))
        return std::nullopt;
    return limit;
}

double DefaultMaxMegapixels()
{
    return defaultLimit.load(std::memory_order_relaxed);
}

void SetDefaultMaxMegapixels(double megapixels)
{
    if (megapixels >= kLowestMegapixelLimit && megapixels <= kHighestMegapixelLimit)
        defaultLimit.store(megapixels, std::memory_order_relaxed);
}

}  // namespace lumetra
