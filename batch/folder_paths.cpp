#include "batch/folder_paths.h"

#include <QFileInfo>

namespace lumetra {

QString WithTrailingSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString FolderOf(const QString& path) { return path.left(path.lastIndexOf(QLatin1Char('/')) + 1); }

bool IsFolderReadable(const QString& folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable();
}

}  // namespace lumetra
