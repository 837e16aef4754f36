#include "command_icons.h"

// The bundled icons live in the shared resource file of assets/, linked in as a static
// library, whose registration must be pulled in by name (outside any namespace).
static void LoadIconResource() { Q_INIT_RESOURCE(assets); }

namespace lumetra {

QIcon CommandIcon(const QString& themeName, const QString& bundled)
{
    LoadIconResource();
    const QString file = QStringLiteral(":/icons/%1.png").arg(bundled.isEmpty() ? themeName : bundled);
    return QIcon::fromTheme(themeName, QIcon(file));
}

}  // namespace lumetra
