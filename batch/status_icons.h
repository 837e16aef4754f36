#pragma once
// The small images that show where each file of the batch list stands.

#include <QIcon>

namespace lumetra {

enum class FileStatus {
    Converting,  // red arrow
    Converted,   // green check mark
    Waiting,     // picture
    Failed,      // red cross: could not be read or written
    Skipped,     // grey double arrow: its output was already up to date
    Warned,      // yellow warning sign: converted, but the input was damaged
};

// Painted at 16 x 16 and 32 x 32 so the list stays crisp on high-density screens.
QIcon StatusIcon(FileStatus status);

}  // namespace lumetra
