#include "help_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "assets/program_data.h"

namespace lumetra {

QString HelpPagePath() { return ProgramDataPath(QStringLiteral("help/index.html")); }

QString OpenHelpPage()
{
    const QString path = QDir::toNativeSeparators(HelpPagePath());
    if (!QFileInfo(path).isFile())
        return QCoreApplication::translate("lumetra::HelpPage", "Cannot open the help page %1: the file is missing.").arg(path);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return QCoreApplication::translate("lumetra::HelpPage", "Cannot open the help page %1: no web browser could be started.")
            .arg(path);
    return {};
}

}  // namespace lumetra
