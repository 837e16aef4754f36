// Grey levels: the grey of every source pixel and its four-level quantisation.

#include "engine.h"
#include "gray_planes.h"

namespace lumetra {

void Engine::BuildGrayLevels() { WriteGrayAndLevels(OrigPixels, GrayPixels, Gray4Pixels, 64, stop); }

}  // namespace lumetra
