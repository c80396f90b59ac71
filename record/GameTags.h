// The tags a game brought with it from a PDN text: its Event, players, Date, Result and any others.
//
// A game played here has none, and is written with Kelmarin's own (PdnWriter.h). A game read from
// PDN keeps its tags in the order written, except those the writer always writes from the game
// itself (GameType, SetUp, FEN). The Result describes the game as it was recorded, so it carries the
// digest of the steps it was given for: once the game's applied steps differ, it no longer fits.
// Tags are bounded, so that a game's tags always fit the saved-game file: at most MaxTagCount,
// names of 1..MaxTagNameSize letters, digits or underscores, values of at most MaxTagValueSize bytes
// without control characters.
#pragma once

#include "TMove.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmarin {

inline constexpr std::size_t MaxTagCount = 64;
inline constexpr std::size_t MaxTagNameSize = 32;
inline constexpr std::size_t MaxTagValueSize = 1024;

struct GameTags {
    std::vector<std::pair<std::string, std::string>> List; // name and value, in the order written
    std::uint32_t ResultSteps = 0; // StepsDigest of the applied steps the Result tag was given for

    bool Empty() const { return List.empty(); }
    // The value of the first tag of that name (names compare without case), or nothing.
    const std::string* Find(std::string_view name) const;

    bool operator==(const GameTags&) const = default;
};

bool SameTagName(std::string_view a, std::string_view b);
bool IsTagName(std::string_view name);
// GameType, SetUp and FEN: written from the game, never kept.
bool IsWritersOwnTag(std::string_view name);

// Adds the tag as the bounds allow: control characters become spaces, a long value is cut at a
// character boundary; a bad name, a writer's own tag, or one past MaxTagCount is left out.
void AddTag(GameTags& tags, std::string_view name, std::string_view value);

// A digest of the steps, their number included.
std::uint32_t StepsDigest(std::span<const TMove> steps);

} // namespace kelmarin
