#include "batch/batch_run.h"

#include <QtConcurrent/QtConcurrentRun>
#include <exception>
#include <memory>

#include "imaging/plane_transfer.h"

namespace lumetra {

namespace {

// A conversion that throws (out of memory on a huge picture) fails that file only;
// the run goes on with the next one.
ConvertResult ConvertGuarded(const ConvertFn& convert, const ConvertJob& job)
{
    try {
        return convert(job);
    } catch (const std::exception& e) {
        ConvertResult failed;
        failed.message = QStringLiteral("%1: %2").arg(job.inputPath, QString::fromLocal8Bit(e.what()));
        return failed;
    }
}

}  // namespace

BatchRun::BatchRun(QObject* parent) : QObject(parent) {}

BatchRun::~BatchRun()
{
    RequestStop();
    WaitForFinished();
}

bool BatchRun::Start(const BatchRequest& request)
{
    if (running_)
        return false;
    running_ = true;
    stopRequested_ = false;

    auto pencil = std::make_shared<const PixelPlane>(LoadPencilTexture());
    ConvertJob common;
    common.outputFolder = request.outputFolder;
    common.effectIndex = request.effectIndex;
    common.format = request.format;
    common.size = request.size;
    common.params = request.params;
    common.options = request.options;
    common.runInputs = QSet<QString>(request.files.begin(), request.files.end());

    // The worker only posts to this object; the destructor waits for it, so the posts
    // never reach a destroyed object (pending ones are dropped with it).
    future_ = QtConcurrent::run([this, files = request.files, common, pencil, convert = convert_] {
        for (int i = 0; i < files.size(); ++i) {
            const QString path = files[i];
            QMetaObject::invokeMethod(this, [this, i, path] { emit FileStarted(i, path); }, Qt::QueuedConnection);
            ConvertJob job = common;
            job.inputPath = path;
            job.pencilTexture = pencil.get();
            const ConvertResult result = ConvertGuarded(convert, job);
            QMetaObject::invokeMethod(
                this, [this, i, path, result] { emit FileDone(i, path, result.ok, result.message); },
                Qt::QueuedConnection);
            if (stopRequested_)
                break;
        }
        QMetaObject::invokeMethod(
            this,
            [this] {
                running_ = false;
                emit Finished();
            },
            Qt::QueuedConnection);
    });
    return true;
}

void BatchRun::RequestStop()
{
    stopRequested_ = true;
}

void BatchRun::WaitForFinished()
{
    future_.waitForFinished();
}

}  // namespace lumetra
