#pragma once
// What a picture file's own structure says about its pixel data, found without
// decoding it: whether the header claims more pixels than the data could possibly hold
// (a few bytes that would unpack to gigabytes), and how many pixel rows are missing
// from a file cut short.

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace lumetra {

// Why a header that announces size is not believed for a file of bytes bytes, or "".
// Only formats whose compression cannot reach that density are judged: JPEG and BMP
// (at most 1,000 pixels per byte) and GIF (at most 3,000: one 12-bit code stands for
// no more than 4,096 pixels). format is QImageReader's name of the format.
QString ImpossibleDensity(const QByteArray& format, QSize size, qint64 bytes);

struct Shortfall {
    bool cut = false;     // the data ends before the picture does
    int missingRows = 0;  // pixel rows the data does not reach (0 when not known)
    int totalRows = 0;
};

// Whether the file's data stops short of what its header promises, and by how many
// rows. file holds the whole file; decoded is the picture as the decoder made it, or
// null (a JPEG decoder fills a missing end grey, which shows how much is missing).
Shortfall FindShortfall(const QByteArray& format, const QByteArray& file, const QImage& decoded);

// Paints black the rows a cut-short BMP's data does not reach: the decoder leaves them
// as the memory it took held them, which may be another picture's pixels.
void BlackenMissingBmpRows(const QByteArray& file, const Shortfall& shortfall, QImage& decoded);

// "N of its H pixel rows are missing" or, when the rows are not known, "part of the
// picture is missing".
QString DescribeShortfall(const Shortfall& shortfall);

}  // namespace lumetra
