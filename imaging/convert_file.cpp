#include "imaging/convert_file.h"

#include <QDir>
#include <QFileInfo>
#include <exception>
#include <memory>
#include <new>
#include <utility>

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "imaging/atomic_file.h"
#include "imaging/file_names.h"
#include "imaging/output_names.h"
#include "imaging/output_plan.h"
#include "imaging/plane_transfer.h"
#include "imaging/plane_writer.h"

namespace lumetra {

namespace {

ConvertResult Failure(ConvertResult result, const QString& message)
{
    result.ok = false;
    result.message = message;
    result.size = {};
    return result;
}

QString Native(const QString& path) { return ShownPath(path); }

}  // namespace

ConvertResult ConvertFile(const ConvertJob& job)
{
    ConvertResult result;
    result.outputPath = job.outputPath;
    if (job.effectIndex < 0 || job.effectIndex >= kBatchEffectCount)
        return Failure(result, QStringLiteral("Cannot convert \"%1\": there is no effect number %2.")
                                   .arg(Native(job.inputPath))
                                   .arg(job.effectIndex));
    if (!job.pencilTexture || job.pencilTexture->Empty())
        return Failure(
            result, QStringLiteral("Cannot convert \"%1\": the pencil texture is missing.").arg(Native(job.inputPath)));
    if (WouldReplaceInput(result.outputPath, job.runInputs))
        return Failure(result, QStringLiteral("Skipped \"%1\": its output \"%2\" would replace one of the input files.")
                                   .arg(Native(job.inputPath), Native(result.outputPath)));

    // A device or a FIFO in the output's place is refused before any work is done.
    if (const QString refusal = OutputRefusal(result.outputPath); !refusal.isEmpty()) return Failure(result, refusal);
    if (job.skipExisting && IsUpToDate(job.inputPath, job.outputPath)) {
        result.ok = true;
        result.skipped = true;
        return result;
    }
    const QString folder = QFileInfo(job.outputPath).path();
    if (!QDir().mkpath(folder))
        return Failure(result, QStringLiteral("Cannot write \"%1\": the folder \"%2\" cannot be made.")
                                   .arg(Native(job.outputPath), Native(folder)));

    SourcePlane source = ReadSourcePlane(job.inputPath, job.limits, job.size);
    if (!source.ok()) return Failure(result, source.error);

    const PhotoDetails details = DetailsForOutput(source.details, job.details);
    Encoder encode;
    QSize size;
    try {
        Engine engine;
        engine.SrcPixels = std::move(source.plane);
        engine.PencilTexture = *job.pencilTexture;
        engine.params = job.params;
        engine.options = job.options;
        // The engine is this file's alone: the effect is composed straight into its
        // picture, with no copy of the source kept aside.
        engine.BuildEffectLayers(job.effectIndex);
        engine.ComposeBatchEffect(job.effectIndex);
        size = QSize(engine.SrcPixels.Width(), engine.SrcPixels.Height());
        // A JPEG is encoded straight from the plane, which the encoder takes over: the
        // same bytes, without a picture made first.
        if (job.format == PictureFormat::Jpg) {
            encode = PlaneEncoder(std::make_shared<const PixelPlane>(std::move(engine.SrcPixels)), job.format, details);
        } else {
            const QImage picture = DrawPixels(engine.SrcPixels);
            if (picture.isNull()) throw std::bad_alloc();
            encode = PictureEncoder(picture, job.format, details);
        }
    } catch (const EngineError& error) {
        return Failure(result, QStringLiteral("Cannot convert \"%1\": %2.")
                                   .arg(Native(job.inputPath), QString::fromStdString(error.what())));
    } catch (const std::bad_alloc&) {
        return Failure(result, QStringLiteral("Cannot convert \"%1\": not enough memory.").arg(Native(job.inputPath)));
    }

    if (job.leaveWrite) {
        result.unwritten = encode;
    } else if (const QString error = WriteFileAtomically(result.outputPath, encode); !error.isEmpty()) {
        return Failure(result, error);
    }
    result.ok = true;
    result.message = source.warning;
    result.size = size;
    return result;
}

ConvertResult ConvertGuarded(const ConvertFn& convert, const ConvertJob& job)
{
    const auto failed = [&](const QString& reason) {
        ConvertResult result;
        result.outputPath = job.outputPath;
        result.message = QStringLiteral("Cannot convert \"%1\": %2.").arg(Native(job.inputPath), reason);
        return result;
    };
    try {
        return convert(job);
    } catch (const std::bad_alloc&) {
        return failed(QStringLiteral("not enough memory"));
    } catch (const std::exception& e) {
        return failed(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return failed(QStringLiteral("an unexpected error"));
    }
}

void ConvertInGroup(const ConvertFn& convert, ConvertJob job, WriteGroup& group,
                    const std::function<void(const ConvertResult&)>& done)
{
    job.leaveWrite = true;
    ConvertResult result = ConvertGuarded(convert, job);
    if (!result.unwritten) {
        done(result);
        return;
    }
    const Encoder encode = std::move(result.unwritten);
    result.unwritten = nullptr;
    const auto written = [result, done](const QString& error) {
        done(error.isEmpty() ? result : Failure(result, error));
    };
    if (const QString error = group.Add(result.outputPath, encode, written); !error.isEmpty()) written(error);
}

}  // namespace lumetra
