// Timings of the layer computation, the whole gallery and each single-effect path on a
// 4000 x 3000 picture, upscaled from a sample photo.

#include <cstdlib>
#include <iostream>

#include <QImage>
#include <benchmark/benchmark.h>

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "engine/resize.h"
#include "imaging/plane_transfer.h"

namespace lumetra {
namespace {

constexpr PictureSize kBenchSize{4000, 3000};

// The photo is read and upscaled once; every benchmark copies it into a fresh engine.
const Engine& PreparedEngine()
{
    static const Engine engine = [] {
        const QImage photo(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/chelsea.png"));
        if (photo.isNull()) {
            std::cerr << "cannot read the sample photo assets/samples/chelsea.png\n";
            std::exit(1);
        }
        Engine e;
        e.SrcPixels = ResizePlane(LoadPixels(photo), kBenchSize);
        e.PencilTexture = LoadPencilTexture();
        return e;
    }();
    return engine;
}

void BM_BuildLayers(benchmark::State& state)
{
    Engine engine = PreparedEngine();
    for (auto _ : state) {
        engine.BuildLayers();
        benchmark::DoNotOptimize(engine.ContrastPixels.Data());
    }
}
BENCHMARK(BM_BuildLayers)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderGallery(benchmark::State& state)
{
    Engine engine = PreparedEngine();
    for (auto _ : state) benchmark::DoNotOptimize(RenderGallery(engine));
}
BENCHMARK(BM_RenderGallery)->Unit(benchmark::kMillisecond)->UseRealTime();

// Composition alone, from layers built once, for one colour and one dotted grey effect.
void BM_ComposeEffect(benchmark::State& state)
{
    const int slot = static_cast<int>(state.range(0));
    state.SetLabel(std::string(kCatalogue[slot].name));
    Engine engine = PreparedEngine();
    engine.BuildLayers();
    for (auto _ : state) {
        engine.ComposeEffect(slot);
        benchmark::DoNotOptimize(engine.SrcPixels.Data());
    }
}
BENCHMARK(BM_ComposeEffect)->Arg(4)->Arg(17)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BlurAndSharpen(benchmark::State& state)
{
    Engine engine = PreparedEngine();
    for (auto _ : state) {
        engine.BlurPixels();
        engine.SharpenPixels(1.0f);
        benchmark::DoNotOptimize(engine.SrcPixels.Data());
    }
}
BENCHMARK(BM_BlurAndSharpen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_RenderSlot(benchmark::State& state)
{
    const int slot = static_cast<int>(state.range(0));
    state.SetLabel(std::string(kCatalogue[slot].name));
    Engine engine = PreparedEngine();
    for (auto _ : state) benchmark::DoNotOptimize(RenderSlot(engine, slot));
}
BENCHMARK(BM_RenderSlot)->DenseRange(kFirstPixelEffect, kLastPixelEffect)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResizeTo12Megapixels(benchmark::State& state)
{
    const PixelPlane photo = LoadPixels(QImage(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/chelsea.png")));
    for (auto _ : state) benchmark::DoNotOptimize(ResizePlane(photo, kBenchSize));
}
BENCHMARK(BM_ResizeTo12Megapixels)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lumetra

BENCHMARK_MAIN();
