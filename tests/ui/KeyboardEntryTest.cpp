// Play without a mouse: the keyboard frame on the board, and the board read out through QAccessible.
#include "UiTestSupport.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

void Keys(QWidget& board, std::initializer_list<Qt::Key> keys)
{
    for (const Qt::Key key : keys)
        QTest::keyClick(&board, key);
}

TEST(KeyboardEntry, ArrowsAndSpaceEnterAMultiJumpAndEscapeRestoresThePicture)
{
    Window window;
    window.Menu().mnuComputer[Blue]->setChecked(false);
    kelmarin::testing::SetUpTripleJump(window.Game());
    window.Game().RedrawBoard();
    BoardView& board = window.Board();
    const QImage untouched = board.Picture();

    Keys(board, {Qt::Key_Up});
    EXPECT_EQ(board.FocusSquare(), (TSquare{1, 8})) << "the frame starts bottom left";
    EXPECT_NE(board.Picture(), untouched);
    // To (3, 4), select; then (5, 6), (3, 8) where the man is crowned, and on as a king to (1, 6).
    Keys(board,
         {Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space});
    EXPECT_EQ(window.Game().SelectedSquare, (TSquare{3, 4}));
    // Each jump lands, then Space selects the landed piece again for the next one.
    Keys(board, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return, Qt::Key_Space});
    Keys(board, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down, Qt::Key_Enter, Qt::Key_Space});
    Keys(board, {Qt::Key_Left, Qt::Key_Left, Qt::Key_Up, Qt::Key_Up, Qt::Key_Space});
    EXPECT_EQ(window.Game().Board(1, 6), BlueKing);
    EXPECT_EQ(window.Game().CoinCount[Red], 1);
    EXPECT_EQ(window.Game().SideToMove, Red);

    Window fresh;
    const QImage start = fresh.Board().Picture();
    Keys(fresh.Board(), {Qt::Key_Right, Qt::Key_Down, Qt::Key_Escape});
    EXPECT_EQ(fresh.Board().FocusSquare(), TSquare{});
    EXPECT_EQ(fresh.Board().Picture(), start);
}

TEST(KeyboardEntry, FlippedBoardMovesTheFrameAsDrawn)
{
    Window window;
    window.Menu().mnuFlipBoard->trigger();
    Keys(window.Board(), {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up});
    EXPECT_EQ(window.Board().FocusSquare(), (TSquare{7, 2}));
}

TEST(BoardAccessibility, DescribesASmallPositionInTheShownNumbers)
{
    Window window;
    GameState& game = window.Game();
    ClearBoard(game);
    game.Board(1, 6) = RedMan;
    game.Board(3, 6) = RedMan;
    game.Board(2, 3) = BlueMan;
    game.Board(4, 1) = BlueKing;
    FinishSetup(game, Red);
    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(&window.Board());
    ASSERT_NE(board, nullptr);
    EXPECT_EQ(board->role(), QAccessible::Canvas);
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("Board"));
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("Red to move. Red men: 9, 10. Red kings: none. Blue men: 21. Blue kings: 30."));
    window.Menu().mnuStandardNumbers->trigger();
    EXPECT_EQ(board->text(QAccessible::Description),
              QStringLiteral("Red to move. Red men: 11, 12. Red kings: none. Blue men: 24. Blue kings: 31."));
}

} // namespace
} // namespace kelmarin::ui::testing
