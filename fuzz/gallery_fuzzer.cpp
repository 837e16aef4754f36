// The whole gallery run on tiny random pictures (up to 24 x 24) with random parameters
// in their ranges and random options. Besides the sanitizers' checks, every finished
// picture must have the source's size, slot 0 must be the source, and the single-slot
// path must give the same bytes as the gallery for a randomly chosen slot.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "engine/catalogue.h"
#include "engine/gallery.h"
#include "fuzz/fuzz_check.h"
#include "imaging/plane_transfer.h"

namespace {

using lumetra::fuzz::Require;

constexpr int kMaxSide = 24;

const lumetra::PixelPlane* texture = nullptr;

void FillEngine(lumetra::Engine& engine, FuzzedDataProvider& in)
{
    const int width = in.ConsumeIntegralInRange(1, kMaxSide);
    const int height = in.ConsumeIntegralInRange(1, kMaxSide);
    for (const lumetra::ParameterInfo& parameter : lumetra::kParameters)
        lumetra::SetShownValue(engine.params, parameter.id,
                               in.ConsumeIntegralInRange(parameter.minimum, parameter.maximum));
    engine.options.adjust = in.ConsumeBool();
    engine.options.colorSketch = in.ConsumeBool();
    engine.options.colorSketchEnabled = engine.options.adjust;
    engine.options.mix = in.ConsumeBool();
    engine.options.blur = in.ConsumeBool();
    engine.options.sharpen = in.ConsumeBool();

    engine.SrcPixels.Allocate(width, height);
    const std::vector<uint8_t> pixels = in.ConsumeRemainingBytes<uint8_t>();
    if (!pixels.empty())
        for (std::size_t i = 0; i < engine.SrcPixels.SizeBytes(); ++i)
            engine.SrcPixels.Data()[i] = pixels[i % pixels.size()];
    engine.PencilTexture = *texture;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    lumetra::fuzz::StartQt(argc, argv);
    texture = new lumetra::PixelPlane(lumetra::LoadPencilTexture());
    Require(!texture->Empty(), "the pencil texture loads");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int slot = data[0] % lumetra::kSlotCount;
    FuzzedDataProvider in(data + 1, size - 1);
    lumetra::Engine engine;
    FillEngine(engine, in);
    const lumetra::PixelPlane source = engine.SrcPixels;
    const lumetra::Engine fresh = engine;

    const std::vector<lumetra::PixelPlane> pictures = lumetra::RenderGallery(engine);
    Require(pictures.size() == std::size_t(lumetra::kSlotCount), "the gallery has every slot");
    Require(pictures[0] == source, "slot 0 is the source");
    for (const lumetra::PixelPlane& picture : pictures)
        Require(picture.Width() == source.Width() && picture.Height() == source.Height(),
                "every picture has the source's size");

    lumetra::Engine single = fresh;
    Require(lumetra::RenderSlot(single, slot) == pictures[slot], "one slot alone gives the gallery's bytes");
    Require(single.SrcPixels == source, "the single-slot path leaves the source in place");
    return 0;
}
