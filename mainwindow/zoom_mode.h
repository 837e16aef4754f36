#pragma once
// How large the preview shows a picture: a fixed factor from the zoom steps, or Fit
// (the whole picture inside the area). A factor is device pixels per picture pixel, so
// 1 is the crisp one-to-one view.

#include <QSize>
#include <QString>
#include <array>

namespace lumetra {

// The factors Zoom In and Zoom Out step through, from 1/8 to 8.
inline constexpr std::array<double, 11> kZoomSteps = {1.0 / 8, 1.0 / 4, 1.0 / 3, 1.0 / 2, 2.0 / 3, 1.0,
                                                      1.5,     2.0,     3.0,     4.0,     8.0};

struct ZoomMode {
    bool fit = false;
    double factor = 1.0;  // used when not fit
    bool operator==(const ZoomMode&) const = default;
};

// The next step above / below a factor (which need not be a step itself); the end
// steps are the limits.
double ZoomStepIn(double factor);
double ZoomStepOut(double factor);

// The factor that shows a whole picture inside an area, both in device pixels; never
// above 1, so a small picture is not blown up.
double FitFactor(QSize picture, QSize area);

// The settings text of a mode: "fit" or the percentage ("12.5", "33.33", "400").
QString ZoomModeText(const ZoomMode& mode);
// Reads a settings text back; a percentage snaps to the nearest step, anything
// unreadable (or missing) gives the one-to-one view.
ZoomMode ParseZoomMode(const QString& text);

// What the status bar shows for the factor in use: "100 %", or "Fit 23 %".
QString ZoomLabel(const ZoomMode& mode, double factor);

}  // namespace lumetra
