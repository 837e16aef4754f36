// Writing picture files: every format goes through WriteFileAtomically, so a picture
// is either written whole or the old file stays.

#include <QImageWriter>

#include "imaging/atomic_file.h"
#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"

namespace lumetra {

namespace {

constexpr int kJpegQuality = 90;
// Qt maps PNG quality q to zlib level (100 - q) * 9 / 91: 70 gives level 2, fast
// with a size close to the slower levels.
constexpr int kPngQuality = 70;
// Qt's TIFF writer: 1 is LZW, lossless.
constexpr int kTiffLzw = 1;
constexpr int kDotsPerMeter96Dpi = 3780;

QString EncodeWithQt(const QImage& rgb32, QIODevice& device, PictureFormat format)
{
    QImageWriter writer(&device, QByteArray());
    switch (format) {
    case PictureFormat::Jpg:
        writer.setFormat("jpeg");
        writer.setQuality(kJpegQuality);
        break;
    case PictureFormat::Png:
        writer.setFormat("png");
        writer.setQuality(kPngQuality);
        break;
    case PictureFormat::Tif:
        writer.setFormat("tiff");
        writer.setCompression(kTiffLzw);
        break;
    case PictureFormat::Bmp:
        writer.setFormat("bmp");
        break;
    case PictureFormat::Gif:
        return QStringLiteral("GIF is not written by Qt");
    }
    // 24-bit RGB: no alpha channel reaches the file.
    const QImage opaque = format == PictureFormat::Bmp || format == PictureFormat::Tif
                              ? rgb32.convertToFormat(QImage::Format_RGB888)
                              : rgb32;
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

    return WriteFileAtomically(path, [&](QIODevice& file) {
        return format == PictureFormat::Gif ? EncodeGif(rgb32, file) : EncodeWithQt(rgb32, file, format);
    });
}

}  // namespace lumetra
