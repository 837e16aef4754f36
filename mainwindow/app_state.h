#pragma once
// What the main window shares with the windows it opens: the process-wide folders
// and the engine parameters and options exactly as the panel shows them. The main
// window owns one AppState; the batch converter reads the parameters and options
// and reads and updates the folders through a reference to it.

#include <QString>

#include "engine/options.h"
#include "imaging/photo_details.h"

namespace lumetra {

// The program's title: the main window's caption and the title of its message boxes.
inline const QString kTitle = QStringLiteral("Lumetra");

struct AppState {
    QString AppDir;              // the program's folder, ending with '/'
    QString LastDir;             // where the open dialogs start, ending with '/'
    QString OutDir;              // the batch converter's output folder (the one stored setting)
    QString SourcePath;          // the picture file last opened in the main window
    QString SaveDir;             // where the main window's save dialog starts
    PhotoDetails SourceDetails;  // the photo details of the picture last opened
    bool KeepLocation = false;   // the batch converter's "Keep location" (a stored setting)

    EngineParams params;    // mirror of the panel's five number parameters
    EngineOptions options;  // mirror of the panel's five check boxes
};

}  // namespace lumetra
