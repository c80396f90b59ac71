// A display that writes down every call, so tests can check what was drawn and in which order.
#pragma once

#include "GameDisplay.h"
#include "GameState.h"

#include <string>
#include <vector>

namespace kelmarin::testing {

class RecordingDisplay final : public GameDisplay {
public:
    void DrawSquare(std::int16_t I, std::int16_t J) override { Add("DrawSquare", I, J); }
    void DrawTurnMarker(std::int16_t side) override
    {
        Calls.push_back("DrawTurnMarker " + std::to_string(side));
    }
    void SetSelection(std::int16_t I, std::int16_t J) override { Add("SetSelection", I, J); }
    void RedrawBoard() override { Calls.push_back("RedrawBoard"); }
    void RefreshInfoWindow() override { Calls.push_back("RefreshInfoWindow"); }

    std::vector<std::string> Calls;

private:
    void Add(const char* name, int I, int J)
    {
        Calls.push_back(std::string(name) + " " + std::to_string(I) + "," + std::to_string(J));
    }
};

// Empties the playing area (the border stays), so a test can set up a position of its own.
inline void ClearBoard(GameState& game)
{
    game.New();
    for (int I = 1; I <= 8; ++I)
        for (int J = 1; J <= 8; ++J)
            game.Board(I, J) = Empty;
}

// Call after placing pieces: counts them and sets whose turn it is.
inline void FinishSetup(GameState& game, std::int16_t sideToMove)
{
    game.SideToMove = sideToMove;
    game.RecountCoins();
}

// Blue man on (3,4); Red men on (4,5), (4,7), (2,7), (7,8); Blue to move: a three-jump whose second
// jump crowns the man, which then goes on backward as a king.
inline void SetUpTripleJump(GameState& game)
{
    ClearBoard(game);
    game.Board(3, 4) = BlueMan;
    game.Board(4, 5) = RedMan;
    game.Board(4, 7) = RedMan;
    game.Board(2, 7) = RedMan;
    game.Board(7, 8) = RedMan;
    FinishSetup(game, Blue);
}

} // namespace kelmarin::testing
