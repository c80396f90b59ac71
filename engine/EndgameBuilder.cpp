#include "EndgameBuilder.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <map>
#include <stdexcept>
#include <thread>

namespace kelmarin {

namespace {

constexpr std::uint16_t NoWin = 0xFFFF;
constexpr int MaxDistance = 2048;

// What one thread needs for a sub-slice, kept from one to the next.
struct TScratch {
    std::vector<Position> Positions;
    std::vector<std::uint8_t> Ways;     // turns still leading inside, not yet known to be lost
    std::vector<std::uint16_t> BestWin; // the quickest win through a turn already known
    std::vector<std::uint16_t> LongestLoss;
    std::vector<std::uint8_t> Drawn;     // a turn leads outside to a draw
    std::vector<std::uint16_t> Distance; // NoWin until solved
    std::vector<std::vector<std::uint32_t>> Buckets;
    int Farthest = 0; // no bucket beyond holds anything
};

std::uint32_t MenOf(const Position& position, std::int16_t side)
{
    return position.Pieces(side) & ~position.Kings();
}

int PieceCount(const Position& position)
{
    return BitCount(position.Pieces(Red) | position.Pieces(Blue));
}

class SubSliceSolver {
public:
    SubSliceSolver(const EndgameTables& tables, const EndgameIndex& index, std::span<std::uint8_t> values)
        : Tables_(tables), Index_(index), Values_(values)
    {
    }

    void Solve(std::uint64_t placement, TScratch& s) const
    {
        const std::uint64_t size = Index_.SubSliceSize();
        const std::uint64_t base = placement * size;
        Index_.SubSlicePositions(placement, Tables_.GameRules(), s.Positions);
        s.Ways.assign(size, 0);
        s.BestWin.assign(size, NoWin);
        s.LongestLoss.assign(size, 0);
        s.Drawn.assign(size, 0);
        s.Distance.assign(size, NoWin);
        s.Buckets.resize(MaxDistance + 1);
        s.Farthest = 0;
        for (std::uint64_t i = 0; i < size; ++i)
            ReadTurns(s.Positions[i], static_cast<std::uint32_t>(i), s);
        for (int d = 0; d <= s.Farthest; ++d) {
            std::vector<std::uint32_t>& bucket = s.Buckets[d];
            for (std::size_t n = 0; n < bucket.size(); ++n) {
                const std::uint32_t i = bucket[n];
                if (s.Distance[i] != NoWin)
                    continue;
                s.Distance[i] = static_cast<std::uint16_t>(d);
                SpreadBack(i, d, base, s);
            }
            bucket.clear();
        }
        for (std::uint64_t i = 0; i < size; ++i) {
            const int d = s.Distance[i];
            Values_[base + i] =
                d == NoWin ? TableByte(TableValue::Outcome::Draw, 0)
                           : TableByte(d % 2 == 1 ? TableValue::Outcome::Win : TableValue::Outcome::Loss, d);
        }
    }

private:
    static void Push(TScratch& s, int distance, std::uint32_t i)
    {
        distance = std::min(distance, MaxDistance);
        s.Buckets[distance].push_back(i);
        s.Farthest = std::max(s.Farthest, distance);
    }

    // What the turns leading out of the sub-slice give, and how many stay inside.
    void ReadTurns(const Position& position, std::uint32_t i, TScratch& s) const
    {
        const std::uint32_t redMen = MenOf(position, Red);
        const std::uint32_t blueMen = MenOf(position, Blue);
        const int pieces = PieceCount(position);
        const int turns = ForEachTurnEnd(position, [&](const Position& end) {
            if (MenOf(end, Red) == redMen && MenOf(end, Blue) == blueMen && PieceCount(end) == pieces) {
                ++s.Ways[i];
                return;
            }
            const std::optional<std::uint8_t> byte = Tables_.ProbeByte(end);
            if (!byte)
                throw std::logic_error("a turn leads to a slice not solved yet");
            const TableValue value = TableValue::FromByte(*byte);
            if (value.Result == TableValue::Outcome::Loss)
                s.BestWin[i] = static_cast<std::uint16_t>(std::min<int>(s.BestWin[i], value.Plies + 1));
            else if (value.Result == TableValue::Outcome::Win)
                s.LongestLoss[i] =
                    static_cast<std::uint16_t>(std::max<int>(s.LongestLoss[i], value.Plies + 1));
            else
                s.Drawn[i] = 1;
        });
        if (turns == 0)
            Push(s, 0, i);
        else if (s.BestWin[i] != NoWin)
            Push(s, s.BestWin[i], i);
        else if (s.Ways[i] == 0 && !s.Drawn[i])
            Push(s, s.LongestLoss[i], i);
    }

