// Which applied steps form one turn.
//
// A turn is a run of consecutive steps whose movers belong to the same side, so a multi-jump, one
// step a jump, is one turn. Turns are told apart only by the change of side between neighbouring
// steps, never by a flag in the record. The move list of the Info window and the PDN writer both
// group the history here.
#pragma once

#include "TMove.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kelmarin {

struct TTurn {
    int First = 0;         // index of its first step in the steps grouped
    int Count = 0;         // how many steps it has, at least 1
    std::int16_t Side = 0; // the mover, PieceOwner of the steps' Coin
};

std::vector<TTurn> GroupTurns(std::span<const TMove> steps);

} // namespace kelmarin
