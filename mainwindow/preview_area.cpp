#include "preview_area.h"

#include <QLabel>
#include <QPixmap>
#include <QResizeEvent>
#include <QScrollBar>
#include <cmath>

#include "snapshot_thumbnail.h"

namespace lumetra {

namespace {
constexpr int kPreviewMarginTwips = 300;
}

int PreviewOffset(int areaTwips, int pictureTwips)
{
    if (areaTwips - kPreviewMarginTwips > pictureTwips)
        return (areaTwips - pictureTwips - kPreviewMarginTwips) / 2;
    return 0;
}

PreviewArea::PreviewArea(QWidget* parent) : QScrollArea(parent), canvas_(new QWidget), picture_(new QLabel(canvas_))
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWidget(canvas_);
    picture_->hide();
}

void PreviewArea::ShowPicture(const QImage& picture)
{
    shown_ = picture;
    if (picture.isNull()) {
        picture_->clear();
        picture_->hide();
        return;
    }
    // One picture pixel per device pixel, so the preview stays crisp on high-density screens.
    QPixmap pixmap = QPixmap::fromImage(picture);
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    picture_->setPixmap(pixmap);
    picture_->resize(pixmap.deviceIndependentSize().toSize());
    picture_->show();
}

void PreviewArea::ArrangePreview()
{
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    const QSize size = shown_.isNull() ? QSize(0, 0) : picture_->size();
    const int x = PreviewOffset(width() * kTwipsPerPixel, size.width() * kTwipsPerPixel) / kTwipsPerPixel;
    const int y = PreviewOffset(height() * kTwipsPerPixel, size.height() * kTwipsPerPixel) / kTwipsPerPixel;
    picture_->move(x, y);
    canvas_->resize(x + size.width(), y + size.height());
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

QPoint PreviewArea::PicturePosition() const { return picture_->pos(); }

void PreviewArea::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    ArrangePreview();
}

}  // namespace lumetra
