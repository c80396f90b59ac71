// The engine protocol: a scripted session, every refused line, and the session through kelmarin-cli.
#include "CliFixture.h"
#include "EndgameBuilder.h"
#include "EndgameConvert.h"
#include "EngineSession.h"
#include "Fen.h"
#include "PdnMove.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

namespace kelmarin::cli {
namespace {

class Session {
public:
    explicit Session(int maxDepth = strong::MaxPly - 1)
        : Engine([this](const std::string& line) { Lines.push_back(line); }, maxDepth)
    {
    }
    // The lines answered to one command, once any thinking it started is over.
    std::vector<std::string> Send(const std::string& line)
    {
        const std::size_t before = Lines.size();
        Engine.Handle(line);
        Engine.WaitIdle();
        return {Lines.begin() + static_cast<std::ptrdiff_t>(before), Lines.end()};
    }
    std::vector<std::string> Lines;
    EngineSession Engine;
};

// The turn written in a bestmove line, played on the game when it is legal there.
bool PlayAnswer(GameState& game, const std::string& bestmove)
{
    const std::string move = bestmove.substr(std::string("bestmove ").size());
    const TTurnMatch turn = MatchTurn(game, game.SideToMove, MoveSquares(move));
    if (turn.Result != TTurnMatch::Outcome::Found || turn.Steps.size() != MoveSquares(move).size() - 1)
        return false;
    for (const TMove& step : turn.Steps)
        game.MakeMove(&step, true);
    return true;
}

// The depth of an info line, -1 when the line is not "info depth D score S nodes N nps X [pv M ...]".
int InfoDepth(const std::string& line)
{
    std::istringstream words(line);
    std::string info, depth, score, nodes, nps, pv;
    int d = 0, s = 0;
    long long n = 0, x = 0;
    if (!(words >> info >> depth >> d >> score >> s >> nodes >> n >> nps >> x) || info != "info" ||
        depth != "depth" || score != "score" || nodes != "nodes" || nps != "nps")
        return -1;
    if (words >> pv) {
        std::string move;
        if (pv != "pv" || !(words >> move))
            return -1;
        do {
            if (MoveSquares(move).size() < 2)
                return -1;
        } while (words >> move);
    }
    return d;
}

// Both levels, both rules, the strong search on helper threads too: every answer is a legal whole
// turn, reported after iterations in order.
TEST(ProtocolTest, ScriptedSession)
{
    for (const std::string rules : {"kelmarin", "english"})
        for (const std::string level : {"level strong", "level classic", "threads 3"}) {
            Session session;
            EXPECT_TRUE(session.Send("rules " + rules).empty());
            EXPECT_TRUE(session.Send(level).empty());
            GameState game;
            game.GameRules = rules == "english" ? Rules::English : Rules::Kelmarin;
            game.New();
            std::string moves;
            for (int turn = 0; turn < 16 && !game.IsGameOver(); ++turn) {
                EXPECT_TRUE(session.Send("position startpos moves" + moves).empty());
                const std::vector<std::string> answer = session.Send("go depth 4");
                ASSERT_FALSE(answer.empty());
                int depth = 0;
                for (std::size_t k = 0; k + 1 < answer.size(); ++k) {
                    const int d = InfoDepth(answer[k]);
                    EXPECT_GT(d, depth) << answer[k];
                    depth = d;
                }
                ASSERT_TRUE(PlayAnswer(game, answer.back()))
                    << rules << " " << level << ": " << answer.back();
                moves += ' ';
                moves += answer.back().substr(9);
            }
        }
    Session over;
    over.Send("position W:W:B5"); // Blue, to move, has nothing left
    EXPECT_EQ(over.Send("go"), std::vector<std::string>{"bestmove none"});
    over.Send("position B:W14,22:B10"); // Red takes two: the whole turn is answered
    EXPECT_EQ(over.Send("go depth 3").back(), "bestmove 10x17x26");
    // Crowned by a capture, a man goes on capturing here; under the English rules its turn ends.
    over.Send("position B:W26,27:B22");
    EXPECT_EQ(over.Send("go depth 3").back(), "bestmove 22x31x24");
    over.Send("rules english");
    EXPECT_TRUE(over.Send("position B:W26,27:B22 moves 22x31").empty());
}

// Every refused line: one error line, and nothing changed.
TEST(ProtocolTest, RefusedLines)
{
    const std::string refused[] = {
        "hello",
        "rules",
        "rules italian",
        "rules english kelmarin",
        "level",
        "level grandmaster",
        "position",
        "position moves 11-15",
        "position B:W33:B1",
        "position startpos moves 11-15 11-15",
        "position startpos moves 22-18",
        "position startpos moves 11",
        "position startpos moves 11-15-",
        "position startpos moves 111-15",
        "position W:W14:B10 moves 14-9",
        "position B:W26,27:B22 moves 22x31",
        "go fast",
        "go movetime",
        "go movetime 0",
        "go movetime 3600001",
        "go depth 96",
        "go depth -1",
        "go depth 4 movetime 10",
        "threads",
        "threads 0",
        "threads 65",
        "threads two",
        "threads 2 3",
        "threads -1",
        "newgame now",
        "stop now",
        "quit now",
        std::string(200, '\x01'),
    };
    Session session;
    session.Send("position startpos moves 9-13 22-18");
    const std::string state = session.Engine.StateText();
    for (const std::string& line : refused) {
        const std::vector<std::string> answer = session.Send(line);
        ASSERT_EQ(answer.size(), 1u) << line;
        EXPECT_EQ(answer[0].rfind("error ", 0), 0u) << line;
        EXPECT_LE(answer[0].size(), 120u) << line;
        EXPECT_EQ(session.Engine.StateText(), state) << line;
    }
    // While thinking, only stop and quit are heard.
    session.Engine.Handle("go");
    for (const char* line : {"position startpos", "go depth 1", "newgame", "rules english", "level expert"}) {
        const std::size_t before = session.Lines.size();
        session.Engine.Handle(line);
        ASSERT_EQ(session.Lines.size() - before, 1u) << line;
        EXPECT_EQ(session.Lines.back(), "error thinking: send stop first");
    }
    session.Engine.Handle("stop");
    session.Engine.WaitIdle();
    EXPECT_EQ(session.Lines.back().rfind("bestmove ", 0), 0u);
    EXPECT_EQ(session.Engine.StateText(), state);
    EXPECT_FALSE(session.Engine.Handle("quit"));
    EXPECT_FALSE(session.Engine.Handle("go"));
}

class ProtocolCliTest : public kelmarin::testing::CliFixture {};

// Through the program: the end of the input ends a session that thinks without end, an overlong line
// is refused whole, and a last line without its line end is still read.
TEST_F(ProtocolCliTest, EndOfInputAndOverlongLines)
{
    std::ofstream(Folder / "in") << "position startpos\n"
                                 << std::string(EngineSession::MaxLineLength + 1, '9') << "\n"
                                 << "go depth 95";
    const kelmarin::testing::CliRun run = Cli("engine <" + (Folder / "in").string());
    EXPECT_EQ(run.Status, 0);
    EXPECT_EQ(run.Out.substr(0, run.Out.find('\n') + 1), "error line longer than 65536 characters\n");
    EXPECT_EQ(run.Out.find("bestmove"), std::string::npos) << "quit ends the thinking without an answer";
    EXPECT_EQ(Cli("engine --rules italian").Status, 2);
}

// With tables, an iteration that probed them says how often, before its line; the answer keeps the win.
// Without them no info line mentions tables.
TEST(ProtocolTest, InfoCountsTableHitsOnlyWithTables)
{
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        const std::unique_ptr<EndgameTables> tables = SolveEndgames(rules, 3, 2);
        Session with;
        with.Engine.SetTables({tables.get()});
        Session without;
        for (const Position& position : DrawWonPositions(*tables, 8, 3, 3, 3)) {
            const GameState start = GameOf(position);
            for (Session* session : {&with, &without}) {
                session->Send(std::string("rules ") + (rules == Rules::English ? "english" : "kelmarin"));
                session->Send("position " + PositionFen(start.Board, start.SideToMove));
                const std::vector<std::string> lines = session->Send("go depth 3");
                ASSERT_FALSE(lines.empty());
                bool counted = false;
                for (const std::string& line : lines) {
                    const std::size_t at = line.find(" tables ");
                    if (at != std::string::npos) {
                        EXPECT_GT(std::stoll(line.substr(at + 8)), 0);
                        EXPECT_LT(at, line.find(" pv "));
                        counted = true;
                    }
                }
                EXPECT_EQ(counted, session == &with);
                GameState game = start;
                ASSERT_TRUE(PlayAnswer(game, lines.back()));
                if (session == &with) {
                    EXPECT_EQ(tables->Probe(game.PositionFor(game.SideToMove))->Plies,
                              tables->Probe(position)->Plies - 1);
                }
            }
        }
    }
}

TEST_F(ProtocolCliTest, ARefusedTableFileIsNamed)
{
    const std::string name = EndgameFileName(Rules::Kelmarin, TMaterial{0, 1, 0, 1});
    std::ofstream(Folder / name) << "not a table";
    const kelmarin::testing::CliRun run = Cli("engine --endgames " + Folder.string() + " </dev/null");
    EXPECT_EQ(run.Status, 1);
    EXPECT_NE(run.Err.find(name), std::string::npos);
    EXPECT_EQ(Cli("engine --endgames " + (Folder / "none").string() + " </dev/null").Status, 0);
}

} // namespace
} // namespace kelmarin::cli
