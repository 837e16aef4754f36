// The streaming gallery run must hand out exactly the gallery's pictures while keeping
// far fewer of them, pictures its caller holds on to must stay as they were handed out,
// and the ordinary run's early release of layers must not show.

#include <vector>

#include <QImage>
#include <gtest/gtest.h>

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "imaging/plane_transfer.h"

namespace lumetra {
namespace {

Engine PhotoEngine(bool filters)
{
    Engine e;
    e.SrcPixels =
        LoadPixels(QImage(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/coffee.png")).copy(100, 40, 61, 47));
    e.PencilTexture = LoadPencilTexture();
    e.options.blur = filters;
    e.options.sharpen = filters;
    return e;
}

// The source is back in SrcPixels, and nothing of the run stays behind.
void ExpectNothingLeft(const Engine& streamed, const PixelPlane& source)
{
    EXPECT_EQ(streamed.SrcPixels, source);
    for (const GrayPlane* g : {&streamed.GrayPixels, &streamed.Gray4Pixels, &streamed.EdgeVotes, &streamed.Gray4Work,
                               &streamed.ColorGrayPixels, &streamed.ColorGray8Pixels})
        EXPECT_TRUE(g->Empty());
    for (const ColorPlane* c :
         {&streamed.OrigPixels, &streamed.SketchPixels, &streamed.PencilPixels, &streamed.Gray4RGBPixels,
          &streamed.ColorPixels, &streamed.DotPixels, &streamed.SepiaPixels, &streamed.BrightPixels,
          &streamed.ThresholdPixels, &streamed.ContrastPixels})
        EXPECT_TRUE(c->Empty());
}

TEST(GalleryStream, HandsOutTheGalleryPicturesInOrder)
{
    for (bool filters : {false, true}) {
        Engine whole = PhotoEngine(filters);
        const std::vector<PixelPlane> expected = RenderGallery(whole);

        // Without transitions the run stops after the last pixel effect, same bytes.
        for (bool transitions : {true, false}) {
            Engine streamed = PhotoEngine(filters);
            const PixelPlane source = streamed.SrcPixels;
            std::vector<int> order;
            std::vector<SharedPicture> held;
            std::vector<float> progress;
            StreamGallery(
                streamed, [&](float v) { progress.push_back(v); },
                [&](int slot, const SharedPicture& picture) {
                    order.push_back(slot);
                    held.push_back(picture);
                },
                transitions);
            const std::size_t count = transitions ? 20 : 18;
            ASSERT_EQ(order.size(), count);
            for (std::size_t i = 0; i < count; ++i) {
                EXPECT_EQ(order[i], int(i));
                EXPECT_EQ(*held[i], expected[i]) << kCatalogue[i].name << " filters " << filters;
            }
            if (transitions) {
                EXPECT_EQ(progress.back(), 100.0f);
            }
            ExpectNothingLeft(streamed, source);
        }
    }
}

// A picture comes out as soon as its layers are built: "Sketch" right after the sketch
// pass (progress 30), "Sketch + Dot" and "Pencil Sketch" after the dots (70), long before
// the last layers; the progress still runs up to 100.
TEST(GalleryStream, FirstPicturesComeOutWhileLaterLayersAreBuilt)
{
    Engine e = PhotoEngine(false);
    std::vector<float> events;  // progress values, and pictures as -1 - slot
    StreamGallery(
        e, [&](float v) { events.push_back(v); },
        [&](int slot, const SharedPicture&) { events.push_back(-1.0f - slot); });
    const auto after = [&](float value) {
        for (std::size_t i = 0; i + 1 < events.size(); ++i)
            if (events[i] == value) return std::vector<float>(events.begin() + i + 1, events.begin() + i + 3);
        return std::vector<float>{};
    };
    EXPECT_EQ(after(30.0f), (std::vector<float>{-2.0f, 40.0f}));
    EXPECT_EQ(after(70.0f), (std::vector<float>{-3.0f, -4.0f}));
    EXPECT_EQ(events.back(), 100.0f);
}

// The gallery lets each layer go once its last reader is done, but afterwards the engine
// holds what it always held: the lasting layers, as BuildLayers made them.
TEST(GalleryStream, OrdinaryRunKeepsTheLastingLayers)
{
    Engine built = PhotoEngine(false);
    built.BuildLayers();

    Engine gallery = PhotoEngine(false);
    RenderGallery(gallery);
    EXPECT_EQ(gallery.PencilPixels, built.PencilPixels);
    EXPECT_EQ(gallery.DotPixels, built.DotPixels);
    EXPECT_EQ(gallery.SepiaPixels, built.SepiaPixels);
    EXPECT_EQ(gallery.Gray4Work, built.Gray4Work);
    EXPECT_TRUE(gallery.BrightPixels.Empty());
    EXPECT_TRUE(gallery.OrigPixels.Empty());
}

}  // namespace
}  // namespace lumetra
