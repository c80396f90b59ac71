// A plain 32-bit bitboard perft, written apart from the game's code, as the yardstick for
// `kelmarin-cli perft`: the same counts of whole turns from the starting position, measured side by
// side with it.
//
//   reference_perft DEPTH [--end-on-crowning]
//
// Squares are numbered row by row from the top, four to a row; a man of the side that starts moves up.
// Every multi-jump is generated whole, one move per capture path, and moves are made on a copy. The
// last ply is counted without making its moves. A man crowned by a capture goes on capturing as a king
// unless --end-on-crowning is given.
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Mask = std::uint32_t;

struct Board {
    Mask Own; // side to move
    Mask Other;
    Mask Kings;
    bool OwnMovesUp; // the side that started moves toward row 0
};

struct Move {
    Mask From, To, Captured;
    bool Crowned; // a man that ends the move as a king
};

constexpr Mask Row(int r)
{
    return Mask{0xF} << (4 * r);
}
constexpr Mask EvenRows = Row(0) | Row(2) | Row(4) | Row(6);
constexpr Mask OddRows = ~EvenRows;
constexpr Mask FirstInRow = 0x11111111u;
constexpr Mask LastInRow = 0x88888888u;

// Steps of direction: 0 up-left, 1 up-right, 2 down-left, 3 down-right; squares that would leave the
// board are masked out before the shift.
inline Mask StepOf(Mask m, int d)
{
    switch (d) {
    case 0: // up-left: even rows -4, odd rows -5
        m &= ~Row(0);
        return ((m & EvenRows) >> 4) | ((m & OddRows & ~FirstInRow) >> 5);
    case 1: // up-right: even rows -3, odd rows -4
        m &= ~Row(0);
        return ((m & EvenRows & ~LastInRow) >> 3) | ((m & OddRows) >> 4);
    case 2: // down-left: even rows +4, odd rows +3
        m &= ~Row(7);
        return ((m & EvenRows) << 4) | ((m & OddRows & ~FirstInRow) << 3);
    default: // down-right: even rows +5, odd rows +4
        m &= ~Row(7);
        return ((m & EvenRows & ~LastInRow) << 5) | ((m & OddRows) << 4);
    }
}

int Neighbour[32][4];
int EndOnCrowning = 0;

void BuildTables()
{
    for (int s = 0; s < 32; ++s)
        for (int d = 0; d < 4; ++d) {
            const Mask to = StepOf(Mask{1} << s, d);
            Neighbour[s][d] = to ? std::countr_zero(to) : -1;
        }
}

// The directions a piece may use: a man forward only.
inline bool Allowed(bool king, bool up, int d)
{
    return king || (up ? d < 2 : d >= 2);
}

inline Mask CrownRow(bool up)
{
    return up ? Row(0) : Row(7);
}

inline Mask Jumpers(const Board& b)
{
    const Mask empty = ~(b.Own | b.Other);
    Mask found = 0;
    for (int d = 0; d < 4; ++d) {
        const Mask movers = Allowed(false, b.OwnMovesUp, d) ? b.Own : b.Own & b.Kings;
        const int back = 3 - d;
        found |= movers & StepOf(StepOf(empty, back) & b.Other, back);
    }
    return found;
}

// Follows every capture path of the piece on s; adds each finished path to moves (or only counts it).
void Jumps(int s, Mask origin, Mask own, Mask other, Mask captured, bool king, bool startedKing, bool up,
           Move* moves, int& count)
{
    bool any = false;
    for (int d = 0; d < 4; ++d) {
        if (!Allowed(king, up, d))
            continue;
        const int over = Neighbour[s][d];
        if (over < 0 || !(other >> over & 1))
            continue;
        const int land = Neighbour[over][d];
        if (land < 0 || ((own | other) >> land & 1))
            continue;
        any = true;
        const Mask landing = Mask{1} << land;
        const bool crowned = !king && (landing & CrownRow(up)) != 0;
        const Mask ownAfter = (own & ~(Mask{1} << s)) | landing;
        const Mask otherAfter = other & ~(Mask{1} << over);
        if (crowned && EndOnCrowning) {
            if (moves)
                moves[count] = {origin, landing, captured | Mask{1} << over, true};
            ++count;
            continue;
        }
        Jumps(land, origin, ownAfter, otherAfter, captured | Mask{1} << over, king || crowned, startedKing,
              up, moves, count);
    }
    if (!any && captured != 0) {
        if (moves)
            moves[count] = {origin, Mask{1} << s, captured, king && !startedKing};
        ++count;
    }
}

