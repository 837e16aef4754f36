#include "help_page.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace lumetra {

QString HelpPagePath()
{
    // Beside the program where it is built; under share/lumetra once installed.
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString besideProgram = programFolder.filePath(QStringLiteral("help/index.html"));
    const QString installed = QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/lumetra/help/index.html")));
    if (!QFileInfo(besideProgram).isFile() && QFileInfo(installed).isFile())
        return installed;
    return besideProgram;
}

QString OpenHelpPage()
{
    const QString path = QDir::toNativeSeparators(HelpPagePath());
    if (!QFileInfo(path).isFile())
        return QStringLiteral("Cannot open the help page %1: the file is missing.").arg(path);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return QStringLiteral("Cannot open the help page %1: no web browser could be started.").arg(path);
    return {};
}

}  // namespace lumetra
