#pragma once
// Where the help page lies: in the folder "help" beside the program.

#include <QString>

namespace lumetra {

// The page's path, whatever the current folder is: <program folder>/help/index.html, or
// help/index.html under share/lumetra for an installed program.
QString HelpPagePath();

}  // namespace lumetra
