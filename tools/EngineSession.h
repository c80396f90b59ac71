// The engine protocol of kelmarin-cli engine: one command a line in, one answer a line out.
//
//   rules kelmarin|english          the rules, and the starting position under them
//   level classic|strong|expert     who thinks
//   position startpos|FEN [moves M1 M2 ...]   whole turns in standard notation ("11-15", "15x24x31")
//   threads N                       search threads from now on (unless set, the level's:
//                                   one for strong, all processors but one for expert)
//   go [movetime MS | depth D]      think; "info depth D score S nodes N nps X pv ..." after each
//                                   iteration ("... nodes N nps X tables T pv ..." once endgame
//                                   tables have answered T positions), then "bestmove M" or
//                                   "bestmove none"
//   stop                            end the thinking now (its best move so far is answered)
//   newgame                         forget what was learnt (the tables) and set up the start
//   quit                            end the session at once
//
// A line that is malformed, illegal, or comes while the engine thinks (other than stop and quit) is
// answered by exactly one "error ..." line and changes nothing. Blank lines are passed over. The
// thinking runs on a worker thread of its own, on a copy of the game, so stop and quit are heard at
// once; the answer is written before the session takes its next command as a new one. Scores are
// from the side to move's point of view.
#pragma once

#include "GameState.h"
#include "Levels.h"
#include "StrongSearch.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace kelmarin::cli {

class EngineSession {
public:
    // Longer input lines are refused; a whole game of turns fits with room to spare.
    static constexpr std::size_t MaxLineLength = 65536;
    static constexpr int MaxThreads = 64;

    // write gets one line at a time, without its line end, from either thread but never two at once.
    // maxDepth caps every strong search (a fuzzer keeps its searches short with it).
    explicit EngineSession(std::function<void(const std::string&)> write, int maxDepth = strong::MaxPly - 1);
    ~EngineSession();
    EngineSession(const EngineSession&) = delete;
    EngineSession& operator=(const EngineSession&) = delete;

    // One line without its line end. Returns false once the session has ended (quit).
    bool Handle(std::string_view line);
    // The answer to an input line longer than MaxLineLength, which is not read.
    void RefuseOverlongLine();
    // Waits until the thinking in progress, if any, has answered.
    void WaitIdle();
    bool Thinking() const;
    // Endgame tables for the strong searches from now on, each used on games of its rules; the caller
    // keeps them alive while the session lasts. Set before the first command.
    void SetTables(std::vector<const EndgameTables*> tables) { Tables_ = std::move(tables); }

    // What the commands set, as one text: rules, level, the position in FEN and its turns so far.
    std::string StateText() const;

private:
    void Error(const std::string& reason);
    void Write(const std::string& line);
    void SetRules(std::string_view name);
    void SetLevel(std::string_view name);
    void SetThreads(std::string_view count);
    void SetPosition(const std::vector<std::string_view>& words);
    void Go(const std::vector<std::string_view>& words);
    void Think(GameState game, Level level, strong::SearchLimits limits);
    void ThinkClassic(GameState& game);
    void Answer(const std::string& line);
    void StopThinking();

    std::function<void(const std::string&)> Write_;
    std::mutex WriteLock_;
    int MaxDepth_;

    GameState Game_;
    Rules Rules_ = Rules::Kelmarin;
    Level Level_ = Level::Strong;
    std::optional<int> Threads_; // the level's count when not set
    std::unique_ptr<strong::StrongSearch> Search_;
    std::vector<const EndgameTables*> Tables_;

    std::thread Worker_;
    std::atomic<bool> Cancel_ = false;
    std::atomic<bool> Thinking_ = false;
    std::atomic<bool> Quitting_ = false;
};

// Reads the session's commands from `in` until quit or the end of the input, which acts as quit
// (a last line without its line end is still read). Overlong lines are refused whole.
void RunEngineSession(std::istream& in, EngineSession& session);

} // namespace kelmarin::cli
