#include "generate_job.h"

#include <QCoreApplication>
#include <QPromise>
#include <QtConcurrent>
#include <exception>
#include <vector>

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "imaging/plane_transfer.h"
#include "snapshot_thumbnail.h"

namespace lumetra {

namespace {

void RunGallery(QPromise<GenerateUpdate>& promise, const QImage& source, const EngineParams& params,
                const EngineOptions& options, const PixelPlane& pencilTexture, const QColor& frameColour)
{
    std::vector<bool> delivered(kSlotCount, false);
    auto deliver = [&](int slot, const PixelPlane& plane) {
        if (slot <= 0 || slot >= kSlotCount || delivered[slot] || promise.isCanceled())
            return;
        delivered[slot] = true;
        GenerateUpdate update;
        update.kind = GenerateUpdate::Kind::Picture;
        update.slot = slot;
        update.picture = DrawPixels(plane);
        update.thumbnail = MakeSnapshot(update.picture, frameColour);
        promise.addResult(std::move(update));
    };

    bool failed = false;
    try {
        Engine engine;
        engine.params = params;
        engine.options = options;
        engine.PencilTexture = pencilTexture;
        engine.SrcPixels = LoadPixels(source);
        const ProgressFn progress = [&](float value) {
            GenerateUpdate update;
            update.progress = value;
            promise.addResult(std::move(update));
        };
        // Each picture goes to the gallery as it is finished; the engine keeps only the
        // few the transitions need, since the gallery holds its own copies.
        StreamGallery(engine, progress, deliver);
    } catch (const std::exception&) {
        failed = true;
    }
    for (int slot = 1; slot < kSlotCount; ++slot)
        failed = failed || !delivered[slot];
    GenerateUpdate done;
    done.kind = GenerateUpdate::Kind::Done;
    done.failed = failed && !promise.isCanceled();
    promise.addResult(std::move(done));
}

}  // namespace

GenerateJob::GenerateJob(QObject* parent) : QObject(parent)
{
    connect(&watcher_, &QFutureWatcherBase::resultsReadyAt, this, &GenerateJob::Deliver);
}

GenerateJob::~GenerateJob()
{
    // The run cannot be interrupted inside the engine; it ends on its own without
    // drawing or reporting anything more.
    future_.cancel();
}

bool GenerateJob::Start(const QImage& source, const EngineParams& params, const EngineOptions& options,
                        const PixelPlane& pencilTexture, const QColor& frameColour)
{
    if (running_)
        return false;
    running_ = true;
    future_ = QtConcurrent::run(RunGallery, source, params, options, pencilTexture, frameColour);
    watcher_.setFuture(future_);
    return true;
}

void GenerateJob::WaitForFinished()
{
    while (running_) {
        future_.waitForFinished();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
}

void GenerateJob::Deliver(int begin, int end)
{
    for (int i = begin; i < end; ++i) {
        const GenerateUpdate update = future_.resultAt(i);
        switch (update.kind) {
        case GenerateUpdate::Kind::Progress:
            emit progressChanged(update.progress);
            break;
        case GenerateUpdate::Kind::Picture:
            emit pictureReady(update.slot, update.picture, update.thumbnail);
            break;
        case GenerateUpdate::Kind::Done:
            running_ = false;
            emit finished(update.failed);
            break;
        }
    }
}

}  // namespace lumetra
