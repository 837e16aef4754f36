// Stopping a run: wherever the stop lands (before a step, inside a step's rows, in the
// two-thread dot diffusion, between gallery pictures) the run throws RunCancelled, keeps
// no layer, and the next run on the same engine gives exactly the bytes of an unstopped one.

#include <gtest/gtest.h>
#include <omp.h>

#include <chrono>
#include <functional>
#include <stop_token>
#include <thread>
#include <vector>

#include <QImage>

#include "engine/catalogue.h"
#include "engine/dot_layer.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "imaging/plane_transfer.h"
#include "engine_test_support.h"

namespace lumetra {
namespace {

using Clock = std::chrono::steady_clock;
using test::NoLayerLeft;

// Just large enough for every step to spread its rows over threads and for the dots to be
// diffused on two.
Engine PhotoEngine(EngineOptions options = {})
{
    static const PixelPlane photo =
        LoadPixels(QImage(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/chelsea.png")).copy(0, 0, 520, 128));
    Engine e;
    e.SrcPixels = photo;
    e.PencilTexture = LoadPencilTexture();
    e.options = options;
    return e;
}

// Runs `run` with a stop requested after `delay` from another thread; true when the run
// was stopped, false when it finished first.
bool RunStoppedAfter(Engine& e, Clock::duration delay, const std::function<void()>& run)
{
    std::stop_source source;
    e.stop = source.get_token();
    // A zero delay stops before the run starts, so at least one stop lands however
    // late a busy machine schedules the stopping thread.
    if (delay == Clock::duration::zero()) source.request_stop();
    std::jthread stopper([&] {
        std::this_thread::sleep_for(delay);
        source.request_stop();
    });
    try {
        run();
    } catch (const RunCancelled&) {
        return true;
    }
    return false;
}

// Runs `run` stopped at `count` moments spread evenly over the time an unstopped run
// takes (the first at once), hands `check` whether each was stopped or finished first,
// and runs it again unstopped after each; `run` checks the bytes it gives. Returns how
// many runs were stopped.
int StopsAcross(Engine& e, int count, const std::function<void()>& run, const std::function<void(bool)>& check)
{
    const auto start = Clock::now();
    run();
    const auto whole = Clock::now() - start;
    int stopped = 0;
    for (int i = 0; i < count; ++i) {
        const bool wasStopped = RunStoppedAfter(e, whole * i / count, run);
        stopped += wasStopped;
        check(wasStopped);
        e.stop = {};
        run();
    }
    return stopped;
}

TEST(Cancellation, EveryStepStopsWhenAskedAndTheEngineStaysUsable)
{
    for (const bool mix : {true, false}) {
        EngineOptions options;
        options.mix = mix;
        options.blur = options.sharpen = true;
        Engine e = PhotoEngine(options);
        const std::vector<PixelPlane> expected = RenderGallery(e);
        e.BuildLayers();
        std::stop_source stopped;
        stopped.request_stop();
        e.stop = stopped.get_token();
        const std::vector<std::pair<const char*, void (Engine::*)()>> steps = {
            {"copy", &Engine::CopyStep},
            {"grey levels", &Engine::BuildGrayLevels},
            {"sketch lines", &Engine::DetectSketchLines},
            {"sketch shading", &Engine::ShadeSketch},
            {"pencil", &Engine::BuildPencilLayer},
            {"dots", &Engine::BuildDotLayer},
            {"sepia", &Engine::BuildSepiaLayer},
            {"bright", &Engine::BuildBrightLayer},
            {"threshold", &Engine::BuildThresholdLayer},
            {"contrast", &Engine::BuildContrastLayer},
            {"grey planes", &Engine::BuildColorGrayPlanes},
            {"post-filters", &Engine::ApplyPostFilters}};
        for (const auto& [name, step] : steps) EXPECT_THROW((e.*step)(), RunCancelled) << name;
        EXPECT_THROW(e.BuildColorBase(), RunCancelled);
        EXPECT_THROW(e.ComposeEffect(5), RunCancelled);
        e.params.DotSensitivity = 0;  // the plain threshold instead of the diffusion
        EXPECT_THROW(e.BuildDotLayer(), RunCancelled);
        e.params = {};

        EXPECT_THROW(e.BuildLayers(), RunCancelled);
        EXPECT_TRUE(NoLayerLeft(e));
        EXPECT_EQ(e.SrcPixels, expected[0]);
        e.stop = {};
        EXPECT_EQ(RenderGallery(e), expected) << "mix " << mix;
    }
}

TEST(Cancellation, StopsBetweenStepsLeaveNoLayer)
{
    Engine e = PhotoEngine();
    for (const float at : {20.0f, 30.0f, 40.0f, 50.0f, 60.0f, 70.0f, 80.0f, 95.0f}) {
        std::stop_source source;
        e.stop = source.get_token();
        EXPECT_THROW(e.BuildLayers([&](float value) {
            if (value == at) source.request_stop();
        }),
                     RunCancelled)
            << at;
        EXPECT_TRUE(NoLayerLeft(e)) << at;
    }
}

// A stop between two gallery pictures: the pictures handed out before it are the
// finished ones, and the next run gives the whole gallery again.
TEST(Cancellation, GalleryStoppedAfterAnyPictureKeepsTheFinishedOnes)
{
    EngineOptions options;
    options.blur = true;
    Engine e = PhotoEngine(options);
    const std::vector<PixelPlane> expected = RenderGallery(e);
    for (int last = 0; last < kSlotCount - 1; ++last) {
        std::stop_source source;
        e.stop = source.get_token();
        std::vector<int> handedOut;
        EXPECT_THROW(StreamGallery(e, {},
                                   [&](int slot, const SharedPicture& picture) {
                                       EXPECT_EQ(*picture, expected[slot]) << slot;
                                       handedOut.push_back(slot);
                                       if (slot == last) source.request_stop();
                                   }),
                     RunCancelled);
        EXPECT_EQ(handedOut.back(), last);
        EXPECT_TRUE(NoLayerLeft(e)) << last;
        EXPECT_EQ(e.SrcPixels, expected[0]);
    }
    e.stop = {};
    EXPECT_EQ(RenderGallery(e), expected);
}

// Stops landing anywhere inside the rows of the steps, of the gallery and of the
// single-effect path, with the rows on one thread and on two.
TEST(Cancellation, StopsAtAnyMomentLeaveTheEngineReadyForTheSameBytes)
{
    const int threadsBefore = omp_get_max_threads();
    for (const int threads : {2, 1}) {
        omp_set_num_threads(threads);
        Engine e = PhotoEngine();
        const std::vector<PixelPlane> expected = RenderGallery(e);
        for (const int slot : {-1, 9, 19}) {  // -1: the whole gallery
            const auto run = [&] {
                if (slot < 0)
                    EXPECT_EQ(RenderGallery(e), expected);
                else
                    EXPECT_EQ(RenderSlot(e, slot), expected[slot]);
            };
            const int stopped = StopsAcross(e, 6, run, [&](bool wasStopped) {
                if (wasStopped && slot < 0) {
                    EXPECT_TRUE(NoLayerLeft(e));
                }
                EXPECT_EQ(e.SrcPixels, expected[0]);
            });
            EXPECT_GT(stopped, 0) << "slot " << slot;
        }
    }
    omp_set_num_threads(threadsBefore);
}

// The two-thread diffusion ends both threads on a stop, whichever of them is waiting for
// the other, also when one thread takes rows over at once (no patience).
TEST(Cancellation, DotDiffusionOnTwoThreadsEndsOnAStop)
{
    const int threadsBefore = omp_get_max_threads();
    omp_set_num_threads(2);
    Engine e = PhotoEngine();
    e.BuildLayers();
    const ColorPlane& color = e.ColorPixels;
    const int mean = MeanGray(color);
    ColorPlane expected(color.Width(), color.Height());
    DiffuseDots(color, mean, 20, expected);
    for (const auto patience : {std::chrono::microseconds{0}, std::chrono::microseconds{500}}) {
        ColorPlane dots(color.Width(), color.Height());
        const auto run = [&] {
            DiffuseDotsWithPatience(color, mean, 20, dots, patience, e.stop);
            ASSERT_EQ(dots, expected);
        };
        EXPECT_GT(StopsAcross(e, 16, run, [](bool) {}), 0);
    }
    omp_set_num_threads(threadsBefore);
}

}  // namespace
}  // namespace lumetra
