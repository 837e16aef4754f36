#include "gallery_transitions.h"

#include <cstring>
#include <new>

#include "imaging/plane_transfer.h"

namespace lumetra {

QImage ComposeTransitionPicture(const QImage& left, const QImage& middle, const QImage& base)
{
    const auto fits = [&](const QImage& p) { return p.format() == QImage::Format_RGB888 && p.size() == base.size(); };
    if (base.isNull() || !fits(left) || !fits(middle) || !fits(base)) return QImage();
    QImage result;
    try {
        result = NewStorePicture(base.width(), base.height(), QImage::Format_RGB888);
    } catch (const std::bad_alloc&) {
        return QImage();
    }
    const std::size_t third = std::size_t(base.width() / 3) * 3;
    const std::size_t row = std::size_t(base.width()) * 3;
    for (int y = 0; y < base.height(); ++y) {
        uchar* out = result.scanLine(y);
        std::memcpy(out, left.constScanLine(y), third);
        std::memcpy(out + third, middle.constScanLine(y) + third, third);
        std::memcpy(out + 2 * third, base.constScanLine(y) + 2 * third, row - 2 * third);
    }
    return result;
}

}  // namespace lumetra
