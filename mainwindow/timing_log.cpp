#include "timing_log.h"

Q_LOGGING_CATEGORY(lcTiming, "lumetra.timing", QtInfoMsg)

namespace lumetra {

void CommandClock::Start(const QString& command)
{
    command_ = command;
    clock_.start();
    qCDebug(lcTiming).noquote() << command_ << "given";
}

void CommandClock::Mark(const QString& step) const
{
    if (lcTiming().isDebugEnabled() && clock_.isValid())
        qCDebug(lcTiming).noquote() << QStringLiteral("%1: %2 ms after %3")
                                           .arg(step)
                                           .arg(double(clock_.nsecsElapsed()) / 1e6, 0, 'f', 1)
                                           .arg(command_);
}

}  // namespace lumetra
