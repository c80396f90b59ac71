// The Info window's move list: one line of notation, shown wrapped at the spaces between turns.
//
// The text is kept exactly as given. The box keeps its own table of where each shown line starts and
// paints only the lines in view, so text added at the end costs only the re-wrapping of the last
// line, however long the game. Lines break after a space, so a turn is never split from its
// header; a turn wider than the whole line is broken after a comma between its jumps, and a jump
// wider than the line wherever it must.
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

    // Shows text, scrolled to its end. Text that only adds to what is shown re-wraps just the last
    // line; any other change wraps the whole text again.
    void SetText(const QString& text);
    const QString& toPlainText() const { return Text_; }
    bool isReadOnly() const { return true; }

    // The shown lines, each with the space it broke at: together they are the text.
    QStringList Lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int LineWidth() const;
    int LineCount() const { return static_cast<int>(Starts_.size()); }
    int LineEnd(int start) const;
    double Width(int start, int end) const;
    // Wraps the text from the line that starts at start on, dropping the lines from there.
    void WrapFrom(int start);
    void UpdateScrollBar();

    QString Text_;
    std::vector<int> Starts_;
};

} // namespace kelmarin::ui
