#include <stdexcept>
#include <vector>

#include <QImage>
#include <gtest/gtest.h>

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "imaging/plane_transfer.h"

namespace lumetra {
namespace {

// A crop of a real photograph keeps the whole-picture comparisons quick.
PixelPlane SamplePhoto()
{
    static const PixelPlane photo =
        LoadPixels(QImage(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/chelsea.png")).copy(150, 60, 72, 54));
    return photo;
}

Engine PhotoEngine(EngineOptions options = {})
{
    Engine e;
    e.SrcPixels = SamplePhoto();
    e.PencilTexture = LoadPencilTexture();
    e.options = options;
    return e;
}

// How many pixels differ, for a readable failure.
int DifferingPixels(const PixelPlane& a, const PixelPlane& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int differing = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            differing += a(0, x, y) != b(0, x, y) || a(1, x, y) != b(1, x, y) || a(2, x, y) != b(2, x, y);
    return differing;
}

TEST(Gallery, TwentyPicturesInCatalogueOrder)
{
    Engine e = PhotoEngine();
    ASSERT_EQ(e.SrcPixels.Width(), 72);
    std::vector<int> announced;
    std::vector<float> progress;
    const std::vector<PixelPlane> pictures = RenderGallery(
        e, [&](float v) { progress.push_back(v); }, [&](int slot, const PixelPlane&) { announced.push_back(slot); });

    ASSERT_EQ(pictures.size(), 20u);
    EXPECT_EQ(pictures[0], SamplePhoto());
    EXPECT_EQ(pictures[18], ComposeTransition(pictures[0], pictures[4], pictures[1]));
    EXPECT_EQ(pictures[19], ComposeTransition(pictures[0], pictures[5], pictures[2]));
    ASSERT_EQ(announced.size(), 20u);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(announced[i], i);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 20.0f);
    EXPECT_EQ(progress.back(), 100.0f);
    for (std::size_t i = 1; i < progress.size(); ++i) EXPECT_LE(progress[i - 1], progress[i]);
}

// The engine keeps the source picture, so a second run on it gives the same gallery.
TEST(Gallery, RunsAgainOnTheSameEngineGiveTheSamePictures)
{
    Engine e = PhotoEngine();
    const std::vector<PixelPlane> first = RenderGallery(e);
    EXPECT_EQ(e.SrcPixels, SamplePhoto());
    EXPECT_EQ(RenderGallery(e), first);
}

TEST(Gallery, LayersAreReleasedAndComposingAfterwardsIsHarmless)
{
    Engine e = PhotoEngine();
    RenderGallery(e);
    EXPECT_TRUE(e.ColorPixels.Empty());
    EXPECT_TRUE(e.SketchPixels.Empty());
    EXPECT_FALSE(e.DotPixels.Empty());
    for (int slot = 1; slot <= 17; ++slot) e.ComposeEffect(slot);
    e.ComposeBatchEffect(4);
    e.ComposeBatchEffect(4);
}

// Every slot through the single-effect path (BuildEffectLayers + ComposeBatchEffect for
// the pixel effects) equals the gallery's picture byte for byte, under each combination of
// the post-filters, without mixing and with the colour pencil.
TEST(Gallery, EverySingleSlotEqualsTheGallery)
{
    const auto with = [](bool blur, bool sharpen, bool mix, bool colorSketch) {
        EngineOptions o;
        o.blur = blur;
        o.sharpen = sharpen;
        o.mix = mix;
        o.colorSketch = colorSketch;
        return o;
    };
    for (const EngineOptions& options :
         {with(false, false, true, false), with(true, false, true, false), with(false, true, true, false),
          with(true, true, true, false), with(false, false, false, false), with(false, false, true, true)}) {
        Engine e = PhotoEngine(options);
        const std::vector<PixelPlane> gallery = RenderGallery(e);
        for (int slot = 0; slot < kSlotCount; ++slot)
            EXPECT_EQ(DifferingPixels(RenderSlot(e, slot), gallery[slot]), 0)
                << kCatalogue[slot].name << " blur " << options.blur << " sharpen " << options.sharpen << " mix "
                << options.mix << " colour sketch " << options.colorSketch;
    }
}

PixelPlane SlotWith(int slot, void (*change)(Engine&))
{
    Engine e = PhotoEngine();
    change(e);
    return RenderSlot(e, slot);
}

TEST(Gallery, SketchesDoNotDependOnTheColorParameters)
{
    const auto unchanged = [](Engine&) {};
    const auto noMix = [](Engine& e) { e.options.mix = false; };
    const auto brush = [](Engine& e) { e.params.BrushWidth = 40; };
    const auto dots = [](Engine& e) { e.params.DotSensitivity = 3; };
    for (int slot : {1, 3}) {
        const PixelPlane reference = SlotWith(slot, unchanged);
        EXPECT_EQ(SlotWith(slot, noMix), reference) << slot;
        EXPECT_EQ(SlotWith(slot, brush), reference) << slot;
        EXPECT_EQ(SlotWith(slot, dots), reference) << slot;
    }
    EXPECT_EQ(SlotWith(6, dots), SlotWith(6, unchanged));
    // The parameters do reach the effects that use them.
    EXPECT_NE(SlotWith(6, noMix), SlotWith(6, unchanged));
    EXPECT_NE(SlotWith(2, dots), SlotWith(2, unchanged));
}

TEST(Gallery, UnknownSlotsAndIndexesAreRefused)
{
    Engine e = PhotoEngine();
    EXPECT_THROW(RenderSlot(e, 20), std::out_of_range);
    EXPECT_THROW(RenderSlot(e, -1), std::out_of_range);
    EXPECT_THROW(e.BuildEffectLayers(17), std::out_of_range);
    EXPECT_THROW(e.ComposeBatchEffect(-1), std::out_of_range);
    EXPECT_EQ(e.SrcPixels, SamplePhoto());
}

}  // namespace
}  // namespace lumetra
