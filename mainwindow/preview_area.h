#pragma once
// The scrolling preview in the middle of the main window. It shows one gallery picture
// at a time at the chosen zoom (one picture pixel to one screen pixel unless the user
// zooms): centred (20 pixels left of and above the true centre) when it is smaller than
// the area, at the top left and reached by scrolling when it is larger. The picture can
// be dragged, scrolled with the bars and the arrow keys, and zoomed with Ctrl+wheel
// about the pointer. Selecting another picture of the same size keeps zoom and scroll.

#include <QImage>
#include <QScrollArea>

#include "zoom_mode.h"

namespace lumetra {

class PictureView;

// Offset in twips of a picture side in an area side, both in twips: the picture is
// centred within the area less a 300-twip margin when the area minus the margin is
// larger than the picture, otherwise it starts at 0.
int PreviewOffset(int areaTwips, int pictureTwips);

class PreviewArea : public QScrollArea {
    Q_OBJECT
public:
    explicit PreviewArea(QWidget* parent = nullptr);

    // Shows the picture (an empty one shows nothing); zoom and scroll stay.
    void ShowPicture(const QImage& picture);
    // Places the picture again and scrolls back to the top left.
    void ArrangePreview();

    // While a comparison picture is set it is shown in place of the selected one, at
    // the same zoom and scroll; an empty picture ends the comparison.
    void SetComparison(const QImage& picture);

    void ZoomIn();
    void ZoomOut();
    void ActualSize();
    void FitToWindow();
    // A new zoom mode, keeping the picture point under the anchor (in the area's
    // viewport) where it is.
    void SetZoomMode(const ZoomMode& mode, QPointF anchor);
    void SetZoomMode(const ZoomMode& mode);

    const ZoomMode& Mode() const { return mode_; }
    // The factor in use (the fitted one in Fit).
    double Zoom() const;
    const QImage& Shown() const { return shown_; }
    // The picture painted now: the shown one, or the comparison while one is set.
    const QImage& Painted() const;
    QPoint PicturePosition() const;

signals:
    void zoomChanged(const QString& label);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Sizes and places the picture for the zoom mode; leaves the scroll bars alone.
    void Place();
    QPointF PicturePointAt(QPointF viewportPoint) const;
    void ScrollPicturePointTo(QPointF picturePoint, QPointF viewportPoint);
    QPointF ViewportCentre() const;
    bool CanPan() const;

    QWidget* canvas_;
    PictureView* picture_;
    QImage shown_;
    QImage comparison_;
    ZoomMode mode_;
    int wheelAngle_ = 0;  // wheel turn not yet used up by a zoom step (touchpads send small steps)
    QPoint dragStart_;
    QPoint scrollAtDragStart_;
    bool dragging_ = false;
};

}  // namespace lumetra
