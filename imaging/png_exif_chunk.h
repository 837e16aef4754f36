#pragma once
// The photo details of a PNG file in its standard 'eXIf' chunk.

#include <QByteArray>

namespace lumetra {

// Whether the bytes start as a PNG file does.
bool IsPng(const QByteArray& file);

// Adds an 'eXIf' chunk holding the EXIF block (TIFF header first) right after the
// header chunk, ahead of the pixel data as readers expect it. False, and the file
// unchanged, when the file does not start with a PNG header chunk.
bool AddPngExifChunk(QByteArray& png, const QByteArray& exif);

}  // namespace lumetra
