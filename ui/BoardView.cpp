#include "BoardView.h"

#include "BoardAccessible.h"
#include "BoardDescription.h"
#include "MenuActions.h"
#include "Notation.h"
#include "StandardSquares.h"

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelmarin::ui {

namespace {

const QColor SelectedColour(0, 192, 192);
const QColor BlueColour(0, 0, 255);
const QColor RedColour(255, 0, 0);
const QColor BlueKingMark(0, 0, 192);
const QColor RedKingMark(192, 0, 0);
const QColor BlueBanner(0, 0, 127);
const QColor RedBanner(127, 0, 0);
const QColor LastMoveColour(255, 255, 0);
const QColor MustCaptureColour(255, 140, 0);
const QColor HintColour(0, 160, 0);
const QColor FocusColour(255, 0, 255);

} // namespace

BoardView::BoardView(const GameState& game, const MenuActions& menu, QWidget* parent)
    : QWidget(parent), Game_(game), Menu_(menu)
{
    setObjectName(QStringLiteral("Board"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    static const bool accessible = [] {
        QAccessible::installFactory(&BoardAccessible::Create);
        return true;
    }();
    (void)accessible;
    CreatePicture();
}

// The picture is made afresh at the new size and drawn at the device's own resolution, so that it
// stays crisp; the layout in twips is the same at every zoom.
void BoardView::SetZoom(double zoom)
{
    Scale_.Zoom = zoom;
    CreatePicture();
    RedrawBoard();
}

void BoardView::CreatePicture()
{
    Scale_.DpiX = logicalDpiX();
    Scale_.DpiY = logicalDpiY();
    Scale_.PixelRatio = devicePixelRatioF();
    setFixedSize(Scale_.WidgetSize(ClientTwips));
    Picture_ = QImage(Scale_.X(ClientTwips), Scale_.Y(ClientTwips), QImage::Format_RGB32);
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
    if (logicalDpiX() != Scale_.DpiX || logicalDpiY() != Scale_.DpiY ||
        devicePixelRatioF() != Scale_.PixelRatio) {
        CreatePicture();
        RedrawBoard();
    }
}

QFont BoardView::Font(const QString& family, int points) const
{
    QFont font(family);
    font.setPixelSize(Scale_.FontPixels(points));
    return font;
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
    if (!Editing() && Game_.SelectedSquare == TSquare{I, J})
        fill = SelectedColour;
    Scale_.Box(painter, Left, Top, Left + 800, Top + 800, fill);
    if (Marks_(I, J) != 0)
        PaintMarks(painter, I, J, true);

    const std::int16_t coin = ShownBoard()(I, J);
    if (coin > 0) {
        const bool blue = coin % 2 != 0;
        Scale_.Disc(painter, Left + 430, Top + 430, 320, Qt::black); // the shadow
        Scale_.Disc(painter, Left + 390, Top + 390, 320, blue ? BlueColour : RedColour);
        if (IsKing(coin))
            Scale_.Disc(painter, Left + 390, Top + 390, 200, blue ? BlueKingMark : RedKingMark);
    }

    if (Marks_(I, J) != 0)
        PaintMarks(painter, I, J, false);
    if (Menu_.mnuShowNumbers->isChecked() && dark)
        PaintNumber(painter, I, J);
    if (Focus_ == TSquare{I, J})
        Scale_.Frame(painter, Left + 60, Top + 60, Left + 740, Top + 740, 40, FocusColour);
}

// The marks of the aids, none of which hides a piece or a number: the last turn's frame lies inside
// the square's edge, under the piece; a landing dot sits on an empty square; the ring round a piece
// that must capture is drawn over the shadow only. Numbers are drawn after all of them.
void BoardView::PaintMarks(QPainter& painter, std::int16_t I, std::int16_t J, bool beforePiece)
{
    const QPoint corner = DisplayCorner(I, J);
    const int Left = corner.x(), Top = corner.y();
    if (beforePiece) {
        if (Marks_(I, J) & LastMoveMark)
            Scale_.Frame(painter, Left + 20, Top + 20, Left + 780, Top + 780, 50, LastMoveColour);
        return;
    }
    if (Marks_(I, J) & LandingMark)
        Scale_.Disc(painter, Left + 400, Top + 400, 120, SelectedColour);
    if (Marks_(I, J) & MustCaptureMark)
        Scale_.Ring(painter, Left + 390, Top + 390, 360, 60, MustCaptureColour);
    if (Marks_(I, J) & HintMark)
        Scale_.Ring(painter, Left + 400, Top + 400, 220, 60, HintColour);
}

void BoardView::ShowMustCapture(bool on)
{
    if (MustCapture_ == on)
        return;
    MustCapture_ = on;
    RefreshMarks();
}

void BoardView::ShowHint(TSquare landing)
{
    if (Hint_ == landing)
        return;
    Hint_ = landing;
    RefreshMarks();
}

void BoardView::RefreshMarks()
{
    const SquareMarks old = Marks_;
    Marks_ = Editing() ? SquareMarks{}
                       : ComputeMarks(Game_, {Menu_.mnuHighlightLastMove->isChecked(),
                                              Menu_.mnuShowLegalMoves->isChecked(),
                                              MustCapture_ && Menu_.mnuShowLegalMoves->isChecked(), Hint_});
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
    const QString text = QString::number(NumberOfSquare(Menu_.Numbering(), I, J));
    const QFontMetrics metrics = painter.fontMetrics();
    // On a flipped board the number sits flush in the bottom-right corner, where the rotated picture
    // would put it.
    const bool flipped = Menu_.mnuFlipBoard->isChecked();
    const int x =
        flipped ? Scale_.X(box.left() + 800) - metrics.horizontalAdvance(text) : Scale_.X(box.left() + 30);
    const int y = flipped ? Scale_.Y(box.top() + 800) - metrics.height() : Scale_.Y(box.top() + 40);
    painter.drawText(x, y + metrics.ascent(), text);
    painter.setPen(Qt::black);
}

void BoardView::PaintTurnMarker(QPainter& painter, std::int16_t side)
{
    const QColor face = palette().color(QPalette::Button);
    const bool flipped = Menu_.mnuFlipBoard->isChecked();
    const QColor left = flipped ? (side != Blue ? RedColour : face) : (side == Blue ? BlueColour : face);
    const QColor right = flipped ? (side == Blue ? BlueColour : face) : (side != Blue ? RedColour : face);
    Scale_.Box(painter, 50, 50, 350, 100, left);
    Scale_.Box(painter, 50, 6500, 350, 6550, left);
    Scale_.Box(painter, 6250, 50, 6550, 100, right);
    Scale_.Box(painter, 6250, 6500, 6550, 6550, right);
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
    DescriptionChanged();
    // A step was made or taken back.
    MustCapture_ = false;
    Hint_ = {};
    RefreshMarks();
}

void BoardView::RedrawBoard()
{
    {
        QPainter painter(&Picture_);
        painter.setPen(Qt::black);
        MustCapture_ = false;
        Hint_ = {};
        Marks_ = Editing() ? SquareMarks{}
                           : ComputeMarks(Game_, {Menu_.mnuHighlightLastMove->isChecked(),
                                                  Menu_.mnuShowLegalMoves->isChecked(),
                                                  false,
                                                  {}});
        Scale_.Box(painter, 50, 50, 6550, 6550, palette().color(QPalette::Button));
        for (std::int16_t I = 1; I <= 8; ++I)
            for (std::int16_t J = 1; J <= 8; ++J)
                PaintSquare(painter, I, J);
        PaintTurnMarker(painter, ShownSide());

        if (!Editing() && Game_.IsGameOver()) {
            // The side that cannot move has lost.
            const bool blueWon = Game_.SideToMove == Red;
            const QString text = QStringLiteral("%1 has won!").arg(blueWon ? "Blue" : "Red");
            painter.setFont(Font(QStringLiteral("Comic Sans MS"), 24));
            const QFontMetrics metrics = painter.fontMetrics();
            const int x = (Scale_.X(6550) - metrics.horizontalAdvance(text)) / 2;
            const int y = (Scale_.Y(6550) - metrics.height()) / 2;
            painter.setPen(blueWon ? BlueBanner : RedBanner);
            painter.drawText(x, y + metrics.ascent(), text);
        }
    }
    update();
    DescriptionChanged();
}

void BoardView::DescriptionChanged()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(
        QRectF(0, 0, Picture_.width() / Scale_.PixelRatio, Picture_.height() / Scale_.PixelRatio), Picture_);
}

void BoardView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF point = event->position();
    emit MouseUp(static_cast<int>(event->button()), static_cast<int>(event->modifiers()),
                 static_cast<float>(point.x() * TwipsPerPixelX()),
                 static_cast<float>(point.y() * TwipsPerPixelY()));
    event->accept();
}

QString BoardView::Description() const
{
    return QString::fromStdString(BoardDescription(ShownBoard(), ShownSide(), Menu_.Numbering()));
}

void BoardView::ShowEdited(const TBoard* board, std::int16_t side)
{
    Edited_ = board;
    EditedSide_ = side;
    RedrawBoard();
}

void BoardView::keyPressEvent(QKeyEvent* event)
{
    const bool flipped = Menu_.mnuFlipBoard->isChecked();
    int dI = 0, dJ = 0; // on the board as drawn: right and down
    switch (event->key()) {
    case Qt::Key_Left:
        dI = -1;
        break;
    case Qt::Key_Right:
        dI = 1;
        break;
    case Qt::Key_Up:
        dJ = -1;
        break;
    case Qt::Key_Down:
        dJ = 1;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Focus_.I != 0) {
            const QRect box = SquareBox(Focus_.I, Focus_.J);
            emit MouseUp(static_cast<int>(Qt::LeftButton), 0, box.left() + 400.0f, box.top() + 400.0f);
        }
        return;
    case Qt::Key_Escape: {
        const TSquare old = std::exchange(Focus_, TSquare{});
        DrawSquare(old.I, old.J);
        return;
    }
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    const TSquare old = Focus_;
    if (Focus_.I == 0) {
        Focus_ = SquareAt(400, 6100); // the bottom-left square as drawn
    } else {
        const int step = flipped ? -1 : 1;
        Focus_.I = static_cast<std::int16_t>(std::clamp(Focus_.I + step * dI, 1, 8));
        Focus_.J = static_cast<std::int16_t>(std::clamp(Focus_.J + step * dJ, 1, 8));
    }
    DrawSquare(old.I, old.J);
    DrawSquare(Focus_.I, Focus_.J);
}

} // namespace kelmarin::ui
