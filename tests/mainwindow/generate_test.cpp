// Generate and the gallery it fills: the message without a picture, the progress and
// state sequence, the keys that run it, the twenty entries and their pictures, a second
// run, the commands while running, moving through the list (zoom and scroll kept),
// comparing with the original, a run short of memory, and closing the window during a run.

#include <QCheckBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QSlider>
#include <QThreadPool>

#include "engine/catalogue.h"
#include "engine/gallery.h"
#include "engine/plane_buffer.h"
#include "imaging/picture_file.h"
#include "imaging/plane_transfer.h"
#include "mainwindow/form_main.h"
#include "mainwindow/generate_job.h"
#include "mainwindow/parameter_panel.h"
#include "mainwindow/preview_area.h"
#include "mainwindow/snapshot_gallery.h"
#include "mainwindow/snapshot_thumbnail.h"
#include "tests/hostile/address_space_cap.h"
#include "translations/captions.h"
#include "window_test_support.h"

using namespace lumetra;
using namespace lumetra::testing;

namespace {

// The twenty pictures the engine makes of source with these settings, as the window keeps
// them: the original as it was opened, the others in three bytes a pixel.
std::vector<QImage> ExpectedGallery(const QImage& source, const AppState& state)
{
    Engine engine;
    engine.params = state.params;
    engine.options = state.options;
    engine.PencilTexture = LoadPencilTexture();
    engine.SrcPixels = LoadPixels(source);
    std::vector<QImage> pictures;
    for (const PixelPlane& plane : RenderGallery(engine))
        pictures.push_back(pictures.empty() ? DrawPixels(plane) : DrawPixels24(plane));
    return pictures;
}

QImage IconOf(const QListWidgetItem* item) { return item->icon().pixmap(kThumbnailPixels).toImage(); }

}  // namespace

class GenerateTest : public QObject, private WindowUnderTest {
    Q_OBJECT
private:
    QImage source;

    void OpenSource() { Open(source); }

private slots:
    void init()
    {
        source = PatternPicture(49, 36);  // rows of 147 bytes at 24 bits: padded
        StartWindow();
        window->show();
    }
    void cleanup() { window.reset(); }

    void withoutPictureOnlyTheMessage()
    {
        window->CmdGenerate_Click();
        ExpectOnlyMessage(log, QMessageBox::Information, QStringLiteral("Error"),
                          QStringLiteral("Please open a image file"));
        QVERIFY(!window->IsGenerating());
        QCOMPARE(window->Gallery()->Count(), 0);
        QCOMPARE(window->StateText(), QStringLiteral("Ready"));
        QCOMPARE(window->ProgressConvert()->value(), 0);
    }

    void runShowsProgressAndRestoresState()
    {
        OpenSource();
        QSignalSpy progress(window->ProgressConvert(), &QProgressBar::valueChanged);
        window->CmdGenerate_Click();
        QVERIFY(window->IsGenerating());
        QCOMPARE(window->StateText(), QStringLiteral("Please wait..."));
        QCOMPARE(window->cursor().shape(), Qt::WaitCursor);
        for (QAction* command : {window->OpenAction(), window->SaveAction(), window->CopyAction(),
                                 window->PasteAction(), window->BatchAction()})
            QVERIFY2(!command->isEnabled(), qPrintable(command->text()));
        QVERIFY(!window->Panel()->CmdGenerate()->isEnabled());
        QVERIFY(window->HelpAction()->isEnabled());

        window->WaitForGenerate();
        QVERIFY(!window->IsGenerating());
        QCOMPARE(window->StateText(), QStringLiteral("Ready"));
        QCOMPARE(window->ProgressConvert()->value(), 0);
        QCOMPARE(window->cursor().shape(), Qt::ArrowCursor);
        QVERIFY(window->OpenAction()->isEnabled() && window->CopyAction()->isEnabled());
        QVERIFY(window->Panel()->CmdGenerate()->isEnabled());
        QVERIFY(log.messages.empty());

        QList<int> values;
        for (const QList<QVariant>& change : progress) values << change.at(0).toInt();
        QVERIFY(values.size() >= 4);
        QCOMPARE(values.first(), 10);
        QCOMPARE(values.last(), 0);
        QVERIFY(values.contains(95));
        for (int i = 1; i + 1 < values.size(); ++i)
            QVERIFY2(values[i] >= values[i - 1], "progress went back during the run");
    }

