#include "live_schedule.h"

namespace lumetra {

LiveSchedule::Action LiveSchedule::Changed(Clock::time_point now, bool rendering)
{
    if (!oldestUnshown_) oldestUnshown_ = now;
    if (!rendering) return Action::Start;
    // A restarted render shows its picture about one render's time from now; before any
    // render has been timed, the one in flight is the quickest way to a picture.
    if (estimate_ && now + *estimate_ <= *oldestUnshown_ + budget_) return Action::CancelAndRestart;
    if (!firstSinceStart_) firstSinceStart_ = now;
    return Action::Wait;
}

void LiveSchedule::Started(Clock::time_point now)
{
    started_ = now;
    firstSinceStart_.reset();
}

void LiveSchedule::Shown(Clock::time_point now)
{
    estimate_ = now - started_;
    oldestUnshown_ = firstSinceStart_;
    firstSinceStart_.reset();
}

void LiveSchedule::Forget()
{
    oldestUnshown_.reset();
    firstSinceStart_.reset();
}

}  // namespace lumetra
