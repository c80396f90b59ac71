#include "BoardAccessible.h"

#include "BoardView.h"

namespace kelmarin::ui {

BoardAccessible::BoardAccessible(BoardView* board) : QAccessibleWidget(board, QAccessible::Canvas) {}

QAccessibleInterface* BoardAccessible::Create(const QString&, QObject* object)
{
    if (auto* board = qobject_cast<BoardView*>(object))
        return new BoardAccessible(board);
    return nullptr;
}

QString BoardAccessible::text(QAccessible::Text kind) const
{
    const auto* board = static_cast<const BoardView*>(widget());
    switch (kind) {
    case QAccessible::Name:
        return QStringLiteral("Board");
    case QAccessible::Description:
        return board->Description();
    default:
        return QAccessibleWidget::text(kind);
    }
}

} // namespace kelmarin::ui
