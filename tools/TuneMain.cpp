// kelmarin-tune: fits the strong evaluation's weights to self-play games and writes them as a source
// file (engine/StrongWeights.cpp), and those of the men's block patterns as another
// (engine/StrongPatterns.cpp). The games are played by the strong search with the weights it was
// built with, and the fit starts from them, so a run on a given tree always writes the same file, and
// a run on the tree that file makes refines it further.
//
//   kelmarin-tune [--positions N] [--seed S] [--nodes M] [--threads T] [--passes P] [--pull L] [--shrink H]
//                 [--rules R] [--save FILE | --load FILE] [--out FILE] [--patterns-out FILE]
//
// --save keeps the games' positions in a file and --load fits to such a file instead of playing.
#include "CliCommon.h"
#include "CommandLine.h"
#include "SelfPlaySamples.h"
#include "StrongWeights.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace kelmarin;
using namespace kelmarin::tuning;

constexpr const char* Synopsis =
    "[--positions N] [--seed S] [--nodes M] [--threads T] [--passes P] [--pull L] [--shrink H] "
    "[--rules kelmarin|english] [--save FILE | --load FILE] [--out FILE] [--patterns-out FILE]";

// Written beside the file and renamed over it, so a reader never sees half a file.
bool WriteWhole(const std::string& path, const std::string& text)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!(out << text) || !out.flush())
            return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

int Tune(const cli::CommandLine& line)
{
    SelfPlayOptions options;
    options.Positions =
        static_cast<int>(line.Number("--positions", 100, 10000000).value_or(options.Positions));
    options.Seed = static_cast<std::uint32_t>(line.Number("--seed", 0, 4294967295LL).value_or(options.Seed));
    options.NodesPerMove = static_cast<std::uint64_t>(line.Number("--nodes", 100, 100000000).value_or(3000));
    options.GameRules = line.Value("--rules") ? cli::ChosenRules(line) : Rules::English;
    options.Threads = static_cast<int>(line.Number("--threads", 1, 64).value_or(1));
    const int passes = static_cast<int>(line.Number("--passes", 0, 1000000).value_or(3000));
    // In millionths: the pull of each weight towards the one it was built with.
    const long long pull = line.Number("--pull", 0, 1000000).value_or(0);
    // How firmly each pattern weight is held near 0: as if seen in that many more drawn positions.
    const long long shrink = line.Number("--shrink", 0, 1000000000).value_or(20);
    const std::string out = line.Value("--out").value_or("engine/StrongWeights.cpp");
    const std::string patternsOut = line.Value("--patterns-out").value_or("engine/StrongPatterns.cpp");

    const std::optional<std::string> load = line.Value("--load");
    const std::optional<std::string> save = line.Value("--save");
    if (load && save)
        throw cli::WrongCall();
    std::vector<LabelledPosition> positions;
    if (load) {
        std::optional<std::vector<LabelledPosition>> loaded = LoadPositions(*load, options);
        if (!loaded) {
            std::fprintf(stderr, "kelmarin-tune: %s is not a file of positions\n", load->c_str());
            return 1;
        }
        positions = std::move(*loaded);
    } else {
        positions = SelfPlayPositions(options, [](std::size_t count, int games) {
            if (games % 50 == 0)
                std::fprintf(stderr, "%d games, %zu positions\n", games, count);
        });
        if (save && !SavePositions(*save, options, positions)) {
            std::fprintf(stderr, "kelmarin-tune: cannot write %s\n", save->c_str());
            return 1;
        }
    }
    std::vector<Sample> all;
    all.reserve(positions.size());
    for (const LabelledPosition& position : positions)
        all.push_back(MakeSample(position.Board, position.Result));
    // Every tenth run of a thousand positions (about ten games) is held out, to tell a better fit from
    // one that learnt the games by heart: neighbours in one game are too alike to tell it.
    std::vector<Sample> samples;
    std::vector<Sample> heldOut;
    for (std::size_t k = 0; k < all.size(); ++k)
        (k / 1000 % 10 == 9 ? heldOut : samples).push_back(all[k]);
    Weights weights = BuiltWeights();
    const double k = FitScale(samples, weights);
    const double before = MeanSquaredError(samples, weights, k);
    const double heldBefore = MeanSquaredError(heldOut, weights, k);
    FitWeights(samples, weights, k, passes, static_cast<double>(pull) * 1e-6, static_cast<double>(shrink));
    const auto fitted = ToTapered(weights);
    const std::vector<std::int16_t> patterns = ToPatternWeights(weights);
    Weights rounded = ToWeights(fitted, {});
    std::copy(patterns.begin(), patterns.end(), rounded.Patterns.begin());
    std::printf("positions %zu\nscale %.6f\nerror %.6f -> %.6f\nheld-out error %.6f -> %.6f\n", all.size(), k,
                before, MeanSquaredError(samples, rounded, k), heldBefore,
                MeanSquaredError(heldOut, rounded, k));

    const std::string rules = options.GameRules == Rules::English ? "english" : "kelmarin";
    char command[512];
    std::snprintf(command, sizeof command,
                  "// again: kelmarin-tune --positions %d --threads %d --seed %u --nodes %llu --passes %d\n"
                  "// --pull %lld --shrink %lld --rules %s --out engine/StrongWeights.cpp\n"
                  "// --patterns-out engine/StrongPatterns.cpp\n",
                  options.Positions, options.Threads, options.Seed,
                  static_cast<unsigned long long>(options.NodesPerMove), passes, pull, shrink, rules.c_str());
    char made[128];
    std::snprintf(made, sizeof made,
                  "// Written by kelmarin-tune from %zu quiet positions of self-play games; to write it\n",
                  all.size());
    for (const auto& [path, text] :
         {std::pair{out, WeightsSource(fitted, made + std::string(command))},
          std::pair{patternsOut, PatternsSource(patterns, made + std::string(command))}})
        if (!WriteWhole(path, text)) {
            std::fprintf(stderr, "kelmarin-tune: cannot write %s\n", path.c_str());
            return 1;
        }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Tune(cli::CommandLine(Synopsis, cli::Args(argv + 1, argv + argc)));
    } catch (const cli::WrongCall&) {
        std::cerr << "usage: kelmarin-tune " << Synopsis << '\n';
        return 2;
    }
}
