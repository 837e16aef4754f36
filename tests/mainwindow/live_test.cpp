// Live mode and Stop: live pictures are Generate's bytes, newer values win over older
// ones, the schedule keeps a drag on screen, Live off stops the renders, the choice is
// remembered, and Stop ends a running gallery keeping the pictures already finished.

#include <QAction>
#include <QCheckBox>
#include <QProgressBar>
#include <QSlider>

#include "engine/catalogue.h"
#include "imaging/picture_file.h"
#include "mainwindow/form_main.h"
#include "mainwindow/live_schedule.h"
#include "mainwindow/parameter_panel.h"
#include "mainwindow/settings_store.h"
#include "mainwindow/snapshot_gallery.h"
#include "window_test_support.h"

using namespace lumetra;
using namespace lumetra::testing;
using namespace std::chrono_literals;

namespace {

struct Shown {
    int slot;
    quint64 generation;
    QImage picture;
};

std::vector<QImage> GalleryPictures(const SnapshotGallery* gallery)
{
    std::vector<QImage> pictures;
    pictures.reserve(gallery->Count());
    for (int slot = 0; slot < gallery->Count(); ++slot) pictures.push_back(gallery->Picture(slot));
    return pictures;
}

}  // namespace

class LiveTest : public QObject, private WindowUnderTest {
    Q_OBJECT
private:
    std::vector<Shown> shown;

    void WaitUntilStill()
    {
        QVERIFY(QTest::qWaitFor([this] { return !window->IsLiveBusy(); }, 60000));
    }
    QSlider* Darkness() const { return window->Panel()->Slider(ParameterId::Dark); }

private slots:
    void init()
    {
        shown.clear();
        WriteSetting(QStringLiteral("LiveMode"), QString());
        StartWindow();
        connect(window.get(), &FormMain::livePictureShown, this, [this](int slot, quint64 generation) {
            shown.push_back({slot, generation, window->Gallery()->Picture(slot)});
        });
        window->show();
    }
    void cleanup() { window.reset(); }

    // Renders of 200 ms under values every 30 ms: a picture at least every 250 ms while
    // the drag lasts, and the last value on screen one render after the drag ends. Renders
    // faster than the values show every value.
    void scheduleKeepsADragOnScreen()
    {
        using Clock = LiveSchedule::Clock;
        for (const auto render : {200ms, 10ms}) {
            LiveSchedule schedule(250ms);
            const Clock::time_point start{};
            std::optional<Clock::time_point> endsAt;  // of the render in flight
            bool cancelled = false, waiting = false;
            std::vector<Clock::time_point> shownAt;
            const auto startRender = [&](Clock::time_point now) {
                schedule.Started(now);
                endsAt = now + render;
                cancelled = waiting = false;
            };
            for (auto now = start; now <= start + 2500ms; now += 1ms) {
                if (endsAt && now >= *endsAt) {
                    endsAt.reset();
                    if (!cancelled) {
                        schedule.Shown(now);
                        shownAt.push_back(now);
                    }
                    if (waiting) startRender(now);
                }
                if (now - start < 1800ms && (now - start) % 30ms == 0ms) {
                    switch (schedule.Changed(now, endsAt.has_value())) {
                    case LiveSchedule::Action::Start: startRender(now); break;
                    case LiveSchedule::Action::CancelAndRestart:
                        cancelled = waiting = true;
                        endsAt = std::min(*endsAt, now + 2ms);  // a stopped render ends within a few rows
                        break;
                    case LiveSchedule::Action::Wait: waiting = true; break;
                    }
                }
            }
            QVERIFY(!shownAt.empty());
            if (render == 10ms) QCOMPARE(int(shownAt.size()), 60);
            for (std::size_t i = 1; i < shownAt.size(); ++i)
                QVERIFY2(shownAt[i] - shownAt[i - 1] <= 250ms || shownAt[i - 1] > start + 1800ms,
                         "a gap while dragging");
            QVERIFY(shownAt.front() - start <= 250ms);
            QVERIFY(shownAt.back() >= start + 1770ms + render && shownAt.back() <= start + 1770ms + 2 * render + 2ms);
        }
    }

