#include "ExternalEngine.h"

#include "PdnMove.h"
#include "PdnWriter.h"
#include "Turn.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kelmarin::cli {

namespace {

// Longer answers are nonsense; no line of the protocol comes near.
constexpr std::size_t MaxAnswerLength = 1 << 16;

std::int64_t NowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string Shown(std::string text)
{
    if (text.size() > 60) {
        text.resize(60);
        text += "...";
    }
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F)
            c = '?';
    return text;
}

} // namespace

std::unique_ptr<MatchEngine> ExternalEngine::Start(const std::string& command, Rules rules,
                                                   std::string* reason)
{
    // A write to an engine that has gone must fail, not end this program.
    std::signal(SIGPIPE, SIG_IGN);
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0)
        return *reason = "cannot make a pipe", nullptr;
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return *reason = "cannot make a pipe", nullptr;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        for (const int fd : {in[0], in[1], out[0], out[1]})
            close(fd);
        return *reason = "cannot start a process", nullptr;
    }
    if (pid == 0) {
        setpgid(0, 0); // a group of its own, so that whatever the command starts ends with it
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        for (const int fd : {in[0], in[1], out[0], out[1]})
            close(fd);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    setpgid(pid, pid);
    close(in[0]);
    close(out[1]);
    auto engine = std::make_unique<ExternalEngine>(pid, in[1], out[0]);
    engine->Send(rules == Rules::English ? "rules english" : "rules kelmarin");
    return engine;
}

ExternalEngine::ExternalEngine(pid_t pid, int toEngine, int fromEngine)
    : Pid_(pid), ToEngine_(toEngine), FromEngine_(fromEngine)
{
}

ExternalEngine::~ExternalEngine()
{
    Send("quit");
    close(ToEngine_);
    close(FromEngine_);
    // A moment to end by itself, then the end is forced.
    for (int k = 0; k < 50; ++k) {
        if (waitpid(Pid_, nullptr, WNOHANG) == Pid_) {
            kill(-Pid_, SIGKILL); // anything it left behind
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(-Pid_, SIGKILL);
    waitpid(Pid_, nullptr, 0);
}

bool ExternalEngine::Send(const std::string& line)
{
    const std::string text = line + "\n";
    std::size_t sent = 0;
    while (sent < text.size()) {
        const ssize_t n = write(ToEngine_, text.data() + sent, text.size() - sent);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::optional<std::string> ExternalEngine::ReadLine(int timeoutMs, std::string* reason)
{
    const std::int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        if (const std::size_t end = Pending_.find('\n'); end != std::string::npos) {
            std::string line = Pending_.substr(0, end);
            Pending_.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return line;
        }
        if (Pending_.size() > MaxAnswerLength) {
            *reason = "answered a line too long to be read";
            return std::nullopt;
        }
        const std::int64_t left = deadline - NowMs();
        pollfd wait{FromEngine_, POLLIN, 0};
        const int ready = left > 0 ? poll(&wait, 1, static_cast<int>(left)) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            *reason = "answered nothing within " + std::to_string(timeoutMs) + " ms";
            return std::nullopt;
        }
        char buffer[4096];
        const ssize_t n = read(FromEngine_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *reason = "ended before it answered";
            return std::nullopt;
        }
        Pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

std::vector<TMove> ExternalEngine::PlayTurn(const GameState& game, int budgetMs, std::string* reason)
{
    const std::span<const TMove> applied(game.MoveHistory.data(), static_cast<std::size_t>(game.HistoryPos));
    std::string position = "position startpos moves";
    for (const TTurn& turn : GroupTurns(applied)) {
        position += ' ';
        position += PdnMoveText(
            applied.subspan(static_cast<std::size_t>(turn.First), static_cast<std::size_t>(turn.Count)));
    }
    if (!Send(position) || !Send("go movetime " + std::to_string(budgetMs))) {
        *reason = "ended before it was asked";
        return {};
    }
    // Room for a slow start and a loaded machine, but never an endless wait.
    const int timeoutMs = 2 * budgetMs + 2000;
    const std::int64_t deadline = NowMs() + timeoutMs;
    for (;;) {
        const std::int64_t left = deadline - NowMs();
        std::string why;
        const std::optional<std::string> line =
            ReadLine(static_cast<int>(std::max<std::int64_t>(left, 0)), &why);
        if (!line) {
            *reason = why.rfind("answered nothing", 0) == 0
                          ? "answered nothing within " + std::to_string(timeoutMs) + " ms"
                          : why;
            return {};
        }
        if (line->rfind("error", 0) == 0) {
            *reason = "refused its turn: " + Shown(*line);
            return {};
        }
        if (line->rfind("bestmove ", 0) != 0)
            continue; // info lines and anything else said while thinking
        const std::string move = line->substr(9);
        GameState copy = game;
        const std::vector<int> squares = MoveSquares(move);
        const TTurnMatch turn = MatchTurn(copy, copy.SideToMove, squares);
        if (turn.Result != TTurnMatch::Outcome::Found) {
            *reason = "answered a move that is not legal here: " + Shown(move);
            return {};
        }
        return turn.Steps;
    }
}

} // namespace kelmarin::cli
