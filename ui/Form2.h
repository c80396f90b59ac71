// The Info window: the piece counts and the move list of the game, written by the main window.
//
// A top-level window of its own, with no owner, so it is moved and stacked independently. Its texts
// are rewritten on every refresh, shown or not, the list only where it changed; closing it by its
// close box only hides it, so it always shows the current texts when it comes back.
#pragma once

#include <QWidget>

class QLabel;

namespace kelmarin::ui {

class MoveListBox;

class Form2 final : public QWidget {
    Q_OBJECT

public:
    static constexpr int InitialWidth = 273;
    static constexpr int InitialHeight = 178;

    Form2();

    void SetTexts(const QString& moves, const QString& coinCount);

    QLabel* labCoinCount;
    QLabel* Label1;
    MoveListBox* txtMoves;

signals:
    // The user closed the window with its own close box.
    void Unloaded();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace kelmarin::ui
