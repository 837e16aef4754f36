#include "live_render.h"

namespace lumetra {

namespace {

// A slider change should be on screen within this time whenever a render is that fast.
constexpr auto kLiveBudget = std::chrono::milliseconds(250);

}  // namespace

LiveRenderer::LiveRenderer(QObject* parent) : QObject(parent), schedule_(kLiveBudget)
{
    connect(&job_, &GenerateJob::pictureReady, this, &LiveRenderer::OnPicture);
    connect(&job_, &GenerateJob::finished, this, &LiveRenderer::OnFinished);
}

void LiveRenderer::Render(const LiveRequest& request)
{
    switch (schedule_.Changed(LiveSchedule::Clock::now(), job_.IsRunning())) {
    case LiveSchedule::Action::Start: Start(request); break;
    case LiveSchedule::Action::CancelAndRestart:
        waiting_ = request;
        job_.Cancel();
        break;
    case LiveSchedule::Action::Wait: waiting_ = request; break;
    }
}

void LiveRenderer::Stop()
{
    waiting_.reset();
    schedule_.Forget();
    if (job_.IsRunning()) {
        dropResults_ = true;
        job_.Cancel();
    }
}

void LiveRenderer::Start(const LiveRequest& request)
{
    dropResults_ = false;
    inFlight_ = request.generation;
    schedule_.Started(LiveSchedule::Clock::now());
    if (!job_.Start(request.source, request.params, request.options, request.pencilTexture, request.frameColor,
                    request.slot))
        emit idle();
}

void LiveRenderer::OnPicture(int slot, const QImage& picture, const QImage& thumbnail)
{
    if (dropResults_) return;
    schedule_.Shown(LiveSchedule::Clock::now());
    emit rendered(slot, picture, thumbnail, inFlight_);
}

void LiveRenderer::OnFinished()
{
    if (waiting_) {
        const LiveRequest next = *std::move(waiting_);
        waiting_.reset();
        Start(next);
    } else {
        emit idle();
    }
}

}  // namespace lumetra
