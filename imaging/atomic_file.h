#pragma once
// Writing a file so that it is either complete or not there at all: the data goes
// into a temporary file beside the target, is flushed to the disk, and only then is
// renamed over the target. A failure anywhere leaves the old file untouched and no
// temporary file behind; its reason is the system's own ("No space left on device").

#include <QIODevice>
#include <QString>
#include <functional>

namespace lumetra {

// Why path cannot be written as a picture file: it exists and is not a regular file
// (a folder, a device, a FIFO, a socket, a link loop or a link to nothing). "" when it
// is a regular file, a link to one, or not there yet.
QString OutputRefusal(const QString& path);

// Creates the folder and its missing parents. Returns "" when it is there, otherwise
// the reason in the system's words ("Read-only file system", "No space left on device").
QString CreateFolder(const QString& folder);

// Whether a new file can be made in the folder: a probe file is created there and
// removed again. "" when it can, otherwise the reason in the system's words.
QString ProbeFolder(const QString& folder);

// "Cannot write "<path>": <reason>."
QString CannotWriteMessage(const QString& path, const QString& reason);

// The encoder writes into the device; it returns "" or the reason it failed.
using Encoder = std::function<QString(QIODevice& device)>;

// Writes path through encode as described above. Returns "" on success, otherwise
// CannotWriteMessage. A write the encoder overlooked still fails the
// whole file: the device remembers its first error.
QString WriteFileAtomically(const QString& path, const Encoder& encode);

}  // namespace lumetra
