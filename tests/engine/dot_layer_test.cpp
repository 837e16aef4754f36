// The dot layer: error diffusion against a literal reference, its edge guards, the
// sensitivity, the 64-bit mean and the shading of the dots.

#include <gtest/gtest.h>
#include <omp.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

#include "engine/color_math.h"
#include "engine/dot_layer.h"
#include "engine/engine.h"
#include "engine_test_support.h"

namespace lumetra {
namespace {

using test::GrayPicture;

// ---- The reference: the diffusion as written --------------------------------------

ColorPlane RefDiffuse(const ColorPlane& col, int sensitivity)
{
    const int maxX = col.MaxX(), maxY = col.MaxY();
    static const int weight[13] = {0, 8, 4, 2, 4, 8, 4, 2, 1, 2, 4, 2, 1};
    std::vector<std::vector<int>> stucki(13, std::vector<int>(511));
    for (int k = 1; k <= 12; ++k)
        for (int d = -255; d <= 255; ++d) stucki[k][d + 255] = d * weight[k] / 42;
    auto share = [&](int k, int e) { return stucki[k][e + 255]; };
    std::vector<std::vector<int>> errorRows(4, std::vector<int>(maxX + 1, 0));
    long long sum = 0;
    for (int y = 0; y <= maxY; ++y)
        for (int x = 0; x <= maxX; ++x) sum += (col(0, x, y) + col(1, x, y) + col(2, x, y)) / 3;
    const long long mean = sum / ((maxX + 1LL) * (maxY + 1LL));

    ColorPlane dots(maxX + 1, maxY + 1);
    for (int y = 0; y <= maxY; ++y) {
        for (int x = 0; x <= maxX; ++x) {
            int v = (col(0, x, y) + col(1, x, y) + col(2, x, y)) / 3;
            if (sensitivity != 0) v = v + errorRows[1][x] * 10 / sensitivity;
            if (v < 0) v = 0;
            if (v > 255) v = 255;
            const int out = v < mean ? 0 : 255;
            for (int c = 0; c < 3; ++c) dots(c, x, y) = static_cast<uint8_t>(out);
            const int e = v - out;
            if (x < maxX - 1) errorRows[1][x + 1] += share(1, e);
            if (x < maxX - 2) errorRows[1][x + 2] += share(2, e);
            if (y < maxY - 1) {
                if (x > 1) errorRows[2][x - 2] += share(3, e);
                if (x > 0) errorRows[2][x - 1] += share(4, e);
                errorRows[2][x] += share(5, e);
                if (x < maxX - 1) errorRows[2][x + 1] += share(6, e);
                if (x < maxX - 2) errorRows[2][x + 2] += share(7, e);
            }
            if (y < maxY - 2) {
                if (x > 1) errorRows[3][x - 2] += share(8, e);
                if (x > 0) errorRows[3][x - 1] += share(9, e);
                errorRows[3][x] += share(10, e);
                if (x < maxX - 1) errorRows[3][x + 1] += share(11, e);
                if (x < maxX - 2) errorRows[3][x + 2] += share(12, e);
            }
        }
        for (int x = 0; x <= maxX; ++x) {
            errorRows[1][x] = errorRows[2][x];
            errorRows[2][x] = errorRows[3][x];
            errorRows[3][x] = 0;
        }
    }
    return dots;
}

ColorPlane RandomPicture(int w, int h, std::mt19937& rng)
{
    std::uniform_int_distribution<int> any(0, 255);
    ColorPlane p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c) p(c, x, y) = static_cast<uint8_t>(any(rng));
    return p;
}

// Greys within two of a base on either side of it, in a checkerboard: the mean falls
// among them, so nearly every pixel leaves the largest error the base allows (close to
// the base itself when dark dots are drawn on a bright picture).
ColorPlane NearMeanPicture(int w, int h, int base, std::mt19937& rng)
{
    std::uniform_int_distribution<int> step(0, 2);
    std::vector<int> grays(static_cast<size_t>(w) * h);
    for (int i = 0; i < w * h; ++i) grays[i] = base + ((i / w + i % w) % 2 == 0 ? step(rng) : -step(rng));
    return GrayPicture(w, h, grays);
}

std::vector<int> Dots(const ColorPlane& p) { return test::FirstChannel(p); }

ColorPlane Diffuse(const ColorPlane& col, int sensitivity)
{
    ColorPlane dots(col.Width(), col.Height());
    DiffuseDots(col, MeanGray(col), sensitivity, dots);
    return dots;
}

// ---- Diffusion ----------------------------------------------------------------------

TEST(DotDiffusionTest, MatchesTheReferenceOnRandomPictures)
{
    std::mt19937 rng(17);
    const int sizes[][2] = {{1, 1}, {1, 8}, {8, 1}, {2, 2}, {3, 3}, {4, 5}, {5, 4}, {31, 29}, {100, 7}};
    for (const auto& size : sizes)
        for (int sensitivity : {1, 5, 10, 20, 37, 100, -7}) {
            const ColorPlane col = RandomPicture(size[0], size[1], rng);
            ASSERT_EQ(Diffuse(col, sensitivity), RefDiffuse(col, sensitivity))
                << size[0] << "x" << size[1] << " sensitivity " << sensitivity;
        }
}

TEST(DotDiffusionTest, MatchesTheReferenceOnNarrowAndWidePicturesWithLargeErrors)
{
    std::mt19937 rng(41);
    std::uniform_int_distribution<int> height(1, 300);
    for (int w : {1, 2, 3, 4, 5, 6, 7, 64, 129, 300})
        for (int sensitivity : {0, 1, 5, 20, 100})
            for (int base : {-1, 6, 128, 249}) {
                const int h = height(rng);
                const ColorPlane col = base < 0 ? RandomPicture(w, h, rng) : NearMeanPicture(w, h, base, rng);
                ASSERT_EQ(Diffuse(col, sensitivity), RefDiffuse(col, sensitivity))
                    << w << "x" << h << " sensitivity " << sensitivity << " base " << base;
            }
}

// Keeps the cores busy while it lives, so that the threads of the diffusion are
// interrupted at random points.
class BusyCores {
public:
    BusyCores()
    {
        for (int i = 0; i < 2; ++i)
            spinners_.emplace_back([this] {
                while (!stop_.load(std::memory_order_relaxed)) {}
            });
    }
    ~BusyCores()
    {
        stop_ = true;
        for (auto& t : spinners_) t.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> spinners_;
};

TEST(DotDiffusionTest, ThreadsGiveTheReferenceBytesOnEveryRun)
{
    // Large enough for the rows to be split between two threads; repeated, on idle and
    // busy cores and with no patience at all (one thread takes rows from the other at
    // once), since a cell read too early or written by both threads shows only sometimes.
    const int threadsBefore = omp_get_max_threads();
    omp_set_num_threads(2);
    std::mt19937 rng(53);
    const int sizes[][2] = {{512, 128}, {700, 100}, {1031, 64}};
    for (const auto& size : sizes)
        for (int sensitivity : {1, 20}) {
            const ColorPlane col =
                sensitivity == 1 ? NearMeanPicture(size[0], size[1], 249, rng) : RandomPicture(size[0], size[1], rng);
            const int mean = MeanGray(col);
            const ColorPlane expected = RefDiffuse(col, sensitivity);
            for (int run = 0; run < 20; ++run) {
                ColorPlane dots(size[0], size[1]);
                if (run % 3 == 0) {
                    DiffuseDotsWithPatience(col, mean, sensitivity, dots, std::chrono::microseconds{0});
                } else {
                    const auto busy = run % 3 == 1 ? std::make_unique<BusyCores>() : nullptr;
                    DiffuseDots(col, mean, sensitivity, dots);
                }
                ASSERT_EQ(dots, expected)
                    << size[0] << "x" << size[1] << " sensitivity " << sensitivity << " run " << run;
            }
        }
    omp_set_num_threads(threadsBefore);
}

TEST(DotDiffusionTest, LastColumnAndTopRowGetNoErrorFromTheirNeighbours)
{
    // Mean 105. x = 1 is white with error -84, whose share would make x = 3 white if the
    // guards reached the last column.
    EXPECT_EQ(Dots(Diffuse(GrayPicture(4, 1, {60, 160, 100, 100}), 10)), (std::vector<int>{0, 255, 0, 0}));
    // One column, bottom to top; mean 100. y = 2 is white with error -140, whose share
    // would make the top pixel black if the guards reached the top row.
    EXPECT_EQ(Dots(Diffuse(GrayPicture(1, 4, {40, 100, 140, 120}), 10)), (std::vector<int>{0, 255, 255, 255}));
}

TEST(DotDiffusionTest, FlatPictureStartsWhiteAndFollowsTheGray)
{
    // The mean equals the grey, so the bottom-left pixel (not below the mean) is white;
    // darker pictures get more black dots.
    long previousWhite = -1;
    for (int gray : {1, 64, 128, 200, 254}) {
        const ColorPlane flat = GrayPicture(40, 30, std::vector<int>(1200, gray));
        EXPECT_EQ(MeanGray(flat), gray);
        const std::vector<int> dots = Dots(Diffuse(flat, 10));
        EXPECT_EQ(dots[0], 255) << "grey " << gray;
        const long white = std::count(dots.begin(), dots.end(), 255);
        EXPECT_GT(white, previousWhite) << "grey " << gray;
        previousWhite = white;
    }
}

TEST(DotDiffusionTest, ZeroSensitivityIsAPlainThresholdAtTheMean)
{
    std::mt19937 rng(23);
    const ColorPlane col = RandomPicture(23, 19, rng);
    const int mean = MeanGray(col);
    const ColorPlane dots = Diffuse(col, 0);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 23; ++x) {
            const int gray = (col(0, x, y) + col(1, x, y) + col(2, x, y)) / 3;
            for (int c = 0; c < 3; ++c) ASSERT_EQ(dots(c, x, y), gray < mean ? 0 : 255);
        }
}

TEST(DotDiffusionTest, GraySumDoesNotOverflowOnABrightLargePicture)
{
    // 9 million white pixels: their greys add up to 2,295,000,000, beyond a 32-bit integer.
    ColorPlane white = test::Uniform<3>(3000, 3000, 255);
    EXPECT_EQ(GraySum(white), 2295000000LL);
    EXPECT_EQ(MeanGray(white), 255);
    white(0, 0, 0) = white(1, 0, 0) = white(2, 0, 0) = 0;
    EXPECT_EQ(MeanGray(white), 254);  // (2,295,000,000 - 255) / 9,000,000
}

// ---- Shading and the step -------------------------------------------------------------

// The shading as written: a black dot takes half the grey, or half of each source channel.
ColorPlane RefShade(const GrayPlane& gray, const ColorPlane& source, bool color, ColorPlane dots)
{
    for (int y = 0; y < dots.Height(); ++y)
        for (int x = 0; x < dots.Width(); ++x)
            if (dots(0, x, y) == 0)
                for (int c = 0; c < 3; ++c)
                    dots(c, x, y) = static_cast<uint8_t>(RoundEven((color ? source(c, x, y) : gray(x, y)) / 2.0));
    return dots;
}

TEST(DotShadingTest, BlackDotsTakeHalfTheGrayOrHalfTheColor)
{
    const ColorPlane source = test::FlatPicture<ColorPlane>(2, 1, 5, 7, 201);
    const GrayPlane gray = test::Uniform<1>(2, 1, 71);
    ColorPlane dots = GrayPicture(2, 1, {0, 255});  // pixel 0 black, pixel 1 white
    ColorPlane grayDots = dots, colorDots = dots;
    ShadeDots(gray, source, false, grayDots);
    ShadeDots(gray, source, true, colorDots);
    // Halves round to even: 35.5 -> 36, 2.5 -> 2, 3.5 -> 4, 100.5 -> 100. White stays.
    EXPECT_EQ(Dots(grayDots), (std::vector<int>{36, 255}));
    EXPECT_EQ(grayDots(2, 0, 0), 36);
    test::ExpectPixel(colorDots, 0, 0, 2, 4, 100);
    EXPECT_EQ(colorDots(2, 1, 0), 255);
}

// At every size: the vector loop bodies, their remainders and the rows on threads.
TEST(DotShadingTest, EqualsThePlainShadingAtEverySize)
{
    std::mt19937 rng(29);
    for (const auto& [w, h] : test::FastPathSizes({{1, 1}, {7, 3}})) {
        const ColorPlane source = RandomPicture(w, h, rng), dots = Diffuse(RandomPicture(w, h, rng), 20);
        GrayPlane gray(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) gray(x, y) = source(1, x, y);
        for (bool color : {false, true}) {
            ColorPlane shaded = dots;
            ShadeDots(gray, source, color, shaded);
            EXPECT_EQ(shaded, RefShade(gray, source, color, dots)) << w << " x " << h << " colour " << color;
        }
    }
}

TEST(DotShadingTest, StepRecreatesTheLayerAndFollowsTheOptions)
{
    std::mt19937 rng(37);
    Engine engine;
    const int w = 300, h = 240;  // large enough for the shading to run on threads
    engine.ColorPixels = engine.OrigPixels = RandomPicture(w, h, rng);
    engine.GrayPixels.Allocate(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) engine.GrayPixels(x, y) = static_cast<uint8_t>(x * 13 + y);
    engine.DotPixels.Allocate(3, 3);  // left over from an earlier picture
    engine.options.adjust = false;
    engine.BuildDotLayer();
    const ColorPlane plain = RefDiffuse(engine.ColorPixels, engine.params.DotSensitivity);
    EXPECT_EQ(engine.DotPixels, plain);

    // The colour variant follows the check box's value alone, enabled or not.
    engine.options.adjust = true;
    engine.options.colorSketch = true;
    engine.options.colorSketchEnabled = false;
    engine.BuildDotLayer();
    EXPECT_EQ(engine.DotPixels, RefShade(engine.GrayPixels, engine.OrigPixels, true, plain));

    engine.GrayPixels.Allocate(w, h - 1);  // from another picture: refused, nothing read
    EXPECT_THROW(engine.BuildDotLayer(), std::invalid_argument);
}

}  // namespace
}  // namespace lumetra
