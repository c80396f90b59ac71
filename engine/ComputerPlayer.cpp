#include "ComputerPlayer.h"

namespace kelmarin {

ComputerPlayer::ComputerPlayer(GameState& game) : Game_(game) {}

void ComputerPlayer::Seed(std::uint32_t) {}

TChoice ComputerPlayer::ChooseComputerMove(std::int16_t side)
{
    // Placeholder until the search lands: the first legal step.
    MoveList list;
    Game_.GenerateMoves(side, list);
    return {list[0], 0};
}

} // namespace kelmarin
