#include "batch/status_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>

namespace lumetra {

namespace {

void PaintArrow(QPainter& p)
{
    const std::array<QPointF, 7> points{{{2, 6}, {8, 6}, {8, 2.5}, {14.5, 8}, {8, 13.5}, {8, 10}, {2, 10}}};
    p.setPen(QPen(QColor(140, 0, 0), 0.8));
    p.setBrush(QColor(225, 30, 30));
    p.drawPolygon(points.data(), static_cast<int>(points.size()));
}

void PaintCheck(QPainter& p)
{
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.5, 12.5);
    tick.lineTo(13.5, 3.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 150, 40), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

void PaintPicture(QPainter& p)
{
    const QRectF frame(1.5, 2.5, 13, 11);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(170, 210, 245));
    p.drawRect(frame);
    p.setBrush(QColor(250, 205, 40));
    p.drawEllipse(QPointF(10.5, 5.5), 1.6, 1.6);
    const std::array<QPointF, 4> hill{{{1.5, 13.5}, {6, 7.5}, {10, 13.5}, {1.5, 13.5}}};
    const std::array<QPointF, 4> slope{{{6.5, 13.5}, {10.5, 9.5}, {14.5, 13.5}, {6.5, 13.5}}};
    p.setBrush(QColor(60, 150, 60));
    p.drawPolygon(hill.data(), static_cast<int>(hill.size()));
    p.setBrush(QColor(40, 120, 45));
    p.drawPolygon(slope.data(), static_cast<int>(slope.size()));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.drawRect(frame);
}

void PaintCross(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(215, 20, 20), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
}

void PaintSkip(QPainter& p)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(110, 110, 120), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const double left : {3.0, 8.5}) {
        const std::array<QPointF, 3> chevron{{{left, 3.5}, {left + 4.5, 8}, {left, 12.5}}};
        p.drawPolyline(chevron.data(), static_cast<int>(chevron.size()));
    }
}

void PaintWarning(QPainter& p)
{
    const std::array<QPointF, 3> sign{{{8, 1.5}, {15, 14}, {1, 14}}};
    p.setPen(QPen(QColor(150, 110, 0), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 200, 20));
    p.drawPolygon(sign.data(), static_cast<int>(sign.size()));
    p.setPen(QPen(QColor(40, 30, 0), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 5.5), QPointF(8, 9.5));
    p.drawPoint(QPointF(8, 12));
}

QPixmap Paint(FileStatus status, int side)
{
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(side / 16.0, side / 16.0);
    switch (status) {
    case FileStatus::Converting: PaintArrow(p); break;
    case FileStatus::Converted: PaintCheck(p); break;
    case FileStatus::Waiting: PaintPicture(p); break;
    case FileStatus::Failed: PaintCross(p); break;
    case FileStatus::Skipped: PaintSkip(p); break;
    case FileStatus::Warned: PaintWarning(p); break;
    }
    return pixmap;
}

}  // namespace

QIcon StatusIcon(FileStatus status)
{
    QIcon icon;
    icon.addPixmap(Paint(status, 16));
    icon.addPixmap(Paint(status, 32));
    return icon;
}

}  // namespace lumetra
