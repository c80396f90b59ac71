// The board: the client area of the main window, the picture drawn on it and the game's display.
//
// Everything is drawn into a persistent off-screen picture by the four drawing procedures, in the
// board's own units of 1/1440 inch (twips) mapped to device pixels by the screen's logical DPI, its
// pixel ratio and the zoom; a repaint only copies the picture. The procedures read the game and the
// check marks afresh at every call. Mouse releases are reported in twips, and SquareAt is the one
// place that maps a point in twips to a board square.
//
// While a position is being set up, the view shows the editor's board and side to move instead of the
// game's, without the selection, the marks or the winner's banner; the game stays as it is.
//
// The view is the game's display sink. The Info window's texts are not the board's: for those it
// only says that they are due, and the main window writes them.
#pragma once

#include "BoardMarks.h"
#include "BoardScale.h"
#include "GameDisplay.h"
#include "GameState.h"

#include <QImage>
#include <QMetaObject>
#include <QWidget>

#include <cstdint>

class QFont;
class QPainter;

namespace kelmarin::ui {

class MenuActions;

class BoardView final : public QWidget, public GameDisplay {
    Q_OBJECT

public:
    static constexpr int ClientTwips = 6600;

    BoardView(const GameState& game, const MenuActions& menu, QWidget* parent = nullptr);

    void DrawSquare(std::int16_t I, std::int16_t J) override;
    // The game has already stored the new selected square; this moves the highlight.
    void SetSelection(std::int16_t I, std::int16_t J) override;
    // The game has already recounted CoinCount.
    void RedrawBoard() override;
    void DrawTurnMarker(std::int16_t side) override;
    void RefreshInfoWindow() override { emit InfoWindowDue(); }

    // The board square shown under the point (X, Y) in twips, (0, 0) in the margin or beyond.
    TSquare SquareAt(float X, float Y) const;
    // The box in twips of the cell that shows board square (I, J).
    QRect SquareBox(std::int16_t I, std::int16_t J) const;

    // The picture scaled by this factor (1 is the board's own size); the widget's size follows.
    void SetZoom(double zoom);
    double Zoom() const { return Scale_.Zoom; }
    // With Show Legal Moves on, marks the pieces that must capture until the next click or step.
    void ShowMustCapture(bool on);
    // Marks the landing square of a hinted step until the next click or step; {} takes it away.
    void ShowHint(TSquare landing);

    const QImage& Picture() const { return Picture_; }
    // The picture's pixel at the point (X, Y) given in twips.
    QPoint PicturePixel(int X, int Y) const { return {Scale_.X(X), Scale_.Y(Y)}; }
    // Twips of one logical pixel of the widget, horizontally and vertically.
    double TwipsPerPixelX() const { return Scale_.TwipsPerPixelX(); }
    double TwipsPerPixelY() const { return Scale_.TwipsPerPixelY(); }

    // Shows board and side instead of the game, until ShowEdited(nullptr, 0); both must outlive it.
    void ShowEdited(const TBoard* board, std::int16_t side);
    bool Editing() const { return Edited_ != nullptr; }

    // The position in words, as the board's accessible description.
    QString Description() const;
    // The square the keyboard frame is on, (0, 0) while it is hidden.
    TSquare FocusSquare() const { return Focus_; }

signals:
    // Any button, on release; X and Y in twips from the top-left corner of the board's client area.
    void MouseUp(int button, int shift, float X, float Y);
    // The game changed what the Info window shows.
    void InfoWindowDue();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Arrows show and move the frame, Space or Enter acts on its square as a click there, Escape hides it.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void WatchScreen();
    void ScreenChanged();
    void CreatePicture();
    QFont Font(const QString& family, int points) const;
    QPoint DisplayCorner(std::int16_t I, std::int16_t J) const;
    // Works the marks out afresh and repaints the squares whose marks changed.
    void RefreshMarks();
    // Tells assistive technology that the position in words is new.
    void DescriptionChanged();

    void PaintSquare(QPainter& painter, std::int16_t I, std::int16_t J);
    void PaintMarks(QPainter& painter, std::int16_t I, std::int16_t J, bool beforePiece);
    void PaintNumber(QPainter& painter, std::int16_t I, std::int16_t J);
    void PaintTurnMarker(QPainter& painter, std::int16_t side);
    const TBoard& ShownBoard() const { return Edited_ != nullptr ? *Edited_ : Game_.Board; }
    std::int16_t ShownSide() const { return Edited_ != nullptr ? EditedSide_ : Game_.SideToMove; }

    const GameState& Game_;
    const MenuActions& Menu_;

    QImage Picture_;
    BoardScale Scale_;
    TSquare PreviousSelection;
    SquareMarks Marks_;
    bool MustCapture_ = false;
    TSquare Hint_;
    TSquare Focus_;
    QMetaObject::Connection ScreenDpi_;
    const TBoard* Edited_ = nullptr;
    std::int16_t EditedSide_ = 0;
};

} // namespace kelmarin::ui
