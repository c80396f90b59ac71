// What the game tells the screen: the board view and the Info window implement this.
//
// The core calls these only in played mode, never from inside a search. SetSelection is the drawing
// half of the selection change: the game state has already stored the new selected square.
#pragma once

#include <cstdint>

namespace kelmarin {

class GameDisplay {
public:
    virtual ~GameDisplay() = default;

    virtual void DrawSquare(std::int16_t I, std::int16_t J) = 0;
    virtual void DrawTurnMarker(std::int16_t side) = 0;
    virtual void SetSelection(std::int16_t I, std::int16_t J) = 0;
    virtual void RedrawBoard() = 0;
    virtual void RefreshInfoWindow() = 0;
};

// A display that shows nothing: the command-line tool and the rules tests use it.
class NullDisplay final : public GameDisplay {
public:
    void DrawSquare(std::int16_t, std::int16_t) override {}
    void DrawTurnMarker(std::int16_t) override {}
    void SetSelection(std::int16_t, std::int16_t) override {}
    void RedrawBoard() override {}
    void RefreshInfoWindow() override {}
};

} // namespace kelmarin
