// Building the endgame tables by retrograde analysis on the rules core.
//
// Slices are solved fewest pieces first and, among as many pieces, most kings first, so that every
// capture and every crowning leads to a slice already solved. Within a slice the sub-slices (one
// placement of the men each) go from the men most advanced down, so that a man's step leads to one
// already solved too, and the sub-slices of one advancement are shared out among the threads. Inside a
// sub-slice only kings' simple steps remain: each position first reads what its other turns lead to,
// then the values spread backward along the kings' steps, distance by distance, losses to their
// predecessors as wins and wins as one fewer way out. What is never reached is drawn.
#pragma once

#include "EndgameTables.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace kelmarin {

struct TBuildProgress {
    TMaterial Material;
    int Slice = 0; // counted from 1
    int Slices = 0;
    std::uint64_t SliceDone = 0; // positions of this slice solved so far
    std::uint64_t SliceSize = 0;
    std::uint64_t Done = 0;  // positions solved in this run, this slice's included
    std::uint64_t Total = 0; // positions this run has to solve
    bool Resumed = false;    // the slice's file was there already
    bool Finished = false;   // the slice is solved (and written)
};

// Returns false to stop the build after the slice in hand has been written.
using BuildReport = std::function<bool(const TBuildProgress&)>;

// Solves one slice into `values`, held by `tables` under `material`; every slice its captures and
// crownings lead to must be there. `report` hears after each advancement of the men.
void SolveSlice(EndgameTables& tables, TMaterial material, std::span<std::uint8_t> values, int threads,
                const std::function<void(std::uint64_t done)>& report = {});

// Every slice of up to `pieces` pieces, in memory.
std::unique_ptr<EndgameTables> SolveEndgames(Rules rules, int pieces, int threads);

// Every slice of up to `pieces` pieces into files of `dir`, each written whole as soon as it is solved;
// a slice whose file is there and sound is read instead of solved again. False with the reason when a
// file could not be written.
bool BuildEndgames(const std::filesystem::path& dir, Rules rules, int pieces, int threads,
                   const BuildReport& report, std::string& error);

} // namespace kelmarin
