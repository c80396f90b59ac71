// The endgame tables the strong searches probe: one set for each rule set, none where there are none.
// Shared, so that a search that started with a set keeps it to its end, whatever comes after.
#pragma once

#include "EndgameTables.h"
#include "Rules.h"

#include <memory>

namespace kelmarin::ui {

struct EndgameSet {
    std::shared_ptr<const EndgameTables> Kelmarin;
    std::shared_ptr<const EndgameTables> English;

    std::shared_ptr<const EndgameTables> For(Rules rules) const
    {
        return rules == Rules::English ? English : Kelmarin;
    }
};

} // namespace kelmarin::ui
