#include "GameFile.h"

#include "Notation.h"

#include <algorithm>
#include <string_view>

namespace kelmarin {

namespace {

constexpr std::size_t HistoryOffset = 68;
constexpr std::size_t RecordSize = 12;

void PutInt16(std::vector<std::uint8_t>& out, std::int16_t value)
{
    const auto bits = static_cast<std::uint16_t>(value);
    out.push_back(static_cast<std::uint8_t>(bits & 0xFF));
    out.push_back(static_cast<std::uint8_t>(bits >> 8));
}

std::int16_t GetInt16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::int16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::int32_t GetInt32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    const std::uint32_t bits = bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                               static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
    return static_cast<std::int32_t>(bits);
}

std::string Square(int I, int J)
{
    return "square " +
           std::to_string(SquareNumber(static_cast<std::int16_t>(I), static_cast<std::int16_t>(J)));
}

// The shape of one record, on its own: playing squares, a diagonal step of one or two squares, a real
// piece, and a captured piece exactly when it jumps.
std::string CheckRecord(const TMove& m)
{
    if (!IsPlayingSquare(m.FromI, m.FromJ))
        return "starts on column " + std::to_string(m.FromI) + ", row " + std::to_string(m.FromJ) +
               ", which is not a playing square";
    if (!IsPlayingSquare(m.ToI, m.ToJ))
        return "lands on column " + std::to_string(m.ToI) + ", row " + std::to_string(m.ToJ) +
               ", which is not a playing square";
    const int DI = m.ToI - m.FromI;
    const int DJ = m.ToJ - m.FromJ;
    const int distance = DI < 0 ? -DI : DI;
    if ((distance != 1 && distance != 2) || (DJ != DI && DJ != -DI))
        return "is not a diagonal step of one or two squares";
    if (m.Coin < BlueMan || m.Coin > RedKing)
        return "moves the piece code " + std::to_string(m.Coin) + ", not 1..4";
    if (m.CapturedCoin < Empty || m.CapturedCoin > RedKing)
        return "has the captured piece code " + std::to_string(m.CapturedCoin) + ", not 0..4";
    if (distance == 1 && m.CapturedCoin != Empty)
        return "is a one-square step with a captured piece";
    if (distance == 2 && m.CapturedCoin == Empty)
        return "is a two-square jump without a captured piece";
    return {};
}

// Why record k cannot be taken back on board, or nothing when it can.
std::string CannotTakeBack(const TBoard& board, const TMove& m, int k)
{
    const TSquare mid = JumpedSquare(m);
    const std::string record = "history record " + std::to_string(k) + " cannot be taken back: ";
    if (board(m.ToI, m.ToJ) != LandedCoin(m))
        return record + Square(m.ToI, m.ToJ) + " does not hold the piece that landed there";
    if (board(m.FromI, m.FromJ) != Empty)
        return record + "its starting " + Square(m.FromI, m.FromJ) + " is not empty";
    if (m.CapturedCoin != Empty && board[mid] != Empty)
        return record + "the jumped " + Square(mid.I, mid.J) + " is not empty";
    return {};
}

// Why record k cannot be redone on board, or nothing when it can.
std::string CannotRedo(const TBoard& board, const TMove& m, int k)
{
    const TSquare mid = JumpedSquare(m);
    const std::string record = "history record " + std::to_string(k) + " cannot be redone: ";
    if (board(m.FromI, m.FromJ) != m.Coin)
        return record + "its starting " + Square(m.FromI, m.FromJ) + " does not hold the piece that moves";
    if (board(m.ToI, m.ToJ) != Empty)
        return record + "its landing " + Square(m.ToI, m.ToJ) + " is not empty";
    if (m.CapturedCoin != Empty && board[mid] != m.CapturedCoin)
        return record + "the jumped " + Square(mid.I, mid.J) + " does not hold the captured piece";
    return {};
}

// Takes back records HistoryPos..1 and redoes HistoryPos + 1..N on copies of the stored position,
// exactly as Undo and Redo would, and says where the history first fails to fit.
std::string CheckHistoryFitsPosition(const SavedGame& game)
{
    TBoard board = game.Board;
    for (int k = game.HistoryPos; k >= 1; --k) {
        const TMove& m = game.MoveHistory[static_cast<std::size_t>(k - 1)];
        std::string fault = CannotTakeBack(board, m, k);
        if (!fault.empty())
            return fault;
        RevertStep(board, m);
    }
    board = game.Board;
    for (int k = game.HistoryPos + 1; k <= static_cast<int>(game.MoveHistory.size()); ++k) {
        const TMove& m = game.MoveHistory[static_cast<std::size_t>(k - 1)];
        std::string fault = CannotRedo(board, m, k);
        if (!fault.empty())
            return fault;
        ApplyStep(board, m);
    }
    return {};
}

LoadResult Refuse(std::string reason)
{
    return {std::nullopt, std::move(reason)};
}

constexpr std::string_view TagMagic = "KTAG";
constexpr std::uint8_t TagVersion = 1;
constexpr std::size_t TagHeaderSize = 14;

void PutUnsigned(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * k) & 0xFF));
}

