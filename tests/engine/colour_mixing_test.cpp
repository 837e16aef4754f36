// The colour base and the similar-colour mixing passes, checked by hand on small rows
// and columns and against a plain reference written in the documented scan order
// (x outer, y inner, everything in place through the checked accessor).

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/colour_mixing.h"
#include "engine/engine.h"

namespace lumetra {
namespace {

// ---- The reference: literal passes -------------------------------------------------

void RefPassA(const ColorPlane& orig, ColorPlane& col, int r1)
{
    const int maxX = col.MaxX(), maxY = col.MaxY();
    for (int x = 0; x <= maxX; ++x)
        for (int y = 0; y <= maxY; ++y) {
            if (col(0, x, y) == 0) {
                col(0, x, y) = col(1, x, y) = col(2, x, y) = 0;
                continue;
            }
            int L = x - r1;
            for (int i = x; i >= x - r1; --i)
                if (i >= 0 && col(0, i, y) == 0) {
                    L = i + 1;
                    break;
                }
            if (L < 0) L = 0;
            int R = x + r1;
            const int last = x < maxX - r1 ? x + r1 : maxX;
            for (int i = x; i <= last; ++i)
                if (col(0, i, y) == 0) {
                    R = i - 1;
                    break;
                }
            if (R > maxX) R = maxX;
            const int n = R - L + 1;
            for (int c = 0; c < 3; ++c) {
                if (n < 2) {
                    col(c, x, y) = orig(c, x, y);
                } else {
                    int sum = 0;
                    for (int i = L; i <= R; ++i) sum += orig(c, i, y);
                    col(c, x, y) = static_cast<uint8_t>(sum / n);
                }
            }
        }
}

// Passes B (vertical) and C (horizontal): in-place run averages.
void RefInPlacePass(ColorPlane& col, int r, bool vertical)
{
    const int maxX = col.MaxX(), maxY = col.MaxY();
    const int maxPos = vertical ? maxY : maxX;
    auto at = [&](int c, int x, int y, int i) -> uint8_t& { return vertical ? col(c, x, i) : col(c, i, y); };
    for (int x = 0; x <= maxX; ++x)
        for (int y = 0; y <= maxY; ++y) {
            if (col(0, x, y) == 0) continue;
            const int pos = vertical ? y : x;
            int L = pos - r;
            for (int i = pos; i >= pos - r; --i)
                if (i >= 0 && at(0, x, y, i) == 0) {
                    L = i + 1;
                    break;
                }
            if (L < 0) L = 0;
            int U = pos + r;
            const int last = pos < maxPos - r ? pos + r : maxPos;
            for (int i = pos; i <= last; ++i)
                if (at(0, x, y, i) == 0) {
                    U = i - 1;
                    break;
                }
            if (U > maxPos) U = maxPos;
            const int n = U - L + 1;
            if (n <= 1) continue;
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int i = L; i <= U; ++i) sum += at(c, x, y, i);
                col(c, x, y) = static_cast<uint8_t>(sum / n);
            }
        }
}

void RefRefillAndLines(const ColorPlane& orig, const ColorPlane& sketch, ColorPlane& col)
{
    for (int x = 0; x <= col.MaxX(); ++x)
        for (int y = 0; y <= col.MaxY(); ++y)
            if (col(0, x, y) == 0 && col(1, x, y) == 0 && col(2, x, y) == 0)
                for (int c = 0; c < 3; ++c) col(c, x, y) = orig(c, x, y);
    for (int x = 0; x <= col.MaxX(); ++x)
        for (int y = 0; y <= col.MaxY(); ++y)
            if (sketch(0, x, y) != 255 || sketch(1, x, y) != 255 || sketch(2, x, y) != 255)
                for (int c = 0; c < 3; ++c) col(c, x, y) = sketch(c, x, y);
}

int RefVerticalRadius(int brush)
{
    int r2 = static_cast<int>(std::nearbyint(brush * 0.4));
    return r2 > 20 ? 20 : r2;
}

