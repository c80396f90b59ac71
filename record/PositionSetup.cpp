#include "PositionSetup.h"

namespace kelmarin {

std::int16_t NextSetupCoin(std::int16_t coin)
{
    switch (coin) {
    case Empty:
        return RedMan;
    case RedMan:
        return RedKing;
    case RedKing:
        return BlueMan;
    case BlueMan:
        return BlueKing;
    default:
        return Empty;
    }
}

std::string SetupRefusal(const TBoard& board)
{
    int red = 0;
    int blue = 0;
    for (const TSquare square : ScanOrder) {
        const std::int16_t coin = board[square];
        if (coin == Empty)
            continue;
        ++(PieceOwner(coin) == Red ? red : blue);
        // Red men move towards row 1 and Blue men towards row 8, where a man is crowned.
        if (coin == RedMan && square.J == 1)
            return "a Red man stands on row 1, where it would be crowned";
        if (coin == BlueMan && square.J == 8)
            return "a Blue man stands on row 8, where it would be crowned";
    }
    if (red > 12)
        return "Red has more than 12 pieces";
    if (blue > 12)
        return "Blue has more than 12 pieces";
    if (red + blue == 0)
        return "the board has no piece";
    return {};
}

} // namespace kelmarin
