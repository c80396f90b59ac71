#include "SearchPosition.h"

#include <bit>

namespace kelmarin::strong {

namespace {

// Fixed random numbers, so that keys are the same from run to run.
constexpr std::uint64_t SplitMix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

struct ZobristKeys {
    std::uint64_t Piece[2][2][PlayingSquareCount]{}; // side, king, square
    std::uint64_t Jumping[PlayingSquareCount]{};
    std::uint64_t BlueToMove = 0;
    // The table is kept between searches, which may play different rules.
    std::uint64_t EnglishRules = 0;
};

constexpr ZobristKeys Zobrist = [] {
    ZobristKeys keys;
    std::uint64_t state = 0x4B656C6D6172696EULL;
    for (auto& side : keys.Piece)
        for (auto& kind : side)
            for (auto& key : kind)
                key = SplitMix(state);
    for (auto& key : keys.Jumping)
        key = SplitMix(state);
    keys.BlueToMove = SplitMix(state);
    keys.EnglishRules = SplitMix(state);
    return keys;
}();

} // namespace

SearchPosition SearchPosition::FromGame(const GameState& game)
{
    int reversible = 0;
    for (int k = game.HistoryPos; k >= 1; --k) {
        const TMove& step = game.HistoryEntry(k);
        if (!IsKing(step.Coin) || step.CapturedCoin != 0)
            break;
        ++reversible;
    }
    SearchPosition position;
    position.Board_ = game.PositionFor(game.SideToMove);
    position.Steps_ = game.HistoryPos;
    position.Reversible_ = reversible;
    position.Key_ = position.ComputeKey();
    return position;
}

SearchPosition SearchPosition::FromBoard(const TBoard& board, std::int16_t side, int jumping, int stepsPlayed,
                                         Rules rules)
{
    SearchPosition position;
    position.Board_ = Position::FromBoard(board, side, jumping, rules);
    position.Steps_ = stepsPlayed;
    position.Key_ = position.ComputeKey();
    return position;
}

std::uint64_t SearchPosition::ComputeKey() const
{
    std::uint64_t key = Board_.SideToMove() == Blue ? Zobrist.BlueToMove : 0;
    for (const std::int16_t side : {Blue, Red})
        for (std::uint32_t rest = Board_.Pieces(side); rest != 0; rest &= rest - 1) {
            const int square = std::countr_zero(rest);
            key ^= Zobrist.Piece[side - 1][(Board_.Kings() >> square) & 1][square];
        }
    if (Board_.Jumping() != NoSquare)
        key ^= Zobrist.Jumping[Board_.Jumping()];
    if (Board_.GameRules() == Rules::English)
        key ^= Zobrist.EnglishRules;
    return key;
}

void SearchPosition::Play(const TStep& step)
{
    const int s = Board_.SideToMove() - 1;
    const bool king = (step.Flags & TStep::MoverIsKing) != 0;
    if (Board_.Jumping() != NoSquare)
        Key_ ^= Zobrist.Jumping[Board_.Jumping()];
    Board_.Play(step);
    ++Steps_;
    // The game's step limit ends a multi-jump too.
    if (Steps_ >= GameState::MaxHistory && Board_.Jumping() != NoSquare)
        Board_ = Position::FromMasks(Board_.Pieces(Blue), Board_.Pieces(Red), Board_.Kings(),
                                     Opponent(Board_.SideToMove()), NoSquare, Board_.GameRules());
    Key_ ^= Zobrist.Piece[s][king][step.From] ^ Zobrist.Piece[s][(Board_.Kings() >> step.To) & 1][step.To];
    if (step.IsCapture())
        Key_ ^= Zobrist.Piece[1 - s][(step.Flags & TStep::CapturedIsKing) != 0][step.Over];
    if (Board_.Jumping() != NoSquare)
        Key_ ^= Zobrist.Jumping[Board_.Jumping()];
    else
        Key_ ^= Zobrist.BlueToMove;
    Reversible_ = step.IsCapture() || !king ? 0 : Reversible_ + 1;
}

} // namespace kelmarin::strong
