#include "imaging/output_plan.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "imaging/output_names.h"

namespace lumetra {

QList<PlannedOutput> PlanOutputs(const QList<BatchInput>& inputs, const QString& folder, PictureFormat format)
{
    const QString extension = QLatin1Char('.') + FormatExtension(format);
    QList<PlannedOutput> planned;
    QSet<QString> taken;
    for (const BatchInput& input : inputs) {
        const QDir target(QDir(folder).filePath(input.subFolder));
        const QString base = GetBaseName(input.path);
        PlannedOutput output{QDir::cleanPath(target.filePath(base + extension)), false};
        for (int copy = 2; taken.contains(output.path); ++copy)
            output = {QDir::cleanPath(target.filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(copy).arg(extension))),
                      true};
        taken.insert(output.path);
        planned.append(output);
    }
    return planned;
}

bool IsUpToDate(const QString& input, const QString& output)
{
    const QFileInfo written(output);
    const QFileInfo source(input);
    return written.isFile() && source.exists() && written.lastModified() > source.lastModified();
}

}  // namespace lumetra
