#include "BoardView.h"

#include "MenuActions.h"
#include "Notation.h"

#include <QAction>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace kelmarin::ui {

namespace {

constexpr int TwipsPerInch = 1440;
constexpr int PointsPerInch = 72;

const QColor SelectedColour(0, 192, 192);
const QColor BlueColour(0, 0, 255);
const QColor RedColour(255, 0, 0);
const QColor BlueKingMark(0, 0, 192);
const QColor RedKingMark(192, 0, 0);
const QColor BlueBanner(0, 0, 127);
const QColor RedBanner(127, 0, 0);
const QColor LastMoveColour(255, 255, 0);
const QColor MustCaptureColour(255, 140, 0);

} // namespace

BoardView::BoardView(const GameState& game, const MenuActions& menu, QWidget* parent)
    : QWidget(parent), Game_(game), Menu_(menu)
{
    setObjectName(QStringLiteral("Board"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    CreatePicture();
}

double BoardView::TwipsPerPixelX() const
{
    return TwipsPerInch / (DpiX_ * Zoom_);
}
double BoardView::TwipsPerPixelY() const
{
    return TwipsPerInch / (DpiY_ * Zoom_);
}

int BoardView::PxX(int twips) const
{
    return static_cast<int>(std::lround(twips * DpiX_ * PixelRatio_ * Zoom_ / TwipsPerInch));
}
int BoardView::PxY(int twips) const
{
    return static_cast<int>(std::lround(twips * DpiY_ * PixelRatio_ * Zoom_ / TwipsPerInch));
}

// The picture is made afresh at the new size and drawn at the device's own resolution, so that it
// stays crisp; the layout in twips is the same at every zoom.
void BoardView::SetZoom(double zoom)
{
    Zoom_ = zoom;
    CreatePicture();
    RedrawBoard();
}

void BoardView::CreatePicture()
{
    DpiX_ = logicalDpiX();
    DpiY_ = logicalDpiY();
    PixelRatio_ = devicePixelRatioF();
    setFixedSize(static_cast<int>(std::lround(ClientTwips / TwipsPerPixelX())),
                 static_cast<int>(std::lround(ClientTwips / TwipsPerPixelY())));
    Picture_ = QImage(PxX(ClientTwips), PxY(ClientTwips), QImage::Format_RGB32);
    Picture_.fill(palette().color(QPalette::Button)); // the window's own background
}

void BoardView::showEvent(QShowEvent* event)
{
    WatchScreen();
    QWidget::showEvent(event);
}

// The native window exists once the window is shown; from then on a move to another screen, or a
// change of the screen's density, has the picture drawn afresh at the new scale.
void BoardView::WatchScreen()
{
    QWindow* native = window()->windowHandle();
    if (native == nullptr || ScreenDpi_)
        return;
    connect(native, &QWindow::screenChanged, this, &BoardView::ScreenChanged);
    ScreenChanged();
}

void BoardView::ScreenChanged()
{
    disconnect(ScreenDpi_);
    if (QScreen* screen = window()->windowHandle()->screen())
        ScreenDpi_ = connect(screen, &QScreen::logicalDotsPerInchChanged, this, &BoardView::ScreenChanged);
    if (logicalDpiX() != DpiX_ || logicalDpiY() != DpiY_ || devicePixelRatioF() != PixelRatio_) {
        CreatePicture();
        RedrawBoard();
    }
}

QFont BoardView::Font(const QString& family, int points) const
{
    QFont font(family);
    // Sized in device pixels: the picture has no resolution of its own.
    font.setPixelSize(
        std::max(1, static_cast<int>(std::lround(points * DpiY_ * PixelRatio_ * Zoom_ / PointsPerInch))));
    return font;
}

void BoardView::PaintBox(QPainter& painter, int left, int top, int right, int bottom, const QColor& fill)
{
    painter.setBrush(fill);
    const int x1 = PxX(left), y1 = PxY(top);
    painter.drawRect(x1, y1, PxX(right) - x1, PxY(bottom) - y1);
}

void BoardView::PaintDisc(QPainter& painter, int x, int y, int radius, const QColor& fill)
{
    painter.setBrush(fill);
    const int rx = PxX(radius), ry = PxY(radius);
    painter.drawEllipse(PxX(x) - rx, PxY(y) - ry, 2 * rx, 2 * ry);
}

// The top-left corner, in twips, of the cell that shows board square (I, J).
QPoint BoardView::DisplayCorner(std::int16_t I, std::int16_t J) const
{
    const bool flipped = Menu_.mnuFlipBoard->isChecked();
    const int C = flipped ? 9 - I : I;
    const int R = flipped ? 9 - J : J;
    return {(C - 1) * 800 + 100, (R - 1) * 800 + 100};
}

QRect BoardView::SquareBox(std::int16_t I, std::int16_t J) const
{
    return {DisplayCorner(I, J), QSize(800, 800)};
}

TSquare BoardView::SquareAt(float X, float Y) const
{
    // A cell covers [100 + 800 (k - 1), 100 + 800 k): a point on its left or top edge is inside it.
    const float column = std::floor((X - 100.0f) / 800.0f + 1.0f);
    const float row = std::floor((Y - 100.0f) / 800.0f + 1.0f);
    const bool flipped = Menu_.mnuFlipBoard->isChecked();
    const float I = flipped ? 9.0f - column : column;
    const float J = flipped ? 9.0f - row : row;
    if (!(I >= 1.0f && I <= 8.0f && J >= 1.0f && J <= 8.0f))
        return {};
    return {static_cast<std::int16_t>(I), static_cast<std::int16_t>(J)};
}

void BoardView::PaintSquare(QPainter& painter, std::int16_t I, std::int16_t J)
{
    const QPoint corner = DisplayCorner(I, J);
    const int Left = corner.x(), Top = corner.y();
    const bool dark = (I + J) % 2 != 0;

    QColor fill = palette().color(dark ? QPalette::Dark : QPalette::Button);
    if (Game_.SelectedSquare == TSquare{I, J})
        fill = SelectedColour;
    PaintBox(painter, Left, Top, Left + 800, Top + 800, fill);
    if (Marks_(I, J) != 0)
        PaintMarks(painter, I, J, true);

    const std::int16_t coin = Game_.Board(I, J);
    if (coin > 0) {
        const bool blue = coin % 2 != 0;
        PaintDisc(painter, Left + 430, Top + 430, 320, Qt::black); // the shadow
        PaintDisc(painter, Left + 390, Top + 390, 320, blue ? BlueColour : RedColour);
        if (IsKing(coin))
            PaintDisc(painter, Left + 390, Top + 390, 200, blue ? BlueKingMark : RedKingMark);
    }

    if (Marks_(I, J) != 0)
        PaintMarks(painter, I, J, false);
    if (Menu_.mnuShowNumbers->isChecked() && dark)
        PaintNumber(painter, I, J);
}

// The marks of the aids, none of which hides a piece or a number: the last turn's frame lies inside
// the square's edge, under the piece; a landing dot sits on an empty square; the ring round a piece
// that must capture is drawn over the shadow only. Numbers are drawn after all of them.
void BoardView::PaintMarks(QPainter& painter, std::int16_t I, std::int16_t J, bool beforePiece)
{
    const QPoint corner = DisplayCorner(I, J);
    const int Left = corner.x(), Top = corner.y();
    if (beforePiece) {
        if (Marks_(I, J) & LastMoveMark) {
            // A frame 50 twips wide, 20 twips inside the square's edge.
            const int x1 = PxX(Left + 20), x2 = PxX(Left + 70), x3 = PxX(Left + 730), x4 = PxX(Left + 780);
            const int y1 = PxY(Top + 20), y2 = PxY(Top + 70), y3 = PxY(Top + 730), y4 = PxY(Top + 780);
            painter.fillRect(QRect(QPoint(x1, y1), QPoint(x4 - 1, y2 - 1)), LastMoveColour);
            painter.fillRect(QRect(QPoint(x1, y3), QPoint(x4 - 1, y4 - 1)), LastMoveColour);
            painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y4 - 1)), LastMoveColour);
            painter.fillRect(QRect(QPoint(x3, y1), QPoint(x4 - 1, y4 - 1)), LastMoveColour);
        }
        return;
    }
    if (Marks_(I, J) & LandingMark)
        PaintDisc(painter, Left + 400, Top + 400, 120, SelectedColour);
    if (Marks_(I, J) & MustCaptureMark) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(MustCaptureColour, std::max(1, PxX(50))));
        const int rx = PxX(350), ry = PxY(350);
        painter.drawEllipse(PxX(Left + 390) - rx, PxY(Top + 390) - ry, 2 * rx, 2 * ry);
        painter.setPen(Qt::black);
    }
}

