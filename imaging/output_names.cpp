#include "imaging/output_names.h"

#include <QDir>
#include <QFileInfo>

namespace lumetra {

namespace {

QString FileName(const QString& path)
{
    return QFileInfo(path).fileName();
}

}  // namespace

QString GetBaseName(const QString& path)
{
    const QString name = FileName(path);
    // A name that starts with its only dot (".hidden") has no extension to drop.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? name.left(dot) : name;
}

bool CheckEXT(const QString& path)
{
    const QString name = FileName(path);
    const QString extension = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    static const QStringList accepted{QStringLiteral("bmp"), QStringLiteral("gif"), QStringLiteral("jpg"),
                                      QStringLiteral("jpeg"), QStringLiteral("png"), QStringLiteral("tif"),
                                      QStringLiteral("tiff")};
    return accepted.contains(extension);
}

QString OutputPath(const QString& folder, const QString& source, PictureFormat format)
{
    return QDir(folder).filePath(GetBaseName(source) + QLatin1Char('.') + FormatExtension(format));
}

}  // namespace lumetra
