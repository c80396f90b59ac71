#include "Fen.h"

#include "StandardSquares.h"

#include <array>
#include <cctype>

namespace kelmarin {

namespace {

// "W21,22,K30": one side's pieces in ascending standard numbers.
std::string SideList(const TBoard& board, std::int16_t side)
{
    std::string text(1, side == Red ? 'B' : 'W');
    bool first = true;
    for (int n = 1; n <= PlayingSquareCount; ++n) {
        const std::int16_t code = board[SquareOfStandard(n)];
        if (PieceOwner(code) != side)
            continue;
        if (!first)
            text += ',';
        first = false;
        if (IsKing(code))
            text += 'K';
        text += std::to_string(n);
    }
    return text;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// A square number 1..32 at the start of text, taken off it; 0 when there is none or it is too large.
int TakeNumber(std::string_view& text)
{
    int value = 0;
    std::size_t length = 0;
    while (length < text.size() && length < 3 && std::isdigit(static_cast<unsigned char>(text[length])))
        value = value * 10 + (text[length++] - '0');
    if (length == 0 || (length < text.size() && std::isdigit(static_cast<unsigned char>(text[length]))))
        return 0;
    text.remove_prefix(length);
    return value >= 1 && value <= PlayingSquareCount ? value : 0;
}

// One item of a side's list: "21", "K30" or a range "1-12", "K1-3". Puts the pieces on the board.
bool ReadItem(std::string_view item, std::int16_t side, TBoard& board, std::string* reason)
{
    const std::string written(item);
    item = Trim(item);
    const bool king = !item.empty() && (item.front() == 'K' || item.front() == 'k');
    if (king)
        item.remove_prefix(1);
    const int from = TakeNumber(item);
    int to = from;
    if (from != 0 && !item.empty() && item.front() == '-') {
        item.remove_prefix(1);
        to = TakeNumber(item);
    }
    if (from == 0 || to < from || !Trim(item).empty()) {
        *reason = "\"" + written + "\" is not a square, a king's square or a range of squares 1..32";
        return false;
    }
    for (int n = from; n <= to; ++n) {
        const TSquare square = SquareOfStandard(n);
        if (board[square] != Empty) {
            *reason = "square " + std::to_string(n) + " is given twice";
            return false;
        }
        // A man never stands on the row where it would have been crowned.
        const int crowningRow = side == Red ? 1 : 8;
        if (!king && square.J == crowningRow) {
            *reason = "a man stands on square " + std::to_string(n) + ", on its crowning row";
            return false;
        }
        const std::int16_t man = side == Red ? RedMan : BlueMan;
        board[square] = king ? static_cast<std::int16_t>(man + 2) : man;
    }
    return true;
}

// "W21,22,K30" (the colour letter already checked) onto the board.
bool ReadSideList(std::string_view list, std::int16_t side, TBoard& board, std::string* reason)
{
    list.remove_prefix(1);
    while (!Trim(list).empty()) {
        const std::size_t comma = list.find(',');
        if (!ReadItem(list.substr(0, comma), side, board, reason))
            return false;
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return true;
}

std::int16_t SideOfLetter(char letter)
{
    if (letter == 'B' || letter == 'b')
        return Red;
    if (letter == 'W' || letter == 'w')
        return Blue;
    return NoSide;
}

} // namespace

std::string PositionFen(const TBoard& board, std::int16_t sideToMove)
{
    return std::string(1, sideToMove == Red ? 'B' : 'W') + ':' + SideList(board, Blue) + ':' +
           SideList(board, Red);
}

std::optional<TFenPosition> ReadFen(std::string_view fen, std::string* reason)
{
    std::string ignored;
    if (reason == nullptr)
        reason = &ignored;
    fen = Trim(fen);
    if (!fen.empty() && fen.back() == '.')
        fen.remove_suffix(1);
    TFenPosition position;
    std::array<bool, 3> listed{};
    for (int part = 0; !fen.empty() || part < 3; ++part) {
        const std::size_t colon = fen.find(':');
        const std::string_view field = Trim(fen.substr(0, colon));
        fen = colon == std::string_view::npos ? std::string_view{} : fen.substr(colon + 1);
        const std::int16_t side = field.empty() ? NoSide : SideOfLetter(field.front());
        if (part == 0) {
            position.SideToMove = side;
            if (side == NoSide || field.size() != 1) {
                *reason = "the FEN does not begin with the side to move, B or W";
                return std::nullopt;
            }
            continue;
        }
        if (part > 2 || side == NoSide || listed[static_cast<std::size_t>(side)]) {
            *reason = "the FEN has not exactly one list of squares for W and one for B";
            return std::nullopt;
        }
        listed[static_cast<std::size_t>(side)] = true;
        if (!ReadSideList(field, side, position.Board, reason))
            return std::nullopt;
    }
    return position;
}

} // namespace kelmarin
