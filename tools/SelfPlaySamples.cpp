#include "SelfPlaySamples.h"

#include "Ballots.h"
#include "SearchPosition.h"
#include "StrongSearch.h"

#include <random>

namespace kelmarin::tuning {

namespace {

constexpr int RandomStepsAfterBallot = 4; // up to
// Plies without a man step or a capture that make a game a draw.
constexpr int NoProgressPlies = 60;

bool IsQuiet(const Position& position)
{
    if (position.Jumping() != NoSquare || position.HasCapture())
        return false;
    const std::int16_t other = Opponent(position.SideToMove());
    return !Position::FromMasks(position.Pieces(Blue), position.Pieces(Red), position.Kings(), other,
                                NoSquare, position.GameRules())
                .HasCapture();
}

void PlayRandomStep(GameState& game, std::mt19937& random)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    const TMove step = list[static_cast<int>(random() % static_cast<unsigned>(list.Count()))];
    game.MakeMove(&step, true);
}

// One game's quiet positions, and its result for Blue.
double PlayGame(const SelfPlayOptions& options, int number, std::mt19937& random, std::vector<Position>& kept)
{
    GameState game;
    game.GameRules = options.GameRules;
    game.New();
    const std::optional<std::vector<TMove>> ballot = BallotSteps(number % BallotCount, options.GameRules);
    for (const TMove& step : ballot.value())
        game.MakeMove(&step, true);
    const int randomSteps = static_cast<int>(random() % (RandomStepsAfterBallot + 1));
    for (int k = 0; k < randomSteps && !game.IsGameOver(); ++k)
        PlayRandomStep(game, random);

    strong::StrongSearch search(16);
    strong::SearchLimits limits;
    limits.TimeMs = 1 << 30;
    limits.NodeLimit = options.NodesPerMove;
    int quietPlies = 0;
    while (game.HistoryPos < options.MaxSteps && quietPlies < NoProgressPlies) {
        if (game.IsGameOver())
            return game.SideToMove == Blue ? 0.0 : 1.0;
        const Position position = strong::SearchPosition::FromGame(game).Board();
        if (IsQuiet(position))
            kept.push_back(position);
        const TMove step = search.Search(game, limits).Step;
        const bool progress = !IsKing(step.Coin) || step.CapturedCoin != Empty;
        quietPlies = progress ? 0 : quietPlies + 1;
        game.MakeMove(&step, true);
    }
    return 0.5;
}

} // namespace

std::vector<Sample> SelfPlaySamples(const SelfPlayOptions& options, const SelfPlayProgress& progress)
{
    std::mt19937 random(options.Seed);
    std::vector<Sample> samples;
    std::vector<Position> kept;
    for (int games = 0; samples.size() < static_cast<std::size_t>(options.Positions); ++games) {
        kept.clear();
        const double result = PlayGame(options, games, random, kept);
        for (const Position& position : kept)
            samples.push_back(MakeSample(position, result));
        if (progress)
            progress(samples.size(), games + 1);
    }
    return samples;
}

} // namespace kelmarin::tuning
