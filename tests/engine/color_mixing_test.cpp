// The colour base and the mixing passes: worked examples on single rows and columns, and
// a plain reference written in the documented scan order (x outer, y inner, in place
// through the checked accessor) compared with the optimised passes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

#include "engine/color_mixing.h"
#include "engine/engine.h"
#include "engine/run_divider.h"
#include "engine_test_support.h"

namespace lumetra {
namespace {

// ---- Reference ------------------------------------------------------------------------

// One pass along the rows (or the columns): every pixel not black in channel 0 takes
// the mean of its run, up to r either way and ended by black pixels, read from the
// source. There a black pixel turns black in all three channels and a run of one takes
// the source's pixel; without a source the means are read from the plane as it changes,
// and black pixels and runs of one stay as they are.
void RefPass(const ColorPlane* source, ColorPlane& col, int r, bool vertical)
{
    const int maxX = col.MaxX(), maxY = col.MaxY(), maxPos = vertical ? maxY : maxX;
    for (int x = 0; x <= maxX; ++x)
        for (int y = 0; y <= maxY; ++y) {
            auto at = [&](const ColorPlane& p, int c, int i) { return vertical ? p(c, x, i) : p(c, i, y); };
            if (col(0, x, y) == 0) {
                if (source) col(0, x, y) = col(1, x, y) = col(2, x, y) = 0;
                continue;
            }
            const int pos = vertical ? y : x;
            int L = pos - r, U = pos + r;
            for (int i = pos; i >= pos - r; --i)
                if (i >= 0 && at(col, 0, i) == 0) {
                    L = i + 1;
                    break;
                }
            if (L < 0) L = 0;
            for (int i = pos; i <= (pos < maxPos - r ? pos + r : maxPos); ++i)
                if (at(col, 0, i) == 0) {
                    U = i - 1;
                    break;
                }
            if (U > maxPos) U = maxPos;
            const int n = U - L + 1;
            const ColorPlane& from = source ? *source : col;
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int i = L; i <= U; ++i) sum += at(from, c, i);
                if (n >= 2)
                    col(c, x, y) = static_cast<uint8_t>(sum / n);
                else if (source)
                    col(c, x, y) = (*source)(c, x, y);
            }
        }
}

// Everything after the region borders: the three passes, the refill and the lines.
void RefMixAfterBorders(const ColorPlane& orig, const ColorPlane& sketch, ColorPlane& col, int brush)
{
    RefPass(&orig, col, brush, false);
    int r2 = static_cast<int>(std::nearbyint(brush * 0.4));
    if (r2 > 20) r2 = 20;
    RefPass(nullptr, col, r2, true);
    if (r2 > 5) RefPass(nullptr, col, 3, false);
    for (int x = 0; x <= col.MaxX(); ++x)
        for (int y = 0; y <= col.MaxY(); ++y) {
            if (col(0, x, y) == 0 && col(1, x, y) == 0 && col(2, x, y) == 0)
                for (int c = 0; c < 3; ++c) col(c, x, y) = orig(c, x, y);
            if (sketch(0, x, y) != 255 || sketch(1, x, y) != 255 || sketch(2, x, y) != 255)
                for (int c = 0; c < 3; ++c) col(c, x, y) = sketch(c, x, y);
        }
}

// ---- Pictures ---------------------------------------------------------------------------

ColorPlane RandomColors(int w, int h, std::mt19937& rng, int blackPercent)
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

// Border detector output: 0 or 255 in all three channels.
ColorPlane RandomBorders(int w, int h, std::mt19937& rng, int borderPercent)
{
    std::uniform_int_distribution<int> percent(0, 99);
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p(0, x, y) = p(1, x, y) = p(2, x, y) = percent(rng) < borderPercent ? 0 : 255;
    return p;
}

// A one-pixel-wide line of greys: a row, or a column read bottom to top.
ColorPlane Line(const std::vector<int>& grays, bool column = false)
{
    const int n = static_cast<int>(grays.size());
    return test::GrayPicture(column ? 1 : n, column ? n : 1, grays);
}

std::vector<int> Grays(const ColorPlane& p) { return test::FirstChannel(p); }

// ---- The passes ---------------------------------------------------------------------------

