#include "imaging/picture_file.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QMutex>
#include <cmath>

#include "imaging/file_names.h"
#include "imaging/input_file.h"
#include "imaging/picture_damage.h"

namespace lumetra {

namespace {

QString ReadError(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot read \"%1\": %2").arg(ShownPath(path), reason);
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

// Why a picture could not be decoded, as near the cause as can be told: a file cut
// short, too little memory for its size, or else damage the decoder found.
QString DecodeFailure(const QImageReader& reader, const QByteArray& format, const QByteArray& file, QSize announced)
{
    if (const Shortfall shortfall = FindShortfall(format, file, {}); shortfall.cut)
        return QStringLiteral("the file is cut short: %1.").arg(DescribeShortfall(shortfall));
    if (announced.isValid() && QImage(announced, QImage::Format_ARGB32).isNull())
        return QStringLiteral("not enough memory to decode a picture of %1 x %2 pixels.")
            .arg(announced.width())
            .arg(announced.height());
    return reader.errorString() + QStringLiteral(" (the file is damaged or not a picture).");
}

}  // namespace

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
    InputBytes input = ReadInputFile(path);
    if (!input.refusal.isEmpty()) {
        result.error = ReadError(path, input.refusal + QLatin1Char('.'));
        return result;
    }
    QBuffer buffer(&input.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        result.error = ReadError(path, QStringLiteral("not a picture in a known format (BMP, GIF, JPEG, PNG or TIFF)."));
        return result;
    }
    const QByteArray format = reader.format();
    const QSize announced = reader.size();
    if (announced.isValid()) {
        QString reason = SizeLimitError(announced, limits.maxMegapixels);
        if (reason.isEmpty())
            reason = ImpossibleDensity(format, announced, input.bytes.size());
        if (!reason.isEmpty()) {
            result.error = ReadError(path, reason);
            return result;
        }
    }
    AllowDecoding(limits.maxMegapixels);

    QImage image = reader.read();
    if (image.isNull()) {
        result.error = ReadError(path, DecodeFailure(reader, format, input.bytes, announced));
        return result;
    }
    if (const QString reason = SizeLimitError(image.size(), limits.maxMegapixels); !reason.isEmpty()) {
        result.error = ReadError(path, reason);
        return result;
    }
    if (const Shortfall shortfall = FindShortfall(format, input.bytes, image); shortfall.cut)
        result.warning = QStringLiteral("Warning: \"%1\" is cut short: %2.").arg(ShownPath(path), DescribeShortfall(shortfall));
    input.bytes.clear();
    result.image = ToOpaqueRgb32(image);
    // Pixels are used as stored; an embedded colour profile is not applied, and is not
    // kept, so that a picture equals its pixels wherever it came from.
    result.image.setColorSpace(QColorSpace());
    if (result.image.isNull())
        result.error = ReadError(path, QStringLiteral("not enough memory to convert the picture."));
    return result;
}

}  // namespace lumetra
