#include "CliCommon.h"

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

bool LoadGameOrStart(GameState& game, const std::string& path)
{
    game.New();
    if (path.empty())
        return true;
    std::cerr << "kelmarin-cli: " << path << ": saved games cannot be read yet\n";
    return false;
}

} // namespace kelmarin::cli
