#include "imaging/batch_progress.h"

namespace lumetra {

namespace {
constexpr int kFilesBeforeEstimate = 3;
}

std::optional<qint64> SecondsLeft(int done, int total, qint64 elapsedMs)
{
    if (done < kFilesBeforeEstimate || done > total) return std::nullopt;
    // Rounded up, so the estimate reaches 0 only when nothing is left.
    const qint64 remainingMs = elapsedMs * (total - done) / done;
    return (remainingMs + 999) / 1000;
}

QString ClockText(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    const qint64 minutes = seconds / 60 % 60;
    const QString secondsText = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours > 0) return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secondsText);
    return QStringLiteral("%1:%2").arg(minutes).arg(secondsText);
}

}  // namespace lumetra
