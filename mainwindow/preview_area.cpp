#include "preview_area.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "picture_view.h"
#include "snapshot_thumbnail.h"

namespace lumetra {

namespace {
constexpr int kPreviewMarginTwips = 300;
constexpr int kWheelStep = 120;  // one notch of an ordinary mouse wheel
}  // namespace

int PreviewOffset(int areaTwips, int pictureTwips)
{
    if (areaTwips - kPreviewMarginTwips > pictureTwips) return (areaTwips - pictureTwips - kPreviewMarginTwips) / 2;
    return 0;
}

PreviewArea::PreviewArea(QWidget* parent)
    : QScrollArea(parent), canvas_(new QWidget), picture_(new PictureView(canvas_))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::StrongFocus);
    setWidget(canvas_);
    setAccessibleName(tr("Preview"));
    picture_->hide();
}

void PreviewArea::ShowPicture(const QImage& picture)
{
    const QSize before = shown_.size();
    shown_ = picture;
    if (picture.isNull()) {
        picture_->SetPicture(QImage());
        picture_->hide();
        return;
    }
    picture_->SetPicture(comparison_.isNull() ? picture : comparison_);
    picture_->show();
    if (picture.size() != before) Place();
}

void PreviewArea::SetComparison(const QImage& picture)
{
    comparison_ = picture;
    if (!shown_.isNull()) picture_->SetPicture(Painted());
}

const QImage& PreviewArea::Painted() const { return comparison_.isNull() ? shown_ : comparison_; }

void PreviewArea::ArrangePreview()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    Place();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void PreviewArea::Place()
{
    const qreal ratio = devicePixelRatioF();
    picture_->SetZoom(mode_.fit ? FitFactor(shown_.size(), size() * ratio) : mode_.factor);
    const QSize size = shown_.isNull() ? QSize(0, 0) : picture_->size();
    const int x = PreviewOffset(width() * kTwipsPerPixel, size.width() * kTwipsPerPixel) / kTwipsPerPixel;
    const int y = PreviewOffset(height() * kTwipsPerPixel, size.height() * kTwipsPerPixel) / kTwipsPerPixel;
    picture_->move(x, y);
    canvas_->resize(x + size.width(), y + size.height());
    viewport()->setCursor(CanPan() ? Qt::OpenHandCursor : Qt::ArrowCursor);
    emit zoomChanged(ZoomLabel(mode_, Zoom()));
}

double PreviewArea::Zoom() const { return picture_->Zoom(); }

QPoint PreviewArea::PicturePosition() const { return picture_->pos(); }

bool PreviewArea::CanPan() const
{
    return canvas_->width() > viewport()->width() || canvas_->height() > viewport()->height();
}

QPointF PreviewArea::ViewportCentre() const { return QRectF(viewport()->rect()).center(); }

QPointF PreviewArea::PicturePointAt(QPointF viewportPoint) const
{
    const QPointF scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    return (viewportPoint + scrolled - picture_->pos()) / picture_->Scale();
}

void PreviewArea::ScrollPicturePointTo(QPointF picturePoint, QPointF viewportPoint)
{
    const QPointF scroll = picturePoint * picture_->Scale() + picture_->pos() - viewportPoint;
    horizontalScrollBar()->setValue(int(std::lround(scroll.x())));
    verticalScrollBar()->setValue(int(std::lround(scroll.y())));
}

void PreviewArea::SetZoomMode(const ZoomMode& mode, QPointF anchor)
{
    const QPointF kept = PicturePointAt(anchor);
    mode_ = mode;
    Place();
    ScrollPicturePointTo(kept, anchor);
}

void PreviewArea::SetZoomMode(const ZoomMode& mode) { SetZoomMode(mode, ViewportCentre()); }

void PreviewArea::ZoomIn() { SetZoomMode({false, ZoomStepIn(Zoom())}); }

void PreviewArea::ZoomOut() { SetZoomMode({false, ZoomStepOut(Zoom())}); }

void PreviewArea::ActualSize() { SetZoomMode({false, 1.0}); }

void PreviewArea::FitToWindow()
{
    mode_ = {true, 1.0};
    ArrangePreview();
}

void PreviewArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    // One-to-one and Fit are laid out afresh; any other zoom keeps its scroll position.
    if (mode_.fit || mode_.factor == 1.0)
        ArrangePreview();
    else
        Place();
}

void PreviewArea::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        wheelAngle_ = 0;
        QScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    wheelAngle_ += event->angleDelta().y();
    for (; wheelAngle_ >= kWheelStep; wheelAngle_ -= kWheelStep)
        SetZoomMode({false, ZoomStepIn(Zoom())}, event->position());
    for (; wheelAngle_ <= -kWheelStep; wheelAngle_ += kWheelStep)
        SetZoomMode({false, ZoomStepOut(Zoom())}, event->position());
}

void PreviewArea::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    if (event->button() != Qt::LeftButton || !CanPan()) {
        QScrollArea::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    dragStart_ = event->position().toPoint();
    scrollAtDragStart_ = {horizontalScrollBar()->value(), verticalScrollBar()->value()};
    viewport()->setCursor(Qt::ClosedHandCursor);
    event->accept();
}

void PreviewArea::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_) {
        QScrollArea::mouseMoveEvent(event);
        return;
    }
    const QPoint moved = event->position().toPoint() - dragStart_;
    horizontalScrollBar()->setValue(scrollAtDragStart_.x() - moved.x());
    verticalScrollBar()->setValue(scrollAtDragStart_.y() - moved.y());
    event->accept();
}

void PreviewArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton) {
        QScrollArea::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    viewport()->setCursor(CanPan() ? Qt::OpenHandCursor : Qt::ArrowCursor);
    event->accept();
}

}  // namespace lumetra
