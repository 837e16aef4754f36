#pragma once
// The conversion run of the batch window, off the user-interface thread: one file at a
// time, so a stop always lets the file in hand finish and be written first. Every
// signal is emitted on the thread that owns this object.

#include <QFuture>
#include <QObject>
#include <QStringList>
#include <atomic>
#include <functional>
#include <optional>

#include "engine/options.h"
#include "imaging/convert_file.h"
#include "imaging/picture_file.h"

namespace lumetra {

struct BatchRequest {
    QStringList files;                 // in list order
    QString outputFolder;
    int effectIndex = 0;               // batch index 0..16
    PictureFormat format = PictureFormat::Jpg;
    std::optional<TargetSize> size;    // none: every picture keeps its own size
    EngineParams params;
    EngineOptions options;
};

// The conversion of one file; ConvertFile unless a test wraps it.
using ConvertFn = std::function<ConvertResult(const ConvertJob&)>;

class BatchRun : public QObject {
    Q_OBJECT
public:
    explicit BatchRun(QObject* parent = nullptr);
    // Stops after the file in hand and waits for it, so nothing outlives this object.
    ~BatchRun() override;

    // Starts converting; false (and nothing done) while an earlier run is still going on.
    bool Start(const BatchRequest& request);
    // The run ends after the file in hand.
    void RequestStop();
    // True from Start until Finished has been emitted.
    bool IsRunning() const { return running_; }
    void WaitForFinished();
    // Takes effect from the next Start.
    void SetConverter(ConvertFn convert) { convert_ = std::move(convert); }

signals:
    void FileStarted(int index, const QString& path);
    // message names the file and the reason when ok is false.
    void FileDone(int index, const QString& path, bool ok, const QString& message);
    void Finished();

private:
    std::atomic<bool> stopRequested_{false};
    bool running_ = false;
    QFuture<void> future_;
    ConvertFn convert_ = ConvertFile;
};

}  // namespace lumetra
