// Which rules a history obeys: random games of both rules against a plain reading of the board, and
// histories that obey neither.
#include "HistoryRules.h"
#include "PdnReader.h"
#include "PdnWriter.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"

#include <gtest/gtest.h>

namespace kelmarin {
namespace {

// Whether the piece on (I, J) has a jump, read off the board alone.
bool CanJumpFrom(const TBoard& board, int I, int J)
{
    const std::int16_t code = board(I, J);
    const std::int16_t side = PieceOwner(code);
    for (const int DI : {-1, 1})
        for (const int DJ : {-1, 1}) {
            const bool forward = DJ == (side == Blue ? 1 : -1);
            const int I2 = I + 2 * DI;
            const int J2 = J + 2 * DJ;
            if ((forward || IsKing(code)) && I2 >= 1 && I2 <= 8 && J2 >= 1 && J2 <= 8 &&
                PieceOwner(board(I + DI, J + DJ)) == Opponent(side) && board(I2, J2) == Empty)
                return true;
        }
    return false;
}

// Whether the history meets the one place where the rules part: a capture that crowns a man who could
// capture on, followed by a step or by the stored side to move, which then tell the rules apart.
bool MeetsWhereRulesPart(const SavedGame& game)
{
    TBoard board = game.Board;
    const auto applied = static_cast<std::size_t>(game.HistoryPos);
    for (std::size_t k = applied; k-- > 0;)
        RevertStep(board, game.MoveHistory[k]);
    for (std::size_t k = 0; k < game.MoveHistory.size(); ++k) {
        const TMove& m = game.MoveHistory[k];
        const bool crowned = ApplyStep(board, m);
        const bool told = k + 1 < game.MoveHistory.size() || k + 1 == applied;
        if (crowned && m.CapturedCoin != Empty && told && CanJumpFrom(board, m.ToI, m.ToJ))
            return true;
    }
    return false;
}

LoadResult Read(const SavedGame& game)
{
    return {game, {}};
}

// Random games of either rules, some stopped with steps taken back, obey their own rules, and the
// other rules exactly when they never meet a crowning capture that could go on. Loading takes the
// chosen rules when they fit and the other ones when only those do; PDN carries the game through.
TEST(HistoryRulesTest, RandomGamesObeyTheRulesTheyWerePlayedUnder)
{
    std::mt19937 random(18);
    int parted = 0;
    for (int round = 0; round < 300; ++round) {
        const Rules rules = round % 2 == 0 ? Rules::Kelmarin : Rules::English;
        GameState game;
        game.GameRules = rules;
        game.New();
        for (int k = static_cast<int>(random() % 250); k > 0 && !game.IsGameOver(); --k) {
            const TMove step = testing::RandomLegalStep(game, random);
            game.SideToMove = game.MakeMove(&step, true);
        }
        for (int k = static_cast<int>(random() % 4) - 1; k > 0; --k)
            game.Undo();
        const SavedGame saved = SavedGame::FromGame(game, {});
        const bool parts = MeetsWhereRulesPart(saved);
        parted += parts;

        EXPECT_EQ(HistoryFault(saved, rules), "");
        EXPECT_EQ(HistoryFault(saved, OtherRules(rules)).empty(), !parts);
        const LoadResult own = UnderRules(Read(saved), rules);
        ASSERT_TRUE(own) << own.Reason;
        EXPECT_EQ(*own.Game, saved);
        const LoadResult other = UnderRules(Read(saved), OtherRules(rules));
        ASSERT_TRUE(other) << other.Reason;
        EXPECT_EQ(other.Game->GameRules, parts ? rules : OtherRules(rules));

        // Under English rules the export is plain PDN; it reads back under the rules that fit.
        const std::string pdn = WritePdnGame(game, {});
        if (rules == Rules::English) {
            EXPECT_EQ(pdn.find("{Here"), std::string::npos) << pdn;
        }
        const LoadResult read = ReadPdnGame(pdn, 1, OtherRules(rules));
        ASSERT_TRUE(read) << read.Reason << "\n" << pdn;
        EXPECT_EQ(read.Game->GameRules, MeetsWhereRulesPart(*read.Game) ? rules : OtherRules(rules));
        EXPECT_EQ(HistoryFault(*read.Game, rules), "");
    }
    // Both kinds were met, the games that part the rules and the ones that obey both.
    EXPECT_GT(parted, 20);
    EXPECT_LT(parted, 280);
}

// The three-jump position after Blue's first steps and Red's (7,8)-(6,7).
SavedGame TripleJumpGame(Rules rules, int steps)
{
    GameState game;
    game.GameRules = rules;
    testing::SetUpTripleJump(game);
    for (const TMove& step : {TMove{3, 4, 5, 6, BlueMan, RedMan}, TMove{5, 6, 3, 8, BlueMan, RedMan},
                              TMove{7, 8, 6, 7, RedMan, Empty}})
        if (steps-- > 0)
            game.SideToMove = game.MakeMove(&step, true);
    return SavedGame::FromGame(game, {});
}

// Histories that obey neither rules are refused, naming the step; where the rules part, the fault
// that comes later in the history is the one given.
TEST(HistoryRulesTest, HistoriesThatObeyNeitherRulesAreRefusedAtTheirStep)
{
    GameState start;
    start.New();
    const TMove red{5, 6, 4, 5, RedMan, 0};
    const TMove redAgain{4, 7, 5, 6, RedMan, 0};
    SavedGame twice = SavedGame::FromGame(start, {});
    twice.MoveHistory = {red, redAgain}; // both fit the board, and the second is still to redo
    ApplyStep(twice.Board, red);
    twice.HistoryPos = 1;
    twice.SideToMove = Blue;
    SavedGame wrongSide = twice;
    wrongSide.MoveHistory.pop_back();
    wrongSide.SideToMove = Red;

    // The English game after the crowning and Red's step, then Red moving again, still to redo.
    SavedGame english = TripleJumpGame(Rules::English, 3);
    english.MoveHistory.push_back({6, 7, 5, 6, RedMan, 0});

    const struct {
        const SavedGame& Game;
        std::string Fault;
    } cases[] = {
        {twice, "history record 2, from square 6 to square 11, is not a legal step for Blue"},
        {wrongSide, "after history record 1 Blue is to move, not Red"},
        {english, "history record 4, from square 7 to square 11, is not a legal step for Blue"},
    };
    for (const auto& [game, fault] : cases)
        for (const Rules chosen : {Rules::Kelmarin, Rules::English}) {
            const LoadResult read = UnderRules(Read(game), chosen);
            EXPECT_FALSE(read);
            EXPECT_EQ(read.Reason, fault);
        }
    EXPECT_EQ(HistoryFault(english, Rules::Kelmarin),
              "history record 3, from square 4 to square 7, is not a legal step for Blue");
    EXPECT_EQ(UnderRules({std::nullopt, "too short"}, Rules::English).Reason, "too short");
}

} // namespace
} // namespace kelmarin
