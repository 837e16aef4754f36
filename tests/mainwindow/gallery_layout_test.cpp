// Thumbnail geometry and framing, and the preview placement.

#include <QScrollBar>

#include "mainwindow/preview_area.h"
#include "mainwindow/snapshot_thumbnail.h"
#include "window_test_support.h"

using namespace lumetra;
using namespace lumetra::testing;

namespace {

const QColor kFrame(0xd4, 0xd0, 0xc8);

bool IsWhite(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(255, 255, 255); }

}  // namespace

class GalleryLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void placementInTwips_data()
    {
        QTest::addColumn<QSize>("source");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("wide, height bound by width") << QSize(3000, 1500) << QRectF(0, 450, 1800, 900);
        QTest::newRow("tall") << QSize(1500, 3000) << QRectF(450, 0, 900, 1800);
        QTest::newRow("square larger: width branch fills it") << QSize(4500, 4500) << QRectF(0, 0, 1800, 1800);
        QTest::newRow("small, centred unscaled") << QSize(900, 600) << QRectF(450, 600, 900, 600);
        QTest::newRow("exactly the canvas") << QSize(1800, 1800) << QRectF(0, 0, 1800, 1800);
        QTest::newRow("only one side too large") << QSize(3600, 900) << QRectF(0, 675, 1800, 450);
        QTest::newRow("odd margin stays a half") << QSize(15, 15) << QRectF(892.5, 892.5, 15, 15);
    }
    void placementInTwips()
    {
        QFETCH(QSize, source);
        QFETCH(QRectF, expected);
        const SnapshotPlacement p = PlaceSnapshot(source.width(), source.height());
        QCOMPARE(QRectF(p.left, p.top, p.width, p.height), expected);
    }

    void thumbnailIsFramedAndPlaced()
    {
        // 200 x 100 pixels: scaled to 120 x 60 at top 30, white above and below.
        QImage red(200, 100, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QImage thumb = MakeSnapshot(red, kFrame);
        QCOMPARE(thumb.size(), QSize(120, 120));
        for (int i = 0; i < 120; ++i) {
            QCOMPARE(QColor(thumb.pixel(i, 0)), kFrame);
            QCOMPARE(QColor(thumb.pixel(i, 119)), kFrame);
            QCOMPARE(QColor(thumb.pixel(0, i)), kFrame);
            QCOMPARE(QColor(thumb.pixel(119, i)), kFrame);
        }
        QVERIFY(IsWhite(thumb, 60, 29));
        QCOMPARE(thumb.pixel(60, 30), qRgb(255, 0, 0));
        QCOMPARE(thumb.pixel(60, 89), qRgb(255, 0, 0));
        QVERIFY(IsWhite(thumb, 60, 90));
        QCOMPARE(thumb.pixel(1, 60), qRgb(255, 0, 0));

        // 60 x 40 pixels fit: drawn unscaled, pixel for pixel, at (30, 40).
        const QImage small = PatternPicture(60, 40);
        const QImage centred = MakeSnapshot(small, kFrame);
        QCOMPARE(centred.copy(30, 40, 60, 40), small);
        QVERIFY(IsWhite(centred, 29, 60) && IsWhite(centred, 90, 60) && IsWhite(centred, 60, 39));

        // A picture the size of the canvas is covered by the frame only at its edge.
        const QImage full = PatternPicture(120, 120);
        const QImage framed = MakeSnapshot(full, kFrame);
        QCOMPARE(framed.copy(1, 1, 118, 118), full.copy(1, 1, 118, 118));
        QCOMPARE(QColor(framed.pixel(0, 0)), kFrame);

        // A larger picture shrinks by averaging the block each thumbnail pixel covers, from
        // 24-bit pictures too: 360 x 240 to 120 x 80, each pixel the rounded mean of a 3 x 3
        // block of a pattern whose blocks all differ.
        const QImage pattern = PatternPicture(360, 240).convertToFormat(QImage::Format_RGB888);
        const QImage shrunk = MakeSnapshot(pattern, kFrame);
        for (const QPoint& at : {QPoint(1, 21), QPoint(57, 60), QPoint(118, 98)}) {
            int sums[3] = {0, 0, 0};
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x) {
                    const QRgb p = pattern.pixel(3 * at.x() + x, 3 * (at.y() - 20) + y);
                    sums[0] += qRed(p), sums[1] += qGreen(p), sums[2] += qBlue(p);
                }
            QCOMPARE(shrunk.pixel(at), qRgb((sums[0] + 4) / 9, (sums[1] + 4) / 9, (sums[2] + 4) / 9));
        }

        // Nothing to draw still gives a white, framed thumbnail.
        const QImage empty = MakeSnapshot(QImage(), kFrame);
        QVERIFY(IsWhite(empty, 60, 60));
        QCOMPARE(QColor(empty.pixel(119, 119)), kFrame);
    }

    void previewOffsetKeepsTheMargin()
    {
        QCOMPARE(PreviewOffset(6000, 3000), 1350);
        QCOMPARE(PreviewOffset(6015, 3000), 1357);  // remainder dropped
        QCOMPARE(PreviewOffset(3300, 3000), 0);     // area minus margin not larger
        QCOMPARE(PreviewOffset(3301, 3000), 0);
        QCOMPARE(PreviewOffset(2000, 3000), 0);
        QCOMPARE(PreviewOffset(0, 3000), 0);
    }

    void previewCentresSmallAndScrollsLargePictures()
    {
        PreviewArea area;
        area.resize(400, 300);
        area.show();
        area.ShowPicture(PatternPicture(200, 100));
        area.ArrangePreview();
        QCOMPARE(area.PicturePosition(), QPoint(90, 90));

        area.ShowPicture(PatternPicture(1000, 800));
        area.ArrangePreview();
        QCOMPARE(area.PicturePosition(), QPoint(0, 0));
        area.horizontalScrollBar()->setValue(200);
        area.verticalScrollBar()->setValue(100);
        area.ArrangePreview();
        QCOMPARE(area.horizontalScrollBar()->value(), 0);
        QCOMPARE(area.verticalScrollBar()->value(), 0);

        // An area with no room left is not a failure.
        area.resize(0, 0);
        area.ArrangePreview();
        QCOMPARE(area.PicturePosition(), QPoint(0, 0));
    }
};

LUMETRA_WINDOW_TEST_MAIN(GalleryLayoutTest)
#include "gallery_layout_test.moc"
