#include "BoardDescription.h"

#include "StandardSquares.h"

#include <algorithm>
#include <vector>

namespace kelmarin {

namespace {

std::string SquaresOf(const TBoard& board, std::int16_t coin, SquareNumbering numbering)
{
    std::vector<int> numbers;
    for (const TSquare square : ScanOrder)
        if (board[square] == coin)
            numbers.push_back(NumberOfSquare(numbering, square.I, square.J));
    if (numbers.empty())
        return "none";
    std::sort(numbers.begin(), numbers.end());
    std::string text;
    for (const int number : numbers)
        text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
}

} // namespace

std::string BoardDescription(const TBoard& board, std::int16_t sideToMove, SquareNumbering numbering)
{
    return std::string(sideToMove == Blue ? "Blue" : "Red") +
           " to move. Red men: " + SquaresOf(board, RedMan, numbering) +
           ". Red kings: " + SquaresOf(board, RedKing, numbering) +
           ". Blue men: " + SquaresOf(board, BlueMan, numbering) +
           ". Blue kings: " + SquaresOf(board, BlueKing, numbering) + ".";
}

} // namespace kelmarin
