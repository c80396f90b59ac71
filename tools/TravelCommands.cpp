// pdn [FILE.kmr], fen [FILE.kmr], import-pdn PDNFILE OUT.kmr [--game N]: games that travel, in the
// standard English numbering other checkers programs read.
#include "CliCommon.h"
#include "Commands.h"
#include "Fen.h"
#include "GameFileIO.h"
#include "PdnReader.h"
#include "PdnWriter.h"

#include <cstdio>
#include <sstream>

namespace kelmarin::cli {

int RunPdn(const CommandLine& line)
{
    GameState game;
    GameTags tags;
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line), &tags))
        return 1;
    std::fputs(WritePdnGame(game, ExportTags(tags, game)).c_str(), stdout);
    return 0;
}

int RunFen(const CommandLine& line)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0), ChosenRules(line)))
        return 1;
    std::printf("%s\n", PositionFen(game.Board, game.SideToMove).c_str());
    return 0;
}

int RunImportPdn(const CommandLine& line)
{
    const std::string in = *line.Plain(0);
    const std::string out = *line.Plain(1);
    const long long number = line.Number("--game", 1, 1000000).value_or(1);
    const Rules rules = ChosenRules(line);
    // One byte past the limit, so that a larger file is refused as too large rather than cut short.
    const FileBytes bytes = ReadFileHead(in, MaxPdnTextSize + 1);
    if (!bytes)
        return Refuse(in, bytes.Reason);
    const std::string text(bytes.Bytes->begin(), bytes.Bytes->end());
    const LoadResult read = ReadPdnGame(text, static_cast<int>(number), rules);
    if (!read)
        return Refuse(in, read.Reason);
    GameState game;
    read.Game->ApplyTo(game);
    if (const SaveResult saved = WriteGameFile(out, game, read.Game->Options, read.Game->Tags); !saved)
        return Refuse(out, saved.Reason);
    return 0;
}

} // namespace kelmarin::cli
