// Writing picture files: every format goes through WriteFileAtomically, so a picture
// is either written whole or the old file stays.

#include <QImageWriter>

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
    if (opaque.isNull())
        return QStringLiteral("not enough memory to prepare the picture");
    if (!writer.write(opaque))
        return writer.errorString();
    return {};
}

}  // namespace

QString WritePicture(const QImage& image, const QString& path, PictureFormat format)
{
    if (image.isNull())
        return CannotWriteMessage(path, QStringLiteral("there is no picture to write"));
    QImage rgb32 = ToOpaqueRgb32(image);
    // A new QImage takes its resolution from the screen, so the same picture would be
    // written differently by the window and by lumetra-cli: always record 96 dpi.
    rgb32.setDotsPerMeterX(kDotsPerMeter96Dpi);
    rgb32.setDotsPerMeterY(kDotsPerMeter96Dpi);

    const WriterSettings& settings = InfoOf(format).writer;
    return WriteFileAtomically(path, [&](QIODevice& file) {
        return settings.qtFormat.isEmpty() ? EncodeGif(rgb32, file) : EncodeWithQt(rgb32, file, settings);
    });
}

}  // namespace lumetra
