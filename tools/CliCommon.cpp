#include "CliCommon.h"

#include "GameFileIO.h"

#include <charconv>
#include <iostream>

namespace kelmarin::cli {

std::optional<long long> ParseInteger(const std::string& text, long long low, long long high)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || ptr != end || value < low || value > high)
        return std::nullopt;
    return value;
}

int Refuse(const std::string& path, const std::string& reason)
{
    // One line whatever the name holds, so scripts can read it.
    std::string shown = path;
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    std::cerr << "kelmarin-cli: " << shown << ": " << reason << "\n";
    return 1;
}

Rules ChosenRules(const CommandLine& line)
{
    const std::optional<std::string> name = line.Value("--rules");
    if (!name || *name == "kelmarin")
        return Rules::Kelmarin;
    if (*name == "english")
        return Rules::English;
    throw WrongCall();
}

bool LoadGameOrStart(GameState& game, const std::optional<std::string>& path, Rules rules, GameTags* tags)
{
    game.GameRules = rules;
    game.New();
    if (!path)
        return true;
    const LoadResult result = ReadGameFile(*path, rules);
    if (!result) {
        Refuse(*path, result.Reason);
        return false;
    }
    result.Game->ApplyTo(game);
    if (tags)
        *tags = result.Game->Tags;
    game.RecountCoins(); // the window's full redraw recounts; here nothing else would
    game.SaveFileName = *path;
    return true;
}

bool OpenEndgames(const CommandLine& line, const std::vector<Rules>& rules,
                  std::vector<std::unique_ptr<EndgameTables>>& tables)
{
    const std::optional<std::string> dir = line.Value("--endgames");
    if (!dir)
        return true;
    for (const Rules set : rules) {
        std::string error;
        std::unique_ptr<EndgameTables> opened = EndgameTables::Open(*dir, set, error);
        if (!opened) {
            Refuse(*dir, error);
            return false;
        }
        tables.push_back(std::move(opened));
    }
    return true;
}

} // namespace kelmarin::cli
