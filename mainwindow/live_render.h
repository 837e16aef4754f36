#pragma once
// Live renders of the selected gallery entry while the user changes the parameters: one
// slot at full size through the single-effect path, at most one render at a time, the
// newest value winning as LiveSchedule decides. Every picture reported carries the
// generation of the value it shows; a render older than one already reported is never
// reported after it.

#include <QColor>
#include <QImage>
#include <QObject>
#include <optional>

#include "engine/options.h"
#include "engine/plane.h"
#include "generate_job.h"
#include "live_schedule.h"

namespace lumetra {

struct LiveRequest {
    QImage source;
    EngineParams params;
    EngineOptions options;
    PixelPlane pencilTexture;
    QColor frameColor;
    int slot = 1;            // 1..19
    quint64 generation = 0;  // grows with every change of a value
};

class LiveRenderer : public QObject {
    Q_OBJECT
public:
    explicit LiveRenderer(QObject* parent = nullptr);

    // Renders the request as soon as the schedule lets it.
    void Render(const LiveRequest& request);
    // Cancels the render in flight and forgets the waiting one; nothing more is reported.
    void Stop();
    // A render is in flight or waiting.
    bool IsBusy() const { return job_.IsRunning() || waiting_.has_value(); }

signals:
    void rendered(int slot, const QImage& picture, const QImage& thumbnail, quint64 generation);
    // Nothing is in flight or waiting any more.
    void idle();

private:
    void Start(const LiveRequest& request);
    void OnPicture(int slot, const QImage& picture, const QImage& thumbnail);
    void OnFinished();

    GenerateJob job_;
    LiveSchedule schedule_;
    std::optional<LiveRequest> waiting_;
    quint64 inFlight_ = 0;      // generation of the render in flight
    bool dropResults_ = false;  // the render in flight was stopped by Stop
};

}  // namespace lumetra
