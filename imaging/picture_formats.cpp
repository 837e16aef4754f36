#include "imaging/picture_formats.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>

namespace lumetra {

namespace {

constexpr int kJpegQuality = 90;
// Qt maps PNG quality q to zlib level (100 - q) * 9 / 91: 70 gives level 2, fast
// with a size close to the slower levels.
constexpr int kPngQuality = 70;
// Qt's TIFF writer: 1 is LZW, lossless.
constexpr int kTiffLzw = 1;

std::vector<FormatInfo> MakeTable()
{
    using F = PictureFormat;
    return {
        {"JPG", {"jpg", "jpeg"}, true, F::Jpg, {"jpeg", kJpegQuality, -1, false, true}},
        {"BMP", {"bmp"}, true, F::Bmp, {"bmp", -1, -1, true}},
        {"PNG", {"png"}, true, F::Png, {"png", kPngQuality, -1, false, true}},
        {"TIF", {"tif", "tiff"}, true, F::Tif, {"tiff", -1, kTiffLzw, true, true}},
        {"GIF", {"gif"}, true, F::Gif, {}},
        {"HEIF", {"heic", "heif"}, false, std::nullopt, {}},
        {"AVIF", {"avif"}, false, std::nullopt, {}},
        {"WebP", {"webp"}, false, std::nullopt, {}},
        {"JPEG XL", {"jxl"}, false, std::nullopt, {}},
    };
}

QString Patterns(const QStringList& extensions)
{
    QStringList patterns;
    for (const QString& extension : extensions) patterns << QStringLiteral("*.") + extension;
    return patterns.join(QLatin1Char(' '));
}

// The extensions of the classic or of the newer formats, in table order or ordered by
// format name (the "all pictures" filter lists them so).
QStringList ExtensionsWhere(bool classic, bool byName)
{
    std::vector<FormatInfo> formats;
    for (const FormatInfo& info : PictureFormats())
        if (info.classic == classic) formats.push_back(info);
    if (byName)
        std::stable_sort(formats.begin(), formats.end(),
                         [](const FormatInfo& a, const FormatInfo& b) { return a.name < b.name; });
    QStringList extensions;
    for (const FormatInfo& info : formats) extensions << info.extensions;
    return extensions;
}

QString Translated(const char* text) { return QCoreApplication::translate("lumetra::PictureFormats", text); }

// "JPG files (*.jpg *.jpeg)", in the user's language.
QString FilesOf(const QString& name, const QString& patterns)
{
    return Translated(QT_TRANSLATE_NOOP("lumetra::PictureFormats", "%1 files (%2)")).arg(name, patterns);
}

}  // namespace

const std::vector<FormatInfo>& PictureFormats()
{
    static const std::vector<FormatInfo> table = MakeTable();
    return table;
}

const FormatInfo& InfoOf(PictureFormat format)
{
    for (const FormatInfo& info : PictureFormats())
        if (info.written == format) return info;
    return PictureFormats().front();
}

QString FormatExtension(PictureFormat format) { return InfoOf(format).extensions.first(); }

std::optional<PictureFormat> WrittenFormatOfExtension(const QString& extension)
{
    const QString lower = extension.toLower();
    for (const FormatInfo& info : PictureFormats())
        if (info.written && info.extensions.contains(lower)) return info.written;
    return std::nullopt;
}

std::optional<PictureFormat> FormatFromKey(const QString& path)
{
    const QString key = path.right(4).toLower();
    for (const FormatInfo& info : PictureFormats())
        if (info.written && key == QLatin1Char('.') + info.extensions.first()) return info.written;
    return std::nullopt;
}

bool HasPictureExtension(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const QString extension = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    for (const FormatInfo& info : PictureFormats())
        if (info.extensions.contains(extension)) return true;
    return false;
}

QStringList PicturePatterns()
{
    QStringList patterns;
    for (const FormatInfo& info : PictureFormats())
        for (const QString& extension : info.extensions) patterns << QStringLiteral("*.") + extension;
    return patterns;
}

QStringList OpenFilters()
{
    QStringList filters{Translated(QT_TRANSLATE_NOOP("lumetra::PictureFormats", "Images files (%1)"))
                            .arg(Patterns(ExtensionsWhere(true, true)))};
    for (const FormatInfo& info : PictureFormats())
        if (info.classic) filters << FilesOf(info.name, Patterns(info.extensions));
    filters << Translated(QT_TRANSLATE_NOOP("lumetra::PictureFormats", "Phone and web pictures (%1)"))
                   .arg(Patterns(ExtensionsWhere(false, false)));
    return filters;
}

QStringList SaveFilters()
{
    QStringList filters;
    for (const PictureFormat format : kWrittenFormats)
        filters << FilesOf(InfoOf(format).name, QStringLiteral("*.") + FormatExtension(format));
    return filters;
}

}  // namespace lumetra
