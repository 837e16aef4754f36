#pragma once
// Similar-colour mixing: colours averaged along horizontal and vertical runs that stop at
// region borders, for a flat, painted look. While mixing, a pixel of the colour plane is a
// region border when its channel 0 is 0. The in-place passes read the plane as it stands,
// so a pixel already visited takes part with its new value (and becomes a border when its
// new channel-0 average is 0). Every pass throws RunCancelled when stopped.

#include <stop_token>

#include "plane.h"

namespace lumetra {

// Radius of the vertical runs for a brush width: round(0.4 x width), at most 20.
int VerticalRunRadius(int brushWidth);

// Radius of the short horizontal runs of the third pass, run only when the vertical radius
// exceeds kThirdPassMinRadius.
inline constexpr int kThirdPassRadius = 3;
inline constexpr int kThirdPassMinRadius = 5;

// First pass: every non-border pixel becomes the average of the source colours along its
// horizontal run (the source colour itself when the run is a single pixel); every border
// pixel becomes black. Rows are scanned left to right.
void AverageRowRunsFromSource(const ColorPlane& source, ColorPlane& color, int radius,
                              const std::stop_token& stop = {});

// Second pass: every non-border pixel becomes the average of the plane's own colours
// along its vertical run, each column scanned bottom to top.
void AverageColumnRunsInPlace(ColorPlane& color, int radius, const std::stop_token& stop = {});

// Third pass: as the second, along rows scanned left to right.
void AverageRowRunsInPlace(ColorPlane& color, int radius, const std::stop_token& stop = {});

// Gives every black pixel (borders, and averages that came out black) its source colour.
void RestoreBlackPixels(const ColorPlane& source, ColorPlane& color, const std::stop_token& stop = {});

// Copies every sketch pixel that is not pure white (a line, shaded or not) over the colour.
void LaySketchLines(const ColorPlane& sketch, ColorPlane& color, const std::stop_token& stop = {});

}  // namespace lumetra
