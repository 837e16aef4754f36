// The View commands and the preview: zoom steps and their limits, Fit following a
// resize, Ctrl+wheel about the pointer, smooth reduction below and crisp blocks from
// one-to-one, panning, the zoom kept in the settings, the first window on a small
// screen, the command icons and the accessible names.

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolButton>

#include "batch/form_batch.h"
#include "dialogs/form_about.h"
#include "dialogs/form_resize.h"
#include "dialogs/help_window.h"
#include "imaging/picture_file.h"
#include "mainwindow/form_main.h"
#include "mainwindow/preview_area.h"
#include "mainwindow/snapshot_gallery.h"
#include "mainwindow/zoom_mode.h"
#include "window_test_support.h"

using namespace lumetra;
using namespace lumetra::testing;

namespace {

// Black and white pixels in a checkerboard: a smooth reduction turns them grey, a
// crisp enlargement keeps every one a black or white block.
QImage Checkerboard(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return image;
}

QImage Painted(PreviewArea& area) { return area.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

QPoint Scroll(const PreviewArea& area)
{
    return {area.horizontalScrollBar()->value(), area.verticalScrollBar()->value()};
}

}  // namespace

class ViewTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir;
    std::unique_ptr<PreviewArea> area;

private slots:
    void init()
    {
        area = std::make_unique<PreviewArea>();
        area->resize(400, 300);
        area->show();
        QVERIFY(QTest::qWaitForWindowExposed(area.get()));
    }
    void cleanup() { area.reset(); }

    void zoomStepsAndSettingsText()
    {
        // Stepping in from 1/8 passes every step and stops at 8; out goes back the same way.
        std::vector<double> up{kZoomSteps.front()};
        while (up.back() != ZoomStepIn(up.back())) up.push_back(ZoomStepIn(up.back()));
        QCOMPARE(up, std::vector<double>(kZoomSteps.begin(), kZoomSteps.end()));
        QCOMPARE(ZoomStepOut(kZoomSteps.front()), kZoomSteps.front());
        QCOMPARE(ZoomStepOut(1.0), 2.0 / 3);
        // From a fitted factor between steps, to the neighbouring steps.
        QCOMPARE(ZoomStepIn(0.23), 0.25);
        QCOMPARE(ZoomStepOut(0.23), 0.125);

        for (double step : kZoomSteps) QCOMPARE(ParseZoomMode(ZoomModeText({false, step})), (ZoomMode{false, step}));
        QCOMPARE(ZoomModeText({false, 1.0 / 3}), QStringLiteral("33.33"));
        QCOMPARE(ZoomModeText({true, 1.0}), QStringLiteral("fit"));
        QCOMPARE(ParseZoomMode(QStringLiteral(" Fit")), (ZoomMode{true, 1.0}));
        QCOMPARE(ParseZoomMode(QStringLiteral("390")), (ZoomMode{false, 4.0}));
        for (const char* unreadable : {"", "large", "0", "-200", "nan", "inf"})
            QCOMPARE(ParseZoomMode(QString::fromLatin1(unreadable)), ZoomMode{});
    }

    void zoomCommandsStopAtTheLimits()
    {
        area->ShowPicture(PatternPicture(100, 80));
        area->ArrangePreview();
        for (int i = 0; i < 20; ++i) area->ZoomIn();
        QCOMPARE(area->Zoom(), 8.0);
        QCOMPARE(area->widget()->size(), QSize(800, 640));
        for (int i = 0; i < 20; ++i) area->ZoomOut();
        QCOMPARE(area->Zoom(), 0.125);
        area->ActualSize();
        QCOMPARE(area->Zoom(), 1.0);
        QCOMPARE(area->PicturePosition(), QPoint(140, 100));
    }

