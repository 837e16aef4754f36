#include "batch/folder_paths.h"

#include <QDir>
#include <QFileInfo>

namespace lumetra {

QString WithTrailingSlash(const QString& folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString FolderOf(const QString& path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool IsFolderReadable(const QString& folder)
{
    const QFileInfo info(folder);
    return !folder.isEmpty() && info.isDir() && info.isReadable() && info.isExecutable();
}

QStringList ListFolderPictures(const QString& folder)
{
    static const QStringList patterns{"*.bmp", "*.gif", "*.jpg", "*.jpeg", "*.png", "*.tif", "*.tiff"};
    // Without QDir::CaseSensitive the patterns match in any letter case; without
    // QDir::Hidden and QDir::System hidden files and broken links stay out.
    return QDir(folder).entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

}  // namespace lumetra
