#include "StrongPosition.h"

#include <array>

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
    return keys;
}();

// The row where a man of each side is crowned: Blue's men run toward row 8, Red's toward row 1.
constexpr std::array<Bitboard, 2> CrownRow = {RowMask(8), RowMask(1)};

} // namespace

StrongPosition StrongPosition::FromGame(const GameState& game)
{
    int jumping = NoSquare;
    int reversible = 0;
    if (game.HistoryPos > 0) {
        const TMove& last = game.HistoryEntry(game.HistoryPos);
        if (PieceOwner(last.Coin) == game.SideToMove && last.CapturedCoin != 0)
            jumping = ScanIndex(last.ToI, last.ToJ);
        for (int k = game.HistoryPos; k >= 1; --k) {
            const TMove& step = game.HistoryEntry(k);
            if (!IsKing(step.Coin) || step.CapturedCoin != 0)
                break;
            ++reversible;
        }
    }
    StrongPosition position = FromBoard(game.Board, game.SideToMove, jumping, game.HistoryPos);
    position.Reversible_ = reversible;
    return position;
}

StrongPosition StrongPosition::FromBoard(const TBoard& board, std::int16_t side, int jumping, int stepsPlayed)
{
    StrongPosition position;
    for (int k = 0; k < PlayingSquareCount; ++k) {
        const std::int16_t code = board[ScanOrder[k]];
        const std::int16_t owner = PieceOwner(code);
        if (owner != Blue && owner != Red)
            continue;
        position.Pieces_[owner - 1] |= SquareBit(k);
        if (IsKing(code))
            position.Kings_ |= SquareBit(k);
    }
    position.Side_ = side;
    position.Jumping_ = jumping;
    position.Steps_ = stepsPlayed;
    position.Key_ = position.ComputeKey();
    return position;
}

std::uint64_t StrongPosition::ComputeKey() const
{
    std::uint64_t key = Side_ == Blue ? Zobrist.BlueToMove : 0;
    for (int s = 0; s < 2; ++s)
        for (Bitboard rest = Pieces_[s]; rest != 0; rest &= rest - 1) {
            const int square = FirstSquare(rest);
            key ^= Zobrist.Piece[s][(Kings_ >> square) & 1][square];
        }
    if (Jumping_ != NoSquare)
        key ^= Zobrist.Jumping[Jumping_];
    return key;
}

std::int16_t StrongPosition::CodeAt(int square) const
{
    const Bitboard bit = SquareBit(square);
    const std::int16_t king = (Kings_ & bit) != 0 ? 2 : 0;
    if ((Pieces_[0] & bit) != 0)
        return static_cast<std::int16_t>(BlueMan + king);
    if ((Pieces_[1] & bit) != 0)
        return static_cast<std::int16_t>(RedMan + king);
    return kelmarin::Empty;
}

Bitboard StrongPosition::Capturers(Bitboard from) const
{
    const Bitboard opponent = Pieces(Opponent(Side_));
    const Bitboard empty = Empty();
    Bitboard found = 0;
    for (int d = 0; d < DirectionCount; ++d) {
        const Bitboard movers = MovesAlong(Side_, false, d) ? from : from & Kings_;
        const Bitboard landings = Shift(Shift(movers, d) & opponent, d) & empty;
        found |= Shift(Shift(landings, 3 - d), 3 - d); // 3 - d is the opposite direction
    }
    return found;
}

bool StrongPosition::HasCapture() const
{
    if (Jumping_ != NoSquare)
        return (Pieces(Side_) & SquareBit(Jumping_)) != 0 && Capturers(SquareBit(Jumping_)) != 0;
    return Capturers(Pieces(Side_)) != 0;
}

int StrongPosition::CapturesFrom(int square, StrongMove* steps) const
{
    const bool king = (Kings_ & SquareBit(square)) != 0;
    const Bitboard opponent = Pieces(Opponent(Side_));
    const Bitboard empty = Empty();
    int count = 0;
    for (int d = 0; d < DirectionCount; ++d) {
        const int over = Neighbour[square][d];
        if (!MovesAlong(Side_, king, d) || over == NoSquare || (opponent & SquareBit(over)) == 0)
            continue;
        const int landing = Neighbour[over][d];
        if (landing != NoSquare && (empty & SquareBit(landing)) != 0)
            steps[count++] = {static_cast<std::int8_t>(square), static_cast<std::int8_t>(landing),
                              static_cast<std::int8_t>(over)};
    }
    return count;
}

int StrongPosition::StepsFrom(int square, StrongMove* steps) const
{
    const bool king = (Kings_ & SquareBit(square)) != 0;
    const Bitboard empty = Empty();
    int count = 0;
    for (int d = 0; d < DirectionCount; ++d) {
        const int target = Neighbour[square][d];
        if (MovesAlong(Side_, king, d) && target != NoSquare && (empty & SquareBit(target)) != 0)
            steps[count++] = {static_cast<std::int8_t>(square), static_cast<std::int8_t>(target), NoSquare};
    }
    return count;
}

int StrongPosition::GenerateSteps(StrongMove* steps) const
{
    if (Steps_ >= GameState::MaxHistory)
        return 0;
    const Bitboard own = Pieces(Side_);
    if (Jumping_ != NoSquare)
        return (own & SquareBit(Jumping_)) != 0 ? CapturesFrom(Jumping_, steps) : 0;
    int count = 0;
    if (const Bitboard capturers = Capturers(own); capturers != 0) {
        for (Bitboard rest = capturers; rest != 0; rest &= rest - 1)
            count += CapturesFrom(FirstSquare(rest), steps + count);
        return count;
    }
    for (Bitboard rest = own; rest != 0; rest &= rest - 1)
        count += StepsFrom(FirstSquare(rest), steps + count);
    return count;
}

void StrongPosition::Play(const StrongMove& step)
{
    const int s = Side_ - 1;
    const Bitboard from = SquareBit(step.From);
    const Bitboard to = SquareBit(step.To);
    const bool king = (Kings_ & from) != 0;
    const bool crowned = !king && (to & CrownRow[s]) != 0;
    if (Jumping_ != NoSquare)
        Key_ ^= Zobrist.Jumping[Jumping_];
    Jumping_ = NoSquare;

    Pieces_[s] ^= from | to;
    Kings_ &= ~from;
    if (king || crowned)
        Kings_ |= to;
    Key_ ^= Zobrist.Piece[s][king][step.From] ^ Zobrist.Piece[s][king || crowned][step.To];
    if (step.IsCapture()) {
        const Bitboard over = SquareBit(step.Over);
        Key_ ^= Zobrist.Piece[1 - s][(Kings_ & over) != 0][step.Over];
        Pieces_[1 - s] &= ~over;
        Kings_ &= ~over;
    }
    ++Steps_;
    Reversible_ = step.IsCapture() || !king ? 0 : Reversible_ + 1;
    // The landing piece, crowned or not, goes on capturing if it can; the game's step limit ends that.
    if (step.IsCapture() && Steps_ < GameState::MaxHistory && Capturers(to) != 0) {
        Jumping_ = step.To;
        Key_ ^= Zobrist.Jumping[Jumping_];
    } else {
        Side_ = Opponent(Side_);
        Key_ ^= Zobrist.BlueToMove;
    }
}

TMove StrongPosition::ToTMove(const StrongMove& step) const
{
    const TSquare from = ScanOrder[step.From];
    const TSquare to = ScanOrder[step.To];
    return {from.I,
            from.J,
            to.I,
            to.J,
            CodeAt(step.From),
            step.IsCapture() ? CodeAt(step.Over) : std::int16_t{0}};
}

} // namespace kelmarin::strong