// The passes after the region borders, as the mixing runs them.
void RefMixAfterBorders(const ColorPlane& orig, const ColorPlane& sketch, ColorPlane& col, int brush)
{
    RefPassA(orig, col, brush);
    const int r2 = RefVerticalRadius(brush);
    RefInPlacePass(col, r2, true);
    if (r2 > 5) RefInPlacePass(col, 3, false);
    RefRefillAndLines(orig, sketch, col);
}

// ---- Pictures -----------------------------------------------------------------------

ColorPlane RandomColours(int w, int h, std::mt19937& rng, int blackPercent)
{
    std::uniform_int_distribution<int> any(0, 255), percent(0, 99);
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool black = percent(rng) < blackPercent;
            for (int c = 0; c < 3; ++c) p(c, x, y) = black ? 0 : static_cast<uint8_t>(any(rng));
        }
    return p;
}

// Detector output: 0 (border) or 255 in all three channels.
ColorPlane RandomBorders(int w, int h, std::mt19937& rng, int borderPercent)
{
    std::uniform_int_distribution<int> percent(0, 99);
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t v = percent(rng) < borderPercent ? 0 : 255;
            p(0, x, y) = p(1, x, y) = p(2, x, y) = v;
        }
    return p;
}

ColorPlane RowOf(std::initializer_list<int> greys)
{
    ColorPlane p(static_cast<int>(greys.size()), 1);
    int x = 0;
    for (int g : greys) {
        p(0, x, 0) = p(1, x, 0) = p(2, x, 0) = static_cast<uint8_t>(g);
        ++x;
    }
    return p;
}

std::vector<int> Channel0(const ColorPlane& p)
{
    std::vector<int> v;
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) v.push_back(p(0, x, y));
    return v;
}

// ---- The passes against the reference -----------------------------------------------

TEST(ColourMixingTest, PassesMatchTheReferenceOnRandomPictures)
{
    std::mt19937 rng(7);
    const int sizes[][2] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 50}, {50, 3}, {37, 23}, {64, 65}, {130, 17}};
    const int brushes[] = {0, 1, 2, 5, 10, 13, 14, 60};
    for (const auto& size : sizes)
        for (int brush : brushes)
            for (int blackPercent : {0, 10, 60}) {
                SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " brush " << brush << " black "
                                                << blackPercent << "%");
                const ColorPlane orig = RandomColours(size[0], size[1], rng, blackPercent);
                const ColorPlane borders = RandomBorders(size[0], size[1], rng, 15);

                ColorPlane expected = borders, actual = borders;
                RefPassA(orig, expected, brush);
                AverageRowRunsFromSource(orig, actual, brush);
                ASSERT_EQ(actual, expected) << "first pass";

                const int r2 = VerticalRunRadius(brush);
                ASSERT_EQ(r2, RefVerticalRadius(brush));
                RefInPlacePass(expected, r2, true);
                AverageColumnRunsInPlace(actual, r2);
                ASSERT_EQ(actual, expected) << "second pass";

                RefInPlacePass(expected, 3, false);
                AverageRowRunsInPlace(actual, 3);
                ASSERT_EQ(actual, expected) << "third pass";
            }
}

TEST(ColourMixingTest, InPlacePassesMatchTheReferenceForAnyRadius)
{
    std::mt19937 rng(13);
    for (int radius : {0, 1, 2, 3, 7, 20, 45, 1000})
        for (int borderPercent : {0, 5, 30}) {
            SCOPED_TRACE(testing::Message() << "radius " << radius << " borders " << borderPercent << "%");
            ColorPlane expected = RandomColours(41, 43, rng, 10);
            const ColorPlane borders = RandomBorders(41, 43, rng, borderPercent);
            for (int y = 0; y < 43; ++y)
                for (int x = 0; x < 41; ++x)
                    if (borders(0, x, y) == 0) expected(0, x, y) = 0;
            ColorPlane actual = expected;
            RefInPlacePass(expected, radius, true);
            AverageColumnRunsInPlace(actual, radius);
            ASSERT_EQ(actual, expected) << "columns";
            RefInPlacePass(expected, radius, false);
            AverageRowRunsInPlace(actual, radius);
            ASSERT_EQ(actual, expected) << "rows";
        }
}

