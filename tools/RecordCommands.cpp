// kelmarin-cli moves, notation and show: the saved game in FILE, or the starting position.
#include "CliCommon.h"
#include "Commands.h"
#include "Notation.h"

#include <iostream>

namespace kelmarin::cli {

namespace {

// Takes [FILE] and nothing else; returns the exit status to stop with, or -1 when game is set up.
int SetUp(const Args& args, const char* usage, GameState& game)
{
    if (args.size() > 1) {
        std::cerr << "usage: kelmarin-cli " << usage << "\n";
        return 2;
    }
    return LoadGameOrStart(game, args.empty() ? std::string() : args[0]) ? -1 : 1;
}

char PieceLetter(std::int16_t code, bool playing)
{
    switch (code) {
    case BlueMan:
        return 'b';
    case RedMan:
        return 'r';
    case BlueKing:
        return 'B';
    case RedKing:
        return 'R';
    default:
        return playing ? '-' : '.';
    }
}

} // namespace

int RunMoves(const Args& args)
{
    GameState game;
    if (const int status = SetUp(args, "moves [FILE]", game); status >= 0)
        return status;
    MoveList list;
    game.GenerateMoves(game.SideToMove, list); // empty when the game is over
    for (const TMove& m : list)
        std::cout << m.FromI << ' ' << m.FromJ << ' ' << m.ToI << ' ' << m.ToJ << ' ' << m.Coin << ' '
                  << m.CapturedCoin << '\n';
    return 0;
}

int RunNotation(const Args& args)
{
    GameState game;
    if (const int status = SetUp(args, "notation [FILE]", game); status >= 0)
        return status;
    std::cout << MoveListText(game) << '\n';
    return 0;
}

// Row 1 at the top, as the board is drawn unturned; columns and rows are numbered as I and J.
int RunShow(const Args& args)
{
    GameState game;
    if (const int status = SetUp(args, "show [FILE]", game); status >= 0)
        return status;
    std::cout << "   1 2 3 4 5 6 7 8\n";
    for (int J = 1; J <= 8; ++J) {
        std::cout << ' ' << J << ' ';
        for (int I = 1; I <= 8; ++I)
            std::cout << PieceLetter(game.Board(I, J), (I + J) % 2 == 1) << (I < 8 ? " " : "\n");
    }
    std::cout << "side-to-move: " << (game.SideToMove == Blue ? "Blue" : "Red") << '\n'
              << "history: " << game.HistoryPos << '/' << game.HistoryCount() << '\n'
              << "game-over: " << (game.IsGameOver() ? "yes" : "no") << '\n'
              << "moves: " << MoveListText(game) << '\n'
              << CoinCountText(game) << '\n';
    return 0;
}

} // namespace kelmarin::cli
