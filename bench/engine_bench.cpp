// Timings of every layer step, the layer computation, the whole gallery (kept and
// streamed), composition, the post-filters, each single-effect path, how soon a stopped
// run returns and reading the source from a JPEG, on a 4000 x 3000 picture, upscaled
// from a sample photo. bench/run_whole.sh
// times the whole commands.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <stop_token>
#include <thread>

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <omp.h>

#include "engine/catalogue.h"
#include "engine/dot_layer.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "engine/resize.h"
#include "imaging/plane_transfer.h"
#include "imaging/plane_writer.h"
#include "imaging/source_picture.h"

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

// Each layer step alone, on an engine whose layers BuildLayers has made once; the step
// re-runs over its own output, which costs the same as the first run.
const Engine& BuiltEngine()
{
    static const Engine engine = [] {
        Engine e = PreparedEngine();
        e.BuildLayers();
        return e;
    }();
    return engine;
}

template <void (*Step)(Engine&)>
void BM_Step(benchmark::State& state)
{
    Engine engine = BuiltEngine();
    for (auto _ : state) {
        Step(engine);
        benchmark::ClobberMemory();
    }
}

void CopyStep(Engine& e) { e.CopyStep(); }
void GrayLevels(Engine& e) { e.BuildGrayLevels(); }
void SketchLines(Engine& e)
{
    e.EdgeVotes.Allocate(e.SrcPixels.Width(), e.SrcPixels.Height());  // the detector counts from zero
    e.DetectSketchLines();
}
void SketchShading(Engine& e) { e.ShadeSketch(); }
void PencilLayer(Engine& e) { e.BuildPencilLayer(); }
void ColorBase(Engine& e) { e.BuildColorBase(); }
void DotLayer(Engine& e) { e.BuildDotLayer(); }
void SepiaLayer(Engine& e) { e.BuildSepiaLayer(); }
void BrightLayer(Engine& e) { e.BuildBrightLayer(); }
void ThresholdLayer(Engine& e) { e.BuildThresholdLayer(); }
void ContrastLayer(Engine& e) { e.BuildContrastLayer(); }
void ColorGrayPlanes(Engine& e) { e.BuildColorGrayPlanes(); }

BENCHMARK(BM_Step<CopyStep>)->Name("BM_Step/CopyStep")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<GrayLevels>)->Name("BM_Step/GreyLevels")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<SketchLines>)->Name("BM_Step/SketchLines")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<SketchShading>)->Name("BM_Step/SketchShading")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<PencilLayer>)->Name("BM_Step/PencilLayer")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<ColorBase>)->Name("BM_Step/ColourBaseWithMixing")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<DotLayer>)->Name("BM_Step/DotLayer")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<SepiaLayer>)->Name("BM_Step/SepiaLayer")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<BrightLayer>)->Name("BM_Step/BrightLayer")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<ThresholdLayer>)->Name("BM_Step/ThresholdLayer")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<ContrastLayer>)->Name("BM_Step/ContrastLayer")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Step<ColorGrayPlanes>)->Name("BM_Step/ColourGreyPlanes")->Unit(benchmark::kMillisecond)->UseRealTime();

// The dot layer's error diffusion alone, on one thread and on two.
void BM_DotDiffusion(benchmark::State& state)
{
    const Engine& engine = BuiltEngine();
    const ColorPlane& color = engine.ColorPixels;
    const int mean = MeanGray(color);
    ColorPlane dots(color.Width(), color.Height());
    const int threadsBefore = omp_get_max_threads();
    omp_set_num_threads(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DiffuseDots(color, mean, engine.params.DotSensitivity, dots);
        benchmark::ClobberMemory();
    }
    omp_set_num_threads(threadsBefore);
}
BENCHMARK(BM_DotDiffusion)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The streaming gallery of lumetra-cli: the same pictures, handed out and let go.
void BM_StreamGallery(benchmark::State& state)
{
    Engine engine = PreparedEngine();
    for (auto _ : state)
        StreamGallery(engine, {}, [](int, const SharedPicture& picture) { benchmark::DoNotOptimize(picture->Data()); });
}
BENCHMARK(BM_StreamGallery)->Unit(benchmark::kMillisecond)->UseRealTime();

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

// The batch's single-effect path as the issue counts it: BuildEffectLayers and
// ComposeBatchEffect on a fresh copy of the picture (the copy is not timed).
void BM_BatchEffect(benchmark::State& state)
{
    const int index = static_cast<int>(state.range(0));
    state.SetLabel(std::string(kCatalogue[SlotOfBatchIndex(index)].name));
    for (auto _ : state) {
        state.PauseTiming();
        Engine engine = PreparedEngine();
        state.ResumeTiming();
        engine.BuildEffectLayers(index);
        engine.ComposeBatchEffect(index);
        benchmark::DoNotOptimize(engine.SrcPixels.Data());
    }
}
BENCHMARK(BM_BatchEffect)->DenseRange(0, kBatchEffectCount - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

// How soon a stopped gallery run returns: the stop is requested at range(0) tenths of the
// time a whole run takes, and the time from the request to the return is what is timed
// (0 when the run was over first). max_ms is the slowest return of all iterations.
void BM_StopLatency(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    Engine engine = PreparedEngine();
    const auto runGallery = [&] { StreamGallery(engine, {}, [](int, const SharedPicture&) {}); };
    const auto start = Clock::now();
    runGallery();
    const auto delay = (Clock::now() - start) * state.range(0) / 10;
    double slowest = 0;
    for (auto _ : state) {
        std::stop_source source;
        engine.stop = source.get_token();
        Clock::time_point requested;
        std::jthread stopper([&] {
            std::this_thread::sleep_for(delay);
            requested = Clock::now();
            source.request_stop();
        });
        bool stopped = false;
        try {
            runGallery();
        } catch (const RunCancelled&) {
            stopped = true;
        }
        const auto returned = Clock::now();
        stopper.join();
        const double seconds = stopped ? std::chrono::duration<double>(returned - requested).count() : 0.0;
        slowest = std::max(slowest, seconds);
        state.SetIterationTime(seconds);
    }
    engine.stop = {};
    state.counters["max_ms"] = slowest * 1000;
}
BENCHMARK(BM_StopLatency)->DenseRange(0, 9)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ResizeTo12Megapixels(benchmark::State& state)
{
    const PixelPlane photo = LoadPixels(QImage(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/chelsea.png")));
    for (auto _ : state) benchmark::DoNotOptimize(ResizePlane(photo, kBenchSize));
}
BENCHMARK(BM_ResizeTo12Megapixels)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading the 12-megapixel picture from a JPEG file into a plane, with the heap set up as
// in the programs: 0 through the general reader (a picture, then copied into a plane), 1
// the way sources are read (straight).
void BM_ReadJpegSource(benchmark::State& state)
{
    static const QTemporaryDir folder;
    static const QString path = [] {
        KeepLargeHeapBlocks();  // as the programs do: decoded pictures reuse heap memory
        QString file = folder.filePath(QStringLiteral("photo.jpg"));
        if (const QString error = WritePlane(PreparedEngine().SrcPixels, file, PictureFormat::Jpg); !error.isEmpty()) {
            std::cerr << error.toStdString() << "\n";
            std::exit(1);
        }
        return file;
    }();
    for (auto _ : state) {
        if (state.range(0) == 0)
            benchmark::DoNotOptimize(LoadPixels(ReadPicture(path).image));
        else
            benchmark::DoNotOptimize(ReadSourcePlane(path, {}, std::nullopt));
    }
}
BENCHMARK(BM_ReadJpegSource)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lumetra

BENCHMARK_MAIN();
