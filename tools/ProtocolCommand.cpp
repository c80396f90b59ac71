// kelmarin-cli engine [--rules R]: the engine protocol on standard input and output.
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
    EngineSession session([](const std::string& answer) {
        std::fwrite(answer.data(), 1, answer.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    });
    if (rules)
        session.Handle("rules " + *rules);
    RunEngineSession(std::cin, session);
    return 0;
}

} // namespace kelmarin::cli
