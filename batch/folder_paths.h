#pragma once
// Folder helpers of the batch window: joining, readability and the pictures a folder holds.

#include <QString>
#include <QStringList>

namespace lumetra {

// The folder with exactly one trailing separator ("/photos" -> "/photos/", "/" stays "/").
QString WithTrailingSlash(const QString& folder);

// The folder part of a path, with its trailing separator ("/a/b.jpg" -> "/a/").
QString FolderOf(const QString& path);

// Whether the folder exists and can be entered and listed.
bool IsFolderReadable(const QString& folder);

// The names of the folder's own picture files (no sub-folders, no hidden files) whose
// extension is bmp, gif, jpg, jpeg, png, tif or tiff in any letter case, in name order.
QStringList ListFolderPictures(const QString& folder);

}  // namespace lumetra
