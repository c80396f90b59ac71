#include "EndgameConvert.h"

#include <random>

namespace kelmarin {

namespace {

using Outcome = TableValue::Outcome;

// How good a turn's end is for the defender, who moved into it: the higher the better.
int DefenceRank(const EndgameTables& tables, const Position& end)
{
    const std::optional<TableValue> value = tables.Probe(end);
    if (!value || value->Result == Outcome::Draw)
        return 1000;
    return value->Result == Outcome::Loss ? 2000 + value->Plies : value->Plies;
}

void SearchTurns(const EndgameTables& tables, Position& position, std::vector<TMove>& line,
                 std::vector<TMove>& best, int& bestRank)
{
    TStep steps[MaxSteps];
    const int count = position.GenerateSteps(steps);
    for (int k = 0; k < count; ++k) {
        line.push_back(position.ToTMove(steps[k]));
        Position child = position;
        child.Play(steps[k]);
        if (child.Jumping() != NoSquare) {
            SearchTurns(tables, child, line, best, bestRank);
        } else if (const int rank = DefenceRank(tables, child); rank > bestRank) {
            bestRank = rank;
            best = line;
        }
        line.pop_back();
    }
}

} // namespace

GameState GameOf(const Position& position)
{
    GameState game;
    game.New();
    for (int k = 0; k < PlayingSquareCount; ++k)
        game.Board[ScanOrder[static_cast<std::size_t>(k)]] = position.CodeAt(k);
    game.SideToMove = position.SideToMove();
    game.GameRules = position.GameRules();
    game.RecountCoins();
    return game;
}

std::vector<Position> DrawWonPositions(const EndgameTables& tables, int count, int minPieces, int maxPieces,
                                       std::uint64_t seed)
{
    std::vector<TMaterial> materials;
    for (int pieces = minPieces; pieces <= maxPieces; ++pieces)
        for (const TMaterial& material : MaterialsOf(pieces))
            if (tables.Has(material))
                materials.push_back(material);
    std::vector<Position> found;
    if (materials.empty())
        return found;
    std::mt19937_64 random(seed);
    // Some materials have no won position at all; give up on a draw that finds nothing for long.
    for (int misses = 0; static_cast<int>(found.size()) < count && misses < 1000000;) {
        const EndgameIndex index(materials[random() % materials.size()]);
        const std::optional<Position> position =
            index.PositionAt(random() % index.Size(), tables.GameRules());
        const std::optional<TableValue> value = position ? tables.Probe(*position) : std::nullopt;
        if (!value || value->Result != Outcome::Win || position->HasCapture()) {
            ++misses;
            continue;
        }
        found.push_back(*position);
    }
    return found;
}

std::vector<TMove> BestDefence(const EndgameTables& tables, const Position& position)
{
    Position start = position;
    std::vector<TMove> line;
    std::vector<TMove> best;
    int bestRank = -1;
    SearchTurns(tables, start, line, best, bestRank);
    return best;
}

TConversion PlayOut(const EndgameTables& tables, strong::StrongSearch& search, const Position& start,
                    const strong::SearchLimits& limits, int margin)
{
    TConversion result;
    const std::optional<TableValue> value = tables.Probe(start);
    result.TablePlies = value ? value->Plies : 0;
    GameState game = GameOf(start);
    const std::int16_t winner = game.SideToMove;
    search.Clear();
    while (result.Plies <= result.TablePlies + margin) {
        const Position here = game.PositionFor(game.SideToMove);
        TStep steps[MaxSteps];
        if (here.GenerateSteps(steps) == 0) {
            result.Won = game.SideToMove != winner;
            return result;
        }
        if (game.SideToMove == winner) {
            const std::int16_t side = game.SideToMove;
            // One jump at a time, until the turn is over.
            while (game.SideToMove == side) {
                const TMove step = search.Search(game, limits).Step;
                if (step.FromI == 0 || game.MakeMove(&step, true) == 0)
                    return result;
            }
        } else {
            for (const TMove& step : BestDefence(tables, here))
                game.MakeMove(&step, true);
        }
        ++result.Plies;
    }
    return result;
}

} // namespace kelmarin
