// The endgame tables: the index against the positions it numbers, the 2- and 3-piece tables built here
// and checked against their successors under both rule sets, known endings, the files' refusals and a
// build stopped and resumed.
#include "EndgameBuilder.h"
#include "EndgameVerify.h"
#include "SolvedEndgames.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace kelmarin {
namespace {

using Outcome = TableValue::Outcome;

using testing::Solved;

TEST(EndgameIndexTest, EveryIndexGivesBackItsPositionAndEveryPositionItsIndex)
{
    std::mt19937_64 random(5);
    for (int pieces = 2; pieces <= 5; ++pieces)
        for (const TMaterial& material : MaterialsOf(pieces)) {
            const EndgameIndex index(material);
            std::uint64_t found = 0;
            for (int k = 0; k < 400; ++k) {
                const std::uint64_t i = random() % index.Size();
                const std::optional<Position> position = index.PositionAt(i, Rules::Kelmarin);
                if (!position)
                    continue;
                ++found;
                ASSERT_EQ(TMaterial::Of(*position), material);
                ASSERT_EQ(position->Pieces(Red) & position->Pieces(Blue), 0u);
                ASSERT_EQ(position->Pieces(Red) & ~position->Kings() & RowMask(1), 0u);
                ASSERT_EQ(position->Pieces(Blue) & ~position->Kings() & RowMask(8), 0u);
                ASSERT_EQ(index.IndexOf(*position), i);
            }
            EXPECT_GT(found, 300u) << EndgameFileName(Rules::Kelmarin, material);
            // A sub-slice listed at once is the positions at its indices, in order.
            std::vector<Position> listed;
            const std::uint64_t placement = random() % index.MenPlacements();
            if (index.SubSliceSize() > 100000 || !index.SubSlicePositions(placement, Rules::English, listed))
                continue;
            ASSERT_EQ(listed.size(), index.SubSliceSize());
            for (std::uint64_t k = 0; k < listed.size(); ++k)
                ASSERT_EQ(listed[k], index.PositionAt(placement * index.SubSliceSize() + k, Rules::English));
        }
}

TEST(EndgameTablesTest, TwoAndThreePiecesAgreeWithTheirSuccessorsUnderBothRules)
{
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        const EndgameTables& tables = Solved(rules);
        EXPECT_EQ(tables.MaxPieces(), 3);
        std::uint64_t positions = 0;
        for (const TMaterial& material : tables.Materials()) {
            const TSliceCheck check = VerifySlice(tables, material, 2);
            EXPECT_EQ(check.Wrong, 0u)
                << EndgameFileName(rules, material) << " first at " << check.FirstWrong;
            EXPECT_EQ(check.Wins + check.Losses + check.Draws, check.Positions);
            positions += check.Positions;
        }
        EXPECT_GT(positions, 190000u);
    }
}

// The board turned half round with the colours swapped: the same game for the other side.
Position Mirrored(const Position& position)
{
    const auto turned = [](std::uint32_t mask) {
        std::uint32_t result = 0;
        for (int k = 0; k < PlayingSquareCount; ++k)
            if (mask >> k & 1)
                result |= SquareBit(PlayingSquareCount - 1 - k);
        return result;
    };
    return Position::FromMasks(turned(position.Pieces(Red)), turned(position.Pieces(Blue)),
                               turned(position.Kings()), Opponent(position.SideToMove()), NoSquare,
                               position.GameRules());
}

TEST(EndgameTablesTest, APositionAndItsMirrorWithTheColoursSwappedHaveOneValue)
{
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        const EndgameTables& tables = Solved(rules);
        for (const TMaterial& material : tables.Materials()) {
            const EndgameIndex index(material);
            for (std::uint64_t i = 0; i < index.Size(); ++i) {
                if (const std::optional<Position> position = index.PositionAt(i, rules)) {
                    ASSERT_EQ(tables.Probe(*position), tables.Probe(Mirrored(*position)))
                        << EndgameFileName(rules, material) << " " << i;
                }
            }
        }
    }
}

