#include "imaging/batch_inputs.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

#include "imaging/picture_formats.h"

namespace lumetra {

namespace {

void CollectPictures(const QDir& top, const QString& folder, bool subFolders, QSet<QString>& visited,
                     QList<BatchInput>& found)
{
    // A link back to a folder already seen would otherwise loop for ever.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical)) return;
    visited.insert(canonical);

    const QDir dir(folder);
    const QString subFolder =
        top.relativeFilePath(folder) == QLatin1String(".") ? QString() : top.relativeFilePath(folder);
    // Without QDir::Hidden and QDir::System hidden files and broken links stay out.
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        if (HasPictureExtension(name)) found.append({dir.filePath(name), subFolder});
    if (!subFolders) return;
    for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        CollectPictures(top, dir.filePath(name), subFolders, visited, found);
}

}  // namespace

QList<BatchInput> FindPictures(const QString& folder, bool subFolders)
{
    QList<BatchInput> found;
    QSet<QString> visited;
    const QString top = QDir::cleanPath(folder);
    CollectPictures(QDir(top), top, subFolders, visited, found);
    return found;
}

QStringList SplitFileList(const QByteArray& text, bool nulSeparated)
{
    QStringList paths;
    for (QByteArray entry : text.split(nulSeparated ? '\0' : '\n')) {
        if (!nulSeparated && entry.endsWith('\r')) entry.chop(1);
        if (!entry.isEmpty()) paths.append(QFile::decodeName(entry));
    }
    return paths;
}

QString FileKey(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QList<BatchInput> SortedUnique(QList<BatchInput> inputs)
{
    for (BatchInput& input : inputs) input.path = QDir::cleanPath(input.path);
    const auto order = [](const BatchInput& a, const BatchInput& b) {
        return a.path != b.path ? a.path < b.path : a.subFolder < b.subFolder;
    };
    std::sort(inputs.begin(), inputs.end(), order);
    QSet<QString> seen;
    const auto named = [&seen](const BatchInput& input) {
        const QString key = FileKey(input.path) + QChar(0) + input.subFolder;
        if (seen.contains(key)) return true;
        seen.insert(key);
        return false;
    };
    inputs.erase(std::remove_if(inputs.begin(), inputs.end(), named), inputs.end());
    return inputs;
}

std::optional<Shard> ParseShard(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() != 2) return std::nullopt;
    bool indexOk = false;
    bool countOk = false;
    const int index = parts[0].toInt(&indexOk);
    const int count = parts[1].toInt(&countOk);
    if (!indexOk || !countOk || count < 1 || index < 0 || index >= count) return std::nullopt;
    return Shard{index, count};
}

QList<qsizetype> ShardPositions(qsizetype count, Shard shard)
{
    QList<qsizetype> positions;
    for (qsizetype i = shard.index; i < count; i += shard.count) positions.append(i);
    return positions;
}

}  // namespace lumetra
