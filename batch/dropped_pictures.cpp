#include "batch/dropped_pictures.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace lumetra {

bool CarriesLocalFiles(const QMimeData& data)
{
    for (const QUrl& url : data.urls())
        if (url.isLocalFile()) return true;
    return false;
}

QList<BatchInput> DroppedPictures(const QMimeData& data)
{
    QList<BatchInput> pictures;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isDir())
            pictures += FindPictures(path, true);
        else
            pictures.append({path, {}});
    }
    return pictures;
}

}  // namespace lumetra
