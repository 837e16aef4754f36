#pragma once
// GIF encoding: a 256-colour palette chosen by libimagequant (with its dithering),
// written by giflib.

#include <QIODevice>
#include <QImage>
#include <QString>

namespace lumetra {

// Writes an RGB32 picture as a GIF to the device. Returns "" on success, otherwise
// the reason of the failure.
QString EncodeGif(const QImage& rgb32, QIODevice& device);

}  // namespace lumetra
