#include <cstring>
#include <stdexcept>

#include "gallery.h"

namespace lumetra {

PixelPlane ComposeTransition(const PixelPlane& left, const PixelPlane& middle, const PixelPlane& base)
{
    const auto sameSize = [&](const PixelPlane& p) { return p.Width() == base.Width() && p.Height() == base.Height(); };
    if (!sameSize(left) || !sameSize(middle))
        throw std::invalid_argument("the three pictures of a transition must have the same size");

    // The right part takes the one or two columns left over when the width is not a
    // multiple of three.
    const int third = base.Width() / 3;
    const std::size_t thirdBytes = static_cast<std::size_t>(third) * 4;
    PixelPlane result = base;
    for (int y = 0; thirdBytes > 0 && y < result.Height(); ++y) {
        uint8_t* row = result.Row(y);
        std::memcpy(row, left.Row(y), thirdBytes);
        std::memcpy(row + thirdBytes, middle.Row(y) + thirdBytes, thirdBytes);
    }
    return result;
}

}  // namespace lumetra
