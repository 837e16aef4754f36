#pragma once
// Stopping a run early from another thread. The caller keeps a std::stop_source and hands
// its token to the engine (Engine::stop); the steps look at it between steps and between
// rows, and a run that finds a stop requested throws RunCancelled after releasing every
// layer it was building, so no half-built layer is ever read. The engine is then ready
// for the next run, which needs a token of its own: a requested stop stays requested.

#include <stdexcept>
#include <stop_token>

namespace lumetra {

class RunCancelled : public std::runtime_error {
public:
    RunCancelled() : std::runtime_error("the run was cancelled") {}
};

inline void ThrowIfStopped(const std::stop_token& stop)
{
    if (stop.stop_requested()) throw RunCancelled();
}

}  // namespace lumetra
