#include "resize_choice.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace lumetra {

QSize AutoSize(QSize picture)
{
    const int w = picture.width();
    const int h = picture.height();
    if (w <= 0 || h <= 0) return picture;
    auto scaled = [](int side, int longSide) {
        const double v = std::nearbyint(static_cast<double>(side) / static_cast<double>(longSide) * kAutoLongSide);
        return std::max(1, static_cast<int>(v));
    };
    if (w > h) return {kAutoLongSide, scaled(h, w)};
    return {scaled(w, h), kAutoLongSide};
}

int LeadingNumber(QStringView text)
{
    long long value = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9') break;
        value = value * 10 + (ch.unicode() - u'0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

int ClampCustomSide(int value, int bound)
{
    if (value <= kSmallestCustomSide) value = kSmallestCustomSide;
    if (value > bound) value = bound;
    return value;
}

QSize ChosenSize(QSize picture, ResizeChoice choice, QSize custom)
{
    if (choice == ResizeChoice::Auto) return AutoSize(picture);
    return {ClampCustomSide(custom.width(), picture.width()), ClampCustomSide(custom.height(), picture.height())};
}

}  // namespace lumetra
