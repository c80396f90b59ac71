// pdn [FILE.kmr], fen [FILE.kmr], import-pdn PDNFILE OUT.kmr [--game N]: games that travel, in the
// standard English numbering other checkers programs read.
#include "CliCommon.h"
#include "Commands.h"
#include "Fen.h"
#include "GameFileIO.h"
#include "PdnReader.h"
#include "PdnWriter.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kelmarin::cli {

namespace {

// Today as PDN writes a date, YYYY.MM.DD.
std::string Today()
{
    const std::chrono::year_month_day day{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char text[16];
    std::snprintf(text, sizeof text, "%04d.%02u.%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    return text;
}

} // namespace

int RunPdn(const CommandLine& line)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0)))
        return 1;
    PdnTags tags;
    tags.Event = "Kelmarin game";
    tags.Date = Today();
    std::fputs(WritePdnGame(game, tags).c_str(), stdout);
    return 0;
}

int RunFen(const CommandLine& line)
{
    GameState game;
    if (!LoadGameOrStart(game, line.Plain(0)))
        return 1;
    std::printf("%s\n", PositionFen(game.Board, game.SideToMove).c_str());
    return 0;
}

int RunImportPdn(const CommandLine& line)
{
    const std::string in = *line.Plain(0);
    const std::string out = *line.Plain(1);
    const long long number = line.Number("--game", 1, 1000000).value_or(1);
    if (in.empty())
        return Refuse(in, "no file name was given");
    std::ifstream file(in, std::ios::binary);
    if (!file)
        return Refuse(in, "cannot open the file");
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    const LoadResult read = ReadPdnGame(text, static_cast<int>(number));
    if (!read)
        return Refuse(in, read.Reason);
    GameState game;
    read.Game->ApplyTo(game);
    if (const SaveResult saved = WriteGameFile(out, game, read.Game->Options); !saved)
        return Refuse(out, saved.Reason);
    return 0;
}

} // namespace kelmarin::cli
