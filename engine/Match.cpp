#include "Match.h"

#include "ComputerPlayer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <thread>
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
    MatchPlayer(Level level, int budgetMs, bool processorTime, GameState& game, std::uint32_t seed,
                const MatchEngineFactory& engine, const EndgameTables* tables)
        : Level_(level), BudgetMs_(budgetMs), ProcessorTime_(processorTime), Classic_(game)
    {
        Classic_.Seed(seed);
        if (engine) {
            External_ = engine(&Failure_);
            if (!External_ && Failure_.empty())
                Failure_ = "could not be started";
            Outside_ = true;
        } else if (level != Level::Classic) {
            Strong_ = std::make_unique<strong::StrongSearch>();
            Strong_->SetTables(tables);
        }
    }

    // The next steps: the whole turn from an engine, one step from the computer; empty when the
    // engine failed, with the reason in *reason.
    std::vector<TMove> Play(GameState& game, std::string* reason)
    {
        if (!Outside_)
            return {Choose(game)};
        if (!External_) {
            *reason = Failure_;
            return {};
        }
        return External_->PlayTurn(game, BudgetMs_, reason);
    }

    bool PlaysWholeTurns() const { return Outside_; }

private:
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

    Level Level_;
    int BudgetMs_;
    bool ProcessorTime_;
    ComputerPlayer Classic_;
    std::unique_ptr<strong::StrongSearch> Strong_;
    bool Outside_ = false;
    std::unique_ptr<MatchEngine> External_;
    std::string Failure_;
};

bool IsLegal(const GameState& game, const TMove& step)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    return std::find(list.begin(), list.end(), step) != list.end();
}

// The match's own draw rules, applied after every whole turn.
class DrawWatch {
public:
    GameEnding AfterTurn(const GameState& game, const std::vector<TMove>& turn)
    {
        const bool progress =
            !IsKing(turn.front().Coin) ||
            std::any_of(turn.begin(), turn.end(), [](const TMove& step) { return step.CapturedCoin != 0; });
        if (progress)
            Seen_.clear();
        Plies_ = progress ? 0 : Plies_ + 1;
        Seen_.push_back({game.Board, game.SideToMove});
        if (std::count(Seen_.begin(), Seen_.end(), Seen_.back()) >= 3)
            return GameEnding::Repetition;
        return Plies_ >= NoProgressPlies ? GameEnding::NoProgress : GameEnding::NoMove;
    }

private:
    // Only positions since the last capture or man step can recur.
    std::vector<std::pair<TBoard, std::int16_t>> Seen_;
    int Plies_ = 0;
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

std::string PlayerName(const MatchOptions& options, bool a)
{
    const std::string& name = a ? options.NameA : options.NameB;
    return name.empty() ? std::string(LevelKey(a ? options.A : options.B)) : name;
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
    MatchPlayer a(options.A, ScaledBudgetMs(options.A, options.StrongMs), options.ProcessorTime, game, seed,
                  options.EngineA, options.Tables);
    MatchPlayer b(options.B, ScaledBudgetMs(options.B, options.StrongMs), options.ProcessorTime, game,
                  seed + 1, options.EngineB, options.Tables);
    DrawWatch draws;
    std::vector<TMove> turn;
    while (game.HistoryPos < options.MaxSteps && result.Ending == GameEnding::NoMove) {
        if (game.IsGameOver()) {
            result.Winner = Opponent(game.SideToMove);
            break;
        }
        const std::int16_t mover = game.SideToMove;
        const bool aMoves = mover == result.SideOfA;
        std::string reason;
        MatchPlayer& player = aMoves ? a : b;
        const std::vector<TMove> steps = player.Play(game, &reason);
        for (std::size_t k = 0; k < steps.size() && reason.empty(); ++k) {
            if (game.SideToMove != mover || !IsLegal(game, steps[k]))
                reason = "played an illegal step";
            else
                game.MakeMove(&steps[k], true);
        }
        if (reason.empty() && steps.empty())
            reason = "gave no step";
        if (reason.empty() && player.PlaysWholeTurns() && game.SideToMove == mover && !game.IsGameOver())
            reason = "left its turn unfinished";
        if (!reason.empty()) {
            result.Ending = GameEnding::Failure;
            result.Winner = Opponent(mover);
            result.Reason = PlayerName(options, aMoves) + " " + reason;
            break;
        }
        turn.insert(turn.end(), steps.begin(), steps.end());
        if (game.SideToMove == mover)
            continue; // a multi-jump goes on
        if (options.Adjudicate)
            result.Ending = draws.AfterTurn(game, turn);
        turn.clear();
    }
    if (result.Ending == GameEnding::NoMove && result.Winner == NoSide && game.IsGameOver())
        result.Winner = Opponent(game.SideToMove);
    if (result.Ending == GameEnding::NoMove && result.Winner == NoSide)
        result.Ending = GameEnding::Unfinished;
    result.Steps = game.HistoryPos;
    result.FinalBoard = game.Board;
    return result;
}

} // namespace

