#include "exif_files.h"

#include <QFile>
#include <exiv2/exiv2.hpp>

namespace lumetra::test {

namespace {

Exiv2::ExifData CameraDetails()
{
    Exiv2::ExifData data;
    data["Exif.Image.Make"] = "Makerco";
    data["Exif.Image.Model"] = "Model 7";
    data["Exif.Image.Artist"] = "A. Tester";
    data["Exif.Image.Copyright"] = "Copyright A. Tester";
    data["Exif.Image.Software"] = "Some Editor 2";
    data["Exif.Image.Orientation"] = uint16_t(6);
    data["Exif.Photo.DateTimeOriginal"] = "2024:07:14 09:30:12";
    data["Exif.Image.DateTime"] = "2024:07:15 18:00:00";
    data["Exif.GPSInfo.GPSLatitudeRef"] = "N";
    data["Exif.GPSInfo.GPSLatitude"] = "48/1 51/1 2964/100";
    data["Exif.GPSInfo.GPSLongitudeRef"] = "E";
    data["Exif.GPSInfo.GPSLongitude"] = "2/1 17/1 4020/100";
    // A tiny JPEG as the thumbnail; exiv2 only stores its bytes.
    const Exiv2::byte thumbnail[] = {0xFF, 0xD8, 0xFF, 0xD9};
    Exiv2::ExifThumb(data).setJpegThumbnail(thumbnail, long(sizeof thumbnail));
    return data;
}

}  // namespace

QByteArray WithCameraDetails(const QByteArray& encoded)
{
    const Exiv2::Image::AutoPtr image =
        Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(encoded.constData()), long(encoded.size()));
    image->readMetadata();
    for (const Exiv2::Exifdatum& datum : CameraDetails()) image->exifData()[datum.key()].setValue(&datum.value());
    image->writeMetadata();
    Exiv2::BasicIo& io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    const Exiv2::DataBuf bytes = io.read(io.size());
    return QByteArray(reinterpret_cast<const char*>(bytes.pData_), qsizetype(bytes.size_));
}

QByteArray CameraExifBlock()
{
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, CameraDetails());
    return QByteArray(reinterpret_cast<const char*>(blob.data()), qsizetype(blob.size()));
}

QMap<QString, QString> ExifOf(const QString& path)
{
    Exiv2::enableBMFF(true);
    const Exiv2::Image::AutoPtr image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    QMap<QString, QString> entries;
    for (const Exiv2::Exifdatum& datum : image->exifData())
        entries.insert(QString::fromStdString(datum.key()), QString::fromStdString(datum.toString()));
    return entries;
}

}  // namespace lumetra::test
