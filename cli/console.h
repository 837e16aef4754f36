#pragma once
// Messages and progress on stderr, safe to use from several job threads. On a
// terminal progress is one bar redrawn in place; otherwise it is plain lines.

#include <QString>
#include <mutex>

namespace lumetra::cli {

class Console {
public:
    Console();

    // A message on its own line (an error or a warning).
    void Message(const QString& text);
    // done of total finished; item is what was just finished.
    void Progress(int done, int total, const QString& item);
    // Ends a bar that is still on its line.
    void Finish();

private:
    void EndBarLine();

    std::mutex mutex_;
    bool terminal_;
    bool barShown_ = false;
};

// Normal output on stdout.
void PrintOut(const QString& text);

}  // namespace lumetra::cli
