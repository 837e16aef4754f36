#pragma once
// Steps the picture commands share.

#include <QString>

#include "cli/command_line.h"
#include "cli/console.h"
#include "engine/engine.h"

namespace lumetra::cli {

enum ExitStatus { kExitDone = 0, kExitFailed = 1, kExitUsage = 2 };

// Fills the engine with the command's input picture (read and resized), the pencil
// texture, the parameters and the options, and gives the photo details the outputs
// get. Reports the reason and returns false when the picture cannot be read.
bool PrepareEngine(Engine& engine, const Command& command, Console& console, PhotoDetails& details);

// Creates the output folder when it is missing. Reports the reason and returns false
// when it cannot be made.
bool MakeOutputFolder(const QString& folder, Console& console);

}  // namespace lumetra::cli
