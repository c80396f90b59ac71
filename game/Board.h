// The board's shape and what a step does to it.
//
// This is the one place that knows the 32 playing squares, their scan order, the border ring and the
// effect of a step on the cells (moving the piece, crowning it on the far row, removing what it
// jumped). The rules, the evaluation, the saved-game file and the notation all ask here.
#pragma once

#include "Piece.h"
#include "TMove.h"

#include <array>
#include <cstdint>

namespace kelmarin {

// A square as (I, J): I the column, J the row, both 1..8 on the board; (0, 0) is no square.
struct TSquare {
    std::int16_t I = 0;
    std::int16_t J = 0;
    bool operator==(const TSquare&) const = default;
};

// 10 x 10 codes addressed as Board(I, J), I the column and J the row; the playing area is 1..8 and
// the ring around it holds BorderCell. A new board is empty inside its border.
class TBoard {
public:
    constexpr TBoard()
    {
        for (int K = 0; K <= 9; ++K) {
            (*this)(K, 0) = BorderCell;
            (*this)(K, 9) = BorderCell;
            (*this)(0, K) = BorderCell;
            (*this)(9, K) = BorderCell;
        }
    }
    constexpr std::int16_t& operator()(int I, int J) { return Cells_[I * 10 + J]; }
    constexpr std::int16_t operator()(int I, int J) const { return Cells_[I * 10 + J]; }
    constexpr std::int16_t& operator[](TSquare s) { return (*this)(s.I, s.J); }
    constexpr std::int16_t operator[](TSquare s) const { return (*this)(s.I, s.J); }
    // A cell by its place I * 10 + J, so that a diagonal neighbour is a fixed offset away.
    constexpr std::int16_t Cell(int index) const { return Cells_[index]; }
    bool operator==(const TBoard&) const = default;

private:
    std::array<std::int16_t, 100> Cells_{};
};

inline constexpr int PlayingSquareCount = 32;

constexpr bool IsPlayingSquare(int I, int J)
{
    return I >= 1 && I <= 8 && J >= 1 && J <= 8 && (I + J) % 2 == 1;
}

// The playing squares in scan order: columns 1 to 8, each from its lowest row up. Square k of this
// order is bit k of a piece mask and entry k of the saved-game file's board section.
inline constexpr std::array<TSquare, PlayingSquareCount> ScanOrder = [] {
    std::array<TSquare, PlayingSquareCount> order{};
    int n = 0;
    for (int I = 1; I <= 8; ++I)
        for (int J = I % 2 == 0 ? 1 : 2; J <= 8; J += 2)
            order[n++] = {static_cast<std::int16_t>(I), static_cast<std::int16_t>(J)};
    return order;
}();

// The place of a playing square in ScanOrder, 0..31.
constexpr int ScanIndex(int I, int J)
{
    return (I - 1) * 4 + (J - 1) / 2;
}

// A cell's place in the board array, I * 10 + J, so that a diagonal neighbour is a fixed offset away.
constexpr int CellIndex(int I, int J)
{
    return I * 10 + J;
}

// The cell of each square of ScanOrder, and the square of each cell.
inline constexpr std::array<std::int8_t, PlayingSquareCount> ScanCells = [] {
    std::array<std::int8_t, PlayingSquareCount> cells{};
    for (int k = 0; k < PlayingSquareCount; ++k)
        cells[k] = static_cast<std::int8_t>(CellIndex(ScanOrder[k].I, ScanOrder[k].J));
    return cells;
}();
inline constexpr std::array<TSquare, 100> CellSquare = [] {
    std::array<TSquare, 100> squares{};
    for (int cell = 0; cell < 100; ++cell)
        squares[cell] = {static_cast<std::int16_t>(cell / 10), static_cast<std::int16_t>(cell % 10)};
    return squares;
}();

// The mask bit of a playing square.
constexpr std::uint32_t ScanBit(int I, int J)
{
    return std::uint32_t{1} << ScanIndex(I, J);
}

// The square a jump passes over.
constexpr TSquare JumpedSquare(const TMove& m)
{
    return {static_cast<std::int16_t>((m.FromI + m.ToI) / 2),
            static_cast<std::int16_t>((m.FromJ + m.ToJ) / 2)};
}

// The code a step leaves on its landing square: a man reaching row 1 or 8 is crowned there.
constexpr std::int16_t LandedCoin(const TMove& m)
{
    return (m.ToJ == 1 || m.ToJ == 8) && !IsKing(m.Coin) ? static_cast<std::int16_t>(m.Coin + 2) : m.Coin;
}

// Plays the step on the cells; returns whether it crowned a man.
constexpr bool ApplyStep(TBoard& board, const TMove& m)
{
    board(m.ToI, m.ToJ) = LandedCoin(m);
    board(m.FromI, m.FromJ) = Empty;
    if (m.CapturedCoin != Empty)
        board[JumpedSquare(m)] = Empty;
    return LandedCoin(m) != m.Coin;
}

// Takes the step back on the cells, exactly undoing ApplyStep.
constexpr void RevertStep(TBoard& board, const TMove& m)
{
    board(m.FromI, m.FromJ) = m.Coin;
    board(m.ToI, m.ToJ) = Empty;
    if (m.CapturedCoin != Empty)
        board[JumpedSquare(m)] = m.CapturedCoin;
}

} // namespace kelmarin
