#include "Position.h"

#include <bit>

namespace kelmarin {

namespace {

// The directions each piece code tries, in the game's order: DI = -1 before +1, and within each a man
// only forward, a king backward before forward.
struct TPieceDirections {
    int Count;
    std::array<std::int8_t, 4> D;
};
constexpr TPieceDirections PieceDirections[5] = {
    {0, {}}, {2, {1, 3, 0, 0}}, {2, {0, 2, 0, 0}}, {4, {0, 1, 2, 3}}, {4, {1, 0, 3, 2}}};

// The row where a man of each side is crowned: Blue's men run toward row 8, Red's toward row 1.
constexpr std::array<std::uint32_t, 2> CrownRow = {RowMask(8), RowMask(1)};

// The pieces of movers that can jump in direction d: seen from the landing square backward.
template <int d> std::uint32_t Jumpers(std::uint32_t movers, std::uint32_t opponents, std::uint32_t empty)
{
    return movers & StepMask<3 - d>(StepMask<3 - d>(empty) & opponents);
}

// Of the pieces `men` and `kings` of `side`, those with a capture.
std::uint32_t AllJumpers(std::int16_t side, std::uint32_t pieces, std::uint32_t kings,
                         std::uint32_t opponents, std::uint32_t empty)
{
    // Blue's men go in directions 1 and 3, Red's in 0 and 2; kings go every way.
    if (kings == 0)
        return side == Blue ? Jumpers<1>(pieces, opponents, empty) | Jumpers<3>(pieces, opponents, empty)
                            : Jumpers<0>(pieces, opponents, empty) | Jumpers<2>(pieces, opponents, empty);
    const std::uint32_t up = side == Blue ? pieces : kings;
    const std::uint32_t down = side == Blue ? kings : pieces;
    return Jumpers<0>(down, opponents, empty) | Jumpers<2>(down, opponents, empty) |
           Jumpers<1>(up, opponents, empty) | Jumpers<3>(up, opponents, empty);
}

// The bits set in a mask, as byte counts (0..8) that several masks can add up before the total.
constexpr std::uint32_t ByteCounts(std::uint32_t x)
{
    x -= (x >> 1) & 0x55555555u;
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    return (x + (x >> 4)) & 0x0F0F0F0Fu;
}
constexpr int TotalOfByteCounts(std::uint32_t counts)
{
    return static_cast<int>((counts * 0x01010101u) >> 24);
}

// The ways a capture by the piece `code` on square k can go on to the end of the turn: the piece
// leaves its square, the jumped piece is removed at once, a man that lands on the far row is crowned
// and goes on as a king unless crowning ends the turn.
std::uint64_t CapturePaths(int k, std::int16_t code, std::uint32_t opponents, std::uint32_t empty,
                           bool endOnCrowning)
{
    const TPieceDirections& directions = PieceDirections[code];
    std::uint64_t paths = 0;
    for (int n = 0; n < directions.Count; ++n) {
        const int d = directions.D[n];
        const int over = Neighbour[k][d];
        const int land = JumpLanding[k][d];
        if (land < 0 || !(opponents >> over & 1) || !(empty >> land & 1))
            continue;
        const bool crowned = !IsKing(code) && (ScanOrder[land].J == 1 || ScanOrder[land].J == 8);
        if (crowned && endOnCrowning) {
            ++paths;
            continue;
        }
        const std::uint32_t emptyAfter = (empty | SquareBit(k) | SquareBit(over)) & ~SquareBit(land);
        const std::uint64_t further = CapturePaths(land, crowned ? static_cast<std::int16_t>(code + 2) : code,
                                                   opponents & ~SquareBit(over), emptyAfter, endOnCrowning);
        paths += further != 0 ? further : 1;
    }
    return paths;
}

} // namespace

Position Position::FromMasks(std::uint32_t blue, std::uint32_t red, std::uint32_t kings, std::int16_t side,
                             int jumping, Rules rules)
{
    Position position;
    position.Pieces_ = {blue, red};
    position.Kings_ = kings;
    position.Side_ = side;
    position.Jumping_ = static_cast<std::int8_t>(jumping);
    position.Rules_ = rules;
    return position;
}

Position Position::FromBoard(const TBoard& board, std::int16_t side, int jumping, Rules rules,
                             std::uint32_t squares)
{
    std::uint32_t pieces[3] = {0, 0, 0};
    std::uint32_t kings = 0;
    for (std::uint32_t rest = squares; rest != 0; rest &= rest - 1) {
        const int k = std::countr_zero(rest);
        const std::int16_t code = board.Cell(ScanCells[k]);
        const std::int16_t owner = PieceOwner(code);
        if (owner != Blue && owner != Red)
            continue;
        pieces[owner] |= SquareBit(k);
        if (IsKing(code))
            kings |= SquareBit(k);
    }
    return FromMasks(pieces[Blue], pieces[Red], kings, side, jumping, rules);
}

std::int16_t Position::CodeAt(int square) const
{
    const std::uint32_t bit = SquareBit(square);
    const std::int16_t king = (Kings_ & bit) != 0 ? 2 : 0;
    if ((Pieces_[0] & bit) != 0)
        return static_cast<std::int16_t>(BlueMan + king);
    if ((Pieces_[1] & bit) != 0)
        return static_cast<std::int16_t>(RedMan + king);
    return kelmarin::Empty;
}

std::uint32_t Position::Capturers(std::uint32_t from) const
{
    return AllJumpers(Side_, from, from & Kings_, Pieces(Opponent(Side_)), Empty());
}

bool Position::HasCapture() const
{
    if (Jumping_ != NoSquare)
        return Capturers(Pieces(Side_) & SquareBit(Jumping_)) != 0;
    return Capturers(Pieces(Side_)) != 0;
}

int Position::GenerateSteps(TStep* steps) const
{
    const std::uint32_t own = Pieces(Side_);
    const std::uint32_t opponents = Pieces(Opponent(Side_));
    const std::uint32_t empty = Empty();
    const std::uint8_t going = Jumping_ != NoSquare ? TStep::GoesOnJumping : 0;
    // In the middle of a multi-jump only the landing piece may go on, and only by capturing.
    const std::uint32_t capturers = Capturers(going ? own & SquareBit(Jumping_) : own);
    int count = 0;
    if (capturers != 0 || going) {
        for (std::uint32_t rest = capturers; rest != 0; rest &= rest - 1) {
            const int k = std::countr_zero(rest);
            const bool king = (Kings_ >> k & 1) != 0;
            const TPieceDirections& directions = PieceDirections[Side_ + (king ? 2 : 0)];
            for (int n = 0; n < directions.Count; ++n) {
                const int d = directions.D[n];
                const int over = Neighbour[k][d];
                const int land = JumpLanding[k][d];
                if (land < 0 || !(opponents >> over & 1) || !(empty >> land & 1))
                    continue;
                const auto flags =
                    static_cast<std::uint8_t>((king ? TStep::MoverIsKing : 0) |
                                              ((Kings_ >> over & 1) ? TStep::CapturedIsKing : 0) | going);
                steps[count++] = {static_cast<std::int8_t>(k), static_cast<std::int8_t>(land),
                                  static_cast<std::int8_t>(over), flags};
            }
        }
        return count;
    }
    for (std::uint32_t rest = own; rest != 0; rest &= rest - 1) {
        const int k = std::countr_zero(rest);
        const bool king = (Kings_ >> k & 1) != 0;
        const TPieceDirections& directions = PieceDirections[Side_ + (king ? 2 : 0)];
        for (int n = 0; n < directions.Count; ++n) {
            const int to = Neighbour[k][directions.D[n]];
            if (to >= 0 && (empty >> to & 1))
                steps[count++] = {static_cast<std::int8_t>(k), static_cast<std::int8_t>(to), NoSquare,
                                  king ? TStep::MoverIsKing : std::uint8_t{0}};
        }
    }
    return count;
}

void Position::Play(const TStep& step)
{
    const int s = Side_ - 1;
    const std::uint32_t from = SquareBit(step.From);
    const std::uint32_t to = SquareBit(step.To);
    const bool king = (step.Flags & TStep::MoverIsKing) != 0;
    const bool crowned = !king && (to & CrownRow[s]) != 0;
    Pieces_[s] ^= from | to;
    if (king)
        Kings_ ^= from | to;
    else if (crowned)
        Kings_ |= to;
    Jumping_ = NoSquare;
    if (step.IsCapture()) {
        const std::uint32_t over = SquareBit(step.Over);
        Pieces_[1 - s] &= ~over;
        Kings_ &= ~over;
        // The landing piece goes on capturing while it can; English rules stop a man just crowned.
        if (!(crowned && CrowningEndsTurn(Rules_)) && Capturers(to) != 0) {
            Jumping_ = step.To;
            return;
        }
    }
    Side_ = Opponent(Side_);
}

void Position::TakeBack(const TStep& step)
{
    if (Jumping_ == NoSquare)
        Side_ = Opponent(Side_);
    const int s = Side_ - 1;
    const std::uint32_t from = SquareBit(step.From);
    const std::uint32_t to = SquareBit(step.To);
    Pieces_[s] ^= from | to;
    Kings_ &= ~to;
    if (step.Flags & TStep::MoverIsKing)
        Kings_ |= from;
    if (step.IsCapture()) {
        const std::uint32_t over = SquareBit(step.Over);
        Pieces_[1 - s] |= over;
        if (step.Flags & TStep::CapturedIsKing)
            Kings_ |= over;
    }
    Jumping_ = static_cast<std::int8_t>(step.Flags & TStep::GoesOnJumping ? step.From : NoSquare);
}

namespace {

// The squares from which a jump along direction d finds an opponent piece and an empty square beyond.
template <int d> std::uint32_t JumpsFrom(std::uint32_t opponents, std::uint32_t empty)
{
    return StepMask<3 - d>(StepMask<3 - d>(empty) & opponents);
}

// The capture paths of `side`, which has a capture, counted jump by jump in bulk. A jump along d that
// lands on l can go on along e only over a piece and onto a square that the jump did not touch, unless
// e turns straight back: so whether it goes on is read on the masks from before the jump, and only the
// jumps that do go on are followed one by one.
std::uint64_t CapturingTurns(std::int16_t side, std::uint32_t own, std::uint32_t ownKings,
                             std::uint32_t opponents, bool endOnCrowning)
{
    const std::uint32_t empty = ~(own | opponents);
    const std::uint32_t from[4] = {JumpsFrom<0>(opponents, empty), JumpsFrom<1>(opponents, empty),
                                   JumpsFrom<2>(opponents, empty), JumpsFrom<3>(opponents, empty)};
    const std::uint32_t crownRow = CrownRow[side - 1];
    const std::uint32_t manGoesOn = side == Blue ? from[1] | from[3] : from[0] | from[2];
    std::uint64_t paths = 0;
    const auto along = [&]<int d>() {
        const bool forward = MovesAlong(side, false, d);
        const std::uint32_t jumpers = (forward ? own : ownKings) & from[d];
        if (jumpers == 0)
            return;
        std::uint32_t kingGoesOn = 0;
        for (int e = 0; e < 4; ++e)
            if (e != 3 - d)
                kingGoesOn |= from[e];
        const std::uint32_t landings = StepMask<d>(StepMask<d>(jumpers));
        const std::uint32_t kingLandings = StepMask<d>(StepMask<d>(jumpers & ownKings));
        const std::uint32_t manLandings = landings & ~kingLandings;
        const std::uint32_t goesOn = (kingLandings & kingGoesOn) | (manLandings & ~crownRow & manGoesOn) |
                                     (endOnCrowning ? 0 : manLandings & crownRow & kingGoesOn);
        paths += static_cast<std::uint64_t>(TotalOfByteCounts(ByteCounts(landings & ~goesOn)));
        for (std::uint32_t rest = goesOn; rest != 0; rest &= rest - 1) {
            const int land = std::countr_zero(rest);
            const int over = Neighbour[land][3 - d];
            const int origin = Neighbour[over][3 - d];
            const bool king = (ownKings >> origin & 1) != 0 || (crownRow >> land & 1) != 0;
            const std::uint32_t emptyAfter = (empty | SquareBit(origin) | SquareBit(over)) & ~SquareBit(land);
            paths += CapturePaths(land, static_cast<std::int16_t>(side + (king ? 2 : 0)),
                                  opponents & ~SquareBit(over), emptyAfter, endOnCrowning);
        }
    };
    along.template operator()<0>();
    along.template operator()<1>();
    along.template operator()<2>();
    along.template operator()<3>();
    return paths;
}

// The whole turns of `side`, owning `own`, not in a multi-jump.
std::uint64_t TurnsOnMasks(std::int16_t side, std::uint32_t own, std::uint32_t opponents, std::uint32_t kings,
                           bool endOnCrowning)
{
    const std::uint32_t empty = ~(own | opponents);
    const std::uint32_t ownKings = own & kings;
    const std::uint32_t jumpers = AllJumpers(side, own, ownKings, opponents, empty);
    if (jumpers == 0 && ownKings == 0)
        return static_cast<std::uint64_t>(TotalOfByteCounts(
            side == Blue ? ByteCounts(StepMask<1>(own) & empty) + ByteCounts(StepMask<3>(own) & empty)
                         : ByteCounts(StepMask<0>(own) & empty) + ByteCounts(StepMask<2>(own) & empty)));
    if (jumpers == 0) {
        const std::uint32_t up = side == Blue ? own : ownKings;
        const std::uint32_t down = side == Blue ? ownKings : own;
        return static_cast<std::uint64_t>(
            TotalOfByteCounts(ByteCounts(StepMask<0>(down) & empty) + ByteCounts(StepMask<2>(down) & empty) +
                              ByteCounts(StepMask<1>(up) & empty) + ByteCounts(StepMask<3>(up) & empty)));
    }
    return CapturingTurns(side, own, ownKings, opponents, endOnCrowning);
}

// The opponent's simple steps after a simple step of ours: its pieces stay where they are, so only the
// two squares our piece leaves and enters change its count, by how many of its pieces point at each.
struct TOpponentSteps {
    std::uint32_t Targets[4]; // the squares its pieces step onto in each direction, empty or not
    std::uint64_t Count;      // its simple steps as the board stands

