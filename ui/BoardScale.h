// How the board's twips (1/1440 inch) become the picture's device pixels: the screen's logical DPI,
// its pixel ratio and the zoom; and the drawing primitives, given in twips. The layout in twips is
// the same at every scale.
#pragma once

#include <QSize>

class QColor;
class QPainter;

#include <algorithm>
#include <cmath>

namespace kelmarin::ui {

struct BoardScale {
    static constexpr int TwipsPerInch = 1440;
    static constexpr int PointsPerInch = 72;

    double DpiX = 96;
    double DpiY = 96;
    double PixelRatio = 1;
    double Zoom = 1;

    int X(int twips) const
    {
        return static_cast<int>(std::lround(twips * DpiX * PixelRatio * Zoom / TwipsPerInch));
    }
    int Y(int twips) const
    {
        return static_cast<int>(std::lround(twips * DpiY * PixelRatio * Zoom / TwipsPerInch));
    }
    // Fonts are sized in device pixels: the picture has no resolution of its own.
    int FontPixels(int points) const
    {
        return std::max(1, static_cast<int>(std::lround(points * DpiY * PixelRatio * Zoom / PointsPerInch)));
    }
    // Twips of one logical pixel of the widget.
    double TwipsPerPixelX() const { return TwipsPerInch / (DpiX * Zoom); }
    double TwipsPerPixelY() const { return TwipsPerInch / (DpiY * Zoom); }
    // The widget's size in logical pixels for a square of this many twips.
    QSize WidgetSize(int twips) const
    {
        return {static_cast<int>(std::lround(twips / TwipsPerPixelX())),
                static_cast<int>(std::lround(twips / TwipsPerPixelY()))};
    }

    // Filled with fill and outlined in the painter's pen.
    void Box(QPainter& painter, int left, int top, int right, int bottom, const QColor& fill) const;
    void Disc(QPainter& painter, int x, int y, int radius, const QColor& fill) const;
    // A frame of the given width just inside the box (left, top)-(right, bottom), with no outline.
    void Frame(QPainter& painter, int left, int top, int right, int bottom, int width,
               const QColor& colour) const;
    // A circle's line of the given width.
    void Ring(QPainter& painter, int x, int y, int radius, int width, const QColor& colour) const;
};

} // namespace kelmarin::ui