// Two kings beat one but for a few positions where one of them is shut in the single corner; the lone
// king never wins without a capture at once.
TEST(EndgameTablesTest, TwoKingsBeatOneAlmostEverywhereAndTheLoneKingWinsOnlyByACapture)
{
    for (const Rules rules : {Rules::Kelmarin, Rules::English}) {
        const EndgameTables& tables = Solved(rules);
        for (const TMaterial material : {TMaterial{0, 2, 0, 1}, TMaterial{0, 1, 0, 2}}) {
            const EndgameIndex index(material);
            const std::int16_t strong = material.RedKings == 2 ? Red : Blue;
            std::uint64_t strongToMove = 0;
            std::uint64_t won = 0;
            for (std::uint64_t i = 0; i < index.Size(); ++i) {
                const Position position = *index.PositionAt(i, rules);
                const TableValue value = *tables.Probe(position);
                if (position.SideToMove() == strong) {
                    ++strongToMove;
                    won += value.Result == Outcome::Win;
                } else if (!position.HasCapture()) {
                    ASSERT_NE(value.Result, Outcome::Win) << i;
                }
            }
            EXPECT_GT(won, strongToMove * 99 / 100);
            EXPECT_LT(won, strongToMove);
        }
    }
}

TEST(EndgameTablesTest, ProbeCoversNoJumpInProgressNorMorePiecesNorOtherRules)
{
    const EndgameTables& tables = Solved(Rules::Kelmarin);
    // A red king on 1 with blue men to jump on 6 and 15: after the first jump the second is due.
    Position position = Position::FromMasks(ScanBit(3, 6) | ScanBit(5, 6), ScanBit(2, 7), ScanBit(2, 7), Red,
                                            NoSquare, Rules::Kelmarin);
    EXPECT_TRUE(tables.Probe(position).has_value());
    TStep steps[MaxSteps];
    ASSERT_GT(position.GenerateSteps(steps), 0);
    position.Play(steps[0]);
    ASSERT_NE(position.Jumping(), NoSquare);
    EXPECT_FALSE(tables.Probe(position).has_value());
    EXPECT_FALSE(tables.Probe(Position::FromMasks(0xF, 0xF0000000, 0, Red, NoSquare, Rules::Kelmarin)));
    EXPECT_FALSE(Solved(Rules::English).Probe(Position::FromMasks(1, 2, 3, Red, NoSquare, Rules::Kelmarin)));
}

std::filesystem::path FreshDirectory(const std::string& name)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("kelmarin-eg-" + name);
    std::filesystem::remove_all(dir);
    return dir;
}

std::vector<char> Bytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void PutBytes(const std::filesystem::path& path, const std::vector<char>& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(EndgameFilesTest, AStoppedBuildResumesWithTheSlicesItWroteAndEndsAsAWholeBuild)
{
    const std::filesystem::path dir = FreshDirectory("resume");
    std::string error;
    int finished = 0;
    ASSERT_TRUE(BuildEndgames(
        dir, Rules::English, 3, 2,
        [&](const TBuildProgress& progress) {
            finished += progress.Finished;
            return finished < 4;
        },
        error))
        << error;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        EXPECT_EQ(entry.path().extension(), ".egt");
        ++files;
    }
    EXPECT_EQ(files, 4);
    int resumed = 0;
    ASSERT_TRUE(BuildEndgames(
        dir, Rules::English, 3, 2,
        [&](const TBuildProgress& progress) {
            resumed += progress.Resumed;
            EXPECT_LE(progress.Done, progress.Total);
            return true;
        },
        error))
        << error;
    EXPECT_EQ(resumed, 4);
    const std::unique_ptr<EndgameTables> read = EndgameTables::Open(dir, Rules::English, error);
    ASSERT_TRUE(read) << error;
    const EndgameTables& solved = Solved(Rules::English);
    ASSERT_EQ(read->Materials(), solved.Materials());
    for (const TMaterial& material : solved.Materials()) {
        const std::uint64_t size = EndgameIndex(material).Size();
        EXPECT_TRUE(std::equal(solved.Data(material), solved.Data(material) + size, read->Data(material)));
    }
    // The tables of the other rules are not there.
    const std::unique_ptr<EndgameTables> other = EndgameTables::Open(dir, Rules::Kelmarin, error);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->MaxPieces(), 0);
    std::filesystem::remove_all(dir);
}

