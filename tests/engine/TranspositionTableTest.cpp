// The shared table: against a plain map it keeps what was stored last for a key or nothing, and
// threads writing at once never make an entry appear that was not stored whole.
#include "TranspositionTable.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <thread>

namespace kelmarin::strong {
namespace {

// An entry that tells its key: a torn entry would not.
TableEntry EntryOf(std::uint64_t key, int depth)
{
    TableEntry entry;
    entry.Score = static_cast<std::int16_t>(key >> 48);
    entry.Depth = static_cast<std::int8_t>(depth);
    entry.Kind = static_cast<Bound>(1 + key % 3);
    entry.Move.From = static_cast<std::int8_t>(key >> 8 & 31);
    entry.Move.To = static_cast<std::int8_t>(key >> 16 & 31);
    entry.Move.Over = static_cast<std::int8_t>(key >> 24 & 31);
    return entry;
}

void ExpectSame(const TableEntry& a, const TableEntry& b)
{
    EXPECT_EQ(a.Score, b.Score);
    EXPECT_EQ(a.Depth, b.Depth);
    EXPECT_EQ(a.Kind, b.Kind);
    EXPECT_TRUE(a.Move == b.Move);
}

TEST(TranspositionTableTest, KeepsTheLastEntryOfAKeyOrNone)
{
    // 16 buckets: many keys share one, and deeper entries of the same search stay.
    TranspositionTable table(6);
    std::mt19937_64 random(7);
    std::map<std::uint64_t, TableEntry> stored;
    std::vector<std::uint64_t> keys(200);
    for (std::uint64_t& key : keys)
        key = random() | 1;
    int found = 0;
    for (int round = 0; round < 20000; ++round) {
        if (round % 2000 == 0)
            table.NewSearch();
        const std::uint64_t key = keys[random() % keys.size()];
        const TableEntry held = table.Probe(key);
        const auto last = stored.find(key);
        if (held.Kind != NoBound) {
            ASSERT_NE(last, stored.end());
            ExpectSame(held, last->second);
            ++found;
        }
        const TableEntry entry = EntryOf(key, static_cast<int>(random() % 40) + 1);
        table.Store(key, entry);
        const TableEntry now = table.Probe(key);
        // A shallower entry does not replace a deeper one of the same search.
        if (now.Kind != NoBound && now.Depth != entry.Depth) {
            ASSERT_NE(last, stored.end());
            EXPECT_GT(now.Depth, entry.Depth);
        } else {
            ExpectSame(now, entry);
            stored[key] = entry;
        }
    }
    EXPECT_GT(found, 1000);
    table.Clear();
    for (const std::uint64_t key : keys)
        EXPECT_EQ(table.Probe(key).Kind, NoBound);
}

TEST(TranspositionTableTest, ThreadsWritingAtOnceLeaveWholeEntries)
{
    TranspositionTable table(4); // four buckets, fought over
    std::vector<std::thread> threads;
    std::atomic<int> torn = 0;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&table, &torn, t] {
            std::mt19937_64 random(static_cast<std::uint64_t>(t));
            for (int k = 0; k < 20000; ++k) {
                const std::uint64_t key = random() % 64 * 0x9E3779B97F4A7C15ULL + 1;
                const TableEntry held = table.Probe(key);
                const TableEntry expected = EntryOf(key, held.Depth);
                if (held.Kind != NoBound && (held.Score != expected.Score || held.Kind != expected.Kind ||
                                             !(held.Move == expected.Move)))
                    ++torn;
                table.Store(key, EntryOf(key, static_cast<int>(random() % 20) + 1));
            }
        });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(torn, 0);
}

} // namespace
} // namespace kelmarin::strong