    void keysRunGenerate_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("F5") << int(Qt::Key_F5) << int(Qt::NoModifier);
        QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier);
    }
    void keysRunGenerate()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        OpenSource();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTest::keyClick(window->Gallery(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(window->IsGenerating());
        window->WaitForGenerate();
        QCOMPARE(window->Gallery()->Count(), kSlotCount);
        QVERIFY(window->Panel()->CmdGenerate()->toolTip().contains(QStringLiteral("F5")));
    }

    void galleryHoldsTheTwentyPicturesInOrder()
    {
        window->Panel()->CheckBlur()->setChecked(true);
        window->Panel()->Slider(ParameterId::Dark)->setValue(120);
        OpenSource();
        GenerateAndWait();

        SnapshotGallery* gallery = window->Gallery();
        QCOMPARE(gallery->Count(), kSlotCount);
        QCOMPARE(gallery->count(), kSlotCount);
        const std::vector<QImage> expected = ExpectedGallery(source, window->State());
        for (int slot = 0; slot < kSlotCount; ++slot) {
            QCOMPARE(gallery->item(slot)->text(), QString::fromUtf8(kCatalogue[slot].name.data()));
            QVERIFY2(gallery->Picture(slot) == expected[slot], qPrintable(gallery->item(slot)->text()));
        }
        QCOMPARE(gallery->SelectedSlot(), 1);
        QCOMPARE(window->Preview()->Shown(), gallery->Picture(1));
    }

    void secondRunStartsAgainFromTheSource()
    {
        OpenSource();
        GenerateAndWait();
        const QImage originalIcon = IconOf(window->Gallery()->item(0));
        window->Gallery()->setCurrentRow(19);
        GenerateAndWait();
        QCOMPARE(window->Gallery()->Count(), kSlotCount);
        QCOMPARE(window->Gallery()->Picture(0), source);
        QCOMPARE(IconOf(window->Gallery()->item(0)), originalIcon);
        QCOMPARE(window->Gallery()->SelectedSlot(), 1);
    }

    void previewFollowsTheSelection()
    {
        OpenSource();
        GenerateAndWait();
        SnapshotGallery* gallery = window->Gallery();
        gallery->setFocus();
        const auto expectShown = [&](int slot) {
            QCOMPARE(gallery->SelectedSlot(), slot);
            QCOMPARE(window->Preview()->Shown(), gallery->Picture(slot));
        };
        for (const auto& [key, slot] :
             {std::pair{Qt::Key_Down, 2}, {Qt::Key_Up, 1}, {Qt::Key_Up, 0}, {Qt::Key_Right, 1}, {Qt::Key_Left, 0}}) {
            QTest::keyClick(gallery, key);
            expectShown(slot);
            if (slot == 0) QCOMPARE(window->Preview()->Shown(), source);
        }
        QTest::keyClick(gallery, Qt::Key_PageDown);
        QVERIFY(gallery->SelectedSlot() > 0);
        expectShown(gallery->SelectedSlot());
        QTest::keyClick(gallery, Qt::Key_End);
        expectShown(19);

        const QRect entry = gallery->visualItemRect(gallery->item(gallery->SelectedSlot() - 2));
        QTest::mouseClick(gallery->viewport(), Qt::LeftButton, {}, entry.center());
        expectShown(17);
    }

    void zoomScrollAndCompareAcrossEntries()
    {
        source = PatternPicture(300, 240);
        OpenSource();
        GenerateAndWait();
        PreviewArea* preview = window->Preview();
        preview->SetZoomMode({false, 3.0});
        preview->horizontalScrollBar()->setValue(250);
        preview->verticalScrollBar()->setValue(120);
        const QPoint scroll(preview->horizontalScrollBar()->value(), preview->verticalScrollBar()->value());
        QVERIFY(scroll.x() > 0 && scroll.y() > 0);
        const auto kept = [&] {
            QCOMPARE(preview->Zoom(), 3.0);
            QCOMPARE(QPoint(preview->horizontalScrollBar()->value(), preview->verticalScrollBar()->value()), scroll);
        };
        window->Gallery()->setFocus();
        QTest::keyClick(window->Gallery(), Qt::Key_Down);
        QCOMPARE(preview->Shown(), window->Gallery()->Picture(2));
        kept();

        // Held backslash shows the original's pixels in the same place; the gallery stays.
        const QImage original = window->Gallery()->Picture(0);
        const QImage effect = preview->viewport()->grab().toImage();
        QTest::keyPress(window->Gallery(), Qt::Key_Backslash);
        QCOMPARE(preview->Painted(), original);
        const QImage compared = preview->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QPoint at(30, 20);  // a viewport point, over picture pixel (scroll + at) / 3
        QCOMPARE(compared.pixel(at), original.pixel((scroll.x() + at.x()) / 3, (scroll.y() + at.y()) / 3));
        // The key's repeats, each a release and a press, change nothing.
        for (QEvent::Type type : {QEvent::KeyRelease, QEvent::KeyPress}) {
            QKeyEvent repeat(type, Qt::Key_Backslash, Qt::NoModifier, QStringLiteral("\\"), true);
            QCoreApplication::sendEvent(window->Gallery(), &repeat);
            QCOMPARE(preview->Painted(), original);
        }
        QTest::keyRelease(window->Gallery(), Qt::Key_Backslash);
        QCOMPARE(preview->Painted(), window->Gallery()->Picture(2));
        QCOMPARE(preview->viewport()->grab().toImage(), effect);
        QCOMPARE(window->Gallery()->SelectedSlot(), 2);
        kept();

        // The tool-bar button compares while it is held down.
        QTest::mousePress(window->CompareButton(), Qt::LeftButton);
        QCOMPARE(preview->Painted(), original);
        QTest::mouseRelease(window->CompareButton(), Qt::LeftButton);
        QCOMPARE(preview->Painted(), window->Gallery()->Picture(2));
        kept();
    }

    void failedRunIsReportedOnce()
    {
        // A picture the engine cannot work on makes the run fail without any picture.
        GenerateJob job;
        QSignalSpy pictures(&job, &GenerateJob::pictureReady);
        QSignalSpy finished(&job, &GenerateJob::finished);
        QVERIFY(job.Start(QImage(), EngineParams{}, EngineOptions{}, LoadPencilTexture(), Qt::gray));
        QVERIFY(!job.Start(QImage(), EngineParams{}, EngineOptions{}, LoadPencilTexture(), Qt::gray));
        job.WaitForFinished();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished[0].at(0).toBool(), true);
        QCOMPARE(pictures.size(), 0);
        QVERIFY(!job.IsRunning());
    }

    void memoryShortRunKeepsWhatItMadeAndReportsOnce()
    {
        if (lumetra::test::kAddressSanitizer) QSKIP("the address-space cap does not work under AddressSanitizer");
        const QImage large = PatternPicture(1600, 1200);
        const std::vector<QImage> expected = ExpectedGallery(large, AppState{});
        const QString path = Write(large, QStringLiteral("large.png"));
        // The engine's threads are started before any cap, as in a window that has
        // generated before: a thread that cannot be started ends the process.
        QVERIFY(window->OpenPictureFile(path));
        GenerateAndWait();

        // How far a run gets under a cap depends on what the allocator holds at that
        // moment, so caps are raised until one gives a run that is short of memory part
        // way; whatever each gives, every entry shown is exact or empty, and anything
        // missing is reported exactly once.
        bool somePicturesAndSomeMissing = false;
        for (int headroom = 0; headroom <= 400 && !somePicturesAndSomeMissing; headroom += 8) {
            QVERIFY(window->OpenPictureFile(path));  // each run starts from an empty gallery
            log = PromptLog{};
            // Nothing kept from the runs before: the run needs new memory, as a first run does.
            ReleaseKeptBuffers();
            {
                const lumetra::test::AddressSpaceCap cap(headroom * lumetra::test::kMegabyte);
                GenerateAndWait();
            }
            const SnapshotGallery* gallery = window->Gallery();
            int made = 0;
            for (int slot = 1; slot < gallery->Count(); ++slot) {
                const QImage& picture = gallery->Picture(slot);
                QVERIFY2(picture.isNull() || picture == expected[slot], qPrintable(EffectCaption(slot)));
                made += !picture.isNull();
            }
            const bool missing = made < kSlotCount - 1;
            somePicturesAndSomeMissing = somePicturesAndSomeMissing || (missing && made > 0);
            QCOMPARE(int(log.messages.size()), missing ? 1 : 0);
            if (missing) QVERIFY(log.messages[0].text.startsWith(QStringLiteral("Low system resources.")));
            QCOMPARE(window->StateText(), QStringLiteral("Ready"));
        }
        QVERIFY(somePicturesAndSomeMissing);

        GenerateAndWait();
        for (int slot = 1; slot < kSlotCount; ++slot)
            QVERIFY2(window->Gallery()->Picture(slot) == expected[slot], qPrintable(EffectCaption(slot)));
    }

    void closingDuringARunIsSafe()
    {
        Open(PatternPicture(400, 300));
        window->CmdGenerate_Click();
        QVERIFY(window->IsGenerating());
        window->close();
        window.reset();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

LUMETRA_WINDOW_TEST_MAIN(GenerateTest)
#include "generate_test.moc"