void EncodeTags(std::vector<std::uint8_t>& out, const GameTags& tags)
{
    // Through the bounds, so that whatever is written reads back.
    GameTags kept;
    for (const auto& [name, value] : tags.List)
        AddTag(kept, name, value);
    if (kept.Empty())
        return;
    out.insert(out.end(), TagMagic.begin(), TagMagic.end());
    out.push_back(TagVersion);
    out.push_back(static_cast<std::uint8_t>(kept.List.size()));
    PutUnsigned(out, tags.ResultSteps, 4);
    std::size_t records = 0;
    for (const auto& [name, value] : kept.List)
        records += 1 + name.size() + 2 + value.size();
    PutUnsigned(out, static_cast<std::uint32_t>(records), 4);
    for (const auto& [name, value] : kept.List) {
        out.push_back(static_cast<std::uint8_t>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        PutUnsigned(out, static_cast<std::uint32_t>(value.size()), 2);
        out.insert(out.end(), value.begin(), value.end());
    }
}

// The tags of the block at the start of bytes, or none when there is no block or it is not sound.
GameTags DecodeTags(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < TagHeaderSize || !std::equal(TagMagic.begin(), TagMagic.end(), bytes.begin()) ||
        bytes[4] != TagVersion)
        return {};
    const std::size_t count = bytes[5];
    const auto records = static_cast<std::uint32_t>(GetInt32(bytes, 10));
    if (count == 0 || count > MaxTagCount || records > bytes.size() - TagHeaderSize)
        return {};
    GameTags tags;
    tags.ResultSteps = static_cast<std::uint32_t>(GetInt32(bytes, 6));
    const std::span<const std::uint8_t> body = bytes.subspan(TagHeaderSize, records);
    std::size_t at = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (at + 1 > body.size())
            return {};
        const std::size_t nameSize = body[at++];
        if (nameSize > body.size() - at || body.size() - at - nameSize < 2)
            return {};
        const std::string name(body.begin() + static_cast<std::ptrdiff_t>(at),
                               body.begin() + static_cast<std::ptrdiff_t>(at + nameSize));
        at += nameSize;
        const std::size_t valueSize = static_cast<std::uint16_t>(GetInt16(body, at));
        at += 2;
        if (valueSize > MaxTagValueSize || valueSize > body.size() - at)
            return {};
        const std::string value(body.begin() + static_cast<std::ptrdiff_t>(at),
                                body.begin() + static_cast<std::ptrdiff_t>(at + valueSize));
        at += valueSize;
        // Only what AddTag keeps as it is.
        AddTag(tags, name, value);
        if (tags.List.size() != k + 1 || tags.List.back().second != value)
            return {};
    }
    if (at != body.size())
        return {};
    return tags;
}

} // namespace