TEST(EndgameFilesTest, AFileWithAWrongHeaderOrChecksumIsRefusedByName)
{
    const std::filesystem::path dir = FreshDirectory("refuse");
    std::string error;
    ASSERT_TRUE(BuildEndgames(dir, Rules::Kelmarin, 2, 1, {}, error)) << error;
    const std::filesystem::path path = dir / EndgameFileName(Rules::Kelmarin, {0, 1, 0, 1});
    const std::vector<char> good = Bytes(path);
    ASSERT_EQ(good.size(), EndgameHeaderSize + EndgameIndex({0, 1, 0, 1}).Size());
    // Each spoils one thing: the mark, the version, the rules, the material, the count, the checksum,
    // a value, the length.
    const std::vector<std::pair<std::size_t, int>> flips = {{0, 1},  {8, 1},  {12, 1},  {17, 1},
                                                            {24, 1}, {33, 4}, {100, 2}, {good.size() - 1, 1}};
    for (const auto& [at, bit] : flips) {
        std::vector<char> bad = good;
        bad[at] = static_cast<char>(bad[at] ^ bit);
        PutBytes(path, bad);
        error.clear();
        EXPECT_FALSE(EndgameTables::Open(dir, Rules::Kelmarin, error)) << at;
        EXPECT_NE(error.find(path.string()), std::string::npos) << error;
    }
    std::vector<char> shorter(good.begin(), good.end() - 1);
    PutBytes(path, shorter);
    EXPECT_FALSE(EndgameTables::Open(dir, Rules::Kelmarin, error));
    PutBytes(path, good);
    EXPECT_TRUE(EndgameTables::Open(dir, Rules::Kelmarin, error)) << error;
    // The builder solves a refused slice again rather than trusting it.
    PutBytes(path, shorter);
    ASSERT_TRUE(BuildEndgames(dir, Rules::Kelmarin, 2, 1, {}, error)) << error;
    EXPECT_EQ(Bytes(path), good);
    std::filesystem::remove_all(dir);
}

TEST(EndgameFilesTest, TheFolderWithTheMostPiecesWinsAndARefusedOrMissingOneIsPassedOver)
{
    const std::filesystem::path two = FreshDirectory("two");
    const std::filesystem::path three = FreshDirectory("three");
    const std::filesystem::path spoilt = FreshDirectory("spoilt");
    const std::filesystem::path missing = FreshDirectory("missing");
    std::string error;
    ASSERT_TRUE(BuildEndgames(two, Rules::Kelmarin, 2, 1, {}, error)) << error;
    ASSERT_TRUE(BuildEndgames(three, Rules::Kelmarin, 3, 2, {}, error)) << error;
    ASSERT_TRUE(BuildEndgames(spoilt, Rules::Kelmarin, 3, 2, {}, error)) << error;
    const std::filesystem::path bad = spoilt / EndgameFileName(Rules::Kelmarin, {0, 1, 0, 1});
    std::vector<char> bytes = Bytes(bad);
    bytes.back() = static_cast<char>(bytes.back() ^ 1);
    PutBytes(bad, bytes);

    const auto open = [](std::vector<std::filesystem::path> folders, Rules rules,
                         std::vector<std::string>& refusals) {
        const std::unique_ptr<EndgameTables> tables = OpenLargestEndgameTables(folders, rules, refusals);
        return tables ? tables->MaxPieces() : 0;
    };
    std::vector<std::string> refusals;
    EXPECT_EQ(open({missing, two, spoilt, three}, Rules::Kelmarin, refusals), 3);
    ASSERT_EQ(refusals.size(), 1U);
    EXPECT_NE(refusals[0].find(bad.string()), std::string::npos) << refusals[0];
    refusals.clear();
    EXPECT_EQ(open({three, two}, Rules::Kelmarin, refusals), 3);
    EXPECT_EQ(open({spoilt, two}, Rules::Kelmarin, refusals), 2);
    // Tables of the other rules, or no folder at all, give none.
    EXPECT_EQ(open({two, three}, Rules::English, refusals), 0);
    EXPECT_EQ(open({}, Rules::Kelmarin, refusals), 0);
    EXPECT_EQ(refusals.size(), 1U);
    for (const auto& dir : {two, three, spoilt})
        std::filesystem::remove_all(dir);
}

} // namespace
} // namespace kelmarin
