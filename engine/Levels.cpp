#include "Levels.h"

#include <algorithm>
#include <cctype>
#include <thread>

namespace kelmarin {

namespace {

struct LevelInfo {
    std::string_view Name;
    std::string_view Key;
    int BudgetMs;
};

constexpr LevelInfo Info[] = {
    {"Classic", "classic", 0}, {"Strong", "strong", 1000}, {"Expert", "expert", 5000}};

const LevelInfo& InfoOf(Level level)
{
    return Info[static_cast<int>(level)];
}

} // namespace

std::string_view LevelName(Level level)
{
    return InfoOf(level).Name;
}

std::string_view LevelKey(Level level)
{
    return InfoOf(level).Key;
}

std::optional<Level> ParseLevel(std::string_view name)
{
    for (const Level level : AllLevels) {
        const std::string_view key = LevelKey(level);
        if (std::equal(name.begin(), name.end(), key.begin(), key.end(),
                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
            return level;
    }
    return std::nullopt;
}

int LevelBudgetMs(Level level)
{
    return InfoOf(level).BudgetMs;
}

int ScaledBudgetMs(Level level, int strongMs)
{
    return static_cast<int>(static_cast<long long>(LevelBudgetMs(level)) * strongMs /
                            LevelBudgetMs(Level::Strong));
}

int LevelThreads(Level level)
{
    if (level != Level::Expert)
        return 1;
    // The count is 0 where it cannot be told.
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
}

StrongResult SearchBestStep(const GameState& game, int timeMs, const std::atomic<bool>* cancel, int threads,
                            const EndgameTables* tables)
{
    strong::StrongSearch search;
    search.SetThreads(threads);
    search.SetTables(tables);
    strong::SearchLimits limits;
    limits.TimeMs = timeMs;
    limits.Cancel = cancel;
    return search.Search(game, limits);
}

} // namespace kelmarin
