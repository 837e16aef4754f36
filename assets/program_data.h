#pragma once
// The program's data files (help page, sample photos): beside the program in the build
// folder, or under share/lumetra of the prefix it is installed in, found relative to the
// program itself so that an installed tree can be moved to any prefix.
//
//     const QString page = lumetra::ProgramDataPath(QStringLiteral("help/index.html"));

#include <QString>

namespace lumetra {

// <programFolder>/<name> when it exists there, else <programFolder>/../share/lumetra/<name>
// when that exists, else the path beside the program (for a message naming it).
QString ProgramDataPath(const QString& programFolder, const QString& name);

// The same for the running program's folder.
QString ProgramDataPath(const QString& name);

}  // namespace lumetra
