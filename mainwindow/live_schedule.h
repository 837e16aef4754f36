#pragma once
// When a newer value cancels the live render in flight. While a slider is dragged the
// values come faster than a large picture renders: cancelling the render in flight for
// every newer value would show nothing until the drag stops, and letting every render
// finish would show each picture late. So the newest value wins in two ways: it cancels
// the render in flight while its own picture can still be on screen within the budget,
// counted from the oldest change not yet shown; past that point the render in flight
// finishes and the newest value waits for it, replacing any value already waiting.

#include <chrono>
#include <optional>

namespace lumetra {

class LiveSchedule {
public:
    using Clock = std::chrono::steady_clock;

    enum class Action {
        Start,             // nothing in flight: start the new value now
        CancelAndRestart,  // cancel the render in flight, then start the new value
        Wait,              // let the render in flight finish, then start the new value
    };

    explicit LiveSchedule(Clock::duration budget) : budget_(budget) {}

    // A value changed at `now`, with or without a render in flight.
    Action Changed(Clock::time_point now, bool rendering);
    // A render of every value so far started at `now`.
    void Started(Clock::time_point now);
    // The render in flight finished at `now` and its picture is on screen.
    void Shown(Clock::time_point now);
    // Nothing is waiting any more (Live turned off, another picture opened).
    void Forget();

private:
    Clock::duration budget_;
    std::optional<Clock::duration> estimate_;           // how long the last shown render took
    Clock::time_point started_{};                       // when the render in flight started
    std::optional<Clock::time_point> oldestUnshown_;    // the first change not yet on screen
    std::optional<Clock::time_point> firstSinceStart_;  // the first change the render in flight misses
};

}  // namespace lumetra
