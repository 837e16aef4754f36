#pragma once
// The gallery's transition pictures, composed by the window from the 24-bit pictures it
// keeps anyway: left to the engine, the run would hold 32-bit copies of four pictures
// until its end only for them.

#include <QImage>

namespace lumetra {

// Columns 0..w3-1 from left, w3..2*w3-1 from middle, the rest from base, where
// w3 = width / 3: the engine's transition, byte for byte. The three pictures must be
// Format_RGB888 of one size; otherwise, or without memory, the result is empty.
QImage ComposeTransitionPicture(const QImage& left, const QImage& middle, const QImage& base);

}  // namespace lumetra
