// Fuzz target for the PDN and FEN readers: any text either is refused with a reason, or reads into a
// sound game that saves, with its tags, into a saved-game file that loads again, and that written as
// PDN reads back to the same game, which written again gives the same text.
#include "GameFile.h"
#include "HistoryRules.h"
#include "PdnReader.h"
#include "PdnWriter.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kelmarin;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "PdnFuzzer: %s\n", what);
        std::abort();
    }
}

void CheckRead(const LoadResult& result, bool roundTrip)
{
    if (!result) {
        Require(!result.Reason.empty(), "refused without a reason");
        return;
    }
    const SavedGame& game = *result.Game;
    Require(game.HistoryPos == static_cast<int>(game.MoveHistory.size()), "a redo tail was read");
    Require(game.SideToMove == Blue || game.SideToMove == Red, "side to move is neither Blue nor Red");
    const LoadResult file = UnderRules(DecodeGameFile(EncodeGameFile(game)), game.GameRules);
    Require(static_cast<bool>(file), file.Reason.c_str());
    Require(*file.Game == game, "the saved-game file changed the game");
    if (!roundTrip)
        return;
    const std::string text = WritePdnGame(game, ExportTags(game.Tags, game.MoveHistory));
    const LoadResult again = ReadPdnGame(text, 1, game.GameRules);
    Require(static_cast<bool>(again), again.Reason.c_str());
    SavedGame untagged = *again.Game;
    untagged.Tags = game.Tags;
    Require(untagged == game, "written as PDN, the game reads back different");
    Require(WritePdnGame(*again.Game, ExportTags(again.Game->Tags, again.Game->MoveHistory)) == text,
            "written as PDN, read and written again, the text changes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::vector<PdnGameInfo> games = ListPdnGames(text);
    for (int number = 0; number <= static_cast<int>(games.size()) && number <= 3; ++number)
        CheckRead(ReadPdnGame(text, number, number % 2 == 0 ? Rules::Kelmarin : Rules::English), true);
    CheckRead(ReadFenPosition(text), true);
    CheckRead(ReadPastedPosition(text), false);
    return 0;
}
