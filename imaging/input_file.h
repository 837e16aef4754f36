#pragma once
// Reading a whole input file by its name, safely: only a regular file is read. A FIFO,
// a device or a socket is refused before a byte is read, and opening one never blocks.

#include <QByteArray>
#include <QString>

namespace lumetra {

struct InputBytes {
    QByteArray bytes;
    QString refusal;  // why the file was not read, without the file's name; "" when read
};

InputBytes ReadInputFile(const QString& path);

// "a folder", "a FIFO", "a socket" or "a device": what a file that is not a regular
// file is, from its stat mode.
QString KindOfSpecialFile(unsigned mode);

}  // namespace lumetra