MatchTotals PlayMatch(const MatchOptions& options, const std::function<void(const MatchGame&)>& onGame)
{
    // The openings are drawn first, in the order of the games, so that they do not depend on which game
    // ends first.
    std::mt19937 random(options.Seed);
    std::vector<std::vector<TMove>> openings;
    std::vector<int> indices;
    for (int number = 1; number <= options.Games; ++number) {
        const int index =
            options.Openings.empty() ? 0 : (number - 1) / 2 % static_cast<int>(options.Openings.size());
        if (number % 2 == 1)
            openings.push_back(options.Openings.empty() ? DrawOpening(random, options.GameRules)
                                                        : options.Openings[static_cast<std::size_t>(index)]);
        indices.push_back(index);
    }

    MatchTotals totals;
    std::mutex lock;
    std::vector<std::optional<MatchGame>> ended(static_cast<std::size_t>(options.Games));
    std::size_t heard = 0; // games told to onGame, in order
    std::atomic<int> next{1};
    const auto work = [&] {
        for (int number = next++; number <= options.Games; number = next++) {
            const auto k = static_cast<std::size_t>(number - 1);
            MatchGame game = PlayGame(options, openings[k / 2], number);
            game.Opening = indices[k];
            const std::lock_guard<std::mutex> guard(lock);
            ended[k] = std::move(game);
            for (; heard < ended.size() && ended[heard]; ++heard) {
                const MatchGame& done = *ended[heard];
                totals.AWins += done.AWon();
                totals.BWins += done.BWon();
                totals.Unfinished += done.Ending == GameEnding::Unfinished;
                totals.Draws +=
                    done.Ending == GameEnding::Repetition || done.Ending == GameEnding::NoProgress;
                if (onGame)
                    onGame(done);
            }
        }
    };
    std::vector<std::thread> threads;
    for (int k = 1; k < std::min(options.Concurrency, options.Games); ++k)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
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

namespace kelmarin {

EloEstimate EstimateElo(int wins, int draws, int losses)
{
    const double games = wins + draws + losses;
    if (games == 0)
        return {0, std::numeric_limits<double>::infinity()};
    const auto elo = [](double p) {
        if (p <= 0)
            return -std::numeric_limits<double>::infinity();
        if (p >= 1)
            return std::numeric_limits<double>::infinity();
        return -400 * std::log10(1 / p - 1);
    };
    const double p = (wins + draws / 2.0) / games;
    // The spread of one game's score about the mean, then of the mean over all games.
    const double variance =
        (wins * (1 - p) * (1 - p) + draws * (0.5 - p) * (0.5 - p) + losses * p * p) / games;
    const double spread = 1.96 * std::sqrt(variance / games);
    return {elo(p), (elo(p + spread) - elo(p - spread)) / 2};
}

std::string DescribeMatchGame(const MatchOptions& options, const MatchGame& game)
{
    std::string line = "game " + std::to_string(game.Number);
    if (static_cast<std::size_t>(game.Opening) < options.OpeningNames.size())
        line += ", ballot " + std::to_string(game.Opening + 1) + " (" +
                options.OpeningNames[static_cast<std::size_t>(game.Opening)] + ")";
    line += ": ";
    const std::string steps = " after " + std::to_string(game.Steps) + " steps";
    switch (game.Ending) {
    case GameEnding::Unfinished:
        return line + "unfinished" + steps;
    case GameEnding::Repetition:
        return line + "draw by repetition" + steps;
    case GameEnding::NoProgress:
        return line + "draw, " + std::to_string(NoProgressPlies) +
               " plies without a capture or a man moved," + steps;
    case GameEnding::NoMove:
    case GameEnding::Failure:
        break;
    }
    line += PlayerName(options, game.AWon()) + (game.Winner == Red ? " (Red)" : " (Blue)") + " wins" + steps;
    return game.Ending == GameEnding::Failure ? line + ": " + game.Reason : line;
}

std::string DescribeMatchScore(const MatchOptions& options, const MatchTotals& totals)
{
    const int draws = totals.Draws + totals.Unfinished;
    const int games = totals.AWins + totals.BWins + draws;
    const auto points = [](int wins, int drawn) {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", wins + drawn / 2.0);
        return std::string(text);
    };
    char share[32];
    std::snprintf(share, sizeof share, "%.1f%%", games ? 100.0 * (totals.AWins + draws / 2.0) / games : 0.0);
    const EloEstimate elo = EstimateElo(totals.AWins, draws, totals.BWins);
    char rating[64];
    if (std::isfinite(elo.Difference) && std::isfinite(elo.Margin))
        std::snprintf(rating, sizeof rating, "%+.0f +/- %.0f", elo.Difference, elo.Margin);
    else if (std::isfinite(elo.Difference))
        std::snprintf(rating, sizeof rating, "%+.0f +/- inf", elo.Difference);
    else
        std::snprintf(rating, sizeof rating, "%s", elo.Difference > 0 ? "+inf" : "-inf");
    return "score " + PlayerName(options, true) + " " + points(totals.AWins, draws) + ", " +
           PlayerName(options, false) + " " + points(totals.BWins, draws) + " of " + std::to_string(games) +
           " games (" + share + ")\nW-D-L " + std::to_string(totals.AWins) + "-" + std::to_string(draws) +
           "-" + std::to_string(totals.BWins) + ", Elo difference " + rating + " (95%)";
}

} // namespace kelmarin
