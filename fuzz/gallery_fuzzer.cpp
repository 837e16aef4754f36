// The whole gallery run on tiny random pictures (up to 24 x 24) with random parameters
// in their ranges and random options. Besides the sanitizers' checks, every finished
// picture must have the source's size, slot 0 must be the source, and the single-slot
// path must give the same bytes as the gallery for a randomly chosen slot.

#include <cstdint>

#include "fuzz/fuzz_cases.h"
#include "fuzz/fuzz_check.h"
#include "imaging/plane_transfer.h"

namespace {

const lumetra::PixelPlane* texture = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lumetra::fuzz::StartQt(argc, argv);
    texture = new lumetra::PixelPlane(lumetra::LoadPencilTexture());
    lumetra::fuzz::Require(!texture->Empty(), "the pencil texture loads");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    lumetra::fuzz::RequireKept(lumetra::fuzz::CheckGalleryRun(data, size, *texture));
    return 0;
}
