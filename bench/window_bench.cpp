// Drives the main window offscreen on a 4000 x 3000 JPEG as a user would: open the
// photo (keeping its size), Generate, Generate again, move through the gallery, Copy.
// Prints one line of figures per run; bench/run_window.sh runs it several times and
// takes the medians.
//
//   window_bench PHOTO   (bench/run_window.sh makes a 4000 x 3000 JPEG for it)
//
// Each figure is the time from the command to the window having painted its result:
// after the condition is seen, the pending events (the repaint among them) are
// processed before the clock is read.

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <vector>

#include "engine/catalogue.h"
#include "engine/plane_buffer.h"
#include "mainwindow/form_main.h"
#include "mainwindow/preview_area.h"
#include "mainwindow/snapshot_gallery.h"

namespace {

using lumetra::FormMain;

// Keeps the picture at its size, so the window works on all 12 megapixels.
class KeepSizePrompts : public lumetra::MainPrompts {
public:
    std::optional<QSize> AskResize(QWidget*, QSize) override { return std::nullopt; }
    void ShowMessage(QWidget*, QMessageBox::Icon, const QString& title, const QString& text) override
    {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
    }
};

// Processes events until `done` holds, then once more so that the repaint it caused is
// carried out; milliseconds since `clock` started.
double WaitUntil(const QElapsedTimer& clock, const std::function<bool()>& done)
{
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    return double(clock.nsecsElapsed()) / 1e6;
}

long PeakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct GenerateFigures {
    double sketchMs;
    double twentyMs;
};

GenerateFigures TimeGenerate(FormMain& window)
{
    QElapsedTimer clock;
    clock.start();
    window.CmdGenerate_Click();
    GenerateFigures figures{};
    figures.sketchMs = WaitUntil(clock, [&] {
        return window.Gallery()->SelectedSlot() == lumetra::kFirstPixelEffect && !window.Preview()->Shown().isNull();
    });
    figures.twentyMs = WaitUntil(clock, [&] { return window.Gallery()->Count() == lumetra::kSlotCount; });
    window.WaitForGenerate();
    return figures;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    lumetra::KeepLargeHeapBlocks();  // as the program does
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work.path()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);

    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench PHOTO\n");
        return 2;
    }
    const QString photo = QString::fromLocal8Bit(argv[1]);
    const double cpuBefore = CpuSeconds();

    FormMain window;
    window.SetPrompts(std::make_unique<KeepSizePrompts>());
    window.show();
    QCoreApplication::processEvents();
    if (!window.OpenPictureFile(photo)) return 1;
    QCoreApplication::processEvents();

    const GenerateFigures first = TimeGenerate(window);
    const GenerateFigures second = TimeGenerate(window);
    const long peak = PeakMegabytes();

    // Selection: several entries in turn, each from another one.
    std::vector<double> selects;
    for (const int slot : {5, 12, 2, 17, 9, 19, 0}) {
        QElapsedTimer clock;
        clock.start();
        window.Gallery()->setCurrentRow(slot);
        selects.push_back(WaitUntil(
            clock, [&] { return window.Preview()->Shown().cacheKey() == window.Gallery()->Picture(slot).cacheKey(); }));
    }
    std::vector<double> copies;
    for (const int slot : {3, 11}) {
        window.Gallery()->setCurrentRow(slot);
        QCoreApplication::processEvents();
        QElapsedTimer clock;
        clock.start();
        window.CmdCopy_Click();
        copies.push_back(WaitUntil(clock, [] { return true; }));
    }
    std::printf("sketch1 %.0f twenty1 %.0f sketch2 %.0f twenty2 %.0f peak %ld select %.1f copy %.1f cpu %.2f\n",
                first.sketchMs, first.twentyMs, second.sketchMs, second.twentyMs, peak, Median(selects), Median(copies),
                CpuSeconds() - cpuBefore);
    return 0;
}
