// What the board picture shows: squares, pieces, selection, turn markers, numbers and the banner.
#include "UiTestSupport.h"

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

const QColor Selected(0, 192, 192);
const QColor BlueBody(0, 0, 255);
const QColor RedBody(255, 0, 0);
const QColor Black(0, 0, 0);

// Pixels of exactly this colour in the twip box (left, top)-(right, bottom).
int CountColour(Window& window, const QColor& colour, int left, int top, int right, int bottom)
{
    const QPoint a = window.Board().PicturePixel(left, top), b = window.Board().PicturePixel(right, bottom);
    int count = 0;
    for (int x = a.x(); x < b.x(); ++x)
        for (int y = a.y(); y < b.y(); ++y)
            count += window.Board().Picture().pixelColor(x, y) == colour;
    return count;
}

// Pixels clearly lighter than a dark square: the square numbers drawn on it.
int CountLight(Window& window, int left, int top, int right, int bottom)
{
    const QPoint a = window.Board().PicturePixel(left, top), b = window.Board().PicturePixel(right, bottom);
    int count = 0;
    for (int x = a.x(); x < b.x(); ++x)
        for (int y = a.y(); y < b.y(); ++y)
            count += window.Board().Picture().pixelColor(x, y).lightness() > ButtonShadow().lightness() + 40;
    return count;
}

TEST(BoardPicture, IsTheClientAreaAtTheScreensDensity)
{
    Window window;
    const double dpi = window.Board().logicalDpiX();
    EXPECT_EQ(window.Board().width(), qRound(6600 * dpi / 1440));
    EXPECT_EQ(window.Board().Picture().width(),
              qRound(6600 * dpi / 1440 * window.Board().devicePixelRatioF()));
    if (dpi == 96) {
        EXPECT_EQ(window.Board().size(), QSize(440, 440));
    }
}

TEST(BoardPicture, StartingPositionColours)
{
    Window window;
    EXPECT_EQ(ButtonFace(), QColor(0xef, 0xef, 0xef)); // the Fusion palette the tips name
    EXPECT_EQ(ButtonShadow(), QColor(0x9f, 0x9f, 0x9f));
    EXPECT_EQ(window.At(25, 25), ButtonFace());           // outside the board frame
    EXPECT_EQ(window.At(500, 500), ButtonFace());         // (1, 1), a light square
    EXPECT_EQ(window.At(1300, 3700), ButtonShadow());     // (2, 5), empty and dark
    EXPECT_EQ(window.At(100 + 390, 4100 + 390), RedBody); // Red man on (1, 6)
    EXPECT_EQ(window.At(100 + 730, 4100 + 430), Black);   // its shadow, right of the body
    EXPECT_EQ(window.At(900 + 390, 100 + 390), BlueBody); // Blue man on (2, 1)
    EXPECT_EQ(window.CornerOf(2, 1), ButtonShadow());
}

TEST(BoardPicture, TurnMarkersShowTheSideToMove)
{
    Window window;
    // Red to move: the right pair is red, the left pair only outlined.
    EXPECT_EQ(window.At(6400, 75), RedBody);
    EXPECT_EQ(window.At(6400, 6525), RedBody);
    EXPECT_EQ(window.At(200, 75), ButtonFace());
    EXPECT_EQ(window.At(200, 6525), ButtonFace());

    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5); // Red moves, Blue is to move
    window.Form->Timer1().SetInterval(0);
    EXPECT_EQ(window.At(200, 75), BlueBody);
    EXPECT_EQ(window.At(200, 6525), BlueBody);
    EXPECT_EQ(window.At(6400, 75), ButtonFace());

    window.Menu().mnuFlipBoard->trigger(); // the corners swap
    EXPECT_EQ(window.At(6400, 75), BlueBody);
    EXPECT_EQ(window.At(6400, 6525), BlueBody);
    EXPECT_EQ(window.At(200, 75), ButtonFace());
}

TEST(BoardPicture, SelectionIsHighlightedAndMoves)
{
    Window window;
    window.ClickSquare(3, 6);
    EXPECT_EQ(window.CornerOf(3, 6), Selected);
    EXPECT_EQ(window.At(1700 + 390, 4100 + 390), RedBody) << "the piece stays on top";
    window.ClickSquare(5, 6);
    EXPECT_EQ(window.CornerOf(3, 6), ButtonShadow());
    EXPECT_EQ(window.CornerOf(5, 6), Selected);
    window.ClickSquare(5, 6);
    EXPECT_EQ(window.CornerOf(5, 6), ButtonShadow());
}

