#pragma once
// Icons of the window's commands: the desktop's icon theme where it has the icon, the
// program's own otherwise, so every command shows one even without a theme.

#include <QIcon>
#include <QString>

namespace lumetra {

// The theme icon of that name, or the bundled ":/icons/<bundled>.png" (by default the
// same name).
QIcon CommandIcon(const QString& themeName, const QString& bundled = {});

}  // namespace lumetra
