// Published English endings against tables built here: only the slices the ending reaches are solved.
#include "EndgameBuilder.h"
#include "Fen.h"

#include <gtest/gtest.h>

namespace kelmarin {
namespace {

Position FromFen(const std::string& fen, Rules rules)
{
    std::string reason;
    const std::optional<TFenPosition> read = ReadFen(fen, &reason);
    EXPECT_TRUE(read) << reason;
    return Position::FromBoard(read->Board, read->SideToMove, NoSquare, rules);
}

TEST(EndgameEndingsTest, FirstPositionWithoutTheMoveIsWonByTheTwoKings)
{
    const std::unique_ptr<EndgameTables> tables = SolveEndgames(Rules::English, 3, 2);
    // Two kings against a king and a man; the man's crowning leads to two kings a side.
    for (const TMaterial material : {TMaterial{0, 2, 0, 2}, TMaterial{0, 2, 1, 1}})
        SolveSlice(*tables, material, tables->Hold(material), 2);
    // Black (Red) kings on 15 and 6 against a White king on 5 and a man on 22: Black to play wins,
    // though White has the move.
    const std::optional<TableValue> value = tables->Probe(FromFen("B:W22,K5:BK15,K6", Rules::English));
    ASSERT_TRUE(value);
    EXPECT_EQ(value->Result, TableValue::Outcome::Win);
    // Two kings against one in the double corner: won with either side to move.
    EXPECT_EQ(tables->Probe(FromFen("W:WK10,K14:BK1", Rules::English))->Result, TableValue::Outcome::Win);
    EXPECT_EQ(tables->Probe(FromFen("B:WK10,K14:BK1", Rules::English))->Result, TableValue::Outcome::Loss);
}

} // namespace
} // namespace kelmarin
