// The Info window's move list: a read-only text box holding one line of notation, shown wrapped at
// the spaces between turns.
//
// The text is kept exactly as given. The box keeps its own table of where each shown line starts and
// paints only the lines in view, so text added at the end costs only the re-wrapping of the last
// line, however long the game. Lines break after a space, so a turn is never split from its
// header; a turn wider than the whole line is broken after a comma between its jumps, and a jump
// wider than the line wherever it must.
//
// It is a text box for every user: it takes the focus (a click, Tab, or its label's access key),
// its text is selected with the mouse or the keys (Shift with the arrows, Home, End and the page
// keys; Ctrl+A) and copied by Ctrl+C or its context menu, and assistive technology reads it as a
// read-only, multi-line text named by its label (MoveListAccessible).
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>

#include <vector>

namespace kelmarin::ui {

class MoveListBox final : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit MoveListBox(QWidget* parent = nullptr);

    // Shows text, scrolled to its end with the caret there and nothing selected. Text that only adds
    // to what is shown re-wraps just the last line; any other change wraps the whole text again.
    void SetText(const QString& text);
    const QString& toPlainText() const { return Text_; }
    bool isReadOnly() const { return true; }

    // The shown lines, each with the space it broke at: together they are the text.
    QStringList Lines() const;
    // The shown line that holds offset (the last line for the end of the text), and where it starts
    // and ends.
    int LineOf(int offset) const;
    int LineStart(int line) const { return Starts_[static_cast<std::size_t>(line)]; }
    int LineEnd(int line) const;
    int LineCount() const { return static_cast<int>(Starts_.size()); }

    // The selection runs from the anchor to the caret, either way round; offsets into the text.
    int Anchor() const { return Anchor_; }
    int Caret() const { return Caret_; }
    QString SelectedText() const;
    // Puts the anchor and the caret there (clamped to the text) and scrolls the caret into view.
    void Select(int anchor, int caret);
    void SelectAll() { Select(0, static_cast<int>(Text_.size())); }
    // The selected text onto the clipboard; with nothing selected, nothing is copied.
    void Copy() const;

    // The box of the character at offset and the offset nearest a point, in viewport pixels.
    QRect CharacterRect(int offset) const;
    int OffsetAt(QPoint point) const;
    // Scrolls so that the line of offset is in view.
    void ScrollTo(int offset);

signals:
    // A double click, which selects the turn under it, at that offset of the text.
    void TurnDoubleClicked(int offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int LineWidth() const;
    int WrapEnd(int start) const;
    double Width(int start, int end) const;
    // Wraps the text from the line that starts at start on, dropping the lines from there.
    void WrapFrom(int start);
    void UpdateScrollBar();
    // Where a key sends the caret, or -1 for a key that does not move it.
    int MovedCaret(const QKeyEvent& event) const;
    int ShownLines() const;
    void SelectionChanged();

    QString Text_;
    std::vector<int> Starts_;
    int Anchor_ = 0;
    int Caret_ = 0;
};

} // namespace kelmarin::ui
