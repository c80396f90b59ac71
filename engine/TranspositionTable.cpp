#include "TranspositionTable.h"

#include <algorithm>
#include <atomic>
#include <new>

namespace kelmarin::strong {

namespace {

constexpr std::size_t CacheLine = 64;

// Data word: score, depth, bound, age, then the step's squares.
std::uint64_t Pack(const TableEntry& entry, std::uint8_t age)
{
    return std::uint64_t{static_cast<std::uint16_t>(entry.Score)} |
           std::uint64_t{static_cast<std::uint8_t>(entry.Depth)} << 16 | std::uint64_t{entry.Kind} << 24 |
           std::uint64_t{age} << 32 | std::uint64_t{static_cast<std::uint8_t>(entry.Move.From)} << 40 |
           std::uint64_t{static_cast<std::uint8_t>(entry.Move.To)} << 48 |
           std::uint64_t{static_cast<std::uint8_t>(entry.Move.Over)} << 56;
}

TableEntry Unpack(std::uint64_t data)
{
    TableEntry entry;
    entry.Score = static_cast<std::int16_t>(data & 0xFFFF);
    entry.Depth = static_cast<std::int8_t>(data >> 16 & 0xFF);
    entry.Kind = static_cast<Bound>(data >> 24 & 0xFF);
    entry.Move.From = static_cast<std::int8_t>(data >> 40 & 0xFF);
    entry.Move.To = static_cast<std::int8_t>(data >> 48 & 0xFF);
    entry.Move.Over = static_cast<std::int8_t>(data >> 56);
    return entry;
}

std::uint8_t AgeOf(std::uint64_t data)
{
    return static_cast<std::uint8_t>(data >> 32);
}

std::uint64_t Load(std::uint64_t& word)
{
    return std::atomic_ref<std::uint64_t>(word).load(std::memory_order_relaxed);
}

void Save(std::uint64_t& word, std::uint64_t value)
{
    std::atomic_ref<std::uint64_t>(word).store(value, std::memory_order_relaxed);
}

} // namespace

TranspositionTable::TranspositionTable(int bits)
    : Memory_(
          std::calloc((std::size_t{2} << bits) + CacheLine / sizeof(std::uint64_t), sizeof(std::uint64_t))),
      Mask_((std::uint64_t{1} << bits) / BucketSize - 1)
{
    if (!Memory_)
        throw std::bad_alloc();
    const auto address = reinterpret_cast<std::uintptr_t>(Memory_.get());
    Words_ = reinterpret_cast<std::uint64_t*>((address + CacheLine - 1) / CacheLine * CacheLine);
}

void TranspositionTable::Clear()
{
    std::fill_n(Words_, (Mask_ + 1) * 2 * BucketSize, std::uint64_t{0});
    Age_ = 0;
}

TableEntry TranspositionTable::Probe(std::uint64_t key) const
{
    std::uint64_t* bucket = Bucket(key);
    for (int k = 0; k < BucketSize; ++k) {
        const std::uint64_t data = Load(bucket[2 * k + 1]);
        if ((Load(bucket[2 * k]) ^ data) == key && data != 0)
            return Unpack(data);
    }
    return TableEntry{};
}

void TranspositionTable::Store(std::uint64_t key, const TableEntry& entry)
{
    std::uint64_t* bucket = Bucket(key);
    // The same position's entry if there is one, else the shallowest: deep results outlive the search
    // that found them.
    int slot = 0;
    int worth = 1 << 30;
    for (int k = 0; k < BucketSize; ++k) {
        const std::uint64_t data = Load(bucket[2 * k + 1]);
        const int depth = static_cast<std::int8_t>(data >> 16 & 0xFF);
        if (data == 0) {
            if (worth > -1000) {
                worth = -1000;
                slot = k;
            }
            continue;
        }
        if ((Load(bucket[2 * k]) ^ data) == key) {
            if (AgeOf(data) == Age_ && depth > entry.Depth)
                return;
            slot = k;
            break;
        }
        const int heldWorth = depth - 8 * static_cast<std::uint8_t>(Age_ - AgeOf(data));
        if (heldWorth < worth) {
            worth = heldWorth;
            slot = k;
        }
    }
    const std::uint64_t data = Pack(entry, Age_);
    Save(bucket[2 * slot], key ^ data);
    Save(bucket[2 * slot + 1], data);
}

} // namespace kelmarin::strong
