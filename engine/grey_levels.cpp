// Grey levels: the grey of every source pixel and its four-level quantisation.

#include "engine.h"
#include "grey_planes.h"

namespace lumetra {

void Engine::BuildGreyLevels() { WriteGreyAndLevels(OrigPixels, GrayPixels, Gray4Pixels, 64, stop); }

}  // namespace lumetra
