#include "help_page.h"

#include "assets/program_data.h"

namespace lumetra {

QString HelpPagePath() { return ProgramDataPath(QStringLiteral("help/index.html")); }

}  // namespace lumetra
