#include "EndgameVerify.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace kelmarin {

std::optional<std::uint8_t> ValueFromSuccessors(const EndgameTables& tables, const Position& position)
{
    int bestWin = -1;
    int longestLoss = 0;
    bool drawn = false;
    bool covered = true;
    ForEachTurnEnd(position, [&](const Position& end) {
        const std::optional<std::uint8_t> byte = tables.ProbeByte(end);
        if (!byte) {
            covered = false;
            return;
        }
        const TableValue value = TableValue::FromByte(*byte);
        if (value.Result == TableValue::Outcome::Loss)
            bestWin = bestWin < 0 ? value.Plies + 1 : std::min(bestWin, value.Plies + 1);
        else if (value.Result == TableValue::Outcome::Win)
            longestLoss = std::max(longestLoss, value.Plies + 1);
        else
            drawn = true;
    });
    if (!covered)
        return std::nullopt;
    if (bestWin >= 0)
        return TableByte(TableValue::Outcome::Win, bestWin);
    if (drawn)
        return TableByte(TableValue::Outcome::Draw, 0);
    return TableByte(TableValue::Outcome::Loss, longestLoss);
}

TSliceCheck VerifySlice(const EndgameTables& tables, TMaterial material, int threads)
{
    const EndgameIndex index(material);
    const std::uint8_t* values = tables.Data(material);
    constexpr std::uint64_t Chunk = 1 << 16;
    std::atomic<std::uint64_t> next{0};
    std::mutex merging;
    TSliceCheck total;
    total.FirstWrong = index.Size();
    const auto work = [&] {
        TSliceCheck check;
        check.FirstWrong = index.Size();
        for (std::uint64_t start = next.fetch_add(Chunk); start < index.Size(); start = next.fetch_add(Chunk))
            for (std::uint64_t i = start; i < std::min(start + Chunk, index.Size()); ++i) {
                const std::optional<Position> position = index.PositionAt(i, tables.GameRules());
                if (!position)
                    continue;
                ++check.Positions;
                const TableValue value = TableValue::FromByte(values[i]);
                check.Wins += value.Result == TableValue::Outcome::Win;
                check.Losses += value.Result == TableValue::Outcome::Loss;
                check.Draws += value.Result == TableValue::Outcome::Draw;
                if (ValueFromSuccessors(tables, *position) != values[i]) {
                    check.FirstWrong = std::min(check.FirstWrong, i);
                    ++check.Wrong;
                }
            }
        const std::lock_guard lock(merging);
        total.Positions += check.Positions;
        total.Wins += check.Wins;
        total.Losses += check.Losses;
        total.Draws += check.Draws;
        total.Wrong += check.Wrong;
        total.FirstWrong = std::min(total.FirstWrong, check.FirstWrong);
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    return total;
}

} // namespace kelmarin
