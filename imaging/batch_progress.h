#pragma once
// What a batch run tells about its progress: the time left, estimated from the files
// done so far, and how a duration is shown.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace lumetra {

// The seconds still needed for total files when done of them took elapsedMs; none
// until a few files are done, since the first ones say little about the rest.
std::optional<qint64> SecondsLeft(int done, int total, qint64 elapsedMs);

// "0:07", "12:30", "2:05:00".
QString ClockText(qint64 seconds);

}  // namespace lumetra
