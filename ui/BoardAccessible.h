// What assistive technology meets on the board: a canvas named "Board" whose description is the
// position in words, in the numbering the board shows.
#pragma once

#include <QAccessibleWidget>

namespace kelmarin::ui {

class BoardView;

class BoardAccessible final : public QAccessibleWidget {
public:
    explicit BoardAccessible(BoardView* board);

    // The accessibility factory: an interface for a BoardView, nothing for any other object.
    static QAccessibleInterface* Create(const QString& key, QObject* object);

    QString text(QAccessible::Text kind) const override;
};

} // namespace kelmarin::ui
