#pragma once
// The largest picture the program reads, in million pixels. A picture above it is
// refused from its header, before any pixel is decoded, so a small file that unpacks
// to gigabytes cannot exhaust the memory. The window program may set another limit at
// start-up from its settings ("MaxMegapixels"); lumetra-cli takes --max-megapixels.

#include <QSize>
#include <QString>
#include <optional>

namespace lumetra {

inline constexpr double kDefaultMaxMegapixels = 100.0;
inline constexpr double kLowestMegapixelLimit = 1.0;
inline constexpr double kHighestMegapixelLimit = 10000.0;

// The limit written as a number from 1 to 10000 (fractions allowed); nothing otherwise.
std::optional<double> ParseMegapixelLimit(const QString& text);

// Why a picture of this size is refused ("the picture is W x H pixels (...), more than
// the limit of N megapixels."); empty when it is within the limit.
QString SizeLimitReason(QSize size, double maxMegapixels);

// The limit every read starts with unless its caller gives one: 100 until set.
double DefaultMaxMegapixels();
void SetDefaultMaxMegapixels(double megapixels);

}  // namespace lumetra
