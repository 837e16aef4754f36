#pragma once
// Timing lines for the window's commands, off unless asked for without a rebuild:
//   QT_LOGGING_RULES="lumetra.timing.debug=true" lumetra
// A CommandClock starts when a command is given and logs each step it reaches with the
// milliseconds since then.

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcTiming)

namespace lumetra {

class CommandClock {
public:
    // Starts timing `command` and logs that it was given.
    void Start(const QString& command);
    // Logs that `step` was reached.
    void Mark(const QString& step) const;

private:
    QElapsedTimer clock_;
    QString command_;
};

}  // namespace lumetra
