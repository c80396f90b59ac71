// kelmarin-cli endgames build|verify|probe|convert DIR: the endgame tables of DIR, built there (resuming
// what a stopped build wrote), checked value by value against the successors, asked for one position, or
// used by the strong search to play random won endings out against their best defence.
#include "CliCommon.h"
#include "Commands.h"
#include "EndgameBuilder.h"
#include "EndgameConvert.h"
#include "EndgameVerify.h"
#include "Fen.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <unistd.h>

namespace kelmarin::cli {

namespace {

using Clock = std::chrono::steady_clock;

const char* RulesWord(Rules rules)
{
    return rules == Rules::English ? "english" : "kelmarin";
}

// The rule sets --rules names; both unless told.
std::vector<Rules> ChosenRuleSets(const CommandLine& line, bool bothAllowed)
{
    const std::optional<std::string> name = line.Value("--rules");
    if (bothAllowed && (!name || *name == "both"))
        return {Rules::Kelmarin, Rules::English};
    return {ChosenRules(line)};
}

int Threads()
{
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 64u));
}

std::string Clocked(double seconds)
{
    const long long s = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::string MaterialText(TMaterial m)
{
    char text[64];
    std::snprintf(text, sizeof text, "red %d men %d kings, blue %d men %d kings", m.RedMen, m.RedKings,
                  m.BlueMen, m.BlueKings);
    return text;
}

int Build(const std::string& dir, const CommandLine& line)
{
    const int pieces = static_cast<int>(line.Number("--pieces", 2, 5).value_or(5));
    const std::vector<Rules> ruleSets = ChosenRuleSets(line, true);
    // What this run has to solve, over every rule set, for the time left.
    std::uint64_t total = 0;
    for (const Rules rules : ruleSets)
        for (int n = 2; n <= pieces; ++n)
            for (const TMaterial& material : MaterialsOf(n))
                if (!std::filesystem::exists(std::filesystem::path(dir) / EndgameFileName(rules, material)))
                    total += EndgameIndex(material).Size();
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    const Clock::time_point start = Clock::now();
    Clock::time_point lastLine = start;
    Clock::time_point sliceStart = start;
    std::uint64_t before = 0; // solved by the rule sets already built
    std::uint64_t bytes = 0;
    for (const Rules rules : ruleSets) {
        std::uint64_t done = 0;
        const auto report = [&](const TBuildProgress& progress) {
            done = progress.Done;
            const Clock::time_point now = Clock::now();
            const double elapsed = std::chrono::duration<double>(now - start).count();
            const std::uint64_t all = before + progress.Done;
            const std::string left =
                all == 0 ? "unknown"
                         : Clocked(elapsed * static_cast<double>(total - std::min(total, all)) / all);
            if (progress.Finished) {
                const double took = std::chrono::duration<double>(now - sliceStart).count();
                sliceStart = now;
                bytes += EndgameHeaderSize + progress.SliceSize;
                std::printf("%s slice %d/%d %s: %llu positions, %llu bytes, %s, %s left\n",
                            EndgameFileName(rules, progress.Material).c_str(), progress.Slice,
                            progress.Slices, progress.Resumed ? "was there" : "solved",
                            static_cast<unsigned long long>(progress.SliceSize),
                            static_cast<unsigned long long>(EndgameHeaderSize + progress.SliceSize),
                            Clocked(took).c_str(), left.c_str());
                std::fflush(stdout);
                if (terminal)
                    std::fprintf(stderr, "\r\033[K");
                return true;
            }
            if (!terminal && now - lastLine < std::chrono::seconds(10))
                return true;
            lastLine = now;
            std::fprintf(stderr, "%s%s slice %d/%d (%s): %llu of %llu positions, %s elapsed, %s left%s",
                         terminal ? "\r\033[K" : "", RulesWord(rules), progress.Slice, progress.Slices,
                         MaterialText(progress.Material).c_str(),
                         static_cast<unsigned long long>(progress.SliceDone),
                         static_cast<unsigned long long>(progress.SliceSize), Clocked(elapsed).c_str(),
                         left.c_str(), terminal ? "" : "\n");
            return true;
        };
        std::string error;
        if (!BuildEndgames(dir, rules, pieces, Threads(), report, error))
            return Refuse(dir, error);
        before += done;
    }
    std::printf("built in %s: %llu bytes in all\n",
                Clocked(std::chrono::duration<double>(Clock::now() - start).count()).c_str(),
                static_cast<unsigned long long>(bytes));
    return 0;
}

int Verify(const std::string& dir, const CommandLine& line)
{
    bool sound = true;
    for (const Rules rules : ChosenRuleSets(line, true)) {
        std::string error;
        const std::unique_ptr<EndgameTables> tables = EndgameTables::Open(dir, rules, error);
        if (!tables)
            return Refuse(dir, error);
        TSliceCheck all;
        for (const TMaterial& material : tables->Materials()) {
            const TSliceCheck check = VerifySlice(*tables, material, Threads());
            std::printf(
                "%s: %llu positions, %llu wins, %llu losses, %llu draws",
                EndgameFileName(rules, material).c_str(), static_cast<unsigned long long>(check.Positions),
                static_cast<unsigned long long>(check.Wins), static_cast<unsigned long long>(check.Losses),
                static_cast<unsigned long long>(check.Draws));
            if (check.Wrong != 0)
                std::printf(", %llu WRONG (first at index %llu)",
                            static_cast<unsigned long long>(check.Wrong),
                            static_cast<unsigned long long>(check.FirstWrong));
            std::printf("\n");
            std::fflush(stdout);
            all.Positions += check.Positions;
            all.Wins += check.Wins;
            all.Losses += check.Losses;
            all.Draws += check.Draws;
            all.Wrong += check.Wrong;
        }
        std::printf(
            "%s rules, up to %d pieces: %llu positions, %llu wins, %llu losses, %llu draws, %llu wrong\n",
            RulesWord(rules), tables->MaxPieces(), static_cast<unsigned long long>(all.Positions),
            static_cast<unsigned long long>(all.Wins), static_cast<unsigned long long>(all.Losses),
            static_cast<unsigned long long>(all.Draws), static_cast<unsigned long long>(all.Wrong));
        sound = sound && all.Wrong == 0;
    }
    return sound ? 0 : 1;
}

int Probe(const std::string& dir, const CommandLine& line)
{
    const Rules rules = ChosenRules(line);
    Position position;
    if (const std::optional<std::string> fen = line.Value("--fen")) {
        if (line.Plain(2))
            throw WrongCall();
        std::string reason;
        const std::optional<TFenPosition> read = ReadFen(*fen, &reason);
        if (!read)
            return Refuse(*fen, reason);
        position = Position::FromBoard(read->Board, read->SideToMove, NoSquare, rules);
    } else {
        GameState game;
        if (!LoadGameOrStart(game, line.Plain(2), rules))
            return 1;
        position = game.PositionFor(game.SideToMove);
    }
    std::string error;
    const std::unique_ptr<EndgameTables> tables = EndgameTables::Open(dir, rules, error);
    if (!tables)
        return Refuse(dir, error);
    const char* side = position.SideToMove() == Red ? "red" : "blue";
    const std::optional<TableValue> value = tables->Probe(position);
    if (!value)
        std::printf("not in the tables%s\n",
                    position.Jumping() != NoSquare ? " (a jump is in progress)" : "");
    else if (value->Result == TableValue::Outcome::Draw)
        std::printf("draw (%s to move)\n", side);
    else
        std::printf("%s to move %s in %d plies\n", side,
                    value->Result == TableValue::Outcome::Win ? "wins" : "loses", value->Plies);
    return 0;
}

// Turns past the tables' distance after which a won ending counts as not won.
constexpr int ConvertMargin = 100;

int Convert(const std::string& dir, const CommandLine& line)
{
    const int positions = static_cast<int>(line.Number("--positions", 1, 100000).value_or(200));
    const std::uint64_t seed = static_cast<std::uint64_t>(line.Number("--seed", 0, 1LL << 62).value_or(1));
    strong::SearchLimits limits;
    limits.TimeMs = static_cast<int>(line.Number("--time-ms", 1, 3600000).value_or(100));
    bool allWon = true;
    for (const Rules rules : ChosenRuleSets(line, true)) {
        std::string error;
        const std::unique_ptr<EndgameTables> tables = EndgameTables::Open(dir, rules, error);
        if (!tables)
            return Refuse(dir, error);
        strong::StrongSearch search;
        search.SetTables(tables.get());
        int won = 0;
        int worst = 0;
        long long excess = 0;
        const std::vector<Position> starts =
            DrawWonPositions(*tables, positions, 3, std::min(tables->MaxPieces(), 5), seed);
        for (const Position& start : starts) {
            const TConversion played = PlayOut(*tables, search, start, limits, ConvertMargin);
            if (!played.Won)
                continue;
            ++won;
            worst = std::max(worst, played.Plies - played.TablePlies);
            excess += played.Plies - played.TablePlies;
        }
        const int total = static_cast<int>(starts.size());
        std::printf(
            "%s rules: %d positions, %d won, %d not won, worst excess %d plies, mean excess %.2f plies\n",
            RulesWord(rules), total, won, total - won, worst,
            won > 0 ? static_cast<double>(excess) / won : 0.0);
        std::fflush(stdout);
        allWon = allWon && won == total;
    }
    return allWon ? 0 : 1;
}

} // namespace

int RunEndgames(const CommandLine& line)
{
    const std::string action = *line.Plain(0);
    const std::string dir = *line.Plain(1);
    if (action == "build" && !line.Plain(2) && !line.Has("--fen"))
        return Build(dir, line);
    if (action == "verify" && !line.Plain(2) && !line.Has("--fen") && !line.Has("--pieces"))
        return Verify(dir, line);
    if (action == "probe" && !line.Has("--pieces") && line.Value("--rules") != "both")
        return Probe(dir, line);
    if (action == "convert" && !line.Plain(2) && !line.Has("--fen") && !line.Has("--pieces"))
        return Convert(dir, line);
    throw WrongCall();
}

} // namespace kelmarin::cli
