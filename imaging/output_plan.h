#pragma once
// Where each input of a batch writes, with no two inputs of one run writing the same
// file: the first in the list keeps the plain name, a later one that would land on a
// name already given gets "name (2).ext", "name (3).ext", ...

#include <QList>
#include <QString>

#include "imaging/batch_inputs.h"
#include "imaging/picture_file.h"

namespace lumetra {

struct PlannedOutput {
    QString path;
    bool renamed = false;  // the plain name was taken by an earlier input of the run
};

// One output per input, in the same order: folder/<sub-folder>/<base name>.<format extension>.
QList<PlannedOutput> PlanOutputs(const QList<BatchInput>& inputs, const QString& folder, PictureFormat format);

// Whether output exists and was written after input was last changed, so converting
// input again would give nothing new.
bool IsUpToDate(const QString& input, const QString& output);

}  // namespace lumetra
