#pragma once
// The help page, in the folder "help" beside the program.
//
// For the main window (Help, Contents, F1):
//     if (const QString error = lumetra::OpenHelpPage(); !error.isEmpty())
//         QMessageBox::critical(this, "Error", error);

#include <QString>

namespace lumetra {

// The page's path, whatever the current folder is: <program folder>/help/index.html, or
// help/index.html under share/lumetra for an installed program.
QString HelpPagePath();

// Opens the page in the desktop's browser. Returns "" on success, otherwise a message
// that names the page and the reason.
QString OpenHelpPage();

}  // namespace lumetra