    // Every entry, under several option sets and after a render cancelled by a newer value,
    // shows exactly the picture Generate gives; the gallery that follows keeps its twenty
    // entries and the selection, and holds Generate's pictures again.
    void livePicturesAreGeneratesPictures()
    {
        Open(PatternPicture(64, 48));
        ParameterPanel* panel = window->Panel();
        struct Options {
            bool blur, adjust, colorSketch, mix;
            int darkness;
        };
        for (const Options& o : {Options{false, true, false, true, 70}, Options{true, true, true, false, 120},
                                 Options{false, false, false, true, 30}}) {
            window->SetLive(false);
            panel->CheckBlur()->setChecked(o.blur);
            panel->CheckSharpen()->setChecked(!o.blur);
            panel->CheckAdjust()->setChecked(o.adjust);
            panel->CheckColorSketch()->setChecked(o.colorSketch);
            panel->CheckMixColor()->setChecked(o.mix);
            Darkness()->setValue(o.darkness);
            GenerateAndWait();
            const std::vector<QImage> generated = GalleryPictures(window->Gallery());
            QCOMPARE(int(generated.size()), kSlotCount);

            window->SetLive(true);
            for (int slot = 1; slot < kSlotCount; ++slot) {
                window->Gallery()->setCurrentRow(slot);
                shown.clear();
                Darkness()->setValue(o.darkness + 1);
                Darkness()->setValue(o.darkness);
                const quint64 last = window->LiveGeneration();
                QVERIFY(QTest::qWaitFor([&] { return !shown.empty() && shown.back().generation == last; }, 20000));
                QVERIFY2(shown.back().picture == generated[slot], kCatalogue[slot].name.data());
            }
            WaitUntilStill();
            QCOMPARE(window->Gallery()->Count(), kSlotCount);
            QCOMPARE(window->Gallery()->SelectedSlot(), kSlotCount - 1);
            QVERIFY(GalleryPictures(window->Gallery()) == generated);
        }
        QVERIFY(log.messages.empty());
    }

    // A render is never shown after a newer one, and the last value is what stays.
    void newerValuesWin()
    {
        Open(PatternPicture(900, 600));
        GenerateAndWait();
        window->Gallery()->setCurrentRow(7);
        window->SetLive(true);
        for (int value = 0; value <= 120; value += 4) {
            Darkness()->setValue(value);
            QTest::qWait(3);
        }
        WaitUntilStill();
        QVERIFY(!shown.empty());
        for (std::size_t i = 1; i < shown.size(); ++i) QVERIFY(shown[i].generation > shown[i - 1].generation);
        QCOMPARE(shown.back().generation, window->LiveGeneration());
        const QImage lastLive = shown.back().picture;
        window->SetLive(false);
        GenerateAndWait();
        QVERIFY(window->Gallery()->Picture(7) == lastLive);
    }

    // An entry chosen before the gallery has caught up with the controls gets the current
    // values at once, without waiting for the whole gallery.
    void entryChosenDuringADragIsRenderedAtOnce()
    {
        Open(PatternPicture(900, 600));
        GenerateAndWait();
        window->Gallery()->setCurrentRow(7);
        window->SetLive(true);
        Darkness()->setValue(150);
        window->Gallery()->setCurrentRow(12);
        QVERIFY(QTest::qWaitFor([&] { return !shown.empty() && shown.back().slot == 12; }, 20000));
        QCOMPARE(shown.back().generation, window->LiveGeneration());
        WaitUntilStill();
        QVERIFY(window->Gallery()->Picture(12) == shown.back().picture);
    }

    void liveOffStopsTheRenders()
    {
        Open(PatternPicture(1600, 1200));
        GenerateAndWait();
        const std::vector<QImage> before = GalleryPictures(window->Gallery());
        window->Gallery()->setCurrentRow(19);
        window->SetLive(true);
        shown.clear();
        Darkness()->setValue(200);
        window->SetLive(false);
        QTest::qWait(600);
        QVERIFY(!window->IsLiveBusy());
        QVERIFY(shown.empty());
        QVERIFY(GalleryPictures(window->Gallery()) == before);
        QCOMPARE(window->StateText(), QStringLiteral("Ready"));
        QCOMPARE(window->ProgressConvert()->value(), 0);
    }

    void choiceIsRememberedAndOffAtFirst()
    {
        QVERIFY(!window->IsLive());
        QVERIFY(window->LiveAction()->isCheckable());
        window->LiveAction()->trigger();
        window = std::make_unique<FormMain>();
        QVERIFY(window->IsLive());
        window->SetLive(false);
        window = std::make_unique<FormMain>();
        QVERIFY(!window->IsLive());
    }

    void stopKeepsTheFinishedPictures()
    {
        Open(PatternPicture(2000, 1500));
        GenerateAndWait();
        const std::vector<QImage> complete = GalleryPictures(window->Gallery());
        window->CmdGenerate_Click();
        QVERIFY(QTest::qWaitFor([this] { return window->Gallery()->Count() >= 2; }, 60000));
        QTest::keyClick(window->Gallery(), Qt::Key_Escape);
        window->WaitForGenerate();
        const std::vector<QImage> kept = GalleryPictures(window->Gallery());
        QVERIFY(kept.size() >= 2 && kept.size() < complete.size());
        for (std::size_t slot = 0; slot < kept.size(); ++slot) QVERIFY(kept[slot] == complete[slot]);
        QCOMPARE(window->StateText(), QStringLiteral("Ready"));
        QVERIFY(log.messages.empty());
        QVERIFY(window->OpenAction()->isEnabled());
    }
};

LUMETRA_WINDOW_TEST_MAIN(LiveTest)
#include "live_test.moc"