std::vector<std::uint8_t> EncodeGameFile(const SavedGame& game)
{
    std::vector<std::uint8_t> out;
    out.reserve(GameFileSize(game.MoveHistory.size()));
    for (const TSquare& square : ScanOrder)
        PutInt16(out, game.Board[square]);
    const auto count = static_cast<std::uint32_t>(game.MoveHistory.size());
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(count >> shift & 0xFF));
    for (const TMove& m : game.MoveHistory)
        for (const std::int16_t field : {m.FromI, m.FromJ, m.ToI, m.ToJ, m.Coin, m.CapturedCoin})
            PutInt16(out, field);
    PutInt16(out, game.HistoryPos);
    PutInt16(out, game.SideToMove);
    for (const bool flag :
         {game.Options.ComputerPlaysBlue, game.Options.ComputerPlaysRed, game.Options.FlipBoard})
        PutInt16(out, flag ? -1 : 0);
    EncodeTags(out, game.Tags);
    return out;
}

LoadResult DecodeGameFile(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < GameFileSize(0))
        return Refuse("the file is too short for a saved game: it has " + std::to_string(bytes.size()) +
                      " bytes, at least " + std::to_string(GameFileSize(0)) + " are needed");
    const std::int32_t count = GetInt32(bytes, 64);
    if (count < 0 || count > GameState::MaxHistory)
        return Refuse("the number of history records is " + std::to_string(count) + ", not 0.." +
                      std::to_string(GameState::MaxHistory));
    const auto records = static_cast<std::size_t>(count);
    if (bytes.size() < GameFileSize(records))
        return Refuse("the file is too short for its " + std::to_string(count) +
                      (count == 1 ? " history record" : " history records"));

    SavedGame game;
    for (int n = 0; n < PlayingSquareCount; ++n) {
        const TSquare square = ScanOrder[static_cast<std::size_t>(n)];
        const std::int16_t code = GetInt16(bytes, 2 * static_cast<std::size_t>(n));
        if (code < Empty || code > RedKing)
            return Refuse(Square(square.I, square.J) + " holds the piece code " + std::to_string(code) +
                          ", not 0..4");
        game.Board[square] = code;
    }
    game.MoveHistory.resize(records);
    for (std::size_t k = 0; k < records; ++k) {
        const std::size_t at = HistoryOffset + RecordSize * k;
        TMove& m = game.MoveHistory[k];
        m.FromI = GetInt16(bytes, at);
        m.FromJ = GetInt16(bytes, at + 2);
        m.ToI = GetInt16(bytes, at + 4);
        m.ToJ = GetInt16(bytes, at + 6);
        m.Coin = GetInt16(bytes, at + 8);
        m.CapturedCoin = GetInt16(bytes, at + 10);
        const std::string fault = CheckRecord(m);
        if (!fault.empty())
            return Refuse("history record " + std::to_string(k + 1) + " " + fault);
    }
    const std::size_t trailer = HistoryOffset + RecordSize * records;
    game.HistoryPos = GetInt16(bytes, trailer);
    if (game.HistoryPos < 0 || game.HistoryPos > count)
        return Refuse("the history position is " + std::to_string(game.HistoryPos) + ", not 0.." +
                      std::to_string(count));
    game.SideToMove = GetInt16(bytes, trailer + 2);
    if (game.SideToMove != Blue && game.SideToMove != Red)
        return Refuse("side to move is " + std::to_string(game.SideToMove));
    game.Options.ComputerPlaysBlue = GetInt16(bytes, trailer + 4) != 0;
    game.Options.ComputerPlaysRed = GetInt16(bytes, trailer + 6) != 0;
    game.Options.FlipBoard = GetInt16(bytes, trailer + 8) != 0;

    std::string fault = CheckHistoryFitsPosition(game);
    if (!fault.empty())
        return Refuse(std::move(fault));
    game.Tags = DecodeTags(bytes.subspan(GameFileSize(records)));
    return {std::move(game), {}};
}

} // namespace kelmarin
