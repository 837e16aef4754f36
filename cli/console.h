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
    // done of total finished; item is what was just finished. A bar on a terminal,
    // a line otherwise.
    void Progress(int done, int total, const QString& item);
    // The bar alone, on a terminal only: logs get the lines of Message and nothing else.
    void Bar(int done, int total, const QString& text);
    // Ends a bar that is still on its line.
    void Finish();

private:
    void EndBarLine();
    void DrawBar(int done, int total, const QString& text);

    std::mutex mutex_;
    bool terminal_;
    bool barShown_ = false;
};

// Normal output on stdout.
void PrintOut(const QString& text);

}  // namespace lumetra::cli
