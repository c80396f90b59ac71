#include "HistoryRules.h"

#include "Notation.h"

namespace kelmarin {

namespace {

struct TReplay {
    int LegalSteps = 0; // the steps replayed before the fault
    std::string Fault;  // empty when the whole history obeys the rules
};

const char* SideName(std::int16_t side)
{
    return side == Blue ? "Blue" : "Red";
}

std::string Square(std::int16_t I, std::int16_t J)
{
    return "square " + std::to_string(SquareNumber(I, J));
}

bool IsListed(const MoveList& list, const TMove& m)
{
    for (const TMove& listed : list)
        if (listed == m)
            return true;
    return false;
}

TReplay Replay(const SavedGame& saved, Rules rules)
{
    GameState game;
    game.GameRules = rules;
    game.Board = saved.Board;
    for (int k = saved.HistoryPos; k >= 1; --k)
        RevertStep(game.Board, saved.MoveHistory[static_cast<std::size_t>(k - 1)]);
    // The first step's mover was to move in the first position; with no step applied, the stored side.
    std::int16_t side = saved.HistoryPos > 0 ? PieceOwner(saved.MoveHistory.front().Coin) : saved.SideToMove;
    game.SideToMove = side;
    game.RecountCoins();

    TReplay replay;
    MoveList list;
    for (const TMove& m : saved.MoveHistory) {
        const int k = replay.LegalSteps + 1;
        game.GenerateMoves(side, list);
        if (!IsListed(list, m)) {
            replay.Fault = "history record " + std::to_string(k) + ", from " + Square(m.FromI, m.FromJ) +
                           " to " + Square(m.ToI, m.ToJ) + ", is not a legal step for " + SideName(side);
            return replay;
        }
        side = game.MakeMove(&m, false);
        replay.LegalSteps = k;
        if (k == saved.HistoryPos && side != saved.SideToMove) {
            replay.Fault = "after history record " + std::to_string(k) + " " + SideName(side) +
                           " is to move, not " + SideName(saved.SideToMove);
            return replay;
        }
    }
    return replay;
}

} // namespace

std::string HistoryFault(const SavedGame& game, Rules rules)
{
    return Replay(game, rules).Fault;
}

LoadResult UnderRules(LoadResult read, Rules chosen)
{
    if (!read)
        return read;
    const TReplay first = Replay(*read.Game, chosen);
    if (first.Fault.empty()) {
        read.Game->GameRules = chosen;
        return read;
    }
    const TReplay second = Replay(*read.Game, OtherRules(chosen));
    if (second.Fault.empty()) {
        read.Game->GameRules = OtherRules(chosen);
        return read;
    }
    return {std::nullopt, second.LegalSteps > first.LegalSteps ? second.Fault : first.Fault};
}

} // namespace kelmarin
