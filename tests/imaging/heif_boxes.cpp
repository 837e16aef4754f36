#include "heif_boxes.h"

#include <QList>
#include <optional>

namespace lumetra::test {

namespace {

struct Box {
    qsizetype start = 0;  // of its size field
    qsizetype end = 0;
    QByteArray type;
};

// Big-endian unsigned integers of 0 to 8 bytes.
quint64 Read(const QByteArray& bytes, qsizetype at, int size)
{
    quint64 value = 0;
    for (int i = 0; i < size; ++i) value = value << 8 | quint8(bytes[at + i]);
    return value;
}

void Write(QByteArray& bytes, qsizetype at, int size, quint64 value)
{
    for (int i = size - 1; i >= 0; --i, value >>= 8) bytes[at + i] = char(value & 0xFF);
}

void Grow(QByteArray& bytes, const Box& box, qsizetype added)
{
    Write(bytes, box.start, 4, Read(bytes, box.start, 4) + quint64(added));
}

// The boxes from `from` to `to`; none when one of them runs past the end.
QList<Box> Children(const QByteArray& bytes, qsizetype from, qsizetype to)
{
    QList<Box> boxes;
    while (from + 8 <= to) {
        const qsizetype size = qsizetype(Read(bytes, from, 4));
        if (size < 8 || from + size > to) return {};
        boxes.append({from, from + size, bytes.mid(from + 4, 4)});
        from += size;
    }
    return boxes;
}

std::optional<Box> Find(const QList<Box>& boxes, const char* type)
{
    for (const Box& box : boxes)
        if (box.type == type) return box;
    return std::nullopt;
}

// Moves every file offset of 'iloc' at or after `from` by `by` bytes (items stored in
// the file itself, not in 'idat').
void MoveOffsets(QByteArray& bytes, const Box& iloc, qsizetype from, qsizetype by)
{
    const int version = quint8(bytes[iloc.start + 8]);
    qsizetype at = iloc.start + 12;
    const int offsetSize = quint8(bytes[at]) >> 4;
    const int lengthSize = quint8(bytes[at]) & 15;
    const int baseSize = quint8(bytes[at + 1]) >> 4;
    const int indexSize = version > 0 ? quint8(bytes[at + 1]) & 15 : 0;
    at += 2;
    const int idSize = version < 2 ? 2 : 4;
    const quint64 items = Read(bytes, at, idSize);
    at += idSize;
    const auto move = [&](qsizetype position, int size) {
        const quint64 offset = Read(bytes, position, size);
        if (size > 0 && offset >= quint64(from)) Write(bytes, position, size, offset + quint64(by));
    };
    for (quint64 item = 0; item < items; ++item) {
        at += idSize;
        const int method = version > 0 ? int(Read(bytes, at, 2) & 15) : 0;
        at += (version > 0 ? 2 : 0) + 2;  // construction method, data reference index
        const qsizetype base = at;
        at += baseSize;
        const quint64 extents = Read(bytes, at, 2);
        at += 2;
        if (method == 0 && baseSize > 0) move(base, baseSize);
        for (quint64 extent = 0; extent < extents; ++extent) {
            at += indexSize;
            if (method == 0 && baseSize == 0) move(at, offsetSize);
            at += offsetSize + lengthSize;
        }
    }
}

}  // namespace

QByteArray WithRotation(const QByteArray& heif, int quarterTurns)
{
    const std::optional<Box> meta = Find(Children(heif, 0, heif.size()), "meta");
    if (!meta) return {};
    const QList<Box> inMeta = Children(heif, meta->start + 12, meta->end);
    const std::optional<Box> pitm = Find(inMeta, "pitm");
    const std::optional<Box> iloc = Find(inMeta, "iloc");
    const std::optional<Box> iprp = Find(inMeta, "iprp");
    if (!pitm || !iloc || !iprp) return {};
    const QList<Box> inIprp = Children(heif, iprp->start + 8, iprp->end);
    const std::optional<Box> ipco = Find(inIprp, "ipco");
    const std::optional<Box> ipma = Find(inIprp, "ipma");
    if (!ipco || !ipma || ipma->start < ipco->end) return {};
    const quint64 primary = Read(heif, pitm->start + 12, heif[pitm->start + 8] == 0 ? 2 : 4);

    // The primary image's entry in 'ipma': its association count and where its list ends.
    const int ipmaVersion = quint8(heif[ipma->start + 8]);
    const bool wideIndexes = (Read(heif, ipma->start + 9, 3) & 1) != 0;
    qsizetype at = ipma->start + 12;
    const quint64 entries = Read(heif, at, 4);
    at += 4;
    qsizetype countAt = -1;
    qsizetype listEnd = -1;
    for (quint64 entry = 0; entry < entries && at < ipma->end; ++entry) {
        const int idSize = ipmaVersion < 1 ? 2 : 4;
        const quint64 item = Read(heif, at, idSize);
        at += idSize;
        const int count = quint8(heif[at]);
        at += 1 + qsizetype(count) * (wideIndexes ? 2 : 1);
        if (item == primary) {
            countAt = at - 1 - qsizetype(count) * (wideIndexes ? 2 : 1);
            listEnd = at;
        }
    }
    if (countAt < 0) return {};

    // The new property comes last in 'ipco' and is marked essential for the image.
    const quint64 index = quint64(Children(heif, ipco->start + 8, ipco->end).size()) + 1;
    QByteArray association(wideIndexes ? 2 : 1, '\0');
    Write(association, 0, int(association.size()), (wideIndexes ? 0x8000 : 0x80) | index);
    QByteArray irot("\0\0\0\x09irot", 8);
    irot.append(char(quarterTurns & 3));

    QByteArray turned = heif;
    const qsizetype added = irot.size() + association.size();
    MoveOffsets(turned, *iloc, meta->end, added);
    Grow(turned, *meta, added);
    Grow(turned, *iprp, added);
    Grow(turned, *ipco, irot.size());
    Grow(turned, *ipma, association.size());
    turned[countAt] = char(quint8(turned[countAt]) + 1);
    turned.insert(listEnd, association);
    turned.insert(ipco->end, irot);
    return turned;
}

}  // namespace lumetra::test
