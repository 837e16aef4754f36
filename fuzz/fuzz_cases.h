#pragma once
// What each fuzz target checks, one function per kind of input, so that a stored finding
// is replayed by the tests through exactly the checks that found it. Each returns the
// promise the input broke, or nullptr when every promise held.

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

#include "engine/plane.h"

namespace lumetra::fuzz {

// Small enough that one input stays far below the fuzzer's memory limit, large enough
// that every decoder's normal path runs.
inline constexpr double kMegapixelLimit = 16.0;

// Arguments separated by NUL bytes through the command-line parser: every command it
// accepts holds values the commands can use without further checks.
const char* CheckCommandLine(const QByteArray& bytes);

// A picture file through the reader: it fails with a message naming the file, or gives
// an opaque RGB32 picture inside the size limit that survives the trip through a plane.
const char* CheckPictureFile(const QString& path);

// Bytes in memory through the HEIF/AVIF decoder, or with jxl the JPEG XL one: a reason and
// no picture, or a picture inside the size limit (its EXIF block then read as the reader
// reads it).
const char* CheckPhotoDecoder(const QByteArray& bytes, bool jxl);

// The whole gallery run on a tiny picture with parameters and options taken from the
// bytes (the first one picks the slot also rendered alone): every picture has the
// source's size, slot 0 is the source, and the single-slot path gives the gallery's bytes.
const char* CheckGalleryRun(const uint8_t* data, std::size_t size, const PixelPlane& texture);

}  // namespace lumetra::fuzz