    void fitShowsTheWholePictureAndFollowsResizes()
    {
        area->ShowPicture(PatternPicture(1600, 900));
        area->FitToWindow();
        QCOMPARE(area->Zoom(), 0.25);  // 400 / 1600
        QCOMPARE(area->PicturePosition(), QPoint(0, (300 - 225 - 20) / 2));
        QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
        QCOMPARE(area->verticalScrollBar()->maximum(), 0);

        area->resize(800, 300);
        QCOMPARE(area->Zoom(), 1.0 / 3);  // now bound by the height
        QCOMPARE(area->PicturePosition(), QPoint((800 - 533 - 20) / 2, 0));
        QCOMPARE(area->verticalScrollBar()->maximum(), 0);

        // A picture smaller than the area is not enlarged.
        area->ShowPicture(PatternPicture(50, 40));
        QCOMPARE(area->Zoom(), 1.0);
    }

    void smoothBelowAndCrispFromOneToOne()
    {
        area->ShowPicture(Checkerboard(200, 160));
        area->ArrangePreview();
        area->SetZoomMode({false, 0.5});
        const QImage reduced = Painted(*area);
        const QPoint inside = area->PicturePosition() + QPoint(20, 20);
        const int gray = qGray(reduced.pixel(inside));
        QVERIFY2(gray > 100 && gray < 155, qPrintable(QString::number(gray)));

        area->SetZoomMode({false, 4.0});
        area->ArrangePreview();
        const QImage blocks = Painted(*area);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) QCOMPARE(blocks.pixel(x, y), Checkerboard(200, 160).pixel(x / 4, y / 4));
    }

    void wheelZoomsAboutThePointer()
    {
        area->ShowPicture(PatternPicture(600, 500));
        area->ArrangePreview();
        area->horizontalScrollBar()->setValue(50);
        area->verticalScrollBar()->setValue(30);
        const QPointF pointer(120, 90);
        const QPointF before = (pointer + Scroll(*area) - area->PicturePosition());  // at 100 %
        QWheelEvent notch(pointer, area->viewport()->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(area->viewport(), &notch);
        QCOMPARE(area->Zoom(), 1.5);
        const QPointF after = (pointer + Scroll(*area) - area->PicturePosition()) / 1.5;
        QVERIFY2((after - before).manhattanLength() <= 1,
                 qPrintable(QStringLiteral("%1,%2").arg(after.x()).arg(after.y())));

        // Without Ctrl the wheel scrolls.
        QWheelEvent plain(pointer, area->viewport()->mapToGlobal(pointer), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        const int top = area->verticalScrollBar()->value();
        QCoreApplication::sendEvent(area->viewport(), &plain);
        QCOMPARE(area->Zoom(), 1.5);
        QVERIFY(area->verticalScrollBar()->value() > top);
    }

    void dragAndArrowKeysPan()
    {
        area->ShowPicture(PatternPicture(1000, 800));
        area->ArrangePreview();
        QCOMPARE(area->viewport()->cursor().shape(), Qt::OpenHandCursor);
        QTest::mousePress(area->viewport(), Qt::LeftButton, {}, QPoint(200, 200));
        QCOMPARE(area->viewport()->cursor().shape(), Qt::ClosedHandCursor);
        QTest::mouseMove(area->viewport(), QPoint(150, 170));
        QTest::mouseRelease(area->viewport(), Qt::LeftButton, {}, QPoint(150, 170));
        QCOMPARE(Scroll(*area), QPoint(50, 30));
        QCOMPARE(area->viewport()->cursor().shape(), Qt::OpenHandCursor);

        area->setFocus();
        QTest::keyClick(area.get(), Qt::Key_Right);
        QTest::keyClick(area.get(), Qt::Key_Down);
        QVERIFY(Scroll(*area).x() > 50 && Scroll(*area).y() > 30);

        // A picture that fits has nothing to pan.
        area->ShowPicture(PatternPicture(100, 100));
        QCOMPARE(area->viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    void freshStartIsOneToOneAndTheChosenZoomIsKept()
    {
        Store().clear();
        auto window = std::make_unique<FormMain>();
        window->show();
        const QString path = dir.filePath(QStringLiteral("small.png"));
        QCOMPARE(WritePicture(PatternPicture(200, 100), path, PictureFormat::Png), QString());
        QVERIFY(window->OpenPictureFile(path));
        PreviewArea* preview = window->Preview();
        QCOMPARE(preview->Mode(), ZoomMode{});
        QCOMPARE(preview->Zoom(), 1.0);
        QCOMPARE(preview->PicturePosition(), QPoint(PreviewOffset(preview->width() * 15, 3000) / 15,
                                                    PreviewOffset(preview->height() * 15, 1500) / 15));
        // The zoom is the last pane, after the state text and the progress bar.
        QCOMPARE(window->ZoomText()->text(), QStringLiteral("100 %"));
        QVERIFY(window->ZoomText()->x() > window->ProgressConvert()->geometry().right());
        window->close();
        QVERIFY(!Store().contains(QStringLiteral("ZoomMode")));  // nothing chosen, nothing stored

        window = std::make_unique<FormMain>();
        window->FitAction()->trigger();
        window->close();
        QCOMPARE(Store().value(QStringLiteral("ZoomMode")).toString(), QStringLiteral("fit"));
        window = std::make_unique<FormMain>();
        QVERIFY(window->Preview()->Mode().fit);

        window->ActualSizeAction()->trigger();
        window->ZoomInAction()->trigger();
        window->close();
        window = std::make_unique<FormMain>();
        QCOMPARE(window->Preview()->Mode(), (ZoomMode{false, 1.5}));
        window->ActualSizeAction()->trigger();
        window->close();
        QCOMPARE(Store().value(QStringLiteral("ZoomMode")).toString(), QStringLiteral("100"));
        Store().clear();
    }

    void firstWindowFitsTheScreen()
    {
        // The offscreen screen is 800 x 600, smaller than the classic window with its bars.
        FormMain window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect room = window.screen()->availableGeometry();
        QVERIFY2(
            window.frameGeometry().height() <= room.height() && window.frameGeometry().width() <= room.width(),
            qPrintable(
                QStringLiteral("%1 x %2").arg(window.frameGeometry().width()).arg(window.frameGeometry().height())));
    }

    void commandsHaveIconsAndEveryControlAName()
    {
        FormMain window;
        window.show();
        for (QAction* action : {window.CopyAction(), window.PasteAction(), window.ZoomInAction(),
                                window.ZoomOutAction(), window.ActualSizeAction(), window.FitAction()})
            QVERIFY2(!action->icon().isNull(), qPrintable(action->text()));
        QVERIFY(!window.CompareButton()->icon().isNull());

        const QString path = dir.filePath(QStringLiteral("named.png"));
        QCOMPARE(WritePicture(PatternPicture(20, 20), path, PictureFormat::Png), QString());
        QVERIFY(window.OpenPictureFile(path));
        AppState state;
        FormBatch batch(&window, state.params, state.options, state.LastDir, state.OutDir);
        FormResize resize(QSize(2000, 1500), &window);
        FormAbout about(&window);
        HelpWindow help(&window);
        for (QWidget* form : std::initializer_list<QWidget*>{&window, &batch, &resize, &about, &help}) {
            form->show();
            int named = 0;
            for (QWidget* widget : form->findChildren<QWidget*>()) {
                const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QAbstractSlider*>(widget) ||
                                     qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractScrollArea*>(widget) ||
                                     qobject_cast<QComboBox*>(widget) || qobject_cast<QProgressBar*>(widget);
                // Scroll bars and list headers belong to the control they serve.
                if (!control || qobject_cast<QScrollBar*>(widget) || qobject_cast<QHeaderView*>(widget) ||
                    !widget->isVisibleTo(form))
                    continue;
                QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
                QVERIFY2(face && !face->text(QAccessible::Name).isEmpty(),
                         qPrintable(form->objectName() + ": " + widget->metaObject()->className() + " " +
                                    widget->objectName()));
                ++named;
            }
            QVERIFY2(named > 0, qPrintable(form->objectName()));
        }
        QAccessibleInterface* gallery = QAccessible::queryAccessibleInterface(window.Gallery());
        QVERIFY(gallery && gallery->childCount() > 0);
        QCOMPARE(gallery->child(0)->text(QAccessible::Name), QStringLiteral("Original"));
    }
};

LUMETRA_WINDOW_TEST_MAIN(ViewTest)
#include "view_test.moc"
