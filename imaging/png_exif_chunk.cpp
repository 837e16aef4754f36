#include "imaging/png_exif_chunk.h"

#include <QtEndian>
#include <libdeflate.h>

namespace lumetra {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype kSignatureSize = 8;
constexpr qsizetype kHeaderChunkEnd = kSignatureSize + 4 + 4 + 13 + 4;  // length, type, fields, CRC

QByteArray BigEndian32(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

}  // namespace

bool IsPng(const QByteArray& file) { return file.startsWith(QByteArray(kSignature, kSignatureSize)); }

bool AddPngExifChunk(QByteArray& png, const QByteArray& exif)
{
    if (!IsPng(png) || png.size() < kHeaderChunkEnd || png.mid(kSignatureSize + 4, 4) != "IHDR") return false;
    const QByteArray typeAndData = QByteArrayLiteral("eXIf") + exif;
    const quint32 crc = libdeflate_crc32(0, typeAndData.constData(), size_t(typeAndData.size()));
    png.insert(kHeaderChunkEnd, BigEndian32(quint32(exif.size())) + typeAndData + BigEndian32(crc));
    return true;
}

}  // namespace lumetra
