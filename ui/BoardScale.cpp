#include "BoardScale.h"

#include <QPainter>

namespace kelmarin::ui {

void BoardScale::Box(QPainter& painter, int left, int top, int right, int bottom, const QColor& fill) const
{
    painter.setBrush(fill);
    const int x1 = X(left), y1 = Y(top);
    painter.drawRect(x1, y1, X(right) - x1, Y(bottom) - y1);
}

void BoardScale::Disc(QPainter& painter, int x, int y, int radius, const QColor& fill) const
{
    painter.setBrush(fill);
    const int rx = X(radius), ry = Y(radius);
    painter.drawEllipse(X(x) - rx, Y(y) - ry, 2 * rx, 2 * ry);
}

void BoardScale::Frame(QPainter& painter, int left, int top, int right, int bottom, int width,
                       const QColor& colour) const
{
    const int x1 = X(left), x2 = X(left + width), x3 = X(right - width), x4 = X(right);
    const int y1 = Y(top), y2 = Y(top + width), y3 = Y(bottom - width), y4 = Y(bottom);
    painter.fillRect(x1, y1, x4 - x1, y2 - y1, colour);
    painter.fillRect(x1, y3, x4 - x1, y4 - y3, colour);
    painter.fillRect(x1, y1, x2 - x1, y4 - y1, colour);
    painter.fillRect(x3, y1, x4 - x3, y4 - y1, colour);
}

void BoardScale::Ring(QPainter& painter, int x, int y, int radius, int width, const QColor& colour) const
{
    const QPen pen = painter.pen();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, std::max(1, X(width))));
    const int rx = X(radius), ry = Y(radius);
    painter.drawEllipse(X(x) - rx, Y(y) - ry, 2 * rx, 2 * ry);
    painter.setPen(pen);
}

} // namespace kelmarin::ui
