#pragma once
// The program's small settings store: string values under QSettings("Veltrup",
// "Lumetra"). Only "OutDir" is stored. The store is used only while its file is a
// regular file (or not there yet): a FIFO or a device in its place is neither read,
// which could block the program before its window appears, nor replaced.

#include <QString>

namespace lumetra {

// The stored value, or "" when it is missing or unreadable. A value that starts with
// a NUL reads as empty and one trailing NUL is dropped, so values written with or
// without a terminator read back alike.
QString ReadSetting(const QString& name);

// Why the settings file is not used ("" when it is), naming it.
QString SettingsFileProblem();

// Writes the value as a string; a failed write is ignored.
void WriteSetting(const QString& name, const QString& text);

// The NUL rules of ReadSetting on an already read value.
QString CleanSettingText(const QString& raw);

}  // namespace lumetra
