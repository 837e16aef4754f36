#include "imaging/picture_file.h"

#include <QColorSpace>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMutex>
#include <cmath>

namespace lumetra {

namespace {

QString ReadError(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot read \"%1\": %2").arg(QDir::toNativeSeparators(path), reason);
}

// QImageReader refuses to allocate more than a global limit. Raise it once so that
// every picture within the megapixel limit can be decoded, even at 16 bits per
// channel with alpha (8 bytes per pixel).
void AllowDecoding(double maxMegapixels)
{
    static QMutex mutex;
    const QMutexLocker lock(&mutex);
    const double neededMb = std::ceil(maxMegapixels * 1e6 * 8.0 / (1024.0 * 1024.0)) + 16.0;
    const int needed = neededMb > 1e9 ? 1000000000 : static_cast<int>(neededMb);
    if (QImageReader::allocationLimit() != 0 && QImageReader::allocationLimit() < needed)
        QImageReader::setAllocationLimit(needed);
}

QString CheckFileBeforeReading(const QFileInfo& info)
{
    if (!info.exists())
        return QStringLiteral("the file does not exist.");
    if (info.isDir())
        return QStringLiteral("it is a folder, not a picture file.");
    if (!info.isReadable())
        return QStringLiteral("permission denied.");
    if (info.size() == 0)
        return QStringLiteral("the file is empty.");
    return {};
}

QString SizeLimitError(QSize size, double maxMegapixels)
{
    const double megapixels = double(size.width()) * double(size.height()) / 1e6;
    if (megapixels <= maxMegapixels)
        return {};
    return QStringLiteral("the picture is %1 x %2 pixels (%3 megapixels), more than the limit of %4 megapixels.")
        .arg(size.width())
        .arg(size.height())
        .arg(megapixels, 0, 'f', 1)
        .arg(maxMegapixels);
}

// A complete JPEG ends with the end-of-image marker FF D9, possibly followed by a
// little padding. Its absence means the file was cut short.
bool JpegLooksTruncated(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 tail = qMin<qint64>(file.size(), 1024);
    file.seek(file.size() - tail);
    return !file.read(tail).contains(QByteArray("\xFF\xD9", 2));
}

}  // namespace

std::optional<PictureFormat> FormatFromKey(const QString& path)
{
    const QString key = path.right(4).toLower();
    if (key == QLatin1String(".jpg"))
        return PictureFormat::Jpg;
    if (key == QLatin1String(".png"))
        return PictureFormat::Png;
    if (key == QLatin1String(".gif"))
        return PictureFormat::Gif;
    if (key == QLatin1String(".tif") || key == QLatin1String("tiff"))
        return PictureFormat::Tif;
    if (key == QLatin1String(".bmp"))
        return PictureFormat::Bmp;
    return std::nullopt;
}

QString FormatExtension(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Jpg: return QStringLiteral("jpg");
    case PictureFormat::Png: return QStringLiteral("png");
    case PictureFormat::Gif: return QStringLiteral("gif");
    case PictureFormat::Tif: return QStringLiteral("tif");
    case PictureFormat::Bmp: return QStringLiteral("bmp");
    }
    return {};
}

QImage ToOpaqueRgb32(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < premultiplied.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(premultiplied.scanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x)
            row[x] |= 0xFF000000u;
    }
    premultiplied.reinterpretAsFormat(QImage::Format_RGB32);
    return premultiplied;
}

ReadResult ReadPicture(const QString& path, const ReadLimits& limits)
{
    ReadResult result;
    if (const QString reason = CheckFileBeforeReading(QFileInfo(path)); !reason.isEmpty()) {
        result.error = ReadError(path, reason);
        return result;
    }

    QImageReader reader(path);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        result.error = ReadError(path, QStringLiteral("not a picture in a known format (BMP, GIF, JPEG, PNG or TIFF)."));
        return result;
    }
    const QSize announced = reader.size();
    if (announced.isValid()) {
        if (const QString reason = SizeLimitError(announced, limits.maxMegapixels); !reason.isEmpty()) {
            result.error = ReadError(path, reason);
            return result;
        }
    }
    AllowDecoding(limits.maxMegapixels);
    const QByteArray format = reader.format();

    QImage image = reader.read();
    if (image.isNull()) {
        result.error = ReadError(path, reader.errorString() + QStringLiteral(" (the file is damaged or not a picture)."));
        return result;
    }
    if (const QString reason = SizeLimitError(image.size(), limits.maxMegapixels); !reason.isEmpty()) {
        result.error = ReadError(path, reason);
        return result;
    }
    if (format == "jpeg" && JpegLooksTruncated(path))
        result.warning = QStringLiteral("Warning: \"%1\" is cut short; the missing part of the picture is grey.")
                             .arg(QDir::toNativeSeparators(path));
    result.image = ToOpaqueRgb32(image);
    // Pixels are used as stored; an embedded colour profile is not applied, and is not
    // kept, so that a picture equals its pixels wherever it came from.
    result.image.setColorSpace(QColorSpace());
    if (result.image.isNull())
        result.error = ReadError(path, QStringLiteral("not enough memory to convert the picture."));
    return result;
}

}  // namespace lumetra