TEST(ColourMixingTest, HugeBrushWidthReachesAsFarAsTheWholeLine)
{
    std::mt19937 rng(3);
    const ColorPlane orig = RandomColours(40, 30, rng, 5);
    const ColorPlane borders = RandomBorders(40, 30, rng, 10);
    ColorPlane whole = borders, huge = borders;
    AverageRowRunsFromSource(orig, whole, 40);
    AverageRowRunsFromSource(orig, huge, 2147483647);
    EXPECT_EQ(huge, whole);
    AverageColumnRunsInPlace(whole, 30);
    AverageColumnRunsInPlace(huge, 2147483647);
    EXPECT_EQ(huge, whole);
}

// ---- Small worked examples -----------------------------------------------------------

TEST(ColourMixingTest, FirstPassAveragesTheSourceAndStopsAtBordersAndEdges)
{
    // Source greys 10 20 30 40 50 60; a border at x = 3.
    const ColorPlane orig = RowOf({10, 20, 30, 40, 50, 60});
    ColorPlane col = RowOf({255, 255, 255, 0, 255, 255});
    AverageRowRunsFromSource(orig, col, 10);
    // x 0..2: run 0..2 (edge, border) -> 20; border black; x 4..5: run 4..5 -> 55.
    EXPECT_EQ(Channel0(col), (std::vector<int>{20, 20, 20, 0, 55, 55}));

    // Radius 1: runs of three inside the row, of two at its ends.
    col = RowOf({255, 255, 255, 255, 255, 255});
    AverageRowRunsFromSource(orig, col, 1);
    EXPECT_EQ(Channel0(col), (std::vector<int>{15, 20, 30, 40, 50, 55}));
}

TEST(ColourMixingTest, FirstPassTreatsAVisitedBlackAverageAsABorder)
{
    // x = 0 averages (0 + 0) / 2 = 0 and so becomes a border for x = 1, whose run is then
    // x = 1..2 alone.
    const ColorPlane orig = RowOf({0, 0, 90, 30});
    ColorPlane col = RowOf({255, 255, 255, 0});
    AverageRowRunsFromSource(orig, col, 1);
    EXPECT_EQ(Channel0(col), (std::vector<int>{0, 45, 45, 0}));
}

