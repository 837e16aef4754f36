// Grey levels and the line detector.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "engine/color_math.h"
#include "engine/engine.h"
#include "engine_test_support.h"

namespace lumetra {
namespace {

using test::FlatPicture;
using test::PrepareSteps;
using test::SetPixel;

// The detector exactly as its rules read: votes cast in scan order, x outer and y inner,
// from each pixel to its four forward neighbours (a missing neighbour stands for the
// pixel itself); marking; then isolated dots cleared in place.
void ReferenceDetectLines(const ColorPlane& in, const GrayPlane& gray, GrayPlane& votes, ColorPlane& out, int edge,
                          int voteThreshold, int dark)
{
    const int maxX = in.MaxX();
    const int maxY = in.MaxY();
    for (int x = 0; x <= maxX; ++x)
        for (int y = 0; y <= maxY; ++y) {
            const int dx[4] = {1, 0, 1, -1};
            const int dy[4] = {1, 1, 0, 1};
            for (int k = 0; k < 4; ++k) {
                int nx = x + dx[k];
                int ny = y + dy[k];
                if (nx < 0 || nx > maxX || ny > maxY) {
                    nx = x;
                    ny = y;
                }
                bool isEdge = false;
                for (int c = 0; c < 3; ++c)
                    if (std::abs(in(c, x, y) - in(c, nx, ny)) > edge) isEdge = true;
                if (!isEdge) continue;
                if (gray(nx, ny) < gray(x, y))
                    ++votes(nx, ny);
                else
                    ++votes(x, y);
            }
        }
    for (int x = 0; x <= maxX; ++x)
        for (int y = 0; y <= maxY; ++y) {
            const uint8_t v = votes(x, y) >= voteThreshold ? 0 : 255;
            for (int c = 0; c < 3; ++c) out(c, x, y) = v;
            if (gray(x, y) < dark)
                for (int c = 0; c < 3; ++c) out(c, x, y) = 0;
        }
    for (int x = 1; x <= maxX - 1; ++x)
        for (int y = 1; y <= maxY - 1; ++y) {
            if (out(0, x, y) != 0) continue;
            bool alone = true;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i)
                    if ((i != 0 || j != 0) && out(0, x + i, y + j) != 255) alone = false;
            if (alone)
                for (int c = 0; c < 3; ++c) out(c, x, y) = 255;
        }
}

// Runs the grey-level step and the sketch pass on `picture`.
Engine Sketch(const PixelPlane& picture, int edge, int voteThreshold, int dark)
{
    Engine e;
    e.params.EdgeThreshold = edge;
    e.params.VoteThreshold = voteThreshold;
    e.params.DarkThreshold = dark;
    PrepareSteps(e, picture);
    e.BuildGrayLevels();
    e.DetectSketchLines();
    return e;
}

bool IsLine(const Engine& e, int x, int y) { return e.SketchPixels(0, x, y) == 0; }

TEST(GrayLevelsTest, GrayTruncatesAndFourLevelsStepAt64)
{
    PixelPlane p(5, 1);
    SetPixel(p, 0, 0, 63, 63, 63);
    SetPixel(p, 1, 0, 64, 64, 64);
    SetPixel(p, 2, 0, 255, 255, 255);
    SetPixel(p, 3, 0, 1, 1, 0);      // 2 / 3 truncates to 0
    SetPixel(p, 4, 0, 200, 0, 192);  // 392 / 3 = 130.67 -> 130
    Engine e;
    PrepareSteps(e, p);
    e.BuildGrayLevels();
    const int gray[] = {63, 64, 255, 0, 130};
    const int four[] = {0, 64, 192, 0, 128};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(e.GrayPixels(x, 0), gray[x]) << "x " << x;
        EXPECT_EQ(e.Gray4Pixels(x, 0), four[x]) << "x " << x;
    }
}

TEST(LineDetectorTest, FlatPictureIsAllPaperOrAllLineByDarkness)
{
    const Engine light = Sketch(FlatPicture(6, 4, 90, 90, 90), 28, 1, 70);
    const Engine dark = Sketch(FlatPicture(6, 4, 60, 60, 60), 28, 1, 70);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(light.SketchPixels(c, x, y), 255);
                EXPECT_EQ(dark.SketchPixels(c, x, y), 0);
            }
}

TEST(LineDetectorTest, EdgeNeedsADifferenceStrictlyAboveTheThreshold)
{
    // Left half 100, right half 128 in red only: a difference of exactly 28.
    PixelPlane p = FlatPicture(6, 5, 100, 100, 100);
    for (int y = 0; y < 5; ++y)
        for (int x = 3; x < 6; ++x) p(2, x, y) = 128;
    const Engine atThreshold = Sketch(p, 28, 1, 0);
    const Engine belowThreshold = Sketch(p, 27, 1, 0);
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(atThreshold.EdgeVotes(2, y), 0);
        EXPECT_FALSE(IsLine(atThreshold, 2, y));
        EXPECT_GT(belowThreshold.EdgeVotes(2, y), 0);
        EXPECT_TRUE(IsLine(belowThreshold, 2, y));
    }
}

