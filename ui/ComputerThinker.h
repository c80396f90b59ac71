// The strong search on a worker thread, so that the window goes on painting and its menus open while
// the computer thinks.
//
// The worker searches a copy of the game made when it starts, so the game itself is never read off
// the window's thread, and its answer comes back with the position it was asked about, for the
// window to check that it still stands. Each level keeps its search, and with it its transposition
// table, from one step to the next; only one search runs at a time, so a table is never touched by
// two threads at once. Cancel stops the worker and waits for it (the search looks at its cancel flag
// every few hundred microseconds); an answer that was cancelled is never delivered. A failure inside
// the worker (out of memory) ends that search and is delivered as a reason instead of an answer. The
// wait cursor shows for as long as the worker thinks.
#pragma once

#include "EndgameSet.h"
#include "GameState.h"
#include "Levels.h"
#include "WaitCursor.h"
#include "WorkerMailbox.h"

#include <QObject>
#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace kelmarin::strong {
class StrongSearch;
}

namespace kelmarin::ui {

// The position a search was asked about: an answer counts only while all three still stand.
struct AskedPosition {
    int HistoryPos = 0;
    std::int16_t SideToMove = 0;
    TBoard Board{};

    static AskedPosition Of(const GameState& game) { return {game.HistoryPos, game.SideToMove, game.Board}; }
    bool operator==(const AskedPosition&) const = default;
};

class ComputerThinker final : public QObject {
    Q_OBJECT

public:
    // What the answer is for: the computer's step for a side it plays, a step asked for by Move Now
    // whoever plays the side, or a hint for the person to move.
    enum class Purpose { Step, MoveNow, Hint };

    // Runs on the worker: the search itself, given the level's own search object. Tests put their own
    // in its place.
    using SearchFunction = std::function<StrongResult(strong::StrongSearch& search, const GameState& game,
                                                      int timeMs, const std::atomic<bool>* cancel)>;

    explicit ComputerThinker(QObject* parent = nullptr);
    ~ComputerThinker() override;

    bool IsThinking() const { return Worker_.joinable(); }
    Purpose ThinkingFor() const { return Purpose_; }
    // Starts a search of the game's side to move for timeMs with level's search; does nothing while
    // one runs.
    void Start(const GameState& game, Level level, int timeMs, Purpose purpose);
    // Stops a running search and throws its answer away; the game is as it was.
    void Cancel();
    // Stops a running search, and every level forgets what it learnt: a new game starts.
    void ForgetGame();
    void SetSearchFunction(SearchFunction search) { Search_ = std::move(search); }
    // The endgame tables a search probes, those of the game's rules, taken when it starts.
    void SetTables(EndgameSet tables) { Tables_ = std::move(tables); }

signals:
    // On the window's thread, once the search has ended by itself.
    void Finished(const kelmarin::StrongResult& result, kelmarin::ui::ComputerThinker::Purpose purpose,
                  const kelmarin::ui::AskedPosition& asked);
    // On the window's thread: the search could not be made, for this reason.
    void Failed(const QString& reason);
    // A search started, or one ended in any way; IsThinking tells which.
    void ThinkingChanged();

private:
    struct Answer;
    void Deliver(unsigned generation, const std::shared_ptr<const Answer>& answer);

    static constexpr std::size_t LevelCount = std::size(AllLevels);

    std::thread Worker_;
    std::unique_ptr<GameState> Copy_;
    std::atomic<bool> Cancelled_ = false;
    unsigned Generation_ = 0; // counts the searches, so that a late answer is known for what it is
    Purpose Purpose_ = Purpose::Step;
    AskedPosition Asked_;
    std::unique_ptr<WaitCursor> Wait_;
    // Made on the worker at a level's first search; read and written only while no worker runs, or by
    // the one worker that searches with it.
    std::array<std::unique_ptr<strong::StrongSearch>, LevelCount> Searches_;
    std::array<bool, LevelCount> ClearDue_{};
    SearchFunction Search_;
    EndgameSet Tables_;
    // Carries what the worker hands back to the window's thread.
    WorkerMailbox Mailbox_;
};

} // namespace kelmarin::ui
