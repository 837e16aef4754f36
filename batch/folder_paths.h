#pragma once
// Folder helpers of the batch window: joining and readability.

#include <QString>

namespace lumetra {

// The folder with exactly one trailing separator ("/photos" -> "/photos/", "/" stays "/").
QString WithTrailingSlash(const QString& folder);

// The folder part of a path, with its trailing separator ("/a/b.jpg" -> "/a/").
QString FolderOf(const QString& path);

// Whether the folder exists and can be entered and listed.
bool IsFolderReadable(const QString& folder);

}  // namespace lumetra