TEST(ColorMixingTest, PassesMatchTheReferenceOnRandomPictures)
{
    std::mt19937 rng(7);
    for (const auto& [w, h] :
         test::FastPathSizes({{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 50}, {50, 3}, {37, 23}, {64, 65}}))
        for (int brush : w* h > 10000 ? std::vector<int>{14, 60} : std::vector<int>{0, 1, 2, 5, 10, 13, 14, 60})
            for (int blackPercent : {0, 10, 60}) {
                SCOPED_TRACE(testing::Message()
                             << w << "x" << h << " brush " << brush << " black " << blackPercent << "%");
                const ColorPlane orig = RandomColors(w, h, rng, blackPercent);
                ColorPlane expected = RandomBorders(w, h, rng, 15), actual = expected;
                RefPass(&orig, expected, brush, false);
                AverageRowRunsFromSource(orig, actual, brush);
                ASSERT_EQ(actual, expected) << "first pass";

                const int r2 = VerticalRunRadius(brush);
                RefPass(nullptr, expected, r2, true);
                AverageColumnRunsInPlace(actual, r2);
                ASSERT_EQ(actual, expected) << "second pass";

                RefPass(nullptr, expected, brush / 3, false);
                AverageRowRunsInPlace(actual, brush / 3);
                ASSERT_EQ(actual, expected) << "third pass";
            }
}

// The reciprocal division against the plain one: every sum a run can have for every
// length a brush of up to 200 gives, the extremes of the longest tabled lengths, and a
// length beyond the table.
TEST(ColorMixingTest, RunDividerEqualsIntegerDivision)
{
    const RunDivider small(401);
    for (int n = 1; n <= 401; ++n)
        for (int sum = 0; sum <= 255 * n; ++sum) ASSERT_EQ(small(sum, n), sum / n) << sum << " / " << n;
    const RunDivider large(70000);
    for (int n : {65535, 65536, 65537, 70000})
        for (int sum : {0, 1, n - 1, n, n + 1, 128 * n - 1, 255 * n - 1, 255 * n})
            ASSERT_EQ(large(sum, n), sum / n) << sum << " / " << n;
}

TEST(ColorMixingTest, HugeBrushWidthReachesAsFarAsTheWholeLine)
{
    std::mt19937 rng(3);
    const ColorPlane orig = RandomColors(40, 30, rng, 5);
    ColorPlane whole = RandomBorders(40, 30, rng, 10), huge = whole;
    AverageRowRunsFromSource(orig, whole, 40);
    AverageRowRunsFromSource(orig, huge, 2147483647);
    EXPECT_EQ(huge, whole);
    AverageColumnRunsInPlace(whole, 30);
    AverageColumnRunsInPlace(huge, 2147483647);
    EXPECT_EQ(huge, whole);
}

TEST(ColorMixingTest, WorkedExamples)
{
    // First pass, source greys 10..60, a border at x = 3, radius 10: runs stop at the
    // border and at the picture's edges.
    const ColorPlane orig = Line({10, 20, 30, 40, 50, 60});
    ColorPlane col = Line({255, 255, 255, 0, 255, 255});
    AverageRowRunsFromSource(orig, col, 10);
    EXPECT_EQ(Grays(col), (std::vector<int>{20, 20, 20, 0, 55, 55}));

    // A visited pixel whose average came out black is a border for the pixels after it.
    col = Line({255, 255, 255, 0});
    AverageRowRunsFromSource(Line({0, 0, 90, 30}), col, 1);
    EXPECT_EQ(Grays(col), (std::vector<int>{0, 45, 45, 0}));

    // In place, radius 1: y 0 -> (100 + 40) / 2 = 70; y 1 -> (70 + 40) / 2 = 55 with the
    // new value below; y 2 is a border; y 3 is a run of one and stays.
    for (bool column : {true, false}) {
        col = Line({100, 40, 0, 80}, column);
        column ? AverageColumnRunsInPlace(col, 1) : AverageRowRunsInPlace(col, 1);
        EXPECT_EQ(Grays(col), (std::vector<int>{70, 55, 0, 80})) << (column ? "column" : "row");
    }

    // Refill: only pixels black in all three channels take the source colour; then every
    // sketch pixel that is not pure white (a shaded one too) goes on top.
    col = Line({0, 77, 0, 88});
    col(1, 2, 0) = 5;
    RestoreBlackPixels(Line({10, 20, 30, 40}), col);
    ColorPlane sketch = Line({255, 255, 0, 255});
    sketch(2, 3, 0) = 254;
    LaySketchLines(sketch, col);
    EXPECT_EQ(Grays(col), (std::vector<int>{10, 77, 0, 255}));
    EXPECT_EQ(col(2, 3, 0), 254);
}

