// Saved-game files on disk.
//
// Saving never destroys data: the new content goes to a temporary file in the target's folder, is
// flushed to the disk, and only then renamed over the target, so the target holds either the old game
// or the new one whole. Any failure removes the temporary file, leaves the old file as it was, and
// comes back with its reason. A target that a rename would spoil is refused before anything is
// written: a read-only file, anything but a regular file, a file with other hard links. A link to a
// regular file is written through and stays a link. Reading opens without waiting, refuses anything
// but a regular file, takes at most the largest saved game and tag block from the file and checks
// all of it (GameFile.h) before anything is used, its steps against the rules too (HistoryRules.h).
#pragma once

#include "GameFile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelmarin {

struct SaveResult {
    bool Ok = false;
    std::string Reason; // empty when Ok

    explicit operator bool() const { return Ok; }
};

// Writes the game, its whole history and the options to path, 78 + 12 * N bytes, and then its tags
// if it has any.
SaveResult WriteGameFile(const std::string& path, const GameState& game, const SavedOptions& options,
                         const GameTags& tags = {});

// Replaces the file at path with bytes, or leaves it untouched.
SaveResult WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

// The game under the chosen rules, or under the other rules when only those fit its steps.
LoadResult ReadGameFile(const std::string& path, Rules chosen = Rules::Kelmarin);

struct FileBytes {
    std::optional<std::vector<std::uint8_t>> Bytes; // empty when refused
    std::string Reason;                             // empty when read

    explicit operator bool() const { return Bytes.has_value(); }
};

// At most the first limit bytes of a regular file, opened without waiting as ReadGameFile opens it.
FileBytes ReadFileHead(const std::string& path, std::size_t limit);

} // namespace kelmarin
