#pragma once
// The commands that read and write pictures. Each returns the exit status:
// 0 when everything was done, 1 when some input could not be read or some output
// not written (each named on stderr with its reason).

#include "cli/command_line.h"
#include "cli/console.h"

namespace lumetra::cli {

int RunRender(const Command& command, Console& console);
int RunGallery(const Command& command, Console& console);
int RunBatch(const Command& command, Console& console);

}  // namespace lumetra::cli
