// Endgame tables: the value of every position of few pieces for the side to move, one byte a position,
// one file for each material and rule set, read by memory map.
//
// A byte is 0 for a draw, else one more than the plies to the end of the game under best play (the
// winner the fastest, the loser the slowest): an odd number of plies is a win, an even one a loss, and
// 1 is a side that cannot move. A file is a 64-byte header (a mark, the format version, the rules, the
// material, the number of positions, a checksum of everything else) and then the bytes in index order
// (EndgameIndex.h). A file whose header or checksum is wrong is refused, never half read.
#pragma once

#include "EndgameIndex.h"
#include "Position.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kelmarin {

struct TableValue {
    enum class Outcome { Win, Loss, Draw };
    Outcome Result = Outcome::Draw;
    int Plies = 0; // to the end of the game; 0 for a draw

    static TableValue FromByte(std::uint8_t byte);
    bool operator==(const TableValue&) const = default;
};

inline constexpr int EndgameFormatVersion = 1;
inline constexpr int EndgameHeaderSize = 64;
// The longest distance a byte holds; a longer one is stored as the longest of its parity.
inline constexpr int MaxTablePlies = 253;

std::uint8_t TableByte(TableValue::Outcome result, int plies);

// The name of a material's file under the rules: "kelmarin-2110.egt" for two red men, a red king and a
// blue man, in that order.
std::string EndgameFileName(Rules rules, TMaterial material);

// Writes the slice through a temporary file and a rename, so that a stopped write leaves no file that
// looks whole. False with the reason when it could not.
bool WriteEndgameFile(const std::filesystem::path& path, Rules rules, TMaterial material,
                      std::span<const std::uint8_t> values, std::string& error);

// Every material of at least one piece a side and `pieces` pieces in all, in the order they are
// solved: the most kings first, for a man's crowning leads to a slice of one more king.
std::vector<TMaterial> MaterialsOf(int pieces);

class EndgameTables {
public:
    explicit EndgameTables(Rules rules);
    ~EndgameTables();
    EndgameTables(const EndgameTables&) = delete;
    EndgameTables& operator=(const EndgameTables&) = delete;

    // Opens every table file of DIR for the rules; on a refused file, nothing and the error names it.
    // A missing directory gives empty tables.
    static std::unique_ptr<EndgameTables> Open(const std::filesystem::path& dir, Rules rules,
                                               std::string& error);

    Rules GameRules() const { return Rules_; }
    // The most pieces for which every material is there, 0 when none is.
    int MaxPieces() const;
    // The value for the side to move; nothing when the material is not there or a jump is in progress.
    // Safe to call from several threads.
    std::optional<TableValue> Probe(const Position& position) const;
    // The stored byte, nothing as Probe. A side without pieces to move has lost.
    std::optional<std::uint8_t> ProbeByte(const Position& position) const;

    // Maps one file in; false with the reason naming the file when it is refused.
    bool Load(const std::filesystem::path& path, TMaterial material, std::string& error);
    // Keeps a slice being built, all draws to begin with, and gives its bytes to fill in; it may be
    // probed meanwhile for what is solved.
    std::span<std::uint8_t> Hold(TMaterial material);
    bool Has(TMaterial material) const { return Data_[material.Key()] != nullptr; }
    const std::uint8_t* Data(TMaterial material) const { return Data_[material.Key()]; }
    // The materials there, fewest pieces first.
    std::vector<TMaterial> Materials() const;

private:
    struct Mapping;
    Rules Rules_;
    std::array<const std::uint8_t*, MaterialKeys> Data_{};
    std::array<const EndgameIndex*, MaterialKeys> Index_{};
    std::vector<std::unique_ptr<EndgameIndex>> Indexes_;
    std::vector<std::unique_ptr<Mapping>> Mappings_;
    std::vector<std::vector<std::uint8_t>> Held_;
};

// Opens the rules' tables from each folder that has them and keeps the set of the most pieces, the
// earlier folder's on a tie; nothing when no folder has any. A missing folder is passed over in
// silence; a folder with a refused file is passed over too, and the reason, which names the file, is
// added to refusals.
std::unique_ptr<EndgameTables> OpenLargestEndgameTables(std::span<const std::filesystem::path> folders,
                                                        Rules rules, std::vector<std::string>& refusals);

} // namespace kelmarin
