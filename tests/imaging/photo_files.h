#pragma once
// Phone and web picture files made in the tests: HEIC and AVIF through libheif's
// encoders, AVIF image sequences through libavif's, JPEG XL through libjxl's, WebP
// through Qt's writer (and an animated WebP put together from two of its frames).

#include <QByteArray>
#include <QImage>
#include <QList>

namespace lumetra::test {

enum class HeifCodec { Hevc, Av1 };

// The pictures as frames (JPEG XL: an animation), images (HEIF: the first is the
// primary image) or one still picture. Empty when the encoder fails. icc: a colour
// profile to embed; exif: an EXIF block (TIFF header first) for the primary image;
// orientation: the EXIF-style orientation the file records. A JPEG XL's EXIF block goes
// into a Brotli-compressed box after the coded picture, where a reader has to look
// past the picture for it.
QByteArray EncodeHeif(const QList<QImage>& images, HeifCodec codec, const QByteArray& icc = {},
                      const QByteArray& exif = {});
QByteArray EncodeJxl(const QList<QImage>& frames, const QByteArray& icc = {}, int orientation = 1,
                     const QByteArray& exif = {});
QByteArray EncodeWebp(const QList<QImage>& frames);
// An AVIF image sequence (brand 'avis'), each frame shown for a tenth of a second.
QByteArray EncodeAvifSequence(const QList<QImage>& frames);

}  // namespace lumetra::test
