// A fixed-capacity list of steps in generation order; filling it never allocates.
//
// 64 is enough for any board: every step goes to an empty square from a piece, each piece has at
// most four, and each empty square can be reached from at most four pieces, with 32 squares in all.
#pragma once

#include "TMove.h"

#include <array>
#include <cassert>
#include <memory>

namespace kelmarin {

class MoveList {
public:
    static constexpr int Capacity = 64;

    // The slots are left unfilled: a list is made at every node of a search.
    MoveList() {}
    MoveList(const MoveList& other) : Count_(other.Count_)
    {
        for (int k = 0; k < Count_; ++k)
            std::construct_at(&Moves_[k], other.Moves_[k]);
    }
    MoveList& operator=(const MoveList& other)
    {
        Count_ = other.Count_;
        for (int k = 0; k < Count_; ++k)
            std::construct_at(&Moves_[k], other.Moves_[k]);
        return *this;
    }
    ~MoveList() {}

    void Clear() { Count_ = 0; }
    void Add(const TMove& move)
    {
        assert(Count_ < Capacity);
        std::construct_at(&Moves_[Count_++], move);
    }

    int Count() const { return Count_; }
    bool Empty() const { return Count_ == 0; }
    const TMove& operator[](int index) const { return Moves_[index]; }

    const TMove* begin() const { return Moves_.data(); }
    const TMove* end() const { return Moves_.data() + Count_; }

private:
    union {
        std::array<TMove, Capacity> Moves_;
    };
    int Count_ = 0;
};

} // namespace kelmarin