TEST(LineDetectorTest, StraightBoundaryGivesThreeVotesOnTheDarkerSide)
{
    // Vertical boundary: columns 0..3 darker than 4..7.
    PixelPlane vertical = FlatPicture(8, 8, 100, 100, 100);
    for (int y = 0; y < 8; ++y)
        for (int x = 4; x < 8; ++x) SetPixel(vertical, x, y, 200, 200, 200);
    // Horizontal boundary: rows 4..7 (the upper half) darker than rows 0..3.
    PixelPlane horizontal = FlatPicture(8, 8, 200, 200, 200);
    for (int y = 4; y < 8; ++y)
        for (int x = 0; x < 8; ++x) SetPixel(horizontal, x, y, 100, 100, 100);

    const Engine v = Sketch(vertical, 28, 3, 70);
    const Engine h = Sketch(horizontal, 28, 3, 70);
    for (int a = 0; a < 8; ++a)
        for (int b = 0; b < 8; ++b) {
            const int alongEdge = (b == 0 || b == 7) ? 2 : 3;
            EXPECT_EQ(v.EdgeVotes(a, b), a == 3 ? alongEdge : 0) << a << "," << b;
            EXPECT_EQ(h.EdgeVotes(b, a), a == 4 ? alongEdge : 0) << b << "," << a;
            // The one-pixel line keeps its interior part; the brighter side stays paper.
            EXPECT_EQ(IsLine(v, a, b), a == 3 && alongEdge == 3) << a << "," << b;
            EXPECT_EQ(IsLine(h, b, a), a == 4 && alongEdge == 3) << b << "," << a;
        }

    const Engine fourVotes = Sketch(vertical, 28, 4, 70);
    for (int y = 0; y < 8; ++y) EXPECT_FALSE(IsLine(fourVotes, 3, y));
    // A darkness threshold above the bright side makes everything a line.
    const Engine allDark = Sketch(vertical, 28, 4, 201);
    for (int y = 0; y < 8; ++y) EXPECT_TRUE(IsLine(allDark, 6, y));
}

TEST(LineDetectorTest, VoteThresholdOutsideOneToEight)
{
    PixelPlane p = FlatPicture(7, 6, 100, 100, 100);
    for (int y = 0; y < 6; ++y)
        for (int x = 4; x < 7; ++x) SetPixel(p, x, y, 250, 250, 250);
    for (int vt : {0, -5}) {
        const Engine e = Sketch(p, 28, vt, 0);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_TRUE(IsLine(e, x, y)) << "vote threshold " << vt;
    }
    for (int vt : {9, 100}) {
        const Engine e = Sketch(p, 28, vt, 0);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_FALSE(IsLine(e, x, y)) << "vote threshold " << vt;
        // Only the darkness test marks lines then.
        const Engine dark = Sketch(p, 28, vt, 101);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_EQ(IsLine(dark, x, y), x < 4);
    }
}

TEST(LineDetectorTest, IsolatedDotsClearedExceptOnTheBorder)
{
    PixelPlane p = FlatPicture(7, 7, 200, 200, 200);
    SetPixel(p, 3, 3, 0, 0, 0);  // interior, alone: cleared
    SetPixel(p, 0, 3, 0, 0, 0);  // left column: kept
    SetPixel(p, 3, 6, 0, 0, 0);  // top row: kept
    SetPixel(p, 5, 1, 0, 0, 0);  // two touching dots: both kept
    SetPixel(p, 6, 0, 0, 0, 0);
    const Engine e = Sketch(p, 28, 9, 70);
    EXPECT_EQ(e.EdgeVotes(3, 3), 8);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool kept = (x == 0 && y == 3) || (x == 3 && y == 6) || (x == 5 && y == 1) || (x == 6 && y == 0);
            EXPECT_EQ(IsLine(e, x, y), kept) << x << "," << y;
        }
    for (int c = 0; c < 3; ++c) EXPECT_EQ(e.SketchPixels(c, 3, 3), 255);
}

TEST(LineDetectorTest, RejectsPlanesOfDifferentSizes)
{
    ColorPlane in(4, 3), out(4, 3);
    GrayPlane gray(4, 3), votes(3, 4);
    EXPECT_THROW(DetectLines(in, gray, votes, out, 28, 1, 70), std::invalid_argument);
}

TEST(LineDetectorTest, MatchesTheLiteralRulesOnRandomPictures)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> width(1, 37), height(1, 23);
    std::uniform_int_distribution<int> edge(-2, 258), votes(-1, 10), dark(0, 256);
    for (int run = 0; run < 303; ++run) {
        // Every size from 1 x 1 up, with one-row and one-column pictures well represented,
        // and last a few pictures large enough to be split over threads.
        const bool large = run >= 300;
        const int w = large ? 255 + run : run < 40 ? 1 + run % 3 : width(rng);
        const int h = large ? 257 : run < 40 ? 1 + run / 3 % 4 : height(rng);
        const PixelPlane picture = test::RandomPicture(w, h, rng);
        const int et = edge(rng), vt = votes(rng), dt = dark(rng);

        Engine e = Sketch(picture, et, vt, dt);
        GrayPlane refVotes(w, h);
        ColorPlane refOut(w, h);
        ReferenceDetectLines(e.OrigPixels, e.GrayPixels, refVotes, refOut, et, vt, dt);
        ASSERT_EQ(e.EdgeVotes, refVotes) << w << "x" << h << " edge " << et;
        ASSERT_EQ(e.SketchPixels, refOut) << w << "x" << h << " edge " << et << " votes " << vt << " dark " << dt;
    }
}

}  // namespace
}  // namespace lumetra