TEST(ColourMixingTest, FirstPassWithRadiusZeroCopiesTheSource)
{
    std::mt19937 rng(11);
    const ColorPlane orig = RandomColours(20, 10, rng, 0);
    ColorPlane col = RandomBorders(20, 10, rng, 20);
    const ColorPlane borders = col;
    AverageRowRunsFromSource(orig, col, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            for (int c = 0; c < 3; ++c) ASSERT_EQ(col(c, x, y), borders(0, x, y) == 0 ? 0 : orig(c, x, y));
}

TEST(ColourMixingTest, InPlacePassesSumNewValuesBelowAndLeaveSingletonsAndBorders)
{
    // One column, bottom to top: 100, 40, border, 80. Radius 1.
    ColorPlane col(1, 4);
    const int greys[] = {100, 40, 0, 80};
    for (int y = 0; y < 4; ++y) col(0, 0, y) = col(1, 0, y) = col(2, 0, y) = static_cast<uint8_t>(greys[y]);
    AverageColumnRunsInPlace(col, 1);
    // y 0: (100 + 40) / 2 = 70; y 1: (70 + 40) / 2 = 55 (the new value below);
    // y 2 is a border; y 3 is a run of one and stays.
    EXPECT_EQ(Channel0(col), (std::vector<int>{70, 55, 0, 80}));

    // The same along a row.
    ColorPlane row = RowOf({100, 40, 0, 80});
    AverageRowRunsInPlace(row, 1);
    EXPECT_EQ(Channel0(row), (std::vector<int>{70, 55, 0, 80}));
}

TEST(ColourMixingTest, VerticalRadiusRoundsHalfToEvenAndIsCappedAt20)
{
    EXPECT_EQ(VerticalRunRadius(0), 0);
    EXPECT_EQ(VerticalRunRadius(1), 0);   // 0.4
    EXPECT_EQ(VerticalRunRadius(13), 5);  // 5.2: no third pass
    EXPECT_EQ(VerticalRunRadius(14), 6);  // 5.6: third pass
    EXPECT_EQ(VerticalRunRadius(48), 19);
    EXPECT_EQ(VerticalRunRadius(50), 20);
    EXPECT_EQ(VerticalRunRadius(60), 20);  // 24 lowered
    EXPECT_EQ(VerticalRunRadius(200), 20);
}

TEST(ColourMixingTest, RefillRestoresBlackPixelsAndLinesGoOnTop)
{
    const ColorPlane orig = RowOf({10, 20, 30, 40});
    ColorPlane col = RowOf({0, 77, 0, 88});
    col(1, 2, 0) = 5;  // not all three channels black: stays
    RestoreBlackPixels(orig, col);
    EXPECT_EQ(Channel0(col), (std::vector<int>{10, 77, 0, 88}));

    ColorPlane sketch = RowOf({255, 255, 0, 255});
    sketch(2, 3, 0) = 254;  // a shaded line pixel counts as a line
    LaySketchLines(sketch, col);
    EXPECT_EQ(Channel0(col), (std::vector<int>{10, 77, 0, 255}));
    EXPECT_EQ(col(2, 3, 0), 254);
}

// ---- The whole colour base -------------------------------------------------------------

class ColourBaseTest : public testing::Test {
protected:
    // An engine whose source, grey levels and sketch are filled by hand from random values.
    void Prepare(int w, int h, std::mt19937& rng)
    {
        engine.OrigPixels = RandomColours(w, h, rng, 5);
        engine.GrayPixels.Allocate(w, h);
        engine.Gray4Pixels.Allocate(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const ColorPlane& o = engine.OrigPixels;
                const int grey = (o(0, x, y) + o(1, x, y) + o(2, x, y)) / 3;
                engine.GrayPixels(x, y) = static_cast<uint8_t>(grey);
                engine.Gray4Pixels(x, y) = static_cast<uint8_t>(grey / 64 * 64);
            }
        engine.SketchPixels = RandomBorders(w, h, rng, 8);
        engine.SketchPixels(1, 0, 0) = 120;  // a shaded line pixel
        engine.ColorPixels.Allocate(w, h);
        engine.Gray4RGBPixels.Allocate(w, h);
        engine.EdgeVotes.Allocate(w, h);
    }

    // The mixing as the reference writes it, from the region borders on.
    ColorPlane ReferenceMix()
    {
        const int w = engine.OrigPixels.Width(), h = engine.OrigPixels.Height();
        ColorPlane grey4(w, h), col(w, h);
        GrayPlane work = engine.Gray4Pixels, votes(w, h);
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                for (int c = 2; c >= 0; --c) grey4(c, x, y) = engine.Gray4Pixels(x, y);
        DetectLines(grey4, work, votes, col, engine.params.EdgeThreshold, engine.params.VoteThreshold,
                    engine.params.DarkThreshold);
        RefMixAfterBorders(engine.OrigPixels, engine.SketchPixels, col, engine.params.BrushWidth);
        return col;
    }

    Engine engine;
};

TEST_F(ColourBaseTest, MixingMatchesTheReferenceAndReportsProgress)
{
    std::mt19937 rng(5);
    for (int brush : {0, 1, 10, 13, 14, 60}) {
        SCOPED_TRACE(testing::Message() << "brush " << brush);
        Prepare(45, 38, rng);
        engine.params.BrushWidth = brush;
        engine.params.DarkThreshold = 40;
        std::vector<float> reported;
        engine.BuildColorBase([&](float v) { reported.push_back(v); });
        EXPECT_EQ(engine.ColorPixels, ReferenceMix());
        EXPECT_EQ(reported, (std::vector<float>{40.0f, 50.0f}));
        EXPECT_EQ(engine.Gray4Work, engine.Gray4Pixels);
        for (int c = 0; c < 3; ++c) EXPECT_EQ(engine.Gray4RGBPixels(c, 44, 37), engine.Gray4Pixels(44, 37));
    }
}

TEST_F(ColourBaseTest, ThirdPassStartsAtBrushWidth14)
{
    // Striped regions make the short horizontal runs of the third pass change colours.
    std::mt19937 rng(9);
    for (int brush : {13, 14}) {
        Prepare(60, 40, rng);
        engine.params.BrushWidth = brush;
        engine.BuildColorBase();
        const int w = 60, h = 40;
        ColorPlane grey4(w, h), col(w, h);
        GrayPlane work = engine.Gray4Pixels, votes(w, h);
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                for (int c = 0; c < 3; ++c) grey4(c, x, y) = engine.Gray4Pixels(x, y);
        DetectLines(grey4, work, votes, col, engine.params.EdgeThreshold, engine.params.VoteThreshold,
                    engine.params.DarkThreshold);
        RefPassA(engine.OrigPixels, col, brush);
        RefInPlacePass(col, VerticalRunRadius(brush), true);
        ColorPlane withThird = col;
        RefInPlacePass(withThird, 3, false);
        ASSERT_NE(withThird, col) << "the picture must give the third pass something to do";
        RefRefillAndLines(engine.OrigPixels, engine.SketchPixels, col);
        RefRefillAndLines(engine.OrigPixels, engine.SketchPixels, withThird);
        EXPECT_EQ(engine.ColorPixels, brush == 14 ? withThird : col) << "brush " << brush;
    }
}

TEST_F(ColourBaseTest, PlainBaseIsTheSourceWithTheLinesAndReportsNothing)
{
    std::mt19937 rng(2);
    Prepare(30, 20, rng);
    engine.options.mix = false;
    const GrayPlane votesBefore = engine.EdgeVotes;
    std::vector<float> reported;
    engine.BuildColorBase([&](float v) { reported.push_back(v); });
    EXPECT_TRUE(reported.empty());
    ColorPlane expected = engine.OrigPixels;
    LaySketchLines(engine.SketchPixels, expected);
    EXPECT_EQ(engine.ColorPixels, expected);
    EXPECT_EQ(engine.ColorPixels(1, 0, 0), 120);
    EXPECT_TRUE(engine.Gray4Work.Empty());
    EXPECT_EQ(engine.EdgeVotes, votesBefore);
}

TEST_F(ColourBaseTest, BrushWidthZeroEndsLikeThePlainBase)
{
    std::mt19937 rng(4);
    Prepare(33, 27, rng);
    engine.params.BrushWidth = 0;
    engine.BuildColorBase();
    const ColorPlane mixed = engine.ColorPixels;
    engine.options.mix = false;
    engine.BuildColorBase();
    EXPECT_EQ(mixed, engine.ColorPixels);
}

TEST_F(ColourBaseTest, FlatColourStaysThatColour)
{
    std::mt19937 rng(1);
    Prepare(25, 19, rng);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 25; ++x) {
            engine.OrigPixels(0, x, y) = 90;
            engine.OrigPixels(1, x, y) = 140;
            engine.OrigPixels(2, x, y) = 200;
            engine.Gray4Pixels(x, y) = 128;  // grey 143
            for (int c = 0; c < 3; ++c) engine.SketchPixels(c, x, y) = 255;
        }
    engine.BuildColorBase();
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 25; ++x) {
            ASSERT_EQ(engine.ColorPixels(0, x, y), 90);
            ASSERT_EQ(engine.ColorPixels(1, x, y), 140);
            ASSERT_EQ(engine.ColorPixels(2, x, y), 200);
        }
}

TEST_F(ColourBaseTest, TinyPicturesStayInsideTheirPlanes)
{
    std::mt19937 rng(8);
    const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {2, 1}, {1, 2}};
    for (const auto& size : sizes)
        for (bool mix : {true, false}) {
            Prepare(size[0], size[1], rng);
            engine.options.mix = mix;
            engine.params.BrushWidth = 60;
            engine.BuildColorBase();
            if (mix) {
                EXPECT_EQ(engine.ColorPixels, ReferenceMix()) << size[0] << "x" << size[1];
            }
        }
}

}  // namespace
}  // namespace lumetra
