// What assistive technology meets in the move list: a read-only, multi-line text named by its label
// ("Moves:"), with the whole list as its text, the caret and the selection, and lines as shown.
#pragma once

#include <QAccessibleWidget>

namespace kelmarin::ui {

class MoveListBox;

class MoveListAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit MoveListAccessible(MoveListBox* box);

    // The accessibility factory: an interface for a MoveListBox, nothing for any other object.
    static QAccessibleInterface* Create(const QString& key, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    MoveListBox* Box() const;
    // Shown line `line` (clamped), its offsets through start and end.
    QString Line(int line, int* startOffset, int* endOffset) const;
};

} // namespace kelmarin::ui
