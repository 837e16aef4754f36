#include "imaging/output_names.h"

#include <QDir>
#include <QFileInfo>

namespace lumetra {

namespace {

QString FileName(const QString& path) { return QFileInfo(path).fileName(); }

// The names a path is known by: as written (made absolute) and, when it exists,
// with links resolved.
QStringList PathIdentities(const QString& path)
{
    const QFileInfo info(path);
    QStringList names{QDir::cleanPath(info.absoluteFilePath())};
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty()) names.append(canonical);
    return names;
}

}  // namespace

QString GetBaseName(const QString& path)
{
    const QString name = FileName(path);
    // A name that starts with its only dot (".hidden") has no extension to drop.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

QSet<QString> InputIdentities(const QStringList& paths)
{
    QSet<QString> names;
    for (const QString& path : paths)
        for (const QString& name : PathIdentities(path)) names.insert(name);
    return names;
}

bool WouldReplaceInput(const QString& output, const QSet<QString>& inputIdentities)
{
    for (const QString& name : PathIdentities(output))
        if (inputIdentities.contains(name)) return true;
    return false;
}

}  // namespace lumetra
