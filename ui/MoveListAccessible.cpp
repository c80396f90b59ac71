#include "MoveListAccessible.h"

#include "MoveListBox.h"

#include <algorithm>

namespace kelmarin::ui {

MoveListAccessible::MoveListAccessible(MoveListBox* box) : QAccessibleWidget(box, QAccessible::EditableText)
{
}

QAccessibleInterface* MoveListAccessible::Create(const QString&, QObject* object)
{
    auto* box = qobject_cast<MoveListBox*>(object);
    return box != nullptr ? new MoveListAccessible(box) : nullptr;
}

MoveListBox* MoveListAccessible::Box() const
{
    return static_cast<MoveListBox*>(widget());
}

void* MoveListAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State MoveListAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.editable = false;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString MoveListAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return Box()->toPlainText();
    return QAccessibleWidget::text(kind); // the name comes from the label whose buddy it is
}

void MoveListAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    *startOffset = std::min(Box()->Anchor(), Box()->Caret());
    *endOffset = std::max(Box()->Anchor(), Box()->Caret());
}

int MoveListAccessible::selectionCount() const
{
    return Box()->Anchor() != Box()->Caret() ? 1 : 0;
}

void MoveListAccessible::addSelection(int startOffset, int endOffset)
{
    Box()->Select(startOffset, endOffset);
}

void MoveListAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        Box()->Select(Box()->Caret(), Box()->Caret());
}

void MoveListAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        Box()->Select(startOffset, endOffset);
}

int MoveListAccessible::cursorPosition() const
{
    return Box()->Caret();
}

void MoveListAccessible::setCursorPosition(int position)
{
    Box()->Select(position, position);
}

QString MoveListAccessible::text(int startOffset, int endOffset) const
{
    return Box()->toPlainText().mid(startOffset, endOffset - startOffset);
}

QString MoveListAccessible::Line(int line, int* startOffset, int* endOffset) const
{
    const MoveListBox& box = *Box();
    if (box.LineCount() == 0) {
        *startOffset = *endOffset = 0;
        return QString();
    }
    line = std::clamp(line, 0, box.LineCount() - 1);
    *startOffset = box.LineStart(line);
    *endOffset = box.LineEnd(line);
    return text(*startOffset, *endOffset);
}

// Lines are the shown lines; every other boundary is the usual one of the text.
QString MoveListAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary,
                                             int* startOffset, int* endOffset) const
{
    if (boundary != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textBeforeOffset(offset, boundary, startOffset, endOffset);
    const int line = Box()->LineOf(offset);
    if (line == 0) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    return Line(line - 1, startOffset, endOffset);
}

QString MoveListAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundary,
                                            int* startOffset, int* endOffset) const
{
    if (boundary != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAfterOffset(offset, boundary, startOffset, endOffset);
    const int line = Box()->LineOf(offset);
    if (line + 1 >= Box()->LineCount()) {
        *startOffset = *endOffset = -1;
        return QString();
    }
    return Line(line + 1, startOffset, endOffset);
}

QString MoveListAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                                         int* endOffset) const
{
    if (boundary != QAccessible::LineBoundary)
        return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
    return Line(Box()->LineOf(offset), startOffset, endOffset);
}

int MoveListAccessible::characterCount() const
{
    return static_cast<int>(Box()->toPlainText().size());
}

QRect MoveListAccessible::characterRect(int offset) const
{
    const QRect box = Box()->CharacterRect(offset);
    return QRect(Box()->viewport()->mapToGlobal(box.topLeft()), box.size());
}

int MoveListAccessible::offsetAtPoint(const QPoint& point) const
{
    return Box()->OffsetAt(Box()->viewport()->mapFromGlobal(point));
}

void MoveListAccessible::scrollToSubstring(int startIndex, int)
{
    Box()->ScrollTo(startIndex);
}

QString MoveListAccessible::attributes(int offset, int* startOffset, int* endOffset) const
{
    // One look for the whole text.
    *startOffset = 0;
    *endOffset = characterCount();
    (void)offset;
    return QString();
}

} // namespace kelmarin::ui
