#include "MoveListBox.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace kelmarin::ui {

namespace {

constexpr int Margin = 4; // around the text, as a plain text box leaves it

} // namespace

MoveListBox::MoveListBox(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
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

int MoveListBox::LineEnd(int start) const
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
    for (int k = start; k < Text_.size(); k = LineEnd(k))
        Starts_.push_back(k);
    UpdateScrollBar();
}

void MoveListBox::SetText(const QString& text)
{
    const bool appended = text.size() >= Text_.size() && text.startsWith(Text_);
    Text_ = text;
    WrapFrom(appended && !Starts_.empty() ? Starts_.back() : 0);
    // The newest move stands at the end of the list: keep it in view.
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

QStringList MoveListBox::Lines() const
{
    QStringList lines;
    for (int k = 0; k < LineCount(); ++k) {
        const int end = k + 1 < LineCount() ? Starts_[k + 1] : static_cast<int>(Text_.size());
        lines << Text_.mid(Starts_[k], end - Starts_[k]);
    }
    return lines;
}

void MoveListBox::UpdateScrollBar()
{
    const int shown = std::max(1, (viewport()->height() - Margin) / QFontMetrics(font()).lineSpacing());
    verticalScrollBar()->setPageStep(shown);
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - shown));
}

void MoveListBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrics(font());
    const int height = viewport()->height();
    for (int k = verticalScrollBar()->value(), y = Margin; k < LineCount() && y < height; ++k) {
        const int end = k + 1 < LineCount() ? Starts_[k + 1] : static_cast<int>(Text_.size());
        painter.drawText(Margin, y + metrics.ascent(), Text_.mid(Starts_[k], end - Starts_[k]));
        y += metrics.lineSpacing();
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

} // namespace kelmarin::ui
