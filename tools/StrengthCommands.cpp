// think --level strong|expert [--time-ms T] and match A B --games N: the stronger levels of the
// computer from the command line. think without a level (or with classic) is the classic computer.
#include "CliCommon.h"
#include "Commands.h"
#include "Levels.h"
#include "Match.h"

#include <cstdio>

namespace kelmarin::cli {

namespace {

Level LevelNamed(const std::string& name)
{
    const std::optional<Level> level = ParseLevel(name);
    if (!level)
        throw WrongCall{};
    return *level;
}

} // namespace

int RunStrongThink(const CommandLine& line, Level level)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line)))
        return 1;
    if (game.IsGameOver()) {
        std::printf("game over\n");
        return 0;
    }
    const int budget = static_cast<int>(line.Number("--time-ms", 1, 3600000).value_or(LevelBudgetMs(level)));
    const StrongResult result = SearchBestStep(game, budget);
    std::printf("depth %d\nnodes %llu\nbest %d\n", result.Depth,
                static_cast<unsigned long long>(result.Nodes), result.Score);
    std::printf("chosen %d %d %d %d\n", result.Step.FromI, result.Step.FromJ, result.Step.ToI,
                result.Step.ToJ);
    return 0;
}

std::optional<Level> ThinkLevel(const CommandLine& line)
{
    const std::optional<std::string> name = line.Value("--level");
    if (!name)
        return std::nullopt;
    return LevelNamed(*name);
}

int RunMatch(const CommandLine& line)
{
    MatchOptions options;
    options.A = LevelNamed(*line.Plain(0));
    options.B = LevelNamed(*line.Plain(1));
    options.Games = static_cast<int>(*line.Number("--games", 1, 100000));
    options.Seed = static_cast<std::uint32_t>(line.Number("--seed", 0, 4294967295LL).value_or(1));
    options.StrongMs =
        static_cast<int>(line.Number("--time-ms", 1, 3600000).value_or(LevelBudgetMs(Level::Strong)));
    options.MaxSteps = static_cast<int>(line.Number("--max-steps", 1, GameState::MaxHistory).value_or(400));
    options.GameRules = ChosenRules(line);
    const MatchTotals totals = PlayMatch(options, [&options](const MatchGame& game) {
        std::printf("%s\n", DescribeGame(options, game).c_str());
        std::fflush(stdout);
    });
    std::printf("%s\n", DescribeTotals(options, totals).c_str());
    return 0;
}

} // namespace kelmarin::cli
