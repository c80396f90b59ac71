// Fuzz target for the saved-game reader: any bytes either are refused with a reason, or load into a
// game that stays sound through Undo, Redo and play, and saves into a file that loads again. A game
// whose steps obey either rules is played under them, and obeys them still after the play.
//
// The bytes after the saved game and its tags (which the reader ignores) script the play, one action
// a byte: 0 Undo, 1 Redo, otherwise a legal step of the side to move chosen by the byte. Without them
// the script is Undo, Redo, Redo, four steps, Undo, Undo.
#include "GameFile.h"
#include "HistoryRules.h"
#include "Notation.h"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace kelmarin;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "LoadFuzzer: %s\n", what);
        std::abort();
    }
}

void CheckSound(const GameState& game)
{
    Require(game.SideToMove == Blue || game.SideToMove == Red, "side to move is neither Blue nor Red");
    Require(game.HistoryPos >= 0 && game.HistoryPos <= game.HistoryCount(), "history position out of range");
    Require(game.HistoryCount() <= GameState::MaxHistory, "history too long");
    std::array<int, 3> count{};
    for (int I = 0; I <= 9; ++I)
        for (int J = 0; J <= 9; ++J) {
            const std::int16_t code = game.Board(I, J);
            if (I == 0 || I == 9 || J == 0 || J == 9)
                Require(code == BorderCell, "border cell changed");
            else if ((I + J) % 2 == 0)
                Require(code == Empty, "piece on a light square");
            else
                Require(code >= Empty && code <= RedKing, "bad piece code");
            if (PieceOwner(code) > 0)
                ++count[static_cast<std::size_t>(PieceOwner(code))];
        }
    Require(count[Blue] == game.CoinCount[Blue] && count[Red] == game.CoinCount[Red],
            "CoinCount differs from the board");
}

void Act(GameState& game, std::uint8_t action)
{
    if (action == 0) {
        game.Undo();
        return;
    }
    if (action == 1) {
        game.Redo();
        return;
    }
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    if (list.Empty()) {
        game.Undo();
        return;
    }
    game.MakeMove(&list[action % list.Count()], true);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const LoadResult result = DecodeGameFile(bytes);
    if (!result) {
        Require(!result.Reason.empty(), "refused without a reason");
        return 0;
    }
    const SavedGame& saved = *result.Game;
    const std::size_t trailerEnd = GameFileSize(saved.MoveHistory.size());
    Require(trailerEnd <= size, "accepted a file shorter than its layout");

    // Writing back what was read gives the same bytes, with flags written as 0 or -1, and the tag
    // block exactly as it stood when it was read.
    std::vector<std::uint8_t> again = EncodeGameFile(saved);
    const std::size_t used = again.size();
    Require(used <= size, "read tags that the file does not hold");
    Require(saved.Tags.Empty() == (used == trailerEnd), "tags that write no block");
    std::vector<std::uint8_t> expected(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(used));
    for (std::size_t flag = trailerEnd - 6; flag < trailerEnd; flag += 2)
        if (expected[flag] != 0 || expected[flag + 1] != 0)
            expected[flag] = expected[flag + 1] = 0xFF;
    Require(again == expected, "re-encoding changed the file");

    const LoadResult ruled = UnderRules(result, Rules::English);
    Require(ruled || !ruled.Reason.empty(), "rules refused without a reason");
    GameState game;
    game.New();
    (ruled ? *ruled.Game : saved).ApplyTo(game);
    game.RecountCoins();
    CheckSound(game);
    MoveListText(game);

    static const std::uint8_t DefaultScript[] = {0, 1, 1, 2, 3, 4, 5, 0, 0};
    std::span<const std::uint8_t> script = bytes.subspan(used);
    if (script.empty())
        script = DefaultScript;
    if (script.size() > 200)
        script = script.first(200);
    for (const std::uint8_t action : script) {
        Act(game, action);
        CheckSound(game);
    }
    MoveListText(game);
    CoinCountText(game);

    // Whatever the play left behind saves into a file that loads back to the same game.
    SavedGame now = SavedGame::FromGame(game, saved.Options);
    now.Tags = saved.Tags;
    const LoadResult reloaded = DecodeGameFile(EncodeGameFile(now));
    Require(static_cast<bool>(reloaded), reloaded.Reason.c_str());
    if (ruled)
        Require(UnderRules(reloaded, now.GameRules).Game == now, "play left the rules the game obeyed");
    now.GameRules = Rules::Kelmarin; // the file does not store them
    Require(*reloaded.Game == now, "a saved game loads back different");
    return 0;
}
