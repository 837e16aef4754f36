#pragma once
// File names are bytes on Linux, and not every byte string is valid text. Names that
// are go to and come from the file system through QFile::encodeName/decodeName; a byte
// that is not stands in a QString as the lone surrogate U+DC80 + byte (which no valid
// name decodes to), so every name survives the round trip and opens the same file.

#include <QByteArray>
#include <QString>

namespace lumetra {

QString NameFromBytes(const QByteArray& bytes);
QByteArray NameToBytes(const QString& name);

// The path as messages show it: native separators, with undecodable bytes and control
// characters written as \xHH so that a name can neither garble nor hide a message.
QString ShownPath(const QString& path);

// The system's own words for an errno value ("No space left on device").
QString SystemReason(int error);

}  // namespace lumetra
