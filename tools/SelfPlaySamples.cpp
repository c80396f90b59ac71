#include "SelfPlaySamples.h"

#include "Ballots.h"
#include "SearchPosition.h"
#include "StrongSearch.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <thread>

namespace kelmarin::tuning {

namespace {

constexpr int RandomStepsAfterBallot = 4; // up to
// Plies without a man step or a capture that make a game a draw.
constexpr int NoProgressPlies = 60;

bool IsQuiet(const Position& position)
{
    if (position.Jumping() != NoSquare || position.HasCapture())
        return false;
    const std::int16_t other = Opponent(position.SideToMove());
    return !Position::FromMasks(position.Pieces(Blue), position.Pieces(Red), position.Kings(), other,
                                NoSquare, position.GameRules())
                .HasCapture();
}

void PlayRandomStep(GameState& game, std::mt19937& random)
{
    MoveList list;
    game.GenerateMoves(game.SideToMove, list);
    const TMove step = list[static_cast<int>(random() % static_cast<unsigned>(list.Count()))];
    game.MakeMove(&step, true);
}

// One game's quiet positions, and its result for Blue. Its random steps depend only on the seed and
// the game's number.
double PlayGame(const SelfPlayOptions& options, int number, std::vector<Position>& kept)
{
    std::seed_seq seeds{options.Seed, static_cast<std::uint32_t>(number)};
    std::mt19937 random(seeds);
    GameState game;
    game.GameRules = options.GameRules;
    game.New();
    const std::optional<std::vector<TMove>> ballot = BallotSteps(number % BallotCount, options.GameRules);
    for (const TMove& step : ballot.value())
        game.MakeMove(&step, true);
    const int randomSteps = static_cast<int>(random() % (RandomStepsAfterBallot + 1));
    for (int k = 0; k < randomSteps && !game.IsGameOver(); ++k)
        PlayRandomStep(game, random);

    strong::StrongSearch search(16);
    strong::SearchLimits limits;
    limits.TimeMs = 1 << 30;
    limits.NodeLimit = options.NodesPerMove;
    int quietPlies = 0;
    while (game.HistoryPos < options.MaxSteps && quietPlies < NoProgressPlies) {
        if (game.IsGameOver())
            return game.SideToMove == Blue ? 0.0 : 1.0;
        const Position position = strong::SearchPosition::FromGame(game).Board();
        if (IsQuiet(position))
            kept.push_back(position);
        const TMove step = search.Search(game, limits).Step;
        const bool progress = !IsKing(step.Coin) || step.CapturedCoin != Empty;
        quietPlies = progress ? 0 : quietPlies + 1;
        game.MakeMove(&step, true);
    }
    return 0.5;
}

} // namespace

std::vector<LabelledPosition> SelfPlayPositions(const SelfPlayOptions& options,
                                                const SelfPlayProgress& progress)
{
    // Threads take the games in turn by number; once enough positions are in, no game is begun, the
    // ones under way end, and the games are kept in number order up to the first that makes enough.
    // Every game below the last one begun has ended then, so the games kept do not depend on timing.
    std::mutex lock;
    std::map<int, std::vector<LabelledPosition>> games;
    std::size_t collected = 0;
    std::atomic<int> next{0};
    std::atomic<bool> enough{false};
    const auto work = [&] {
        std::vector<Position> kept;
        while (!enough.load()) {
            const int number = next.fetch_add(1);
            kept.clear();
            const float result = static_cast<float>(PlayGame(options, number, kept));
            std::vector<LabelledPosition> labelled;
            labelled.reserve(kept.size());
            for (const Position& position : kept)
                labelled.push_back({position, result});
            const std::scoped_lock guard(lock);
            collected += labelled.size();
            games.emplace(number, std::move(labelled));
            if (collected >= static_cast<std::size_t>(options.Positions))
                enough = true;
            if (progress)
                progress(collected, static_cast<int>(games.size()));
        }
    };
    std::vector<std::thread> threads;
    for (int t = 1; t < options.Threads; ++t)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();

    std::vector<LabelledPosition> positions;
    for (auto& [number, labelled] : games) {
        if (positions.size() >= static_cast<std::size_t>(options.Positions))
            break;
        positions.insert(positions.end(), labelled.begin(), labelled.end());
    }
    return positions;
}

std::vector<Sample> SelfPlaySamples(const SelfPlayOptions& options, const SelfPlayProgress& progress)
{
    std::vector<Sample> samples;
    for (const LabelledPosition& position : SelfPlayPositions(options, progress))
        samples.push_back(MakeSample(position.Board, position.Result));
    return samples;
}

bool SavePositions(const std::string& path, const SelfPlayOptions& options,
                   const std::vector<LabelledPosition>& positions)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << (options.GameRules == Rules::English ? "english " : "kelmarin ") << options.Positions << ' '
        << options.Seed << ' ' << options.NodesPerMove << '\n';
    char line[64];
    for (const LabelledPosition& p : positions) {
        std::snprintf(line, sizeof line, "%08x %08x %08x %.1f\n", p.Board.Pieces(Blue), p.Board.Pieces(Red),
                      p.Board.Kings(), static_cast<double>(p.Result));
        out << line;
    }
    return static_cast<bool>(out.flush());
}

std::optional<std::vector<LabelledPosition>> LoadPositions(const std::string& path, SelfPlayOptions& options)
{
    std::ifstream in(path, std::ios::binary);
    std::string text;
    char name[16] = {};
    int count = 0;
    unsigned seed = 0;
    unsigned long long nodes = 0;
    char after = 0;
    if (!std::getline(in, text) ||
        std::sscanf(text.c_str(), "%15s %d %u %llu%c", name, &count, &seed, &nodes, &after) != 4 ||
        (std::string(name) != "english" && std::string(name) != "kelmarin"))
        return std::nullopt;
    const Rules rules = std::string(name) == "english" ? Rules::English : Rules::Kelmarin;
    options.GameRules = rules;
    options.Positions = count;
    options.Seed = seed;
    options.NodesPerMove = nodes;
    std::vector<LabelledPosition> positions;
    while (std::getline(in, text)) {
        unsigned blue = 0;
        unsigned red = 0;
        unsigned kings = 0;
        float result = 0;
        char tail = 0;
        if (std::sscanf(text.c_str(), "%x %x %x %f%c", &blue, &red, &kings, &result, &tail) != 4 ||
            (blue & red) != 0 || (kings & ~(blue | red)) != 0 ||
            !(result == 0 || result == 0.5f || result == 1))
            return std::nullopt;
        positions.push_back({Position::FromMasks(blue, red, kings, Blue, NoSquare, rules), result});
    }
    return positions;
}

} // namespace kelmarin::tuning
