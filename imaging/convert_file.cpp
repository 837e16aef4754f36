#include "imaging/convert_file.h"

#include <QDir>
#include <QFileInfo>
#include <new>

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "engine/resize.h"
#include "imaging/output_names.h"
#include "imaging/plane_transfer.h"

namespace lumetra {

namespace {

// The names a path is known by: as written (made absolute) and, when it exists,
// with links resolved.
QStringList PathIdentities(const QString& path)
{
    const QFileInfo info(path);
    QStringList names{QDir::cleanPath(info.absoluteFilePath())};
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        names.append(canonical);
    return names;
}

bool IsOneOf(const QString& path, const QSet<QString>& inputs)
{
    const QStringList target = PathIdentities(path);
    for (const QString& input : inputs)
        for (const QString& name : PathIdentities(input))
            if (target.contains(name))
                return true;
    return false;
}

ConvertResult Failure(ConvertResult result, const QString& message)
{
    result.ok = false;
    result.message = message;
    return result;
}

QString Native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

}  // namespace

ConvertResult ConvertFile(const ConvertJob& job)
{
    ConvertResult result;
    result.outputPath = OutputPath(job.outputFolder, job.inputPath, job.format);
    if (job.effectIndex < 0 || job.effectIndex >= kBatchEffectCount)
        return Failure(result, QStringLiteral("Cannot convert \"%1\": there is no effect number %2.")
                                   .arg(Native(job.inputPath))
                                   .arg(job.effectIndex));
    if (!job.pencilTexture || job.pencilTexture->Empty())
        return Failure(result, QStringLiteral("Cannot convert \"%1\": the pencil texture is missing.")
                                   .arg(Native(job.inputPath)));
    if (IsOneOf(result.outputPath, job.runInputs))
        return Failure(result, QStringLiteral("Skipped \"%1\": its output \"%2\" would replace one of the input files.")
                                   .arg(Native(job.inputPath), Native(result.outputPath)));

    const ReadResult read = ReadPicture(job.inputPath, job.limits);
    if (!read.ok())
        return Failure(result, read.error);

    QImage picture;
    try {
        Engine engine;
        engine.SrcPixels = LoadPixels(read.image);
        if (job.size) {
            const PictureSize target = FitInside({engine.SrcPixels.Width(), engine.SrcPixels.Height()},
                                                 {job.size->width, job.size->height}, job.size->keepAspect);
            engine.SrcPixels = ResizePlane(engine.SrcPixels, target);
        }
        engine.PencilTexture = *job.pencilTexture;
        engine.params = job.params;
        engine.options = job.options;
        picture = DrawPixels(RenderSlot(engine, SlotOfBatchIndex(job.effectIndex)));
    } catch (const EngineError& error) {
        return Failure(result, QStringLiteral("Cannot convert \"%1\": %2.")
                                   .arg(Native(job.inputPath), QString::fromStdString(error.what())));
    } catch (const std::bad_alloc&) {
        return Failure(result, QStringLiteral("Cannot convert \"%1\": not enough memory.").arg(Native(job.inputPath)));
    }
    if (picture.isNull())
        return Failure(result, QStringLiteral("Cannot convert \"%1\": not enough memory.").arg(Native(job.inputPath)));

    if (const QString error = WritePicture(picture, result.outputPath, job.format); !error.isEmpty())
        return Failure(result, error);
    result.ok = true;
    result.message = read.warning;
    return result;
}

}  // namespace lumetra
