#pragma once
// The program's small settings store: string values under QSettings("Veltrup",
// "Lumetra"). Only "OutDir" is stored.

#include <QString>

namespace lumetra {

// The stored value, or "" when it is missing or unreadable. A value that starts with
// a NUL reads as empty and one trailing NUL is dropped, so values written with or
// without a terminator read back alike.
QString ReadSetting(const QString& name);

// Writes the value as a string; a failed write is ignored.
void WriteSetting(const QString& name, const QString& text);

// The NUL rules of ReadSetting on an already read value.
QString CleanSettingText(const QString& raw);

}  // namespace lumetra
