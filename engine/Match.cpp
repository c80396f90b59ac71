#include "Match.h"

#include "ComputerPlayer.h"

#include <memory>
#include <random>
#include <time.h>

namespace kelmarin {

namespace {

std::int64_t ThreadProcessorMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// One side's computer for a whole game; the strong search keeps its table from step to step.
class MatchPlayer {
public:
    MatchPlayer(Level level, int budgetMs, bool processorTime, GameState& game, std::uint32_t seed)
        : Level_(level), BudgetMs_(budgetMs), ProcessorTime_(processorTime), Classic_(game)
    {
        Classic_.Seed(seed);
        if (level != Level::Classic)
            Strong_ = std::make_unique<strong::StrongSearch>();
    }

    TMove Choose(GameState& game)
    {
        if (Level_ == Level::Classic)
            return Classic_.ChooseComputerMove(game.SideToMove).Move;
        strong::SearchLimits limits;
        limits.TimeMs = BudgetMs_;
        if (ProcessorTime_)
            limits.ClockMs = ThreadProcessorMs;
        return Strong_->Search(game, limits).Step;
    }

private:
    Level Level_;
    int BudgetMs_;
    bool ProcessorTime_;
    ComputerPlayer Classic_;
    std::unique_ptr<strong::StrongSearch> Strong_;
};

// Two random steps per side from the start.
std::vector<TMove> DrawOpening(std::mt19937& random, Rules rules)
{
    GameState game;
    game.GameRules = rules;
    game.New();
    std::vector<TMove> opening;
    for (int k = 0; k < 4 && !game.IsGameOver(); ++k) {
        MoveList list;
        game.GenerateMoves(game.SideToMove, list);
        opening.push_back(list[static_cast<int>(random() % static_cast<unsigned>(list.Count()))]);
        game.MakeMove(&opening.back(), true);
    }
    return opening;
}

MatchGame PlayGame(const MatchOptions& options, const std::vector<TMove>& opening, int number)
{
    MatchGame result;
    result.Number = number;
    result.SideOfA = number % 2 == 1 ? Red : Blue;
    GameState game;
    game.GameRules = options.GameRules;
    game.New();
    for (const TMove& step : opening)
        game.MakeMove(&step, true);
    const std::uint32_t seed = options.Seed * 7919u + static_cast<std::uint32_t>(number);
    MatchPlayer a(options.A, ScaledBudgetMs(options.A, options.StrongMs), options.ProcessorTime, game, seed);
    MatchPlayer b(options.B, ScaledBudgetMs(options.B, options.StrongMs), options.ProcessorTime, game,
                  seed + 1);
    while (game.HistoryPos < options.MaxSteps) {
        if (game.IsGameOver()) {
            result.Winner = Opponent(game.SideToMove);
            break;
        }
        const TMove step = (game.SideToMove == result.SideOfA ? a : b).Choose(game);
        game.MakeMove(&step, true);
    }
    if (result.Winner == NoSide && game.IsGameOver())
        result.Winner = Opponent(game.SideToMove);
    result.Steps = game.HistoryPos;
    result.FinalBoard = game.Board;
    return result;
}

} // namespace

MatchTotals PlayMatch(const MatchOptions& options, const std::function<void(const MatchGame&)>& onGame)
{
    std::mt19937 random(options.Seed);
    std::vector<TMove> opening;
    MatchTotals totals;
    for (int number = 1; number <= options.Games; ++number) {
        if (number % 2 == 1)
            opening = DrawOpening(random, options.GameRules);
        const MatchGame game = PlayGame(options, opening, number);
        totals.AWins += game.AWon();
        totals.BWins += game.BWon();
        totals.Unfinished += game.Winner == NoSide;
        if (onGame)
            onGame(game);
    }
    return totals;
}

std::string DescribeGame(const MatchOptions& options, const MatchGame& game)
{
    std::string line = "game " + std::to_string(game.Number) + ": ";
    if (game.Winner == NoSide)
        return line + "unfinished after " + std::to_string(game.Steps) + " steps";
    const Level winner = game.AWon() ? options.A : options.B;
    return line + std::string(LevelKey(winner)) + (game.Winner == Red ? " (Red)" : " (Blue)") +
           " wins after " + std::to_string(game.Steps) + " steps";
}

std::string DescribeTotals(const MatchOptions& options, const MatchTotals& totals)
{
    return std::string(LevelKey(options.A)) + " wins " + std::to_string(totals.AWins) + ", " +
           std::string(LevelKey(options.B)) + " wins " + std::to_string(totals.BWins) + ", unfinished " +
           std::to_string(totals.Unfinished);
}

} // namespace kelmarin