void BoardView::ShowMustCapture(bool on)
{
    if (MustCapture_ == on)
        return;
    MustCapture_ = on;
    RefreshMarks();
}

void BoardView::RefreshMarks()
{
    const SquareMarks old = Marks_;
    Marks_ =
        ComputeMarks(Game_, {Menu_.mnuHighlightLastMove->isChecked(), Menu_.mnuShowLegalMoves->isChecked(),
                             MustCapture_ && Menu_.mnuShowLegalMoves->isChecked()});
    if (Marks_ == old)
        return;
    for (std::int16_t I = 1; I <= 8; ++I)
        for (std::int16_t J = 1; J <= 8; ++J)
            if (Marks_(I, J) != old(I, J))
                DrawSquare(I, J);
}

void BoardView::PaintNumber(QPainter& painter, std::int16_t I, std::int16_t J)
{
    const QRect box = SquareBox(I, J);
    painter.setFont(Font(QStringLiteral("Arial"), 7));
    painter.setPen(palette().color(QPalette::Button));
    const QString text = QString::number(SquareNumber(I, J));
    const QFontMetrics metrics = painter.fontMetrics();
    // On a flipped board the number sits flush in the bottom-right corner, where the rotated picture
    // would put it.
    const bool flipped = Menu_.mnuFlipBoard->isChecked();
    const int x = flipped ? PxX(box.left() + 800) - metrics.horizontalAdvance(text) : PxX(box.left() + 30);
    const int y = flipped ? PxY(box.top() + 800) - metrics.height() : PxY(box.top() + 40);
    painter.drawText(x, y + metrics.ascent(), text);
    painter.setPen(Qt::black);
}

