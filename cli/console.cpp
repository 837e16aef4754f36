#include "cli/console.h"

#include <cstdio>
#include <unistd.h>

namespace lumetra::cli {

namespace {

constexpr int kBarWidth = 30;

void Write(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

Console::Console() : terminal_(isatty(fileno(stderr)) != 0) {}

void Console::EndBarLine()
{
    if (barShown_) Write(stderr, QStringLiteral("\n"));
    barShown_ = false;
}

void Console::Message(const QString& text)
{
    const std::lock_guard lock(mutex_);
    // The bar gives way to the message and is drawn again below it by the next update.
    if (barShown_) Write(stderr, QStringLiteral("\r\x1b[K"));
    barShown_ = false;
    Write(stderr, text + QLatin1Char('\n'));
}

void Console::Progress(int done, int total, const QString& item)
{
    const std::lock_guard lock(mutex_);
    if (terminal_)
        DrawBar(done, total, item);
    else
        Write(stderr, QStringLiteral("[%1/%2] %3\n").arg(done).arg(total).arg(item));
}

void Console::Bar(int done, int total, const QString& text)
{
    const std::lock_guard lock(mutex_);
    if (terminal_) DrawBar(done, total, text);
}

void Console::DrawBar(int done, int total, const QString& text)
{
    const int filled = total > 0 ? done * kBarWidth / total : kBarWidth;
    const QString bar = QString(filled, QLatin1Char('#')) + QString(kBarWidth - filled, QLatin1Char('.'));
    // \x1b[K clears what a longer earlier item name left on the line.
    Write(stderr, QStringLiteral("\r[%1] %2/%3 %4\x1b[K").arg(bar).arg(done).arg(total).arg(text));
    barShown_ = true;
}

void Console::Finish()
{
    const std::lock_guard lock(mutex_);
    EndBarLine();
}

void PrintOut(const QString& text) { Write(stdout, text); }

}  // namespace lumetra::cli
