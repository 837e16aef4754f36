#pragma once
// Names of the files a conversion reads and writes.

#include <QSet>
#include <QString>
#include <QStringList>

#include "imaging/picture_file.h"

namespace lumetra {

// The file name of a path without its last extension ("photo.jpeg" -> "photo");
// the whole file name when it has none.
QString GetBaseName(const QString& path);

// Every name the files are known by: as written (made absolute) and, for those that
// exist, with links resolved. Worked out once per run, since resolving links costs
// system calls.
QSet<QString> InputIdentities(const QStringList& paths);

// Whether writing output would replace one of the input files, whichever way the
// paths are written (relative, with "..", through a link).
bool WouldReplaceInput(const QString& output, const QSet<QString>& inputIdentities);

}  // namespace lumetra
