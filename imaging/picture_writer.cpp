// Writing picture files: every format goes through WriteFileAtomically, so a picture
// is either written whole or the old file stays.

#include <QBuffer>
#include <QImageWriter>
#include <utility>

#include "imaging/atomic_file.h"
#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"

namespace lumetra {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

QString EncodeWithQt(const QImage& rgb32, QIODevice& device, const WriterSettings& settings)
{
    QImageWriter writer(&device, settings.qtFormat);
    writer.setQuality(settings.quality);
    writer.setCompression(settings.compression);
    // 24-bit RGB: no alpha channel reaches the file.
    const QImage opaque = settings.threeBytePixels ? rgb32.convertToFormat(QImage::Format_RGB888) : rgb32;
    if (opaque.isNull()) return QStringLiteral("not enough memory to prepare the picture");
    if (!writer.write(opaque)) return writer.errorString();
    return {};
}

QString Encode(const QImage& rgb32, QIODevice& device, PictureFormat format)
{
    const WriterSettings& settings = InfoOf(format).writer;
    return settings.qtFormat.isEmpty() ? EncodeGif(rgb32, device) : EncodeWithQt(rgb32, device, settings);
}

// Encodes in memory, adds the details, then writes the whole file.
QString EncodeWithDetails(const QImage& rgb32, QIODevice& device, PictureFormat format, const PhotoDetails& details)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (QString reason = Encode(rgb32, buffer, format); !reason.isEmpty()) return reason;
    QByteArray bytes = std::move(buffer.buffer());
    if (QString reason = EmbedPhotoDetails(bytes, details); !reason.isEmpty()) return reason;
    if (device.write(bytes) != bytes.size()) return device.errorString();
    return {};
}

}  // namespace

Encoder PictureEncoder(const QImage& image, PictureFormat format, const PhotoDetails& details)
{
    if (image.isNull()) return [](QIODevice&) { return QStringLiteral("there is no picture to write"); };
    QImage rgb32 = ToOpaqueRgb32(image);
    // A new QImage takes its resolution from the screen, so the same picture would be
    // written differently by the window and by lumetra-cli: always record 96 dpi.
    rgb32.setDotsPerMeterX(kDotsPerMeter96Dpi);
    rgb32.setDotsPerMeterY(kDotsPerMeter96Dpi);

    // The details are added after encoding and before the rename, so a failure leaves
    // the old file in place.
    const bool withDetails = !details.Empty() && InfoOf(format).writer.photoDetails;
    return [rgb32, format, details, withDetails](QIODevice& file) {
        return withDetails ? EncodeWithDetails(rgb32, file, format, details) : Encode(rgb32, file, format);
    };
}

QString WritePicture(const QImage& image, const QString& path, PictureFormat format, const PhotoDetails& details)
{
    if (image.isNull()) return CannotWriteMessage(path, QStringLiteral("there is no picture to write"));
    return WriteFileAtomically(path, PictureEncoder(image, format, details));
}

}  // namespace lumetra
