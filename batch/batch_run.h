#pragma once
// The conversion run of the batch window, off the user-interface thread: several
// files at a time (by default one per processor core, each on an engine of one
// thread), taken in list order. A stop lets the files in hand finish and be written
// and starts no other. Every signal is emitted on the thread that owns this object.

#include <QFuture>
#include <QList>
#include <QObject>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <optional>

#include "engine/options.h"
#include "imaging/batch_inputs.h"
#include "imaging/convert_file.h"
#include "imaging/picture_file.h"

namespace lumetra {

struct BatchRequest {
    QList<BatchInput> inputs;  // in list order
    QString outputFolder;
    int effectIndex = 0;  // batch index 0..16
    PictureFormat format = PictureFormat::Jpg;
    std::optional<TargetSize> size;  // none: every picture keeps its own size
    EngineParams params;
    EngineOptions options;
    bool skipExisting = false;  // keep outputs newer than their inputs
    int jobs = 0;               // files converted at once; 0: one per core
    DetailsChoice details;      // which of the source's photo details the outputs keep
};

class BatchRun : public QObject {
    Q_OBJECT
public:
    explicit BatchRun(QObject* parent = nullptr);
    // Stops after the files in hand and waits for them, so nothing outlives this object.
    ~BatchRun() override;

    // Starts converting; false (and nothing done) while an earlier run is still going on.
    bool Start(const BatchRequest& request);
    // The run ends once the files in hand are finished.
    void RequestStop();
    // True from Start until Finished has been emitted.
    bool IsRunning() const { return running_; }
    void WaitForFinished();
    // Takes effect from the next Start.
    void SetConverter(ConvertFn convert) { convert_ = std::move(convert); }

signals:
    void fileStarted(int index, const QString& path);
    // renamed: the output got a name of its own because an earlier input has the same one.
    void fileDone(int index, const QString& path, const ConvertResult& result, bool renamed);
    void finished();

private:
    std::atomic<bool> stopRequested_{false};
    bool running_ = false;
    QThreadPool pool_;
    QList<QFuture<void>> workers_;
    ConvertFn convert_ = ConvertFile;
};

}  // namespace lumetra
