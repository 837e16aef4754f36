#include "imaging/photo_details.h"

#include <QCoreApplication>
#include <memory>

#include <exiv2/exiv2.hpp>
#include <mutex>

#include "imaging/png_exif_chunk.h"

namespace lumetra {

namespace {

// Date and time (with their fractions and zones), camera, artist and copyright.
constexpr const char* kKeptKeys[] = {
    "Exif.Image.DateTime",
    "Exif.Photo.DateTimeOriginal",
    "Exif.Photo.DateTimeDigitized",
    "Exif.Photo.SubSecTime",
    "Exif.Photo.SubSecTimeOriginal",
    "Exif.Photo.SubSecTimeDigitized",
    "Exif.Photo.OffsetTime",
    "Exif.Photo.OffsetTimeOriginal",
    "Exif.Photo.OffsetTimeDigitized",
    "Exif.Image.Make",
    "Exif.Image.Model",
    "Exif.Image.Artist",
    "Exif.Image.Copyright",
};

bool IsLocation(const Exiv2::Exifdatum& datum) { return datum.groupName() == "GPSInfo"; }

bool IsKept(const Exiv2::Exifdatum& datum)
{
    if (IsLocation(datum)) return true;
    const std::string key = datum.key();
    for (const char* kept : kKeptKeys)
        if (key == kept) return true;
    return false;
}

// exiv2 wants its XMP parser set up once before threads use it, reads HEIF, AVIF and
// JPEG XL only when asked, and would otherwise print its complaints about odd files.
void StartExiv2()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        Exiv2::enableBMFF(true);
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

QByteArray Encode(const Exiv2::ExifData& data)
{
    if (data.empty()) return {};
    Exiv2::Blob blob;
    Exiv2::ExifParser::encode(blob, Exiv2::littleEndian, data);
    return QByteArray(reinterpret_cast<const char*>(blob.data()), qsizetype(blob.size()));
}

Exiv2::ExifData Decode(const QByteArray& exif)
{
    Exiv2::ExifData data;
    Exiv2::ExifParser::decode(data, reinterpret_cast<const Exiv2::byte*>(exif.constData()), uint32_t(exif.size()));
    return data;
}

// A picture file in memory with its details read; exiv2 throws when it cannot.
std::unique_ptr<Exiv2::Image> Opened(const QByteArray& file)
{
    std::unique_ptr<Exiv2::Image> image(
        Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte*>(file.constData()), long(file.size())).release());
    image->readMetadata();
    return image;
}

QString NotAdded()
{
    return QCoreApplication::translate("lumetra::PictureWriter", "the photo details could not be added");
}

PhotoDetails Kept(const Exiv2::ExifData& data)
{
    Exiv2::ExifData kept;
    for (const Exiv2::Exifdatum& datum : data)
        if (IsKept(datum)) kept.add(datum);
    return {Encode(kept)};
}

}  // namespace

// A file or block exiv2 cannot make sense of simply has no details to keep.
PhotoDetails ReadPhotoDetails(const QByteArray& file)
{
    StartExiv2();
    try {
        return Kept(Opened(file)->exifData());
    } catch (...) {
        return {};
    }
}

PhotoDetails PhotoDetailsFromExif(const QByteArray& exif)
{
    StartExiv2();
    try {
        return Kept(Decode(exif));
    } catch (...) {
        return {};
    }
}

PhotoDetails DetailsForOutput(const PhotoDetails& source, const DetailsChoice& choice)
{
    if (choice.strip || source.Empty()) return {};
    StartExiv2();
    try {
        Exiv2::ExifData data = Decode(source.exif);
        for (auto datum = data.begin(); datum != data.end();)
            datum = !choice.keepLocation && IsLocation(*datum) ? data.erase(datum) : std::next(datum);
        if (data.empty()) return {};
        data["Exif.Image.Orientation"] = uint16_t(1);
        return {Encode(data)};
    } catch (...) {
        return {};
    }
}

QString EmbedPhotoDetails(QByteArray& encoded, const PhotoDetails& details)
{
    if (details.Empty()) return {};
    // exiv2 would write a PNG's details as a text chunk of hex digits, which few other
    // programs read; the standard chunk holds the block as it is.
    if (IsPng(encoded)) return AddPngExifChunk(encoded, details.exif) ? QString() : NotAdded();
    StartExiv2();
    try {
        const std::unique_ptr<Exiv2::Image> image = Opened(encoded);
        // Added to what the file holds: a TIFF keeps the entries that describe its pixels.
        Exiv2::ExifData& data = image->exifData();
        for (const Exiv2::Exifdatum& datum : Decode(details.exif)) data[datum.key()].setValue(&datum.value());
        image->writeMetadata();
        Exiv2::BasicIo& io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf bytes = io.read(io.size());
        if (bytes.size_ != long(io.size())) return NotAdded();
        encoded = QByteArray(reinterpret_cast<const char*>(bytes.pData_), qsizetype(bytes.size_));
        return {};
    } catch (const std::exception& error) {
        return QCoreApplication::translate("lumetra::PictureWriter", "the photo details could not be added (%1)")
            .arg(QString::fromLocal8Bit(error.what()));
    }
}

}  // namespace lumetra
