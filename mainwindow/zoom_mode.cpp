#include "zoom_mode.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <ranges>

namespace lumetra {

namespace {

// A settings token, not shown to the user.
const QString kFitText = QStringLiteral("fit");
// Factors this close count as equal, so 1/3 written as "33.33" reads back as a step.
constexpr double kSameFactor = 1e-3;
// Fit never goes below this, so a picture in an area with no room keeps a size.
constexpr double kSmallestFit = 0.01;

}  // namespace

double ZoomStepIn(double factor)
{
    for (double step : kZoomSteps)
        if (step > factor * (1 + kSameFactor)) return step;
    return kZoomSteps.back();
}

double ZoomStepOut(double factor)
{
    for (double step : std::views::reverse(kZoomSteps))
        if (step < factor * (1 - kSameFactor)) return step;
    return kZoomSteps.front();
}

double FitFactor(QSize picture, QSize area)
{
    if (picture.isEmpty()) return 1.0;
    const double factor = std::min(double(area.width()) / picture.width(), double(area.height()) / picture.height());
    return std::clamp(factor, kSmallestFit, 1.0);
}

QString ZoomModeText(const ZoomMode& mode) { return mode.fit ? kFitText : QString::number(mode.factor * 100, 'g', 4); }

ZoomMode ParseZoomMode(const QString& text)
{
    if (text.trimmed().compare(kFitText, Qt::CaseInsensitive) == 0) return {true, 1.0};
    bool ok = false;
    const double percent = text.toDouble(&ok);
    if (!ok || !(percent > 0) || !std::isfinite(percent)) return {};
    const double factor = percent / 100;
    const auto nearest = std::min_element(kZoomSteps.begin(), kZoomSteps.end(), [factor](double a, double b) {
        return std::abs(std::log(a / factor)) < std::abs(std::log(b / factor));
    });
    return {false, *nearest};
}

QString ZoomLabel(const ZoomMode& mode, double factor)
{
    const QString percent = QCoreApplication::translate("lumetra::ZoomMode", "%1 %").arg(std::lround(factor * 100));
    return mode.fit ? QCoreApplication::translate("lumetra::ZoomMode", "Fit %1").arg(percent) : percent;
}

}  // namespace lumetra
