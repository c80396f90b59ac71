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
    void DrawTurnMarker(std::int16_t side) override { Calls.push_back("DrawTurnMarker " + std::to_string(side)); }
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

} // namespace kelmarin::testing
