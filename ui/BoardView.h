// The board: the client area of the main window and the picture drawn on it.
//
// Everything is drawn into a persistent off-screen picture by the four drawing procedures, in the
// board's own units of 1/1440 inch (twips) mapped to device pixels by the screen's logical DPI and
// pixel ratio; a repaint only copies the picture. The procedures read the game and the Flip Board and
// Show Numbers check marks afresh at every call. Mouse releases are reported in twips.
#pragma once

#include "GameState.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

class QAction;
class QFont;
class QPainter;

namespace kelmarin::ui {

class BoardView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int ClientTwips = 6600;

    BoardView(const GameState& game, const QAction& flipBoard, const QAction& showNumbers,
              QWidget* parent = nullptr);

    void DrawSquare(std::int16_t I, std::int16_t J);
    // The game has already stored the new selected square; this moves the highlight.
    void SetSelection(std::int16_t I, std::int16_t J);
    // The game has already recounted CoinCount.
    void RedrawBoard();
    void DrawTurnMarker(std::int16_t side);

    const QImage& Picture() const { return Picture_; }
    // The picture's pixel at the point (X, Y) given in twips.
    QPoint PicturePixel(int X, int Y) const { return {PxX(X), PxY(Y)}; }
    // Twips of one logical pixel of the widget, horizontally and vertically.
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

signals:
    // Any button, on release; X and Y in twips from the top-left corner of the board's client area.
    void MouseUp(int button, int shift, float X, float Y);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void CreatePicture();
    int PxX(int twips) const;
    int PxY(int twips) const;
    QFont Font(const QString& family, int points) const;
    QPoint DisplayCorner(std::int16_t I, std::int16_t J) const;

    void PaintSquare(QPainter& painter, std::int16_t I, std::int16_t J);
    void PaintTurnMarker(QPainter& painter, std::int16_t side);
    void PaintBox(QPainter& painter, int left, int top, int right, int bottom, const QColor& fill);
    void PaintDisc(QPainter& painter, int x, int y, int radius, const QColor& fill);

    const GameState& Game_;
    const QAction& FlipBoard_;
    const QAction& ShowNumbers_;

    QImage Picture_;
    double DpiX_ = 96;
    double DpiY_ = 96;
    double PixelRatio_ = 1;
    TSquare PreviousSelection;
};

} // namespace kelmarin::ui
