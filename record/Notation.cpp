#include "Notation.h"

#include "StandardSquares.h"
#include "Turn.h"

#include <algorithm>
#include <span>
#include <vector>

namespace kelmarin {

namespace {

// "22-13x": the squares, then K for a man reaching its crowning row and x (X) for a man (king) taken.
void AppendStep(std::string& text, const TMove& m, std::int16_t mover, SquareNumbering numbering)
{
    text += std::to_string(NumberOfSquare(numbering, m.FromI, m.FromJ));
    text += '-';
    text += std::to_string(NumberOfSquare(numbering, m.ToI, m.ToJ));
    if (!IsKing(m.Coin)) {
        const int crowningRow = mover == Red ? 1 : 8;
        if (m.ToJ == crowningRow)
            text += 'K';
    }
    if (m.CapturedCoin != 0)
        text += IsKing(m.CapturedCoin) ? 'X' : 'x';
}

// The turns of steps that hold a step from `from` on, numbered by their place among all the turns; a
// turn begun before `from` is written from there on, without its number.
std::string TurnsText(std::span<const TMove> steps, std::size_t from, SquareNumbering numbering)
{
    std::string text;
    const std::vector<TTurn> turns = GroupTurns(steps);
    for (std::size_t t = 0; t < turns.size(); ++t) {
        const TTurn& turn = turns[t];
        const auto end = static_cast<std::size_t>(turn.First + turn.Count);
        if (end <= from)
            continue;
        const auto first = static_cast<std::size_t>(turn.First);
        if (!text.empty())
            text += ' ';
        if (first >= from) {
            text += std::to_string((t + 2) / 2);
            text += turn.Side == Blue ? 'B' : 'R';
            text += '.';
        }
        for (std::size_t k = std::max(first, from); k < end; ++k) {
            if (k > std::max(first, from))
                text += ',';
            AppendStep(text, steps[k], turn.Side, numbering);
        }
    }
    return text;
}

} // namespace

std::string MoveListText(const GameState& game, SquareNumbering numbering)
{
    // Only the applied entries are written; the redo tail stays out of the record until it is redone.
    const std::span<const TMove> applied(game.MoveHistory.data(), static_cast<std::size_t>(game.HistoryPos));
    std::string text = TurnsText(applied, 0, numbering);
    // The side that cannot move has lost. Naming the mover of the last entry instead would be wrong
    // for a loaded game that is over before any entry is applied.
    if (game.IsGameOver())
        text += Opponent(game.SideToMove) == Blue ? "; Blue has won." : "; Red has won.";
    return text;
}

std::string LineText(const GameState& game, std::span<const TMove> line, SquareNumbering numbering)
{
    std::vector<TMove> steps(game.MoveHistory.begin(), game.MoveHistory.begin() + game.HistoryPos);
    steps.insert(steps.end(), line.begin(), line.end());
    return TurnsText(steps, static_cast<std::size_t>(game.HistoryPos), numbering);
}

std::optional<int> HistoryPosAtMoveListOffset(const GameState& game, std::size_t offset)
{
    const std::string text = MoveListText(game);
    // Turns hold no spaces and are parted by one; the result sentence starts at the semicolon.
    if (offset >= std::min(text.find(';'), text.size()))
        return std::nullopt;
    const auto turn = static_cast<std::size_t>(
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset) + 1, ' '));
    const std::span<const TMove> applied(game.MoveHistory.data(), static_cast<std::size_t>(game.HistoryPos));
    const std::vector<TTurn> turns = GroupTurns(applied);
    return turns[turn].First + turns[turn].Count;
}

std::string CoinCountText(const GameState& game)
{
    return "Red has " + std::to_string(game.CoinCount[Red]) + " and Blue has " +
           std::to_string(game.CoinCount[Blue]) + " coins left.";
}

} // namespace kelmarin
