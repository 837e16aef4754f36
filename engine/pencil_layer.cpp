// The pencil step: the sketch laid on the pencil-paper texture, tiled from the
// picture's bottom-left corner. Paper stays pure white; the texture shows only under
// the lines.

#include <algorithm>

#include "color_math.h"
#include "engine.h"
#include "row_threads.h"
#include "vector_clones.h"

namespace lumetra {
namespace {

bool IsPaper(const uint8_t* bgr) { return bgr[0] == 255 && bgr[1] == 255 && bgr[2] == 255; }

// A texture made of one white pixel: what an engine without a pencil texture draws on.
const PixelPlane& WhitePaper()
{
    static const PixelPlane paper = [] {
        PixelPlane p(1, 1);
        p(0, 0, 0) = p(1, 0, 0) = p(2, 0, 0) = 255;
        return p;
    }();
    return paper;
}

// A stretch of a grey pencil row under one copy of the texture row: paper stays pure
// white, a line takes the mean of itself and the texture, rounded to even. Written without
// branches so that the pixels go in vector lanes.
LUMETRA_VECTOR_CLONES void GrayPencilSpan(const uint8_t* __restrict sketch, const uint8_t* __restrict paper,
                                          uint8_t* __restrict out, int count)
{
#pragma omp simd
    for (int x = 0; x < count; ++x) {
        const unsigned b = sketch[3 * x], g = sketch[3 * x + 1], r = sketch[3 * x + 2];
        const unsigned white = 0u - ((b & g & r) == 255);  // all ones on paper
        out[3 * x] = static_cast<uint8_t>(HalfRoundEven(b + paper[4 * x]) | white);
        out[3 * x + 1] = static_cast<uint8_t>(HalfRoundEven(g + paper[4 * x + 1]) | white);
        out[3 * x + 2] = static_cast<uint8_t>(HalfRoundEven(r + paper[4 * x + 2]) | white);
    }
}

}  // namespace

void Engine::BuildPencilLayer()
{
    const PixelPlane& texture = PencilTexture.Empty() ? WhitePaper() : PencilTexture;
    const int tw = texture.Width();
    const int th = texture.Height();
    const int w = PencilPixels.Width();
    const int h = PencilPixels.Height();
    const bool color = options.colorSketch && options.colorSketchEnabled;
    const float lift = static_cast<float>(128 / 100.0);
    ForEachRow(w, h, stop, [&](int y) {
        const uint8_t* sketch = SketchPixels.Row(y);
        const uint8_t* orig = OrigPixels.Row(y);
        const uint8_t* paper = texture.Row(y % th);
        uint8_t* out = PencilPixels.Row(y);
        if (!color) {
            for (int x = 0; x < w; x += tw) GrayPencilSpan(sketch + 3 * x, paper, out + 3 * x, std::min(tw, w - x));
            return;
        }
        for (int x = 0, tx = 0; x < w; ++x, tx = tx + 1 == tw ? 0 : tx + 1) {
            uint8_t* px = out + 3 * x;
            const uint8_t* s = sketch + 3 * x;
            const uint8_t* t = paper + 4 * tx;
            if (IsPaper(s)) {
                px[0] = px[1] = px[2] = 255;
            } else {
                for (int c = 0; c < 3; ++c) px[c] = static_cast<uint8_t>(RoundEven(orig[3 * x + c] * 0.7 + t[c] * 0.3));
                SaturationLift(px, lift);
            }
        }
    });
}

}  // namespace lumetra
