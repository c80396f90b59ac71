// kelmarin-cli eval [FILE], think [FILE] [--seed N] and
// selfplay --games N [--seed S] [--max-steps M] [--pdn FILE].
#include "CliCommon.h"
#include "Commands.h"
#include "ComputerPlayer.h"
#include "Evaluation.h"
#include "Notation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace kelmarin::cli {

namespace {

struct Parsed {
    std::string Path;
    std::vector<std::pair<std::string, std::string>> Options;
};

// Splits the arguments into options with a value and at most one plain argument (a file). Returns
// false when a word is not understood.
bool Parse(const Args& args, const std::vector<std::string>& known, bool takesPath, Parsed& parsed)
{
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg.rfind("--", 0) == 0) {
            if (std::find(known.begin(), known.end(), arg) == known.end() || k + 1 == args.size())
                return false;
            parsed.Options.emplace_back(arg, args[++k]);
        } else if (takesPath && parsed.Path.empty()) {
            parsed.Path = arg;
        } else {
            return false;
        }
    }
    return true;
}

int Usage(const char* usage)
{
    std::cerr << "usage: kelmarin-cli " << usage << "\n";
    return 2;
}

// "kelmarin-cli: PATH: cannot be written" on one line, whatever the name holds.
int CannotWrite(std::string path)
{
    for (char& c : path)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    std::cerr << "kelmarin-cli: " << path << ": cannot be written\n";
    return 1;
}

double Milliseconds(std::chrono::steady_clock::duration duration)
{
    return std::chrono::duration<double, std::milli>(duration).count();
}

// One turn of the game in portable draughts notation: "9-14" for a step, "22x15x6" for a multi-jump.
std::string TurnText(const std::vector<TMove>& steps)
{
    std::string text = std::to_string(SquareNumber(steps.front().FromI, steps.front().FromJ));
    for (const TMove& step : steps) {
        text += step.CapturedCoin != 0 ? "x" : "-";
        text += std::to_string(SquareNumber(step.ToI, step.ToJ));
    }
    return text;
}

// Red moves first, so it takes the place of the side written first.
std::string GameRecord(const GameState& game, int round, std::int16_t winner)
{
    const char* result = winner == Red ? "1-0" : winner == Blue ? "0-1" : "*";
    std::string text = "[Event \"Kelmarin self-play\"]\n[Round \"" + std::to_string(round) +
                       "\"]\n[Result \"" + result + "\"]\n\n";
    std::string line;
    int turn = 0;
    for (int k = 1; k <= game.HistoryPos;) {
        std::vector<TMove> steps{game.HistoryEntry(k)};
        const std::int16_t mover = PieceOwner(steps.front().Coin);
        while (++k <= game.HistoryPos && PieceOwner(game.HistoryEntry(k).Coin) == mover)
            steps.push_back(game.HistoryEntry(k));
        std::string word = TurnText(steps);
        if (turn % 2 == 0)
            word = std::to_string(turn / 2 + 1) + ". " + word;
        ++turn;
        if (!line.empty() && line.size() + 1 + word.size() > 79) {
            text += line + "\n";
            line.clear();
        }
        if (!line.empty())
            line += ' ';
        line += word;
    }
    if (!line.empty())
        line += ' ';
    line += result;
    return text + line + "\n\n";
}

} // namespace

int RunEval(const Args& args)
{
    Parsed parsed;
    if (!Parse(args, {}, true, parsed))
        return Usage("eval [FILE]");
    GameState game;
    if (!LoadGameOrStart(game, parsed.Path))
        return 1;
    std::printf("%d\n", EvaluatePosition(game, game.SideToMove));
    return 0;
}

int RunThink(const Args& args)
{
    constexpr const char* usage = "think [FILE] [--seed N]";
    Parsed parsed;
    if (!Parse(args, {"--seed"}, true, parsed))
        return Usage(usage);
    GameState game;
    ComputerPlayer player(game);
    for (const auto& [name, value] : parsed.Options) {
        const auto seed = ParseInteger(value, 0, 4294967295LL);
        if (!seed)
            return Usage(usage);
        player.Seed(static_cast<std::uint32_t>(*seed));
    }
    if (!LoadGameOrStart(game, parsed.Path))
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

int RunSelfPlay(const Args& args)
{
    constexpr const char* usage = "selfplay --games N [--seed S] [--max-steps M] [--pdn FILE]";
    Parsed parsed;
    if (!Parse(args, {"--games", "--seed", "--max-steps", "--pdn"}, false, parsed))
        return Usage(usage);
    std::optional<long long> games;
    std::optional<long long> seed;
    long long maxSteps = 1000;
    std::string pdnPath;
    for (const auto& [name, value] : parsed.Options) {
        if (name == "--pdn") {
            pdnPath = value;
            continue;
        }
        const auto number = ParseInteger(value, name == "--seed" ? 0 : 1,
                                         name == "--seed"    ? 4294967295LL
                                         : name == "--games" ? 1000000
                                                             : GameState::MaxHistory);
        if (!number)
            return Usage(usage);
        if (name == "--games")
            games = number;
        else if (name == "--seed")
            seed = number;
        else
            maxSteps = *number;
    }
    if (!games)
        return Usage(usage);

    std::ofstream pdn;
    if (!pdnPath.empty()) {
        pdn.open(pdnPath, std::ios::binary | std::ios::trunc);
        if (!pdn)
            return CannotWrite(pdnPath);
    }

    GameState game;
    ComputerPlayer player(game);
    if (seed)
        player.Seed(static_cast<std::uint32_t>(*seed));
    std::vector<double> stepTimes;
    const auto start = std::chrono::steady_clock::now();
    for (long long round = 1; round <= *games; ++round) {
        game.New();
        std::int16_t winner = NoSide;
        while (game.HistoryPos < maxSteps) {
            if (game.IsGameOver()) {
                winner = Opponent(game.SideToMove);
                break;
            }
            const auto before = std::chrono::steady_clock::now();
            const TChoice choice = player.ChooseComputerMove(game.SideToMove);
            stepTimes.push_back(Milliseconds(std::chrono::steady_clock::now() - before));
            game.SideToMove = game.MakeMove(&choice.Move, true);
        }
        if (winner == NoSide && game.IsGameOver())
            winner = Opponent(game.SideToMove);
        if (winner != NoSide)
            std::printf("game %lld: %s wins after %d steps\n", round, winner == Blue ? "Blue" : "Red",
                        game.HistoryPos);
        else
            std::printf("game %lld: step cap after %d steps\n", round, game.HistoryPos);
        std::fflush(stdout);
        if (pdn)
            pdn << GameRecord(game, static_cast<int>(round), winner);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

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
    if (!pdnPath.empty()) {
        pdn.close();
        if (!pdn)
            return CannotWrite(pdnPath);
    }
    return 0;
}

} // namespace kelmarin::cli
