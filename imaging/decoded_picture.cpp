#include "imaging/decoded_picture.h"

#include <QCoreApplication>
#include <QtEndian>

namespace lumetra {

QByteArray ExifAfterOffset(const QByteArray& item)
{
    if (item.size() < 4) return {};
    const quint32 offset = qFromBigEndian<quint32>(item.constData());
    return offset < quint32(item.size() - 4) ? item.mid(4 + qsizetype(offset)) : QByteArray();
}

DecodedPicture NotDecoded(const QString& reason)
{
    DecodedPicture decoded;
    decoded.reason = reason;
    return decoded;
}

QString NoMemoryReason()
{
    return QCoreApplication::translate("lumetra::PictureReader", "not enough memory to read the picture.");
}

QString DamagedReason()
{
    return QCoreApplication::translate("lumetra::PictureReader", "the file is damaged or not a picture.");
}

}  // namespace lumetra
