// The saved-game file: a headerless run of little-endian integers, 78 + 12 * N bytes, and for a game
// imported from PDN its tags after them.
//
//   0   32 x int16   the playing squares, column by column (I = 1..8), each column in increasing row
//                    order: rows 2, 4, 6, 8 for odd I and rows 1, 3, 5, 7 for even I
//   64  int32        N, the number of history records, the redo tail included
//   68  N x 12       FromI, FromJ, ToI, ToJ, Coin, CapturedCoin, each int16
//   +0  int16        HistoryPos
//   +2  int16        SideToMove
//   +4  3 x int16    Computer Plays Blue, Computer Plays Red, Flip Board: 0 clear, -1 set
//
// Bytes after the last flag are ignored, but for a tag block (below). A flag is read as set for any
// value other than 0; this program writes only 0 and -1.
//
// A game with tags (GameTags.h) carries them in a block after the last flag, which a reader that does
// not know it ignores; a game without tags is exactly the 78 + 12 * N bytes. The block, little-endian:
//
//   +0   4 bytes      "KTAG"
//   +4   uint8        version, 1
//   +5   uint8        T, the number of tags, 1..MaxTagCount
//   +6   uint32       the tags' ResultSteps
//   +10  uint32       L, the size of the T records that follow
//   +14  T records    uint8 name size (1..MaxTagNameSize), the name, uint16 value size
//                    (0..MaxTagValueSize), the value
//
// Bytes after the block are ignored too. A block that is not exactly this (another version, a size
// that does not add up, a bad name or value) is ignored whole and the game loads without tags: the
// game itself is sound, and the tags are not worth losing it for.
//
// Reading checks the whole file before anything is used, so a refused file changes nothing. Besides
// the ranges of every field it checks that the history replays on the stored position: records
// HistoryPos..1 can be taken back, and records HistoryPos + 1..N redone, each finding its piece on its
// origin, its landing square empty and the piece it jumps on the middle square. A history that does
// not fit its position would make Undo and Redo move pieces that are not there and leave a side to
// move that is neither Blue nor Red.
#pragma once

#include "SavedGame.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelmarin {

inline constexpr std::size_t GameFileSize(std::size_t historyCount)
{
    return 78 + 12 * historyCount;
}
inline constexpr std::size_t MaxGameFileSize = GameFileSize(GameState::MaxHistory);
inline constexpr std::size_t MaxTagBlockSize = 14 + MaxTagCount * (1 + MaxTagNameSize + 2 + MaxTagValueSize);

// A checked saved game, or the reason the bytes were refused ("side to move is 7").
struct LoadResult {
    std::optional<SavedGame> Game;
    std::string Reason;

    explicit operator bool() const { return Game.has_value(); }
};

std::vector<std::uint8_t> EncodeGameFile(const SavedGame& game);
LoadResult DecodeGameFile(std::span<const std::uint8_t> bytes);

} // namespace kelmarin
