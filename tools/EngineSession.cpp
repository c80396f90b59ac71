#include "EngineSession.h"

#include "CliCommon.h"
#include "ComputerPlayer.h"
#include "Fen.h"
#include "PdnMove.h"
#include "PdnWriter.h"

#include <algorithm>
#include <chrono>
#include <istream>
#include <vector>

namespace kelmarin::cli {

namespace {

constexpr int MaxMoveTimeMs = 3600000;
// A search given only a depth still needs a time budget; this one never ends it.
constexpr int UnlimitedMs = 1 << 30;

std::vector<std::string_view> SplitWords(std::string_view line)
{
    std::vector<std::string_view> words;
    std::size_t k = 0;
    while (k < line.size()) {
        while (k < line.size() && (line[k] == ' ' || line[k] == '\t'))
            ++k;
        const std::size_t start = k;
        while (k < line.size() && line[k] != ' ' && line[k] != '\t')
            ++k;
        if (k > start)
            words.push_back(line.substr(start, k - start));
    }
    return words;
}

// A word of the input as an answer may quote it: printable and short, whatever was sent.
std::string Quoted(std::string_view word)
{
    constexpr std::size_t Longest = 40;
    std::string shown(word.substr(0, Longest));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';
    return word.size() > Longest ? shown + "..." : shown;
}

std::optional<Rules> ParseRules(std::string_view name)
{
    if (name == "kelmarin")
        return Rules::Kelmarin;
    if (name == "english")
        return Rules::English;
    return std::nullopt;
}

std::string_view RulesKey(Rules rules)
{
    return rules == Rules::English ? "english" : "kelmarin";
}

// The steps as whole turns in standard notation, from the game's position; a turn the steps leave
// unfinished is left out.
std::vector<std::string> TurnTexts(GameState game, const std::vector<TMove>& steps)
{
    std::vector<std::string> turns;
    std::vector<TMove> turn;
    for (const TMove& step : steps) {
        turn.push_back(step);
        const std::int16_t mover = game.SideToMove;
        game.MakeMove(&step, true);
        if (game.SideToMove != mover) {
            turns.push_back(PdnMoveText(turn));
            turn.clear();
        }
    }
    return turns;
}

bool IsLegalStep(const GameState& game, const TMove& step)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    return std::find(list.begin(), list.end(), step) != list.end();
}

// Whatever a search answers, the protocol answers only legal moves.
TMove LegalOrFirst(const GameState& game, const TMove& step)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    return std::find(list.begin(), list.end(), step) != list.end() ? step : list[0];
}

std::int64_t NodesPerSecond(std::uint64_t nodes, std::int64_t ms)
{
    return static_cast<std::int64_t>(nodes * 1000 /
                                     static_cast<std::uint64_t>(std::max<std::int64_t>(ms, 1)));
}

std::string InfoLine(int depth, int score, std::uint64_t nodes, std::int64_t ms, std::uint64_t tableHits,
                     const std::vector<std::string>& pv)
{
    std::string line = "info depth " + std::to_string(depth) + " score " + std::to_string(score) + " nodes " +
                       std::to_string(nodes) + " nps " + std::to_string(NodesPerSecond(nodes, ms));
    if (tableHits > 0)
        line += " tables " + std::to_string(tableHits);
    if (!pv.empty()) {
        line += " pv";
        for (const std::string& turn : pv)
            line += " " + turn;
    }
    return line;
}

} // namespace

EngineSession::EngineSession(std::function<void(const std::string&)> write, int maxDepth)
    : Write_(std::move(write)), MaxDepth_(std::clamp(maxDepth, 1, strong::MaxPly - 1)),
      Search_(std::make_unique<strong::StrongSearch>())
{
    Game_.New();
}

EngineSession::~EngineSession()
{
    Quitting_ = true;
    StopThinking();
}

void EngineSession::Write(const std::string& line)
{
    const std::lock_guard<std::mutex> lock(WriteLock_);
    Write_(line);
}

void EngineSession::Error(const std::string& reason)
{
    Write("error " + reason);
}

void EngineSession::RefuseOverlongLine()
{
    Error("line longer than " + std::to_string(MaxLineLength) + " characters");
}

bool EngineSession::Thinking() const
{
    return Thinking_;
}

void EngineSession::StopThinking()
{
    Cancel_ = true;
    WaitIdle();
}

void EngineSession::WaitIdle()
{
    if (Worker_.joinable())
        Worker_.join();
}