    TOpponentSteps(std::int16_t side, std::uint32_t pieces, std::uint32_t kings, std::uint32_t empty)
    {
        const std::uint32_t up = side == Blue ? pieces : kings;
        const std::uint32_t down = side == Blue ? kings : pieces;
        Targets[0] = StepMask<0>(down);
        Targets[1] = StepMask<1>(up);
        Targets[2] = StepMask<2>(down);
        Targets[3] = StepMask<3>(up);
        Count = static_cast<std::uint64_t>(
            TotalOfByteCounts(ByteCounts(Targets[0] & empty) + ByteCounts(Targets[1] & empty) +
                              ByteCounts(Targets[2] & empty) + ByteCounts(Targets[3] & empty)));
    }
    int PointingAt(std::uint32_t square) const
    {
        return ((Targets[0] & square) != 0) + ((Targets[1] & square) != 0) + ((Targets[2] & square) != 0) +
               ((Targets[3] & square) != 0);
    }
};

// The opponent's whole turns after each simple step of `side` in direction d, added up; `movers` are
// the pieces that may go that way.
template <int d>
std::uint64_t TurnsAfterStepsAlong(std::int16_t side, std::uint32_t movers, std::uint32_t own,
                                   std::uint32_t opponents, std::uint32_t kings, const TOpponentSteps& steps,
                                   bool endOnCrowning)
{
    const std::int16_t opponent = Opponent(side);
    const std::uint32_t crownRow = CrownRow[side - 1];
    const std::uint32_t empty = ~(own | opponents);
    std::uint64_t turns = 0;
    for (std::uint32_t rest = movers & StepMask<3 - d>(empty); rest != 0; rest &= rest - 1) {
        const std::uint32_t from = rest & (0u - rest);
        const std::uint32_t to = StepMask<d>(from);
        const std::uint32_t ownAfter = own ^ (from | to);
        const std::uint32_t emptyAfter = empty ^ (from | to);
        if (AllJumpers(opponent, opponents, opponents & kings, ownAfter, emptyAfter) == 0) {
            turns += steps.Count + static_cast<std::uint64_t>(steps.PointingAt(from)) -
                     static_cast<std::uint64_t>(steps.PointingAt(to));
            continue;
        }
        const std::uint32_t kingsAfter = (kings & from) != 0    ? kings ^ (from | to)
                                         : (to & crownRow) != 0 ? kings | to
                                                                : kings;
        turns += TurnsOnMasks(opponent, opponents, ownAfter, kingsAfter, endOnCrowning);
    }
    return turns;
}

} // namespace

std::uint64_t Position::CountTurns() const
{
    const bool endOnCrowning = CrowningEndsTurn(Rules_);
    if (Jumping_ != NoSquare)
        return (Pieces(Side_) >> Jumping_ & 1)
                   ? CapturePaths(Jumping_, CodeAt(Jumping_), Pieces(Opponent(Side_)), Empty(), endOnCrowning)
                   : 0;
    return TurnsOnMasks(Side_, Pieces(Side_), Pieces(Opponent(Side_)), Kings_, endOnCrowning);
}

std::uint64_t Position::CountTurnsAfterSimpleSteps() const
{
    const std::uint32_t own = Pieces(Side_);
    const std::uint32_t opponents = Pieces(Opponent(Side_));
    const std::uint32_t up = Side_ == Blue ? own : own & Kings_;
    const std::uint32_t down = Side_ == Blue ? own & Kings_ : own;
    const bool end = CrowningEndsTurn(Rules_);
    const TOpponentSteps steps(Opponent(Side_), opponents, opponents & Kings_, Empty());
    return TurnsAfterStepsAlong<0>(Side_, down, own, opponents, Kings_, steps, end) +
           TurnsAfterStepsAlong<1>(Side_, up, own, opponents, Kings_, steps, end) +
           TurnsAfterStepsAlong<2>(Side_, down, own, opponents, Kings_, steps, end) +
           TurnsAfterStepsAlong<3>(Side_, up, own, opponents, Kings_, steps, end);
}

TMove Position::ToTMove(const TStep& step) const
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

TStep Position::FromTMove(const TMove& m)
{
    const bool capture = m.CapturedCoin != kelmarin::Empty;
    const TSquare over = JumpedSquare(m);
    return {static_cast<std::int8_t>(ScanIndex(m.FromI, m.FromJ)),
            static_cast<std::int8_t>(ScanIndex(m.ToI, m.ToJ)),
            static_cast<std::int8_t>(capture ? ScanIndex(over.I, over.J) : NoSquare),
            static_cast<std::uint8_t>((IsKing(m.Coin) ? TStep::MoverIsKing : 0) |
                                      (capture && IsKing(m.CapturedCoin) ? TStep::CapturedIsKing : 0))};
}

std::uint64_t Perft(const Position& position, int depth)
{
    if (depth <= 0)
        return 1;
    // The last turn is counted without playing its steps.
    if (depth == 1)
        return position.CountTurns();
    // The turn before the last: with no capture due every step ends it, and the last turn is counted
    // after each without playing it.
    if (depth == 2 && position.Jumping() == NoSquare && !position.HasCapture())
        return position.CountTurnsAfterSimpleSteps();
    TStep steps[MaxSteps];
    const int count = position.GenerateSteps(steps);
    std::uint64_t nodes = 0;
    for (int k = 0; k < count; ++k) {
        Position child = position;
        child.Play(steps[k]);
        // A capture that goes on is still the same turn.
        nodes += Perft(child, child.Jumping() != NoSquare ? depth : depth - 1);
    }
    return nodes;
}

} // namespace kelmarin
