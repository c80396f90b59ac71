// Which game is played: Kelmarin's own, where a man crowned by a capture goes on capturing as a king,
// or the English tournament game, where crowning ends the turn. Everything else is the same.
#pragma once

namespace kelmarin {

enum class Rules { Kelmarin, English };

// Whether a capture that crowns a man ends the turn.
constexpr bool CrowningEndsTurn(Rules rules)
{
    return rules == Rules::English;
}

} // namespace kelmarin
