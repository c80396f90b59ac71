// Matches between two levels of the computer, or programs speaking the engine protocol, for
// measuring their strength.
//
// Each opening, two random steps per side from the start drawn with the seed or one of the given
// openings in turn, is played twice with the colours swapped: A takes Red (who moves first) in the odd
// games and Blue in the even ones. A game ends when the side to move cannot move, or unfinished once
// it holds MaxSteps steps, each jump counting as one. With adjudication the match also calls a draw
// at the third time a position recurs with the same side to move, or after 80 plies (whole turns)
// with no capture and no man moved: the game itself has no draw rule. A player that fails (an engine
// that dies, answers too late or plays an illegal move) loses the game, and the reason is kept.
#pragma once

#include "Levels.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelmarin {

// A player the match does not think for: another program, spoken to through the engine protocol.
class MatchEngine {
public:
    virtual ~MatchEngine() = default;
    // The whole turn of the side to move, its steps in order, for a game played from the start; empty,
    // with the reason in *reason ("answered nothing within 1100 ms"), when the engine failed.
    virtual std::vector<TMove> PlayTurn(const GameState& game, int budgetMs, std::string* reason) = 0;
};

// Starts one engine for one game, or answers null with the reason.
using MatchEngineFactory = std::function<std::unique_ptr<MatchEngine>(std::string* reason)>;

inline constexpr int NoProgressPlies = 80;

struct MatchOptions {
    Level A = Level::Strong;
    Level B = Level::Classic;
    int Games = 2;
    std::uint32_t Seed = 1;
    int StrongMs = 1000; // Strong's budget per step; the other levels think in proportion
    // Budgets count the thinking thread's processor time, so that other work on the machine does not
    // weaken one side; off, they count wall time as the window does.
    bool ProcessorTime = true;
    int MaxSteps = 400;
    // Games played at once, each on a thread of its own; the games are heard of in their order all the same.
    int Concurrency = 1;

    Rules GameRules = Rules::Kelmarin; // the rules every game is played under
    // Played in turn, each twice, in place of random openings; the names go into the game lines.
    std::vector<std::vector<TMove>> Openings;
    std::vector<std::string> OpeningNames;
    bool Adjudicate = false;
    // A side with a factory is that engine; its level only names it when no name is given.
    MatchEngineFactory EngineA;
    MatchEngineFactory EngineB;
    std::string NameA;
    std::string NameB;
    // Endgame tables of GameRules for both strong searches, or none.
    const EndgameTables* Tables = nullptr;
};

enum class GameEnding { NoMove, Unfinished, Repetition, NoProgress, Failure };

struct MatchGame {
    int Number = 0;  // from 1
    int Opening = 0; // from 0
    GameEnding Ending = GameEnding::NoMove;
    std::string Reason; // what the losing player did, when it failed
    std::int16_t SideOfA = Red;
    std::int16_t Winner = NoSide; // the side that won, NoSide when unfinished
    int Steps = 0;
    TBoard FinalBoard;
    bool AWon() const { return Winner != NoSide && Winner == SideOfA; }
    bool BWon() const { return Winner != NoSide && Winner != SideOfA; }
};

struct MatchTotals {
    int AWins = 0;
    int BWins = 0;
    int Unfinished = 0;
    int Draws = 0; // by adjudication
};

// The rating difference of A over B that a score of wins, draws and losses points to, with the half
// width of its 95% confidence interval; infinite when A scored everything or nothing.
struct EloEstimate {
    double Difference = 0;
    double Margin = 0;
};
EloEstimate EstimateElo(int wins, int draws, int losses);

// Plays the match; onGame, when given, hears of every game as it ends.
MatchTotals PlayMatch(const MatchOptions& options, const std::function<void(const MatchGame&)>& onGame = {});

// "game 3: strong (Red) wins after 97 steps", "game 4: unfinished after 400 steps".
std::string DescribeGame(const MatchOptions& options, const MatchGame& game);
// "strong wins 19, classic wins 0, unfinished 1".
std::string DescribeTotals(const MatchOptions& options, const MatchTotals& totals);

// With adjudication, openings or engines: "game 3, ballot 2 (9-13 21-17 6-9): draw by repetition after
// 88 steps", "game 4: strong (Blue) wins after 61 steps: engine-a answered nothing within 1100 ms".
std::string DescribeMatchGame(const MatchOptions& options, const MatchGame& game);
// "score strong 12.5, engine-b 7.5 of 20 games (62.5%)" and, on a second line,
// "W-D-L 8-9-3, Elo difference +88 +/- 95 (95%)"; unfinished games count as draws.
std::string DescribeMatchScore(const MatchOptions& options, const MatchTotals& totals);

} // namespace kelmarin
