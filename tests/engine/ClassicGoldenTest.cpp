// The classic computer must never change: over the benchmark boards, games it plays against itself and
// random games from fixed seeds, the GenerateMoves list in order and, at each searched position, every
// root step's score, the step chosen and the number of positions visited hash to the digests below.
//
// The digests were written by this test's own code. To write them again (only ever on purpose, after a
// change that is meant to alter the classic computer), run
//   KELMARIN_GOLDEN_PRINT=1 build/tests/engine/engine_tests --gtest_filter='ClassicGoldenTest.*'
// and paste the printed lines into Expected.
#include "ComputerPlayer.h"
#include "RandomPlay.h"
#include "RecordingDisplay.h"
#include "SearchPositions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>

namespace kelmarin {
namespace {

// FNV-1a over the values fed to it, so that one digest stands for a long record.
class Digest {
public:
    void Add(std::int64_t value)
    {
        for (int byte = 0; byte < 8; ++byte) {
            Hash_ ^= static_cast<std::uint64_t>(value >> (8 * byte)) & 0xFF;
            Hash_ *= 0x100000001B3ULL;
        }
    }
    void Add(const TMove& m)
    {
        for (const std::int16_t field : {m.FromI, m.FromJ, m.ToI, m.ToJ, m.Coin, m.CapturedCoin})
            Add(field);
    }
    std::uint64_t Value() const { return Hash_; }

private:
    std::uint64_t Hash_ = 0xCBF29CE484222325ULL;
};

void AddList(Digest& digest, const GameState& game, std::int16_t side)
{
    MoveList list;
    game.GenerateMoves(side, list);
    digest.Add(list.Count());
    for (const TMove& m : list)
        digest.Add(m);
}

// One choice of the classic computer with everything it compared; returns the step chosen.
TMove AddChoice(Digest& digest, GameState& game, ComputerPlayer& player)
{
    std::vector<TRootScore> roots;
    const std::uint64_t before = player.NodeCount();
    const TChoice choice = player.ChooseComputerMove(game.SideToMove, &roots);
    for (const TRootScore& root : roots) {
        digest.Add(root.Move);
        digest.Add(root.Score);
    }
    digest.Add(choice.Move);
    digest.Add(choice.Score);
    digest.Add(static_cast<std::int64_t>(player.NodeCount() - before));
    return choice.Move;
}

std::map<std::string, std::uint64_t> Record()
{
    std::map<std::string, std::uint64_t> digests;
    for (const bench::Position& position : bench::SearchPositions()) {
        GameState game;
        bench::SetUp(game, position);
        ComputerPlayer player(game);
        player.Seed(1);
        Digest digest;
        AddList(digest, game, game.SideToMove);
        AddChoice(digest, game, player);
        digests[std::string("bench/") + position.Name] = digest.Value();
    }
    // The computer against itself, at the depths the window offers and one deeper.
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        GameState game;
        game.New();
        game.SearchDepth[Blue] = game.SearchDepth[Red] = static_cast<std::int16_t>(seed <= 4 ? 3 : 4);
        ComputerPlayer player(game);
        player.Seed(seed);
        Digest digest;
        for (int k = 0; k < 160 && !game.IsGameOver(); ++k) {
            AddList(digest, game, game.SideToMove);
            const TMove step = AddChoice(digest, game, player);
            game.MakeMove(&step, true);
        }
        digests["selfplay/" + std::to_string(seed)] = digest.Value();
    }
    // Random games, multi-jumps in progress among them, searched at every fifth position.
    for (std::uint32_t seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        GameState game;
        game.New();
        ComputerPlayer player(game);
        player.Seed(seed);
        Digest digest;
        for (int k = 0; k < 300 && !game.IsGameOver(); ++k) {
            AddList(digest, game, game.SideToMove);
            AddList(digest, game, Opponent(game.SideToMove));
            if (k % 5 == 0)
                AddChoice(digest, game, player);
            const TMove step = kelmarin::testing::RandomLegalStep(game, random);
            game.MakeMove(&step, true);
        }
        digests["random/" + std::to_string(seed)] = digest.Value();
    }
    // Random placements: crowded kings, men on every row, both sides to move.
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        std::mt19937 random(100 + seed);
        Digest digest;
        for (int p = 0; p < 100; ++p) {
            GameState game;
            kelmarin::testing::ClearBoard(game);
            for (const TSquare square : ScanOrder)
                if (random() % 3 == 0) {
                    auto code = static_cast<std::int16_t>(1 + random() % 4);
                    if ((code == BlueMan && square.J == 8) || (code == RedMan && square.J == 1))
                        code += 2;
                    game.Board[square] = code;
                }
            kelmarin::testing::FinishSetup(game, static_cast<std::int16_t>(1 + random() % 2));
            ComputerPlayer player(game);
            player.Seed(seed);
            AddList(digest, game, game.SideToMove);
            if (!game.IsGameOver())
                AddChoice(digest, game, player);
        }
        digests["placements/" + std::to_string(seed)] = digest.Value();
    }
    return digests;
}

const std::map<std::string, std::uint64_t> Expected = {
    {"bench/endgame/1-king-v-2", 0xA0FC1626DA745191ULL},
    {"bench/endgame/2-kings-v-1", 0xE590ED682E2B2014ULL},
    {"bench/endgame/4-pieces", 0x2AE79F7058198C07ULL},
    {"bench/endgame/king-v-king", 0xB995E84FA3A9B285ULL},
    {"bench/middle/step30", 0xECDCD74940F5B375ULL},
    {"bench/middle/step50", 0xCD8D137F164351A0ULL},
    {"bench/middle/step80", 0x92E84C31D9845F89ULL},
    {"bench/middle/ten-kings", 0x3EE86182A4B2D89CULL},
    {"bench/opening/answer", 0x4D7DC54D149B6FD0ULL},
    {"bench/opening/start", 0x08B8DB469F869D68ULL},
    {"bench/opening/step12", 0x9D00CF2500434274ULL},
    {"placements/1", 0xA1124F3D939D551FULL},
    {"placements/2", 0x9DD623C12FCB0228ULL},
    {"placements/3", 0x93682AA03476E41BULL},
    {"random/1", 0x439A2CEBDD5E103BULL},
    {"random/2", 0x32F3A7C6AF9B6B98ULL},
    {"random/3", 0x94002B5967A049A2ULL},
    {"random/4", 0xF1EF22CF6C51CDBCULL},
    {"random/5", 0xE3FA63E7478E7169ULL},
    {"random/6", 0x3504901CCBA45459ULL},
    {"selfplay/1", 0x2F3683AAAF75535AULL},
    {"selfplay/2", 0x2D35EE71BE192C3CULL},
    {"selfplay/3", 0xBE435A9DA8E72B14ULL},
    {"selfplay/4", 0xA2A837083D3F690FULL},
    {"selfplay/5", 0x13091FBD23ADE481ULL},
    {"selfplay/6", 0xE8B746AEA9994EC7ULL},
};

TEST(ClassicGoldenTest, SameListsChoicesScoresAndNodeCounts)
{
    const std::map<std::string, std::uint64_t> digests = Record();
    if (std::getenv("KELMARIN_GOLDEN_PRINT") != nullptr)
        for (const auto& [name, value] : digests)
            std::printf("    {\"%s\", 0x%016llXULL},\n", name.c_str(),
                        static_cast<unsigned long long>(value));
    EXPECT_EQ(digests, Expected);
}

} // namespace
} // namespace kelmarin