bool EngineSession::Handle(std::string_view line)
{
    if (Quitting_)
        return false;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty())
        return true;
    const std::string_view command = words[0];
    const bool known = command == "rules" || command == "level" || command == "position" || command == "go" ||
                       command == "threads" || command == "newgame" || command == "stop" || command == "quit";
    if (!known) {
        Error("unknown command: " + Quoted(command));
        return true;
    }
    const std::size_t arguments = words.size() - 1;
    const bool bare = command == "newgame" || command == "stop" || command == "quit";
    if (bare && arguments != 0) {
        Error(std::string(command) + " takes nothing after it");
        return true;
    }
    if (command == "quit") {
        Quitting_ = true;
        StopThinking();
        return false;
    }
    if (command == "stop") {
        Cancel_ = true; // nothing to do when not thinking
        return true;
    }
    if (Thinking_) {
        Error("thinking: send stop first");
        return true;
    }
    WaitIdle(); // the last answer is written; the worker is done with the tables
    if (command == "rules")
        SetRules(arguments == 1 ? words[1] : std::string_view());
    else if (command == "level")
        SetLevel(arguments == 1 ? words[1] : std::string_view());
    else if (command == "position")
        SetPosition(words);
    else if (command == "go")
        Go(words);
    else if (command == "threads")
        SetThreads(arguments == 1 ? words[1] : std::string_view());
    else {
        Search_ = std::make_unique<strong::StrongSearch>();
        Game_.New();
    }
    return true;
}

void EngineSession::SetRules(std::string_view name)
{
    const std::optional<Rules> rules = ParseRules(name);
    if (!rules) {
        Error("rules takes kelmarin or english");
        return;
    }
    Rules_ = *rules;
    Game_.GameRules = Rules_;
    Game_.New();
}

void EngineSession::SetLevel(std::string_view name)
{
    const std::optional<Level> level = name.empty() ? std::nullopt : ParseLevel(name);
    if (!level) {
        Error("level takes classic, strong or expert");
        return;
    }
    Level_ = *level;
}

void EngineSession::SetThreads(std::string_view count)
{
    const std::optional<long long> value = ParseInteger(std::string(count), 1, MaxThreads);
    if (!value) {
        Error("threads takes 1.." + std::to_string(MaxThreads));
        return;
    }
    Threads_ = static_cast<int>(*value);
}

void EngineSession::SetPosition(const std::vector<std::string_view>& words)
{
    const auto moves = std::find(words.begin(), words.end(), std::string_view("moves"));
    std::string setup;
    for (auto word = words.begin() + 1; word != moves; ++word) {
        if (!setup.empty())
            setup += ' ';
        setup.append(*word);
    }
    if (setup.empty()) {
        Error("position takes startpos or a FEN, then maybe moves");
        return;
    }
    GameState game;
    game.GameRules = Rules_;
    game.New();
    if (setup != "startpos") {
        std::string reason;
        const std::optional<TFenPosition> fen = ReadFen(setup, &reason);
        if (!fen) {
            Error("the FEN cannot be read: " + reason);
            return;
        }
        game.Board = fen->Board;
        game.SideToMove = fen->SideToMove;
        game.RecountCoins();
    }
    int number = 0;
    for (auto word = moves == words.end() ? moves : moves + 1; word != words.end(); ++word) {
        const std::string move = "move " + std::to_string(++number) + " (" + Quoted(*word) + ")";
        const std::vector<int> squares = MoveSquares(*word);
        if (squares.size() < 2) {
            Error(move + " is not written as squares 1..32");
            return;
        }
        if (game.IsGameOver()) {
            Error(move + " comes after the game is over");
            return;
        }
        const TTurnMatch turn = MatchTurn(game, game.SideToMove, squares);
        switch (turn.Result) {
        case TTurnMatch::Outcome::Found:
            for (const TMove& step : turn.Steps)
                game.MakeMove(&step, true);
            continue;
        case TTurnMatch::Outcome::Ambiguous:
            Error(move + " fits " + std::to_string(turn.Fits) + " turns: write every landing square");
            return;
        case TTurnMatch::Outcome::TooComplex:
        case TTurnMatch::Outcome::Illegal:
            break;
        }
        Error(move + " is not legal here");
        return;
    }
    Game_ = game;
}

