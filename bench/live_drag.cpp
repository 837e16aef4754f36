// Replays a scripted slider drag through the main window's Live path, offscreen, and
// reports how many live pictures reached the preview and how long each change took to
// get there (from the change to the first picture of it or of a later value).
//
//   QT_QPA_PLATFORM=offscreen build/bin/live_drag [WIDTHxHEIGHT] [SLOT]
//   QT_QPA_PLATFORM=offscreen build/bin/live_drag WIDTHxHEIGHT each
//
// The first form drags "Darkness:" from 0 to 255 in 60 steps, one every 30 ms, with the
// entry SLOT (default 7) selected. The second makes three single changes per entry and
// reports their median, next to the time Generate takes to show that entry (the only way
// to see a change without Live). The picture is a sample photo scaled to the size
// (default 4000x3000). Settings go to a temporary folder.

#include <QApplication>
#include <QElapsedTimer>
#include <QSlider>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "engine/catalogue.h"
#include "engine/resize.h"
#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"
#include "mainwindow/form_main.h"
#include "mainwindow/parameter_panel.h"
#include "mainwindow/snapshot_gallery.h"

using namespace lumetra;

namespace {

// Keeps the picture at its size instead of asking.
class KeepSize : public MainPrompts {
public:
    std::optional<QSize> AskResize(QWidget*, QSize) override { return std::nullopt; }
};

// Runs the event loop for `ms` milliseconds.
void Pump(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void PumpUntil(const std::function<bool()>& done)
{
    while (!done()) Pump(2);
}

double Percentile(std::vector<double> values, double share)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, std::size_t(std::lround(share * double(values.size() - 1))))];
}

QString LoadText()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2)
                                          : QStringLiteral("?");
}

// Change times by generation and the live pictures shown, in order.
struct LiveLog {
    std::map<quint64, double> changedAt;
    std::vector<std::pair<quint64, double>> shownAt;

    // For each change, the time until a picture of it or of a later value was shown.
    std::vector<double> Latencies() const
    {
        std::vector<double> latencies;
        for (const auto& [generation, at] : changedAt)
            for (const auto& [shownGeneration, when] : shownAt)
                if (shownGeneration >= generation) {
                    latencies.push_back(when - at);
                    break;
                }
        return latencies;
    }
};

int Drag(FormMain& window, int slot)
{
    QSlider* darkness = window.Panel()->Slider(ParameterId::Dark);
    window.Gallery()->setCurrentRow(slot);
    darkness->setValue(70);
    window.SetLive(true);
    PumpUntil([&] { return !window.IsLiveBusy(); });

    LiveLog log;
    QElapsedTimer clock;
    QObject::connect(&window, &FormMain::livePictureShown, [&](int, quint64 generation) {
        log.shownAt.emplace_back(generation, clock.nsecsElapsed() / 1e6);
    });
    constexpr int kSteps = 60;
    constexpr int kIntervalMs = 30;
    clock.start();
    for (int step = 0; step < kSteps; ++step) {
        PumpUntil([&] { return clock.elapsed() >= step * kIntervalMs; });
        darkness->setValue((255 * step + (kSteps - 1) / 2) / (kSteps - 1));
        log.changedAt[window.LiveGeneration()] = clock.nsecsElapsed() / 1e6;
    }
    const double dragEnd = clock.nsecsElapsed() / 1e6;
    PumpUntil([&] { return !window.IsLiveBusy(); });

    const int duringDrag =
        int(std::count_if(log.shownAt.begin(), log.shownAt.end(), [&](const auto& s) { return s.second <= dragEnd; }));
    const std::vector<double> latencies = log.Latencies();
    std::printf(
        "%dx%d \"%s\": %d steps at %d ms: %zu pictures shown, %d during the %.0f ms drag (%.1f per second); "
        "latency ms p50 %.0f p90 %.0f max %.0f; last value on screen %.0f ms after the drag; load %s\n",
        window.Gallery()->Picture(0).width(), window.Gallery()->Picture(0).height(), kCatalogue[slot].name.data(),
        kSteps, kIntervalMs, log.shownAt.size(), duringDrag, dragEnd, duringDrag * 1000.0 / dragEnd,
        Percentile(latencies, 0.5), Percentile(latencies, 0.9), Percentile(latencies, 1.0),
        log.shownAt.empty() ? -1.0 : log.shownAt.back().second - dragEnd, qPrintable(LoadText()));
    return 0;
}

int EachEffect(FormMain& window)
{
    QSlider* darkness = window.Panel()->Slider(ParameterId::Dark);
    std::printf("%-18s %14s %14s\n", "entry", "live p50 ms", "Generate ms");
    for (int slot = 1; slot < kSlotCount; ++slot) {
        window.SetLive(false);
        QElapsedTimer clock;
        clock.start();
        window.CmdGenerate_Click();
        PumpUntil([&] { return window.Gallery()->Count() > slot; });
        const double generate = clock.nsecsElapsed() / 1e6;
        window.WaitForGenerate();

        window.Gallery()->setCurrentRow(slot);
        window.SetLive(true);
        PumpUntil([&] { return !window.IsLiveBusy(); });
        std::vector<double> latencies;
        for (int change = 0; change < 3; ++change) {
            bool seen = false;
            const auto connection = QObject::connect(&window, &FormMain::livePictureShown, [&] { seen = true; });
            clock.restart();
            darkness->setValue(darkness->value() == 70 ? 71 : 70);
            PumpUntil([&] { return seen; });
            latencies.push_back(clock.nsecsElapsed() / 1e6);
            QObject::disconnect(connection);
            PumpUntil([&] { return !window.IsLiveBusy(); });
        }
        std::printf("%-18s %14.0f %14.0f\n", kCatalogue[slot].name.data(), Percentile(latencies, 0.5), generate);
    }
    std::printf("load %s\n", qPrintable(LoadText()));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList size = (args.size() > 1 ? args[1] : QStringLiteral("4000x3000")).split(QLatin1Char('x'));
    if (size.size() != 2) {
        std::fprintf(stderr, "usage: live_drag [WIDTHxHEIGHT] [SLOT | each]\n");
        return 2;
    }
    const QImage photo(QStringLiteral(LUMETRA_SOURCE_DIR "/assets/samples/chelsea.png"));
    const QString path = settings.filePath(QStringLiteral("photo.bmp"));
    WritePicture(DrawPixels(ResizePlane(LoadPixels(photo), {size[0].toInt(), size[1].toInt()})), path,
                 PictureFormat::Bmp);

    FormMain window;
    window.SetPrompts(std::make_unique<KeepSize>());
    window.show();
    if (!window.OpenPictureFile(path)) return 1;
    if (args.size() > 2 && args[2] == QStringLiteral("each")) return EachEffect(window);
    window.CmdGenerate_Click();
    window.WaitForGenerate();
    return Drag(window, args.size() > 2 ? args[2].toInt() : 7);
}
