#pragma once
// The help page, installed in the folder "help" beside the program.
//
// For the main window (Help, Contents, F1):
//     if (const QString error = lumetra::OpenHelpPage(); !error.isEmpty())
//         QMessageBox::critical(this, "Error", error);

#include <QString>

namespace lumetra {

// The page's path: <program folder>/help/index.html, whatever the current folder is.
QString HelpPagePath();

// Opens the page in the desktop's browser. Returns "" on success, otherwise a message
// that names the page and the reason.
QString OpenHelpPage();

}  // namespace lumetra