void BoardView::PaintTurnMarker(QPainter& painter, std::int16_t side)
{
    const QColor face = palette().color(QPalette::Button);
    const bool flipped = Menu_.mnuFlipBoard->isChecked();
    const QColor left = flipped ? (side != Blue ? RedColour : face) : (side == Blue ? BlueColour : face);
    const QColor right = flipped ? (side == Blue ? BlueColour : face) : (side != Blue ? RedColour : face);
    PaintBox(painter, 50, 50, 350, 100, left);
    PaintBox(painter, 50, 6500, 350, 6550, left);
    PaintBox(painter, 6250, 50, 6550, 100, right);
    PaintBox(painter, 6250, 6500, 6550, 6550, right);
}

void BoardView::DrawSquare(std::int16_t I, std::int16_t J)
{
    if (I == 0 || J == 0)
        return;
    {
        QPainter painter(&Picture_);
        painter.setPen(Qt::black);
        PaintSquare(painter, I, J);
    }
    update();
}

void BoardView::SetSelection(std::int16_t I, std::int16_t J)
{
    DrawSquare(PreviousSelection.I, PreviousSelection.J);
    DrawSquare(I, J);
    PreviousSelection = {I, J};
    RefreshMarks(); // the selected piece's landings
}

void BoardView::DrawTurnMarker(std::int16_t side)
{
    {
        QPainter painter(&Picture_);
        painter.setPen(Qt::black);
        PaintTurnMarker(painter, side);
    }
    update();
    // A step was made or taken back.
    MustCapture_ = false;
    RefreshMarks();
}

void BoardView::RedrawBoard()
{
    {
        QPainter painter(&Picture_);
        painter.setPen(Qt::black);
        MustCapture_ = false;
        Marks_ = ComputeMarks(
            Game_, {Menu_.mnuHighlightLastMove->isChecked(), Menu_.mnuShowLegalMoves->isChecked()});
        PaintBox(painter, 50, 50, 6550, 6550, palette().color(QPalette::Button));
        for (std::int16_t I = 1; I <= 8; ++I)
            for (std::int16_t J = 1; J <= 8; ++J)
                PaintSquare(painter, I, J);
        PaintTurnMarker(painter, Game_.SideToMove);

        if (Game_.IsGameOver()) {
            // The side that cannot move has lost.
            const bool blueWon = Game_.SideToMove == Red;
            const QString text = QStringLiteral("%1 has won!").arg(blueWon ? "Blue" : "Red");
            painter.setFont(Font(QStringLiteral("Comic Sans MS"), 24));
            const QFontMetrics metrics = painter.fontMetrics();
            const int x = (PxX(6550) - metrics.horizontalAdvance(text)) / 2;
            const int y = (PxY(6550) - metrics.height()) / 2;
            painter.setPen(blueWon ? BlueBanner : RedBanner);
            painter.drawText(x, y + metrics.ascent(), text);
        }
    }
    update();
}

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QRectF(0, 0, Picture_.width() / PixelRatio_, Picture_.height() / PixelRatio_),
                      Picture_);
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF point = event->position();
    emit MouseUp(static_cast<int>(event->button()), static_cast<int>(event->modifiers()),
                 static_cast<float>(point.x() * TwipsPerPixelX()),
                 static_cast<float>(point.y() * TwipsPerPixelY()));
    event->accept();
}

} // namespace kelmarin::ui
