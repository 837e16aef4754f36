#include "generate_job.h"

#include <QCoreApplication>
#include <QPromise>
#include <QThreadPool>
#include <QtConcurrent>
#include <exception>
#include <vector>

#include "engine/catalogue.h"
#include "engine/engine.h"
#include "engine/gallery.h"
#include "engine/plane_buffer.h"
#include "engine/run_cancel.h"
#include "gallery_transitions.h"
#include "imaging/plane_transfer.h"
#include "snapshot_thumbnail.h"

namespace lumetra {

namespace {

void RunJob(QPromise<GenerateUpdate>& promise, const std::stop_token& stop, const QImage& source,
            const EngineParams& params, const EngineOptions& options, const PixelPlane& pencilTexture,
            const QColor& frameColor, int slot)
{
    std::vector<bool> delivered(kSlotCount, false);
    std::vector<QImage> pictures(kSlotCount);  // shared with the window, not copied
    auto deliver = [&](int slot, QImage picture) {
        // A picture that could not be had for display counts as missing, so the run is
        // reported as incomplete instead of showing an empty entry without a word.
        if (slot <= 0 || slot >= kSlotCount || delivered[slot] || promise.isCanceled() || picture.isNull()) return;
        delivered[slot] = true;
        pictures[slot] = picture;
        GenerateUpdate update;
        update.kind = GenerateUpdate::Kind::Picture;
        update.slot = slot;
        update.thumbnail = MakeSnapshot(picture, frameColor);
        update.picture = std::move(picture);
        promise.addResult(std::move(update));
    };
    const ProgressFn progress = [&](float value) {
        GenerateUpdate update;
        update.progress = value;
        promise.addResult(std::move(update));
    };

    bool failed = false;
    bool cancelled = false;
    Engine engine;
    try {
        engine.params = params;
        engine.options = options;
        engine.PencilTexture = pencilTexture;
        engine.stop = stop;
        engine.SrcPixels = LoadPixels(source);
        // Each picture goes to the gallery as it is finished, in three bytes a pixel
        // (twenty 12-megapixel pictures take 720 MB instead of 960). The transitions are
        // composed here from those pictures, so the engine keeps none of its own.
        if (slot == GenerateJob::kWholeGallery) {
            StreamGallery(
                engine, progress, [&](int s, const SharedPicture& plane) { deliver(s, DrawPixels24(*plane)); }, false);
            pictures[0] = DrawPixels24(engine.SrcPixels);
            for (const EffectInfo& effect : kCatalogue) {
                if (effect.kind != EffectKind::Transition) continue;
                ThrowIfStopped(stop);
                deliver(effect.slot, ComposeTransitionPicture(pictures[effect.left], pictures[effect.middle],
                                                              pictures[effect.base]));
            }
            progress(100.0f);
        } else {
            deliver(slot, DrawPixels24(RenderSlot(engine, slot)));
        }
    } catch (const RunCancelled&) {
        cancelled = true;
    } catch (const std::exception&) {
        // The whole run needs all layers at once; one effect at a time needs far less,
        // so the pictures still missing are tried one by one, and only those that fail
        // then are missing at the end.
        engine.ReleaseLayers();
        for (int s = 1; s < kSlotCount && !cancelled && !promise.isCanceled(); ++s) {
            if (delivered[s] || (slot != GenerateJob::kWholeGallery && slot != s)) continue;
            try {
                if (engine.SrcPixels.Empty()) engine.SrcPixels = LoadPixels(source);
                deliver(s, DrawPixels24(RenderSlot(engine, s)));
            } catch (const RunCancelled&) {
                cancelled = true;
            } catch (const std::exception&) {
                engine.ReleaseLayers();
            }
        }
    }
    for (int s = 1; s < kSlotCount; ++s)
        failed = failed || ((slot == GenerateJob::kWholeGallery || slot == s) && !delivered[s]);
    GenerateUpdate done;
    done.kind = GenerateUpdate::Kind::Done;
    done.failed = failed && !cancelled && !promise.isCanceled();
    done.cancelled = cancelled;
    promise.addResult(std::move(done));
}

// Runs go to threads of their own, kept for the life of the program: each keeps its team
// of engine row threads, instead of starting a new team whenever a run lands on a fresh
// thread of the shared pool (which Qt's image scaling also uses). Starting threads is
// what fails first when memory runs short, and the threading runtime ends the process
// when it cannot. Two threads: the window's Generate and the live renderer.
QThreadPool& EnginePool()
{
    static QThreadPool pool;
    static const bool configured = [] {
        pool.setExpiryTimeout(-1);
        pool.setMaxThreadCount(2);
        return true;
    }();
    (void)configured;
    return pool;
}

}  // namespace

GenerateJob::GenerateJob(QObject* parent) : QObject(parent)
{
    connect(&watcher_, &QFutureWatcherBase::resultsReadyAt, this, &GenerateJob::Deliver);
}

GenerateJob::~GenerateJob()
{
    // The run stops within a few rows and reports nothing more.
    stop_.request_stop();
    future_.cancel();
}

bool GenerateJob::Start(const QImage& source, const EngineParams& params, const EngineOptions& options,
                        const PixelPlane& pencilTexture, const QColor& frameColor, int slot)
{
    if (running_ || (slot != kWholeGallery && (slot < 1 || slot >= kSlotCount))) return false;
    running_ = true;
    stop_ = std::stop_source();
    // One run releases and allocates about a gallery's worth of large buffers: keeping
    // them for the next run spares it that much fresh memory, the costliest part of a run.
    KeepReleasedBuffers(std::size_t(kSlotCount) * 4 * std::size_t(source.width()) * std::size_t(source.height()));
    future_ = QtConcurrent::run(&EnginePool(), RunJob, stop_.get_token(), source, params, options, pencilTexture,
                                frameColor, slot);
    watcher_.setFuture(future_);
    return true;
}

void GenerateJob::Cancel()
{
    if (running_) stop_.request_stop();
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
        case GenerateUpdate::Kind::Progress: emit progressChanged(update.progress); break;
        case GenerateUpdate::Kind::Picture: emit pictureReady(update.slot, update.picture, update.thumbnail); break;
        case GenerateUpdate::Kind::Done:
            running_ = false;
            emit finished(update.failed, update.cancelled);
            break;
        }
    }
}

}  // namespace lumetra