void EngineSession::Go(const std::vector<std::string_view>& words)
{
    strong::SearchLimits limits;
    limits.TimeMs = LevelBudgetMs(Level_ == Level::Classic ? Level::Strong : Level_);
    if (words.size() == 3 && (words[1] == "movetime" || words[1] == "depth")) {
        const bool depth = words[1] == "depth";
        const std::optional<long long> value =
            ParseInteger(std::string(words[2]), 1, depth ? strong::MaxPly - 1 : MaxMoveTimeMs);
        if (!value) {
            Error(depth ? "go depth takes 1.." + std::to_string(strong::MaxPly - 1)
                        : "go movetime takes 1.." + std::to_string(MaxMoveTimeMs) + " milliseconds");
            return;
        }
        if (depth) {
            limits.TimeMs = UnlimitedMs;
            limits.MaxDepth = static_cast<int>(*value);
        } else {
            limits.TimeMs = static_cast<int>(*value);
        }
    } else if (words.size() != 1) {
        Error("go takes movetime MS or depth D");
        return;
    }
    limits.MaxDepth = std::min(limits.MaxDepth, MaxDepth_);
    if (Game_.IsGameOver()) {
        Write("bestmove none");
        return;
    }
    Search_->SetThreads(Threads_.value_or(LevelThreads(Level_)));
    Search_->SetTables(nullptr);
    for (const EndgameTables* tables : Tables_)
        if (tables->GameRules() == Game_.GameRules)
            Search_->SetTables(tables);
    Cancel_ = false;
    Thinking_ = true;
    Worker_ = std::thread(&EngineSession::Think, this, Game_, Level_, limits);
}

void EngineSession::Answer(const std::string& line)
{
    Thinking_ = false;
    if (!Quitting_)
        Write(line);
}

// The search answers one jump at a time: the rest of a multi-jump comes from its principal variation,
// or, where that ends early, from a short search of its own.
void EngineSession::Think(GameState game, Level level, strong::SearchLimits limits)
{
    if (level == Level::Classic) {
        ThinkClassic(game);
        return;
    }
    const GameState root = game;
    std::vector<TMove> pv;
    limits.Cancel = &Cancel_;
    limits.OnIteration = [&](const strong::IterationInfo& info) {
        pv = info.Pv;
        if (!Quitting_)
            Write(InfoLine(info.Depth, info.Score, info.Nodes, info.ElapsedMs, info.TableHits,
                           TurnTexts(root, info.Pv)));
    };
    const std::int16_t mover = game.SideToMove;
    std::vector<TMove> turn{LegalOrFirst(game, Search_->Search(game, limits).Step)};
    game.MakeMove(&turn.back(), true);
    strong::SearchLimits rest = limits;
    rest.OnIteration = nullptr;
    rest.TimeMs = std::max(1, std::min(limits.TimeMs, 100));
    while (game.SideToMove == mover && !game.IsGameOver()) {
        const std::size_t next = turn.size();
        TMove step = next < pv.size() && pv[next - 1] == turn.back() ? pv[next] : TMove{};
        if (!IsLegalStep(game, step))
            step = LegalOrFirst(game, Search_->Search(game, rest).Step);
        turn.push_back(step);
        game.MakeMove(&step, true);
    }
    Answer("bestmove " + PdnMoveText(turn));
}

// The classic computer chooses step by step, each jump of a multi-jump on its own, as in the window.
void EngineSession::ThinkClassic(GameState& game)
{
    const auto start = std::chrono::steady_clock::now();
    ComputerPlayer player(game);
    const std::int16_t mover = game.SideToMove;
    const int depth = game.SearchDepth[mover];
    std::vector<TMove> turn;
    int score = 0;
    while (game.SideToMove == mover && !game.IsGameOver()) {
        const TChoice choice = player.ChooseComputerMove(mover);
        if (turn.empty())
            score = mover == Blue ? choice.Score : -choice.Score;
        turn.push_back(choice.Move);
        game.MakeMove(&turn.back(), true);
    }
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start)
            .count();
    const std::string move = PdnMoveText(turn);
    if (!Quitting_)
        Write(InfoLine(depth, score, player.NodeCount(), ms, 0, {move}));
    Answer("bestmove " + move);
}

std::string EngineSession::StateText() const
{
    std::string text = "rules " + std::string(RulesKey(Rules_)) + " level " + std::string(LevelKey(Level_)) +
                       " threads " + (Threads_ ? std::to_string(*Threads_) : std::string("level")) + " fen " +
                       PositionFen(Game_.Board, Game_.SideToMove) + " steps";
    for (int k = 1; k <= Game_.HistoryPos; ++k) {
        text += ' ';
        text += PdnMoveText(std::span<const TMove>(&Game_.HistoryEntry(k), 1));
    }
    return text;
}

void RunEngineSession(std::istream& in, EngineSession& session)
{
    std::streambuf* input = in.rdbuf();
    std::string line;
    bool overlong = false;
    for (int c = input->sbumpc();; c = input->sbumpc()) {
        const bool end = c == std::char_traits<char>::eof();
        if (end || c == '\n') {
            if (overlong)
                session.RefuseOverlongLine();
            else if ((!end || !line.empty()) && !session.Handle(line))
                return;
            if (end)
                break;
            line.clear();
            overlong = false;
        } else if (line.size() < EngineSession::MaxLineLength) {
            line.push_back(static_cast<char>(c));
        } else {
            overlong = true;
        }
    }
    session.Handle("quit");
}

} // namespace kelmarin::cli
