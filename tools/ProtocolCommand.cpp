// kelmarin-cli engine [--rules R] [--endgames DIR]: the engine protocol on standard input and output, the
// strong searches with the endgame tables of DIR when given.
#include "CliCommon.h"
#include "Commands.h"
#include "EngineSession.h"

#include <cstdio>
#include <iostream>

namespace kelmarin::cli {

int RunEngine(const CommandLine& line)
{
    const std::optional<std::string> rules = line.Value("--rules");
    if (rules && *rules != "kelmarin" && *rules != "english")
        throw WrongCall{};
    std::vector<std::unique_ptr<EndgameTables>> tables;
    if (!OpenEndgames(line, {Rules::Kelmarin, Rules::English}, tables))
        return 1;
    EngineSession session([](const std::string& answer) {
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    });
    std::vector<const EndgameTables*> used;
    for (const auto& set : tables)
        used.push_back(set.get());
    session.SetTables(used);
    if (rules)
        session.Handle("rules " + *rules);
    RunEngineSession(std::cin, session);
    return 0;
}

} // namespace kelmarin::cli
