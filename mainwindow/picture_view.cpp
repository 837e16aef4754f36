#include "picture_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace lumetra {

PictureView::PictureView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void PictureView::SetPicture(const QImage& picture)
{
    picture_ = picture;
    TakeSize();
    update();
}

void PictureView::SetZoom(double factor)
{
    if (factor == zoom_) return;
    zoom_ = factor;
    TakeSize();
    update();
}

double PictureView::Scale() const { return zoom_ / devicePixelRatioF(); }

void PictureView::TakeSize()
{
    // Whole pixels only, rounded down, so a fitted picture never spills over its area.
    resize(int(std::floor(picture_.width() * Scale() + 1e-6)), int(std::floor(picture_.height() * Scale() + 1e-6)));
}

const QImage& PictureView::Reduced()
{
    const QSize size(int(std::floor(picture_.width() * zoom_ + 1e-6)),
                     int(std::floor(picture_.height() * zoom_ + 1e-6)));
    if (reducedFrom_ != picture_.cacheKey() || reduced_.size() != size) {
        reduced_ = size.isEmpty() ? QImage() : picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        reducedFrom_ = picture_.cacheKey();
    }
    return reduced_;
}

void PictureView::paintEvent(QPaintEvent* event)
{
    if (picture_.isNull()) return;
    QPainter painter(this);
    const QRect area = event->rect();
    if (zoom_ < 1.0) {
        const qreal ratio = devicePixelRatioF();
        const QRectF source(area.x() * ratio, area.y() * ratio, area.width() * ratio, area.height() * ratio);
        painter.drawImage(QRectF(area), Reduced(), source);
        return;
    }
    // Nearest neighbour through a plain scale: whole picture pixels around the asked
    // part, each drawn as one block.
    const double scale = Scale();
    const int left = int(std::floor(area.left() / scale));
    const int top = int(std::floor(area.top() / scale));
    const int right = int(std::ceil((area.right() + 1) / scale));
    const int bottom = int(std::ceil((area.bottom() + 1) / scale));
    const QRect pixels = QRect(left, top, right - left, bottom - top).intersected(picture_.rect());
    painter.scale(scale, scale);
    painter.drawImage(pixels.topLeft(), picture_, pixels);
}

}  // namespace lumetra
