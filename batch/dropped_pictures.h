#pragma once
// What a drop onto the batch list adds: each dropped file, and the pictures of each
// dropped folder with its sub-folders (their outputs then mirror the folders).

#include <QList>

#include "imaging/batch_inputs.h"

class QMimeData;

namespace lumetra {

// Whether the drop carries local files or folders at all.
bool CarriesLocalFiles(const QMimeData& data);

// The dropped files and the pictures found in the dropped folders, in drop order.
// Files are not checked here: the list refuses what it does not accept.
QList<BatchInput> DroppedPictures(const QMimeData& data);

}  // namespace lumetra
