#include "MoveListBox.h"

#include "MoveListAccessible.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace kelmarin::ui {

namespace {

constexpr int Margin = 4; // around the text, as a plain text box leaves it

} // namespace

MoveListBox::MoveListBox(QWidget* parent) : QAbstractScrollArea(parent)
{
    static const bool accessible = [] {
        QAccessible::installFactory(&MoveListAccessible::Create);
        return true;
    }();
    (void)accessible;
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    verticalScrollBar()->setSingleStep(1);
}

// The width the lines may take, from the box's own size so that it is right while hidden too.
int MoveListBox::LineWidth() const
{
    const int bar =
        verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : verticalScrollBar()->sizeHint().width();
    return width() - 2 * frameWidth() - bar - 2 * Margin;
}

double MoveListBox::Width(int start, int end) const
{
    return QFontMetricsF(font()).horizontalAdvance(QStringView(Text_).mid(start, end - start).toString());
}

int MoveListBox::WrapEnd(int start) const
{
    const int size = static_cast<int>(Text_.size());
    const double room = LineWidth();
    // As many whole turns as fit, each line ending with the space it broke at.
    int end = start;
    while (end < size) {
        const int space = static_cast<int>(Text_.indexOf(QLatin1Char(' '), end));
        const int wordEnd = space < 0 ? size : space;
        if (Width(start, wordEnd) > room)
            break;
        end = space < 0 ? size : space + 1;
    }
    if (end > start)
        return end;
    // One turn wider than the line: break it after a comma, or else after the last character that fits.
    const int space = static_cast<int>(Text_.indexOf(QLatin1Char(' '), start));
    const int wordEnd = space < 0 ? size : space;
    int fit = start + 1;
    for (int k = start + 1; k < wordEnd && Width(start, k + 1) <= room; ++k)
        fit = k + 1;
    for (int k = fit - 1; k > start; --k)
        if (Text_[k] == QLatin1Char(','))
            return k + 1;
    return fit;
}

void MoveListBox::WrapFrom(int start)
{
    while (!Starts_.empty() && Starts_.back() >= start)
        Starts_.pop_back();
    for (int k = start; k < Text_.size(); k = WrapEnd(k))
        Starts_.push_back(k);
    UpdateScrollBar();
}

void MoveListBox::SetText(const QString& text)
{
    const bool appended = text.size() >= Text_.size() && text.startsWith(Text_);
    const QString old = Text_;
    Text_ = text;
    WrapFrom(appended && !Starts_.empty() ? Starts_.back() : 0);
    // The newest move stands at the end of the list: keep it in view, the caret there.
    Anchor_ = Caret_ = static_cast<int>(Text_.size());
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
    if (!QAccessible::isActive())
        return;
    if (appended) {
        QAccessibleTextInsertEvent inserted(this, static_cast<int>(old.size()), Text_.mid(old.size()));
        QAccessible::updateAccessibility(&inserted);
    } else {
        QAccessibleTextUpdateEvent updated(this, 0, old, Text_);
        QAccessible::updateAccessibility(&updated);
    }
    QAccessibleTextCursorEvent cursor(this, Caret_);
    QAccessible::updateAccessibility(&cursor);
}

QStringList MoveListBox::Lines() const
{
    QStringList lines;
    for (int k = 0; k < LineCount(); ++k)
        lines << Text_.mid(Starts_[k], LineEnd(k) - Starts_[k]);
    return lines;
}

int MoveListBox::LineOf(int offset) const
{
    const auto after = std::upper_bound(Starts_.begin(), Starts_.end(), offset);
    return std::max(0, static_cast<int>(after - Starts_.begin()) - 1);
}

int MoveListBox::LineEnd(int line) const
{
    return line + 1 < LineCount() ? Starts_[static_cast<std::size_t>(line) + 1]
                                  : static_cast<int>(Text_.size());
}