TEST(ColorMixingTest, VerticalRadiusRoundsHalfToEvenAndIsCappedAt20)
{
    EXPECT_EQ(VerticalRunRadius(0), 0);
    EXPECT_EQ(VerticalRunRadius(1), 0);    // 0.4
    EXPECT_EQ(VerticalRunRadius(13), 5);   // 5.2: no third pass
    EXPECT_EQ(VerticalRunRadius(14), 6);   // 5.6: third pass
    EXPECT_EQ(VerticalRunRadius(48), 19);  // 19.2
    EXPECT_EQ(VerticalRunRadius(60), 20);  // 24 lowered
}

// ---- The whole colour base ----------------------------------------------------------------

class ColorBaseTest : public testing::Test {
protected:
    // Source, grey levels and sketch filled by hand from random values.
    void Prepare(int w, int h, std::mt19937& rng)
    {
        engine.OrigPixels = RandomColors(w, h, rng, 5);
        engine.Gray4Pixels.Allocate(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const ColorPlane& o = engine.OrigPixels;
                engine.Gray4Pixels(x, y) = static_cast<uint8_t>((o(0, x, y) + o(1, x, y) + o(2, x, y)) / 3 / 64 * 64);
            }
        engine.SketchPixels = RandomBorders(w, h, rng, 8);
        engine.SketchPixels(1, 0, 0) = 120;  // a shaded line pixel
    }

    ColorPlane ReferenceMix()
    {
        const int w = engine.OrigPixels.Width(), h = engine.OrigPixels.Height();
        ColorPlane gray4(w, h), col(w, h);
        GrayPlane work = engine.Gray4Pixels, votes(w, h);
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                for (int c = 0; c < 3; ++c) gray4(c, x, y) = engine.Gray4Pixels(x, y);
        DetectLines(gray4, work, votes, col, engine.params.EdgeThreshold, engine.params.VoteThreshold,
                    engine.params.DarkThreshold);
        RefMixAfterBorders(engine.OrigPixels, engine.SketchPixels, col, engine.params.BrushWidth);
        return col;
    }

    ColorPlane PlainBase()
    {
        ColorPlane expected = engine.OrigPixels;
        LaySketchLines(engine.SketchPixels, expected);
        return expected;
    }

    Engine engine;
};

TEST_F(ColorBaseTest, MixingMatchesTheReferenceAndReportsProgress)
{
    std::mt19937 rng(5);
    for (const auto& [w, h] : test::FastPathSizes({{45, 38}, {1, 1}, {1, 7}, {7, 1}})) {
        const bool large = w * h > 10000;  // one brush where the passes spread over threads
        for (int brush : large ? std::vector<int>{14} : std::vector<int>{0, 1, 10, 13, 14, 60}) {
            SCOPED_TRACE(testing::Message() << w << "x" << h << " brush " << brush);
            Prepare(w, h, rng);
            engine.params.BrushWidth = brush;
            engine.params.DarkThreshold = 40;
            std::vector<float> reported;
            engine.BuildColorBase([&](float v) { reported.push_back(v); });
            EXPECT_EQ(engine.ColorPixels, ReferenceMix());
            EXPECT_EQ(reported, (std::vector<float>{40.0f, 50.0f}));
            EXPECT_EQ(engine.Gray4Work, engine.Gray4Pixels);
            if (brush == 0) {
                EXPECT_EQ(engine.ColorPixels, PlainBase()) << "runs of one end like the plain base";
            }
        }
    }
}

TEST_F(ColorBaseTest, PlainBaseIsTheSourceWithTheLinesAndReportsNothing)
{
    std::mt19937 rng(2);
    Prepare(30, 20, rng);
    engine.options.mix = false;
    std::vector<float> reported;
    engine.BuildColorBase([&](float v) { reported.push_back(v); });
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(engine.ColorPixels, PlainBase());
    EXPECT_EQ(engine.ColorPixels(1, 0, 0), 120);
    EXPECT_TRUE(engine.Gray4Work.Empty());

    engine.SketchPixels.Allocate(30, 21);  // from another picture: refused, nothing read
    EXPECT_THROW(engine.BuildColorBase(), std::invalid_argument);
}

TEST_F(ColorBaseTest, FlatColorStaysThatColor)
{
    const ColorPlane flat = test::FlatPicture<ColorPlane>(25, 19, 90, 140, 200);  // grey 143
    engine.OrigPixels = flat;
    engine.Gray4Pixels = test::Uniform<1>(25, 19, 128);
    engine.SketchPixels = test::Uniform<3>(25, 19, 255);
    engine.BuildColorBase();
    EXPECT_EQ(engine.ColorPixels, flat);
}

}  // namespace
}  // namespace lumetra
