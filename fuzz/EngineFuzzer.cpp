// Fuzz target for the engine protocol: every line is answered with info, bestmove or error lines
// only; a refused line gets exactly one error line and leaves the session as it was; the session
// never hangs, and reading the whole input as a stream ends like quit.
#include "EngineSession.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

namespace {

using namespace kelmarin::cli;

void Require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "EngineFuzzer: %s\n", what);
        std::abort();
    }
}

bool StartsWith(const std::string& line, std::string_view word)
{
    return line.rfind(word, 0) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    {
        // Shallow searches keep every go short.
        EngineSession session([&lines](const std::string& line) { lines.push_back(line); }, 3);
        std::size_t start = 0;
        for (int count = 0; start <= text.size() && count < 64; ++count) {
            std::size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            const std::string before = session.StateText();
            const std::size_t answered = lines.size();
            const bool more = session.Handle(text.substr(start, end - start));
            session.WaitIdle();
            bool refused = false;
            for (std::size_t k = answered; k < lines.size(); ++k) {
                Require(StartsWith(lines[k], "info ") || StartsWith(lines[k], "bestmove ") ||
                            StartsWith(lines[k], "error "),
                        "an answer that is none of info, bestmove and error");
                refused = refused || StartsWith(lines[k], "error ");
            }
            if (refused) {
                Require(lines.size() == answered + 1, "a refused line got more than one answer");
                Require(session.StateText() == before, "a refused line changed the session");
            }
            if (!more)
                break;
            start = end + 1;
        }
    }
    EngineSession streamed([](const std::string&) {}, 2);
    std::istringstream in{std::string(text)};
    RunEngineSession(in, streamed);
    Require(!streamed.Handle("go"), "the session goes on after the end of its input");
    return 0;
}