TEST(BoardPicture, FlippedBoardShowsSquareOneOneBottomRight)
{
    Window window;
    window.Game().SetSelection(1, 1);
    EXPECT_EQ(window.At(150, 150), Selected);
    window.Menu().mnuFlipBoard->trigger();
    EXPECT_EQ(window.At(5700 + 50, 5700 + 50), Selected);
    EXPECT_EQ(window.At(6500 - 50, 6500 - 50), Selected);
    EXPECT_EQ(window.At(150, 150), ButtonFace()); // (8, 8) now sits top-left
    // Board square (2, 1) with its Blue man is drawn in the box (4900, 5700)-(5700, 6500).
    EXPECT_EQ(window.At(4900 + 390, 5700 + 390), BlueBody);
    window.Menu().mnuFlipBoard->trigger();
    EXPECT_EQ(window.At(150, 150), Selected);
}

TEST(BoardPicture, NumbersOnDarkSquaresOnlyAndFlushBottomRightWhenFlipped)
{
    Window window;
    ClearBoard(window.Game());
    FinishSetup(window.Game(), Red);
    window.Game().RedrawBoard();
    // (2, 1) shows 29 near its top-left corner; light (1, 1) shows nothing.
    EXPECT_GT(CountLight(window, 900 + 30, 100 + 40, 900 + 400, 100 + 400), 3);
    EXPECT_EQ(CountColour(window, Black, 120, 120, 880, 880), 0);

    window.Menu().mnuFlipBoard->trigger();
    // Now in the box (4900, 5700)-(5700, 6500): the number ends flush in its bottom-right corner.
    EXPECT_EQ(CountLight(window, 4900 + 30, 5700 + 30, 4900 + 400, 5700 + 400), 0);
    EXPECT_GT(CountLight(window, 5700 - 300, 6500 - 250, 5700, 6500), 3);

    window.Menu().mnuShowNumbers->trigger();
    EXPECT_FALSE(window.Menu().mnuShowNumbers->isChecked());
    EXPECT_EQ(CountLight(window, 4900 + 15, 5700 + 15, 5700, 6500), 0);
    for (int I = 1; I <= 8; ++I)
        for (int J = 1; J <= 8; ++J)
            if ((I + J) % 2 == 1) {
                EXPECT_EQ(window.CornerOf(I, J), ButtonShadow());
            }
}

TEST(BoardPicture, KingShowsThreeDiscs)
{
    Window window;
    ClearBoard(window.Game());
    window.Game().Board(4, 5) = BlueKing;
    window.Game().Board(5, 6) = RedKing;
    window.Game().Board(7, 6) = RedMan;
    FinishSetup(window.Game(), Red);
    window.Game().RedrawBoard();
    const int left = 100 + 3 * 800, top = 100 + 4 * 800; // (4, 5)
    EXPECT_EQ(window.At(left + 390, top + 390), QColor(0, 0, 192));
    EXPECT_EQ(window.At(left + 390 + 260, top + 390), BlueBody);
    EXPECT_EQ(window.At(left + 730, top + 430), Black);
    const int redLeft = 100 + 4 * 800, redTop = 100 + 5 * 800; // (5, 6)
    EXPECT_EQ(window.At(redLeft + 390, redTop + 390), QColor(192, 0, 0));
    EXPECT_EQ(window.At(redLeft + 390 + 260, redTop + 390), RedBody);
    const int manLeft = 100 + 6 * 800; // (7, 6): a man has no inner mark
    EXPECT_EQ(window.At(manLeft + 390, redTop + 390), RedBody);
}

TEST(BoardPicture, BannerNamesTheWinner)
{
    const QColor darkBlue(0, 0, 127), darkRed(127, 0, 0);
    Window window;
    EXPECT_EQ(CountColour(window, darkBlue, 100, 100, 6500, 6500), 0);

    ClearBoard(window.Game());
    window.Game().Board(2, 1) = BlueMan;
    FinishSetup(window.Game(), Red); // Red has nothing left: Blue has won
    window.Game().RedrawBoard();
    EXPECT_GT(CountColour(window, darkBlue, 100, 2500, 6500, 4000), 50);
    EXPECT_EQ(CountColour(window, darkBlue, 100, 100, 6500, 2000), 0);

    ClearBoard(window.Game());
    window.Game().Board(1, 8) = RedMan;
    window.Game().Board(3, 8) = RedMan;
    window.Game().Board(2, 7) = BlueMan; // blocked: both jumps would leave the board
    FinishSetup(window.Game(), Blue);
    ASSERT_TRUE(window.Game().IsGameOver());
    window.Game().RedrawBoard();
    EXPECT_GT(CountColour(window, darkRed, 100, 2500, 6500, 4000), 50);
    EXPECT_EQ(CountColour(window, darkBlue, 100, 100, 6500, 6500), 0);
}

} // namespace
} // namespace kelmarin::ui::testing
