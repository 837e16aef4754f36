// Sketch shading: line pixels take half the brightness of the picture under them,
// in grey or, with colour sketch checked, in colour with a mild saturation lift.

#include "color_math.h"
#include "engine.h"
#include "row_threads.h"
#include "shade_rows.h"

namespace lumetra {

void Engine::ShadeSketch()
{
    const int w = SketchPixels.Width();
    const int h = SketchPixels.Height();
    const bool color = options.colorSketch;
    const float lift = static_cast<float>(70 / 100.0);
    ForEachRow(w, h, stop, [&](int y) {
        uint8_t* sketch = SketchPixels.Row(y);
        const uint8_t* gray = GrayPixels.Row(y);
        const uint8_t* orig = OrigPixels.Row(y);
        if (!color) {
            ShadeBlackPixelsRow(gray, orig, sketch, w, false);
            return;
        }
        for (int x = 0; x < w; ++x) {
            uint8_t* px = sketch + 3 * x;
            if (px[0] != 0) continue;  // paper is pure white, which the lift leaves as it is
            for (int c = 0; c < 3; ++c) px[c] = static_cast<uint8_t>(HalfRoundEven(orig[3 * x + c]));
            SaturationLift(px, lift);
        }
    });
}

}  // namespace lumetra
