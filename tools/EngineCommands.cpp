// kelmarin-cli eval [FILE], think [FILE] [--seed N] and
// selfplay --games N [--seed S] [--max-steps M] [--pdn FILE].
#include "CliCommon.h"
#include "Commands.h"
#include "ComputerPlayer.h"
#include "Evaluation.h"
#include "Notation.h"
#include "PdnWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <utility>

namespace kelmarin::cli {

namespace {

double Milliseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

struct SelfPlaySettings {
    long long Games = 0;
    std::optional<long long> Seed;
    long long MaxSteps = 1000;
    std::optional<std::string> PdnPath;
};

SelfPlaySettings ReadSelfPlaySettings(const CommandLine& line)
{
    SelfPlaySettings settings;
    settings.Games = *line.Number("--games", 1, 1000000);
    settings.Seed = line.Number("--seed", 0, 4294967295LL);
    settings.MaxSteps = line.Number("--max-steps", 1, GameState::MaxHistory).value_or(settings.MaxSteps);
    settings.PdnPath = line.Value("--pdn");
    return settings;
}

// Plays one game from the start until it is over or has maxSteps steps, timing every computer step.
// Returns the winner, or NoSide at the step cap.
std::int16_t PlayOneGame(GameState& game, ComputerPlayer& player, long long maxSteps,
                         std::vector<double>& stepTimes)
{
    game.New();
    while (game.HistoryPos < maxSteps) {
        if (game.IsGameOver())
            return Opponent(game.SideToMove);
        const auto before = std::chrono::steady_clock::now();
        const TChoice choice = player.ChooseComputerMove(game.SideToMove);
        stepTimes.push_back(Milliseconds(std::chrono::steady_clock::now() - before));
        game.SideToMove = game.MakeMove(&choice.Move, true);
    }
    return game.IsGameOver() ? Opponent(game.SideToMove) : NoSide;
}

void PrintGameResult(long long round, const GameState& game, std::int16_t winner)
{
    if (winner != NoSide)
        std::printf("game %lld: %s wins after %d steps\n", round, winner == Blue ? "Blue" : "Red",
                    game.HistoryPos);
    else
        std::printf("game %lld: step cap after %d steps\n", round, game.HistoryPos);
    std::fflush(stdout);
}

void PrintStepTimes(double seconds, std::vector<double> stepTimes)
{
    double mean = 0;
    double median = 0;
    double slowest = 0;
    if (!stepTimes.empty()) {
        for (const double t : stepTimes)
            mean += t;
        mean /= static_cast<double>(stepTimes.size());
        slowest = *std::max_element(stepTimes.begin(), stepTimes.end());
        auto middle = stepTimes.begin() + static_cast<std::ptrdiff_t>(stepTimes.size() / 2);
        std::nth_element(stepTimes.begin(), middle, stepTimes.end());
        median = *middle;
    }
    std::printf("total %.3f s, %zu computer steps, per step: mean %.3f ms, median %.3f ms, max %.3f ms\n",
                seconds, stepTimes.size(), mean, median, slowest);
}

} // namespace

int RunEval(const CommandLine& line)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line)))
        return 1;
    std::printf("%d\n", EvaluatePosition(game, game.SideToMove));
    return 0;
}

int RunThink(const CommandLine& line)
{
    if (const std::optional<Level> level = ThinkLevel(line); level && *level != Level::Classic)
        return RunStrongThink(line, *level);
    GameState game;
    ComputerPlayer player(game);
    if (const auto seed = line.Number("--seed", 0, 4294967295LL))
        player.Seed(static_cast<std::uint32_t>(*seed));
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line)))
        return 1;
    if (game.IsGameOver()) {
        std::printf("game over\n");
        return 0;
    }
    std::vector<TRootScore> roots;
    const TChoice choice = player.ChooseComputerMove(game.SideToMove, &roots);
    for (const TRootScore& root : roots) {
        const TMove& m = root.Move;
        std::printf("%d %d %d %d %d %d %d\n", m.FromI, m.FromJ, m.ToI, m.ToJ, m.Coin, m.CapturedCoin,
                    root.Score);
    }
    std::printf("best %d\n", choice.Score);
    std::printf("chosen %d %d %d %d\n", choice.Move.FromI, choice.Move.FromJ, choice.Move.ToI,
                choice.Move.ToJ);
    return 0;
}

int RunSelfPlay(const CommandLine& line)
{
    const SelfPlaySettings settings = ReadSelfPlaySettings(line);
    const Rules rules = ChosenRules(line);
    std::ofstream pdn;
    if (settings.PdnPath) {
        if (settings.PdnPath->empty())
            return Refuse(*settings.PdnPath, "no file name was given");
        pdn.open(*settings.PdnPath, std::ios::binary | std::ios::trunc);
        if (!pdn)
            return Refuse(*settings.PdnPath, "cannot be written");
    }

    GameState game;
    game.GameRules = rules; // New keeps them
    ComputerPlayer player(game);
    if (settings.Seed)
        player.Seed(static_cast<std::uint32_t>(*settings.Seed));
    std::vector<double> stepTimes;
    const auto start = std::chrono::steady_clock::now();
    for (long long round = 1; round <= settings.Games; ++round) {
        const std::int16_t winner = PlayOneGame(game, player, settings.MaxSteps, stepTimes);
        PrintGameResult(round, game, winner);
        if (pdn) {
            PdnTags tags;
            tags.Event = "Kelmarin self-play";
            tags.Round = std::to_string(round);
            pdn << (round > 1 ? "\n" : "") << WritePdnGame(game, tags);
        }
    }
    PrintStepTimes(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(),
                   std::move(stepTimes));
    if (settings.PdnPath) {
        pdn.close();
        if (!pdn)
            return Refuse(*settings.PdnPath, "cannot be written");
    }
    return 0;
}

} // namespace kelmarin::cli
