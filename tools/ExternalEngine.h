// An engine in another process, started with /bin/sh -c COMMAND and spoken to through the engine
// protocol on its standard input and output. Every wait has a deadline, so an engine that hangs, dies
// or answers nonsense fails the turn with a reason instead of stopping the match.
#pragma once

#include "Match.h"

#include <optional>
#include <string>
#include <sys/types.h>

namespace kelmarin::cli {

class ExternalEngine : public MatchEngine {
public:
    // The engine, told the rules; null with the reason when no process could be started.
    static std::unique_ptr<MatchEngine> Start(const std::string& command, Rules rules, std::string* reason);
    ExternalEngine(pid_t pid, int toEngine, int fromEngine);
    ~ExternalEngine() override;

    std::vector<TMove> PlayTurn(const GameState& game, int budgetMs, std::string* reason) override;

private:
    bool Send(const std::string& line);
    // The next line within timeoutMs; nothing at the end of the output or past the deadline, with the
    // reason in *reason.
    std::optional<std::string> ReadLine(int timeoutMs, std::string* reason);

    pid_t Pid_;
    int ToEngine_;
    int FromEngine_;
    std::string Pending_;
};

} // namespace kelmarin::cli
