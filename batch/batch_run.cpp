#include "batch/batch_run.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>
#include <omp.h>

#include "imaging/output_names.h"
#include "imaging/output_plan.h"
#include "imaging/plane_transfer.h"
#include "imaging/write_group.h"

namespace lumetra {

namespace {

// What every worker of one run shares.
struct RunState {
    QList<BatchInput> inputs;
    QList<PlannedOutput> outputs;
    ConvertJob common;
    PixelPlane pencil;
    ConvertFn convert;
    std::atomic<int> next{0};
    std::atomic<int> workersLeft{0};
    // The outputs share their flushes to the disk; a file is done once committed.
    WriteGroup group;
};

}  // namespace

BatchRun::BatchRun(QObject* parent) : QObject(parent) {}

BatchRun::~BatchRun()
{
    RequestStop();
    WaitForFinished();
}

bool BatchRun::Start(const BatchRequest& request)
{
    if (running_) return false;
    running_ = true;
    stopRequested_ = false;

    auto state = std::make_shared<RunState>();
    state->inputs = request.inputs;
    state->outputs = PlanOutputs(request.inputs, request.outputFolder, request.format);
    state->pencil = LoadPencilTexture();
    state->convert = convert_;
    ConvertJob& common = state->common;
    common.effectIndex = request.effectIndex;
    common.format = request.format;
    common.size = request.size;
    common.params = request.params;
    common.options = request.options;
    common.details = request.details;
    common.skipExisting = request.skipExisting;
    QStringList inputPaths;
    for (const BatchInput& input : request.inputs) inputPaths.append(input.path);
    common.runInputs = InputIdentities(inputPaths);
    common.pencilTexture = &state->pencil;

    const int wanted = request.jobs > 0 ? request.jobs : QThread::idealThreadCount();
    const int jobs = std::max(1, std::min<int>(wanted, static_cast<int>(request.inputs.size())));
    pool_.setMaxThreadCount(jobs);
    state->workersLeft = jobs;
    workers_.clear();
    // The workers only post to this object; the destructor waits for them, so the posts
    // never reach a destroyed object (pending ones are dropped with it).
    for (int w = 0; w < jobs; ++w) {
        workers_.append(QtConcurrent::run(&pool_, [this, state, jobs] {
            // Parallel files each get one core; a lone file may use them all. The pool's
            // threads are this run's own, so the setting reaches nothing else.
            if (jobs > 1) omp_set_num_threads(1);
            for (int i = state->next++; i < state->inputs.size() && !stopRequested_; i = state->next++) {
                const QString path = state->inputs[i].path;
                QMetaObject::invokeMethod(
                    this, [this, i, path] { emit fileStarted(i, path); }, Qt::QueuedConnection);
                ConvertJob job = state->common;
                job.inputPath = path;
                job.outputPath = state->outputs[i].path;
                const bool renamed = state->outputs[i].renamed;
                ConvertInGroup(
                    state->convert, job, state->group, [this, i, path, renamed](const ConvertResult& result) {
                        QMetaObject::invokeMethod(
                            this, [this, i, path, result, renamed] { emit fileDone(i, path, result, renamed); },
                            Qt::QueuedConnection);
                    });
            }
            if (--state->workersLeft > 0) return;
            // The last worker out: every file of the run is in the group.
            state->group.Commit();
            QMetaObject::invokeMethod(
                this,
                [this] {
                    running_ = false;
                    emit finished();
                },
                Qt::QueuedConnection);
        }));
    }
    return true;
}

void BatchRun::RequestStop() { stopRequested_ = true; }

void BatchRun::WaitForFinished()
{
    for (QFuture<void>& worker : workers_) worker.waitForFinished();
}

}  // namespace lumetra
