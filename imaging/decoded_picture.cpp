#include "imaging/decoded_picture.h"

#include <QCoreApplication>

namespace lumetra {

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
