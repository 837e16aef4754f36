#pragma once
// The picture-file formats the program knows, in one table: their names, extensions,
// dialog filters, whether they are written, and how. Every rule about file names and
// formats is derived from it.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace lumetra {

// The formats pictures are written in.
enum class PictureFormat { Jpg, Png, Gif, Tif, Bmp };

// The written formats in the order the save dialog and the batch's format list offer them.
inline constexpr std::array<PictureFormat, 5> kWrittenFormats{
    PictureFormat::Jpg, PictureFormat::Png, PictureFormat::Gif, PictureFormat::Tif, PictureFormat::Bmp};

// How a written format is encoded: Qt's writer of that name with these settings, or,
// with no name, an encoder of the program's own.
struct WriterSettings {
    QByteArray qtFormat;
    int quality = -1;              // -1: Qt's default
    int compression = -1;          // -1: Qt's default
    bool threeBytePixels = false;  // write 24-bit RGB rather than 32-bit
    bool photoDetails = false;     // the file carries the source photo's details (EXIF)
};

struct FormatInfo {
    QString name;            // "JPG": the name in the dialog filters and the batch's format list
    QStringList extensions;  // lower case, without the dot; the first is the one written
    bool classic;            // one of the five formats every open dialog lists one by one
    std::optional<PictureFormat> written;
    WriterSettings writer;
};

// Every format read, classic ones first in the order of the open dialogs' filters.
const std::vector<FormatInfo>& PictureFormats();

const FormatInfo& InfoOf(PictureFormat format);

// "jpg", "png", "gif", "tif" or "bmp".
QString FormatExtension(PictureFormat format);

// The written format whose extension this is (any letter case, without the dot).
std::optional<PictureFormat> WrittenFormatOfExtension(const QString& extension);

// The save format chosen by a path's lower-cased last four characters: ".jpg",
// ".png", ".gif", ".tif" or ".bmp". Anything else (".jpeg", ".tiff") has none.
std::optional<PictureFormat> FormatFromKey(const QString& path);

// Whether the file name's extension (the text after its last dot; the whole name
// without one) is one of a format that is read, in any letter case.
bool HasPictureExtension(const QString& path);

// "*.bmp", "*.gif", ...: a pattern for every extension that is read.
QStringList PicturePatterns();

// The filters of the open dialogs, in the user's language: all classic formats, each
// classic format, then the newer formats together.
QStringList OpenFilters();

// The filters of the save dialog, in the user's language, one per written format.
QStringList SaveFilters();

}  // namespace lumetra