QString MoveListBox::SelectedText() const
{
    const int start = std::min(Anchor_, Caret_);
    return Text_.mid(start, std::max(Anchor_, Caret_) - start);
}

void MoveListBox::Select(int anchor, int caret)
{
    const int size = static_cast<int>(Text_.size());
    anchor = std::clamp(anchor, 0, size);
    caret = std::clamp(caret, 0, size);
    ScrollTo(caret);
    if (anchor == Anchor_ && caret == Caret_)
        return;
    Anchor_ = anchor;
    Caret_ = caret;
    viewport()->update();
    SelectionChanged();
}

void MoveListBox::SelectionChanged()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTextCursorEvent cursor(this, Caret_);
    QAccessible::updateAccessibility(&cursor);
    QAccessibleTextSelectionEvent selection(this, std::min(Anchor_, Caret_), std::max(Anchor_, Caret_));
    QAccessible::updateAccessibility(&selection);
}

void MoveListBox::Copy() const
{
    if (Anchor_ != Caret_)
        QGuiApplication::clipboard()->setText(SelectedText());
}

int MoveListBox::ShownLines() const
{
    return std::max(1, (viewport()->height() - Margin) / QFontMetrics(font()).lineSpacing());
}

void MoveListBox::ScrollTo(int offset)
{
    QScrollBar* bar = verticalScrollBar();
    const int line = LineOf(offset);
    if (line < bar->value())
        bar->setValue(line);
    else if (line >= bar->value() + ShownLines())
        bar->setValue(line - ShownLines() + 1);
}

QRect MoveListBox::CharacterRect(int offset) const
{
    if (LineCount() == 0)
        return QRect(Margin, Margin, 1, QFontMetrics(font()).lineSpacing());
    const int line = LineOf(offset);
    const int spacing = QFontMetrics(font()).lineSpacing();
    const int x = Margin + qRound(Width(Starts_[line], offset));
    const int width = offset < Text_.size() ? std::max(1, qRound(Width(offset, offset + 1))) : 1;
    return QRect(x, Margin + (line - verticalScrollBar()->value()) * spacing, width, spacing);
}

int MoveListBox::OffsetAt(QPoint point) const
{
    if (LineCount() == 0)
        return 0;
    const int spacing = QFontMetrics(font()).lineSpacing();
    const int row = static_cast<int>(std::floor(static_cast<double>(point.y() - Margin) / spacing));
    const int line = std::clamp(verticalScrollBar()->value() + row, 0, LineCount() - 1);
    const int start = Starts_[line];
    int end = LineEnd(line);
    if (line + 1 < LineCount() && end > start && Text_[end - 1] == QLatin1Char(' '))
        end -= 1; // past the end of a line is before the space it broke at
    for (int k = start; k < end; ++k)
        if (Margin + Width(start, k) + Width(k, k + 1) / 2 > point.x())
            return k;
    return end;
}

void MoveListBox::UpdateScrollBar()
{
    const int shown = ShownLines();
    verticalScrollBar()->setPageStep(shown);
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - shown));
}

void MoveListBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(font());
    const QFontMetrics metrics(font());
    const int height = viewport()->height();
    const int selectionStart = std::min(Anchor_, Caret_);
    const int selectionEnd = std::max(Anchor_, Caret_);
    for (int k = verticalScrollBar()->value(), y = Margin; k < LineCount() && y < height; ++k) {
        const int start = Starts_[k];
        const int end = LineEnd(k);
        const QString line = Text_.mid(start, end - start);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(Margin, y + metrics.ascent(), line);
        const int from = std::max(selectionStart, start);
        const int to = std::min(selectionEnd, end);
        if (from < to) {
            const QRectF box(Margin + Width(start, from), y, Width(from, to), metrics.lineSpacing());
            painter.fillRect(box, palette().color(QPalette::Highlight));
            painter.save();
            painter.setClipRect(box);
            painter.setPen(palette().color(QPalette::HighlightedText));
            painter.drawText(Margin, y + metrics.ascent(), line);
            painter.restore();
        }
        y += metrics.lineSpacing();
    }
    if (hasFocus()) {
        const QRect caret = CharacterRect(Caret_);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawLine(caret.left(), caret.top(), caret.left(), caret.bottom());
    }
}

void MoveListBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const bool atEnd = verticalScrollBar()->value() == verticalScrollBar()->maximum();
    WrapFrom(0);
    if (atEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void MoveListBox::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        WrapFrom(0);
}

void MoveListBox::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(); // the caret shows while the box has the focus
}

void MoveListBox::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

int MoveListBox::MovedCaret(const QKeyEvent& event) const
{
    const int size = static_cast<int>(Text_.size());
    const bool control = event.modifiers() & Qt::ControlModifier;
    const int line = LineOf(Caret_);
    // The same place on another shown line; beyond the first or the last, the end of the text.
    auto onLine = [&](int other) {
        if (LineCount() == 0 || other < 0)
            return 0;
        if (other >= LineCount())
            return size;
        const QRect here = CharacterRect(Caret_);
        return OffsetAt({here.left(), here.top() + (other - line) * here.height()});
    };
    switch (event.key()) {
    case Qt::Key_Left:
        if (control) // to the start of this turn, or of the one before
            return Caret_ == 0 ? 0 : static_cast<int>(Text_.lastIndexOf(QLatin1Char(' '), Caret_ - 2)) + 1;
        return std::max(0, Caret_ - 1);
    case Qt::Key_Right:
        if (control) { // to the start of the next turn
            const int space = static_cast<int>(Text_.indexOf(QLatin1Char(' '), Caret_));
            return space < 0 ? size : space + 1;
        }
        return std::min(size, Caret_ + 1);
    case Qt::Key_Home:
        return control || LineCount() == 0 ? 0 : Starts_[line];
    case Qt::Key_End:
        if (control || line + 1 >= LineCount())
            return size;
        return LineEnd(line) - (Text_[LineEnd(line) - 1] == QLatin1Char(' ') ? 1 : 0);
    case Qt::Key_Up:
        return onLine(line - 1);
    case Qt::Key_Down:
        return onLine(line + 1);
    case Qt::Key_PageUp:
        return onLine(std::max(0, line - ShownLines()));
    case Qt::Key_PageDown:
        return onLine(std::min(LineCount() - 1, line + ShownLines()));
    default:
        return -1;
    }
}

void MoveListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        return;
    }
    const int caret = MovedCaret(*event);
    if (caret < 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    Select(event->modifiers() & Qt::ShiftModifier ? Anchor_ : caret, caret);
}

void MoveListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int offset = OffsetAt(event->position().toPoint());
    Select(event->modifiers() & Qt::ShiftModifier ? Anchor_ : offset, offset);
}

void MoveListBox::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        Select(Anchor_, OffsetAt(event->position().toPoint()));
}

// A double click selects the turn under it.
void MoveListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || Text_.isEmpty())
        return;
    const int offset = std::min(OffsetAt(event->position().toPoint()), static_cast<int>(Text_.size()) - 1);
    const int start = static_cast<int>(Text_.lastIndexOf(QLatin1Char(' '), offset)) + 1;
    const int space = static_cast<int>(Text_.indexOf(QLatin1Char(' '), offset));
    Select(start, space < 0 ? static_cast<int>(Text_.size()) : space);
    emit TurnDoubleClicked(offset);
}

void MoveListBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(Anchor_ != Caret_);
    connect(copy, &QAction::triggered, this, &MoveListBox::Copy);
    QAction* all = menu.addAction(tr("Select All"));
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(!Text_.isEmpty());
    connect(all, &QAction::triggered, this, &MoveListBox::SelectAll);
    menu.exec(event->globalPos());
}

} // namespace kelmarin::ui
