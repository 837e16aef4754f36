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
    if (!ok || !(limit >= kLowestMegapixelLimit && limit <= kHighestMegapixelLimit)) return std::nullopt;
    return limit;
}

QString SizeLimitReason(QSize size, double maxMegapixels)
{
    const double megapixels = double(size.width()) * double(size.height()) / 1e6;
    if (megapixels <= maxMegapixels) return {};
    return QStringLiteral("the picture is %1 x %2 pixels (%3 megapixels), more than the limit of %4 megapixels.")
        .arg(size.width())
        .arg(size.height())
        .arg(megapixels, 0, 'f', 1)
        .arg(maxMegapixels);
}

double DefaultMaxMegapixels() { return defaultLimit.load(std::memory_order_relaxed); }

void SetDefaultMaxMegapixels(double megapixels)
{
    if (megapixels >= kLowestMegapixelLimit && megapixels <= kHighestMegapixelLimit)
        defaultLimit.store(megapixels, std::memory_order_relaxed);
}

}  // namespace lumetra
