#include "imaging/picture_file.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImageReader>
#include <QMutex>
#include <cmath>
#include <utility>

#include "imaging/file_names.h"
#include "imaging/heif_decoder.h"
#include "imaging/jxl_decoder.h"
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

// Formats Qt reads (BMP, GIF, JPEG, PNG, TIFF and WebP), recognised by their contents.
// A picture read whole but cut short sets warning.
DecodedPicture DecodeWithQt(QByteArray& file, const QString& path, const ReadLimits& limits, QString& warning)
{
    DecodedPicture decoded;
    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        decoded.reason = QStringLiteral(
            "not a picture in a known format (BMP, GIF, JPEG, PNG, TIFF, HEIC/HEIF, AVIF, WebP or JPEG XL).");
        return decoded;
    }
    const QByteArray format = reader.format();
    const QSize announced = reader.size();
    if (announced.isValid()) {
        decoded.reason = SizeLimitReason(announced, limits.maxMegapixels);
        if (decoded.reason.isEmpty()) decoded.reason = ImpossibleDensity(format, announced, file.size());
        if (!decoded.reason.isEmpty()) return decoded;
    }
    AllowDecoding(limits.maxMegapixels);
    decoded.image = reader.read();
    if (decoded.image.isNull()) {
        decoded.reason = DecodeFailure(reader, format, file, announced);
        return decoded;
    }
    const Shortfall shortfall = FindShortfall(format, file, decoded.image);
    if (format == "bmp") BlackenMissingBmpRows(file, shortfall, decoded.image);
    if (shortfall.cut)
        warning =
            QStringLiteral("Warning: \"%1\" is cut short: %2.").arg(ShownPath(path), DescribeShortfall(shortfall));
    return decoded;
}

// HEIF/AVIF and JPEG XL go to their own decoders, everything else to Qt's readers.
DecodedPicture Decode(QByteArray& file, const QString& path, const ReadLimits& limits, QString& warning)
{
    if (LooksLikeHeif(file)) return DecodeHeif(file, limits.maxMegapixels);
    if (LooksLikeJxl(file)) return DecodeJxl(file, limits.maxMegapixels);
    return DecodeWithQt(file, path, limits, warning);
}

// A picture that names a colour space other than sRGB is converted to sRGB, so the
// effects see the colours a viewer shows. Without one, or in sRGB, it stays as it is.
QImage InSrgb(QImage image)
{
    const QColorSpace space = image.colorSpace();
    if (!space.isValid() || (space.primaries() == QColorSpace::Primaries::SRgb &&
                             space.transferFunction() == QColorSpace::TransferFunction::SRgb))
        return image;
    const QImage::Format working = image.depth() > 32        ? QImage::Format_RGBA64
                                   : image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                             : QImage::Format_RGB32;
    image = image.convertToFormat(working);
    image.convertToColorSpace(QColorSpace::SRgb);
    return image;
}

}  // namespace

QImage ToOpaqueRgb32(const QImage& image)
{
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_RGB32);
    QImage premultiplied = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < premultiplied.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(premultiplied.scanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x) row[x] |= 0xFF000000u;
    }
    premultiplied.reinterpretAsFormat(QImage::Format_RGB32);
    return premultiplied;
}

ReadResult ReadPicture(const QString& path, const ReadLimits& limits)
{
    return ReadPicture(ReadInputFile(path), path, limits);
}

ReadResult ReadPicture(InputBytes input, const QString& path, const ReadLimits& limits)
{
    ReadResult result;
    if (!input.refusal.isEmpty()) {
        result.error = ReadError(path, input.refusal + QLatin1Char('.'));
        return result;
    }
    DecodedPicture decoded = Decode(input.bytes, path, limits, result.warning);
    if (decoded.reason.isEmpty()) decoded.reason = SizeLimitReason(decoded.image.size(), limits.maxMegapixels);
    if (!decoded.reason.isEmpty()) {
        result.warning.clear();
        result.error = ReadError(path, decoded.reason);
        return result;
    }
    result.details = decoded.exif.isEmpty() ? ReadPhotoDetails(input.bytes) : PhotoDetailsFromExif(decoded.exif);
    input.bytes.clear();
    result.image = ToOpaqueRgb32(InSrgb(std::move(decoded.image)));
    // The pixels are sRGB now (or taken as sRGB when the file gives no profile); the
    // picture carries no colour space, so that it equals its pixels wherever it came from.
    result.image.setColorSpace(QColorSpace());
    if (result.image.isNull())
        result.error = ReadError(path, QStringLiteral("not enough memory to convert the picture."));
    return result;
}

}  // namespace lumetra
