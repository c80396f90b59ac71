// The strong search's transposition table: what earlier visits learnt of a position, shared by every
// thread of one search and kept from one search to the next.
//
// An entry is two 64-bit words, the data and the key xor the data, each read and written on its own with
// relaxed atomics: an entry torn by two threads writing at once fails the key check and reads as absent,
// so no lock is needed. Four entries share one cache line; a new entry takes the place of the one least
// worth keeping, entries of earlier searches counting as shallower.
#pragma once

#include "Position.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace kelmarin::strong {

enum Bound : std::uint8_t { NoBound, Lower, Upper, Exact };

struct TableEntry {
    std::int16_t Score = 0; // win scores counted from the position, not the root
    std::int8_t Depth = 0;
    Bound Kind = NoBound;
    TStep Move; // its flags are not kept
};

class TranspositionTable {
public:
    // 2^bits entries, zeroed by the system page by page as they are first touched.
    explicit TranspositionTable(int bits);

    // The entry of the position with this key; Kind NoBound when there is none.
    TableEntry Probe(std::uint64_t key) const;
    void Store(std::uint64_t key, const TableEntry& entry);
    // Entries stored from now on belong to a new search.
    void NewSearch() { ++Age_; }
    // Empty, as new; only while no search runs.
    void Clear();

private:
    static constexpr int BucketSize = 4;

    std::uint64_t* Bucket(std::uint64_t key) const { return Words_ + (key & Mask_) * 2 * BucketSize; }

    struct Free {
        void operator()(void* memory) const { std::free(memory); }
    };
    std::unique_ptr<void, Free> Memory_;
    std::uint64_t* Words_; // Memory_ rounded up to a cache line
    std::uint64_t Mask_;   // buckets - 1
    std::uint8_t Age_ = 0;
};

} // namespace kelmarin::strong
