// think --level strong|expert [--time-ms T] and match: the stronger levels of the computer from the
// command line. think without a level (or with classic) is the classic computer. A match between two
// levels with random openings prints as it always has, under either rules; openings named or engines
// from outside bring the match's draw rules, the ballot in every game line, and the score with its Elo
// difference.
#include "Ballots.h"
#include "CliCommon.h"
#include "Commands.h"
#include "ExternalEngine.h"
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
    std::vector<std::unique_ptr<EndgameTables>> tables;
    if (!OpenEndgames(line, {game.GameRules}, tables))
        return 1;
    const StrongResult result =
        SearchBestStep(game, budget, nullptr, 1, tables.empty() ? nullptr : tables.front().get());
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
    const std::optional<std::string> engineA = line.Value("--engine-a");
    const std::optional<std::string> engineB = line.Value("--engine-b");
    const std::optional<std::string> openings = line.Value("--openings");
    const std::optional<std::string> rules = line.Value("--rules");
    if ((openings && *openings != "ballots" && *openings != "random") ||
        (rules && *rules != "kelmarin" && *rules != "english"))
        throw WrongCall{};
    // The plain words name the levels of the sides that no command plays, A first.
    std::size_t plain = 0;
    if (!engineA)
        options.A = LevelNamed(line.Plain(plain++).value_or(""));
    if (!engineB)
        options.B = LevelNamed(line.Plain(plain++).value_or(""));
    if (line.Plain(plain))
        throw WrongCall{};
    const bool ballots = openings == "ballots";
    const bool engines = engineA.has_value() || engineB.has_value();
    const std::optional<long long> games = line.Number("--games", 1, 100000);
    if (!games && !ballots)
        throw WrongCall{};
    options.Games = static_cast<int>(games.value_or(2 * BallotCount));
    options.Seed = static_cast<std::uint32_t>(line.Number("--seed", 0, 4294967295LL).value_or(1));
    options.StrongMs =
        static_cast<int>(line.Number("--time-ms", 1, 3600000).value_or(LevelBudgetMs(Level::Strong)));
    options.MaxSteps = static_cast<int>(line.Number("--max-steps", 1, GameState::MaxHistory).value_or(400));
    options.Concurrency = static_cast<int>(line.Number("--concurrency", 1, 64).value_or(1));
    options.GameRules = ChosenRules(line);
    std::vector<std::unique_ptr<EndgameTables>> tables;
    if (!OpenEndgames(line, {options.GameRules}, tables))
        return 1;
    if (!tables.empty())
        options.Tables = tables.front().get();
    if (ballots)
        for (int k = 0; k < BallotCount; ++k) {
            options.Openings.push_back(*BallotSteps(k, options.GameRules));
            options.OpeningNames.emplace_back(BallotText(k));
        }
    const auto external = [&options](const std::string& command) {
        return [command, rules = options.GameRules](std::string* reason) {
            return ExternalEngine::Start(command, rules, reason);
        };
    };
    if (engineA) {
        options.A = Level::Strong; // its budget is the one given
        options.EngineA = external(*engineA);
        options.NameA = "engine-a";
    }
    if (engineB) {
        options.B = Level::Strong;
        options.EngineB = external(*engineB);
        options.NameB = "engine-b";
    }
    const bool described = engines || openings;
    options.Adjudicate = described;
    const MatchTotals totals = PlayMatch(options, [&](const MatchGame& game) {
        const std::string text = described ? DescribeMatchGame(options, game) : DescribeGame(options, game);
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    });
    const std::string end = described ? DescribeMatchScore(options, totals) : DescribeTotals(options, totals);
    std::printf("%s\n", end.c_str());
    return 0;
}

} // namespace kelmarin::cli
