#pragma once
// One Generate run off the user-interface thread: the source picture goes through the
// whole gallery pipeline (or the single-effect path of one slot) on a pool thread with
// its own engine, and every progress value and finished picture (with its thumbnail)
// comes back to the window's thread in order. A run can be cancelled; it then stops
// within a few milliseconds, keeping the pictures it had already reported. Closing the
// window during a run is safe: the run keeps only its own copies, and what it reports
// after the job object is gone is dropped.

#include <QColor>
#include <QFuture>
#include <QFutureWatcher>
#include <QImage>
#include <QObject>
#include <stop_token>

#include "engine/options.h"
#include "engine/plane.h"

namespace lumetra {

struct GenerateUpdate {
    enum class Kind { Progress, Picture, Done };
    Kind kind = Kind::Progress;
    float progress = 0;      // Progress
    int slot = -1;           // Picture: gallery slot 1..19
    QImage picture;          // Picture: the finished picture
    QImage thumbnail;        // Picture: its framed thumbnail
    bool failed = false;     // Done: some step could not be carried out
    bool cancelled = false;  // Done: the run was cancelled before it was over
};

class GenerateJob : public QObject {
    Q_OBJECT
public:
    explicit GenerateJob(QObject* parent = nullptr);
    ~GenerateJob() override;

    bool IsRunning() const { return running_; }

    // What Start renders: the whole gallery, or one slot 1..19 through the single-effect path.
    static constexpr int kWholeGallery = -1;

    // Starts a run; refused (false) while one is running.
    bool Start(const QImage& source, const EngineParams& params, const EngineOptions& options,
               const PixelPlane& pencilTexture, const QColor& frameColor, int slot = kWholeGallery);

    // Asks the run in flight to stop; it reports finished(false, true) soon after.
    void Cancel();

    // Blocks until the current run has reported everything (for tests and shutdown).
    void WaitForFinished();

signals:
    void progressChanged(float value);
    void pictureReady(int slot, const QImage& picture, const QImage& thumbnail);
    void finished(bool failed, bool cancelled);

private:
    void Deliver(int begin, int end);

    QFuture<GenerateUpdate> future_;
    QFutureWatcher<GenerateUpdate> watcher_;
    std::stop_source stop_;
    bool running_ = false;
};

}  // namespace lumetra
