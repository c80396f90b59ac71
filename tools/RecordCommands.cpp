// kelmarin-cli moves, notation and show: the saved game in FILE, or the starting position; and
// copy IN.kmr OUT.kmr. Each under the rules of --rules, or the other rules when only those fit the
// file's steps; show says so in a last line when they are the English rules.
#include "CliCommon.h"
#include "Commands.h"
#include "GameFileIO.h"
#include "Notation.h"

#include <iostream>

namespace kelmarin::cli {

namespace {

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

int RunMoves(const CommandLine& line)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line)))
        return 1;
    MoveList list;
    game.GenerateMoves(game.SideToMove, list); // empty when the game is over
    for (const TMove& m : list)
        std::cout << m.FromI << ' ' << m.FromJ << ' ' << m.ToI << ' ' << m.ToJ << ' ' << m.Coin << ' '
                  << m.CapturedCoin << '\n';
    return 0;
}

int RunNotation(const CommandLine& line)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line)))
        return 1;
    std::cout << MoveListText(game) << '\n';
    return 0;
}

// Row 1 at the top, as the board is drawn unturned; columns and rows are numbered as I and J.
int RunShow(const CommandLine& line)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line)))
        return 1;
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
    if (game.GameRules == Rules::English)
        std::cout << "rules: english\n";
    return 0;
}

// Through the window's own reader and writer, so the copy is exactly what a Save after a Load writes:
// a checked game and its tags, nothing after them, and the target replaced whole or not at all.
int RunCopy(const CommandLine& line)
{
    const std::string in = *line.Plain(0);
    const std::string out = *line.Plain(1);
    const LoadResult loaded = ReadGameFile(in, ChosenRules(line));
    if (!loaded)
        return Refuse(in, loaded.Reason);
    GameState game;
    game.New();
    loaded.Game->ApplyTo(game);
    const SaveResult saved = WriteGameFile(out, game, loaded.Game->Options, loaded.Game->Tags);
    return saved ? 0 : Refuse(out, saved.Reason);
}

} // namespace kelmarin::cli