int Generate(const Board& b, Move* moves)
{
    int count = 0;
    if (const Mask jumpers = Jumpers(b); jumpers != 0) {
        for (Mask rest = jumpers; rest; rest &= rest - 1) {
            const int s = std::countr_zero(rest);
            const bool king = (b.Kings >> s & 1) != 0;
            Jumps(s, Mask{1} << s, b.Own, b.Other, 0, king, king, b.OwnMovesUp, moves, count);
        }
        return count;
    }
    const Mask empty = ~(b.Own | b.Other);
    for (int d = 0; d < 4; ++d) {
        const Mask movers = Allowed(false, b.OwnMovesUp, d) ? b.Own : b.Own & b.Kings;
        for (Mask rest = movers; rest; rest &= rest - 1) {
            const Mask from = rest & (0 - rest);
            const Mask to = StepOf(from, d) & empty;
            if (to)
                moves[count++] = {from, to, 0, false};
        }
    }
    return count;
}

int CountMoves(const Board& b)
{
    if (const Mask jumpers = Jumpers(b); jumpers != 0) {
        int count = 0;
        for (Mask rest = jumpers; rest; rest &= rest - 1) {
            const int s = std::countr_zero(rest);
            const bool king = (b.Kings >> s & 1) != 0;
            Jumps(s, Mask{1} << s, b.Own, b.Other, 0, king, king, b.OwnMovesUp, nullptr, count);
        }
        return count;
    }
    const Mask empty = ~(b.Own | b.Other);
    int count = 0;
    for (int d = 0; d < 4; ++d) {
        const Mask movers = Allowed(false, b.OwnMovesUp, d) ? b.Own : b.Own & b.Kings;
        count += std::popcount(StepOf(movers, d) & empty);
    }
    return count;
}

Board Make(const Board& b, const Move& m)
{
    Mask own = (b.Own & ~m.From) | m.To;
    Mask kings = b.Kings & ~m.Captured;
    if (b.Kings & m.From)
        kings = (kings & ~m.From) | m.To;
    else if (m.Crowned || (m.To & CrownRow(b.OwnMovesUp)))
        kings |= m.To;
    return {b.Other & ~m.Captured, own, kings, !b.OwnMovesUp};
}

std::uint64_t Perft(const Board& b, int depth)
{
    if (depth == 1)
        return static_cast<std::uint64_t>(CountMoves(b));
    Move moves[64];
    const int count = Generate(b, moves);
    std::uint64_t nodes = 0;
    for (int k = 0; k < count; ++k)
        nodes += Perft(Make(b, moves[k]), depth - 1);
    return nodes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: reference_perft DEPTH [--end-on-crowning]\n");
        return 2;
    }
    const int depth = std::atoi(argv[1]);
    EndOnCrowning = argc > 2 && std::strcmp(argv[2], "--end-on-crowning") == 0;
    BuildTables();
    // The side to move holds rows 5 to 7 and moves up; the other side holds rows 0 to 2.
    const Board start{Row(5) | Row(6) | Row(7), Row(0) | Row(1) | Row(2), 0, true};
    for (int d = 1; d <= depth; ++d) {
        const auto begin = std::chrono::steady_clock::now();
        const std::uint64_t nodes = Perft(start, d);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        std::printf("perft %d %llu %.3f s\n", d, static_cast<unsigned long long>(nodes), seconds);
        std::fflush(stdout);
    }
    return 0;
}
