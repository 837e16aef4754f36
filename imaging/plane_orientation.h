#pragma once
// A plane turned and mirrored as an EXIF orientation says its picture is shown: the
// pixels moved as they are, none changed.

#include "engine/plane.h"

namespace lumetra {

// The plane as shown for the EXIF orientation (1: as stored; 2 mirrored left to right;
// 3 turned half a turn; 4 mirrored top to bottom; 5 mirrored along the diagonal from the
// top-left; 6 turned a quarter clockwise; 7 mirrored along the other diagonal; 8 turned a
// quarter anticlockwise). Orientations 5 to 8 swap width and height.
// Throws std::bad_alloc when the new plane cannot be had.
PixelPlane Oriented(const PixelPlane& stored, int orientation);

}  // namespace lumetra
