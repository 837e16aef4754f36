#pragma once
// The details a photo records about itself (EXIF) that pictures made from it keep:
// when it was taken, the camera's make and model, the artist and the copyright, and
// the GPS position only when the user asks for it. Read and written through exiv2.

#include <QByteArray>
#include <QString>

namespace lumetra {

struct PhotoDetails {
    QByteArray exif;  // the kept entries as an EXIF block (TIFF layout); empty: none
    bool Empty() const { return exif.isEmpty(); }
};

// What a run writes of the source's details.
struct DetailsChoice {
    bool keepLocation = false;  // keep the GPS position
    bool strip = false;         // write no details at all
};

// The details worth keeping from a picture file's bytes, of any format exiv2 knows
// (JPEG, PNG with an 'eXIf' chunk or a raw-profile text chunk, TIFF, WebP, HEIF, AVIF,
// JPEG XL with an uncompressed EXIF box); none when it has none or they cannot be read.
PhotoDetails ReadPhotoDetails(const QByteArray& file);

// The details worth keeping from an EXIF block (TIFF header first).
PhotoDetails PhotoDetailsFromExif(const QByteArray& exif);

// The details an output gets: none when stripped; the position only when kept; the
// orientation reset to upright, since the pixels were turned on reading.
PhotoDetails DetailsForOutput(const PhotoDetails& source, const DetailsChoice& choice);

// Adds the details to an encoded JPEG, PNG or TIFF in memory (a PNG gets them in its
// standard 'eXIf' chunk). Returns "" on success, otherwise the reason.
QString EmbedPhotoDetails(QByteArray& encoded, const PhotoDetails& details);

}  // namespace lumetra
