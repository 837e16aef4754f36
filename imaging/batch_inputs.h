#pragma once
// The input list of a batch: pictures found in folders (optionally with their
// sub-folders), lists of paths read from a file, and the de-duplicated, sorted list
// that every process of a sharded run agrees on.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace lumetra {

struct BatchInput {
    QString path;
    // Where the output goes below the output folder: "" for the folder itself,
    // "trip/day 1" for a picture found in that sub-folder of a folder input.
    QString subFolder;

    bool operator==(const BatchInput&) const = default;
};

// The pictures of a folder (accepted extensions, no hidden files or folders), in
// name order. With subFolders, those of every folder below it too, each carrying its
// folder relative to the top; a folder reached again through a link is visited once.
QList<BatchInput> FindPictures(const QString& folder, bool subFolders);

// The paths of a list file, one per line or, with nulSeparated, separated by NUL
// characters as `find -print0` writes them. Empty entries are left out; a trailing
// carriage return is dropped from lines written on another system.
QStringList SplitFileList(const QByteArray& text, bool nulSeparated);

// The name a file is known by however its path is written (relative, with "..",
// through a link): its path with links resolved when it exists, else its cleaned
// absolute path.
QString FileKey(const QString& path);

// The inputs in path order with duplicates removed: a file named twice for the same
// sub-folder, however its paths are written, is kept once (its first path). The same
// list whatever order the inputs came in.
QList<BatchInput> SortedUnique(QList<BatchInput> inputs);

struct Shard {
    int index = 0;  // K, 0 .. count - 1
    int count = 1;  // N
};

// "K/N" with 0 <= K < N; none for anything else.
std::optional<Shard> ParseShard(const QString& text);

// The positions in a list of count inputs that are K modulo N, ascending.
QList<qsizetype> ShardPositions(qsizetype count, Shard shard);

}  // namespace lumetra