    // Position i is solved at distance d: its predecessors by a king's simple step learn of it.
    void SpreadBack(std::uint32_t i, int d, std::uint64_t base, TScratch& s) const
    {
        const Position& position = s.Positions[i];
        const std::int16_t mover = Opponent(position.SideToMove());
        const std::uint32_t empty = position.Empty();
        for (std::uint32_t rest = position.Pieces(mover) & position.Kings(); rest != 0; rest &= rest - 1) {
            const int to = std::countr_zero(rest);
            for (int direction = 0; direction < DirectionCount; ++direction) {
                const int from = Neighbour[to][direction];
                if (from < 0 || !(empty >> from & 1))
                    continue;
                const std::uint32_t move = SquareBit(from) | SquareBit(to);
                const std::uint32_t blue = position.Pieces(Blue) ^ (mover == Blue ? move : 0);
                const std::uint32_t red = position.Pieces(Red) ^ (mover == Red ? move : 0);
                const Position before = Position::FromMasks(blue, red, position.Kings() ^ move, mover,
                                                            NoSquare, position.GameRules());
                // Captures are compulsory: with one there, the king's step was not played.
                if (before.HasCapture())
                    continue;
                const auto j = static_cast<std::uint32_t>(Index_.IndexOf(before) - base);
                if (s.Distance[j] != NoWin)
                    continue;
                if (d % 2 == 0) {
                    Push(s, d + 1, j);
                    continue;
                }
                s.LongestLoss[j] = static_cast<std::uint16_t>(std::max(int{s.LongestLoss[j]}, d + 1));
                if (--s.Ways[j] == 0 && s.BestWin[j] == NoWin && !s.Drawn[j])
                    Push(s, s.LongestLoss[j], j);
            }
        }
    }

    const EndgameTables& Tables_;
    const EndgameIndex& Index_;
    std::span<std::uint8_t> Values_;
};

} // namespace

void SolveSlice(EndgameTables& tables, TMaterial material, std::span<std::uint8_t> values, int threads,
                const std::function<void(std::uint64_t done)>& report)
{
    const EndgameIndex index(material);
    std::map<int, std::vector<std::uint64_t>, std::greater<>> levels;
    for (std::uint64_t placement = 0; placement < index.MenPlacements(); ++placement) {
        std::uint32_t red = 0;
        std::uint32_t blue = 0;
        if (index.MenAt(placement, red, blue))
            levels[MenAdvancement(red, blue)].push_back(placement);
    }
    const SubSliceSolver solver(tables, index, values);
    std::uint64_t done = 0;
    for (const auto& [advancement, placements] : levels) {
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            TScratch scratch;
            for (std::size_t k = next++; k < placements.size(); k = next++)
                solver.Solve(placements[k], scratch);
        };
        std::vector<std::thread> helpers;
        const int helpersWanted = std::min<int>(threads, static_cast<int>(placements.size())) - 1;
        for (int t = 0; t < helpersWanted; ++t)
            helpers.emplace_back(work);
        work();
        for (std::thread& helper : helpers)
            helper.join();
        done += placements.size() * index.SubSliceSize();
        if (report)
            report(done);
    }
}

std::unique_ptr<EndgameTables> SolveEndgames(Rules rules, int pieces, int threads)
{
    auto tables = std::make_unique<EndgameTables>(rules);
    for (int n = 2; n <= pieces; ++n)
        for (const TMaterial& material : MaterialsOf(n))
            SolveSlice(*tables, material, tables->Hold(material), threads);
    return tables;
}

bool BuildEndgames(const std::filesystem::path& dir, Rules rules, int pieces, int threads,
                   const BuildReport& report, std::string& error)
{
    std::error_code failed;
    std::filesystem::create_directories(dir, failed);
    if (failed) {
        error = dir.string() + ": " + failed.message();
        return false;
    }
    std::vector<TMaterial> materials;
    for (int n = 2; n <= pieces; ++n)
        for (const TMaterial& material : MaterialsOf(n))
            materials.push_back(material);
    TBuildProgress progress;
    progress.Slices = static_cast<int>(materials.size());
    for (const TMaterial& material : materials)
        if (!std::filesystem::exists(dir / EndgameFileName(rules, material)))
            progress.Total += EndgameIndex(material).Size();
    EndgameTables tables(rules);
    for (const TMaterial& material : materials) {
        ++progress.Slice;
        progress.Material = material;
        progress.SliceSize = EndgameIndex(material).Size();
        progress.SliceDone = 0;
        progress.Finished = false;
        const std::filesystem::path path = dir / EndgameFileName(rules, material);
        std::string refused;
        progress.Resumed = std::filesystem::exists(path) && tables.Load(path, material, refused);
        if (progress.Resumed) {
            progress.SliceDone = progress.SliceSize;
            progress.Finished = true;
            if (report && !report(progress))
                return true;
            continue;
        }
        if (!refused.empty())
            progress.Total += progress.SliceSize; // a refused file is solved again
        const std::uint64_t before = progress.Done;
        const std::span<std::uint8_t> values = tables.Hold(material);
        SolveSlice(tables, material, values, threads, [&](std::uint64_t done) {
            progress.SliceDone = done;
            progress.Done = before + done;
            if (report)
                report(progress);
        });
        progress.SliceDone = progress.SliceSize;
        progress.Done = before + progress.SliceSize;
        if (!WriteEndgameFile(path, rules, material, values, error))
            return false;
        progress.Finished = true;
        if (report && !report(progress))
            return true;
    }
    return true;
}

} // namespace kelmarin
