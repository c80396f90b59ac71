// The strong search on a worker thread, so that the window goes on painting and its menus open while
// the computer thinks.
//
// The worker searches a copy of the game made when it starts, so the game itself is never read off
// the window's thread. Cancel stops the worker and waits for it (the search looks at its cancel flag
// every few hundred microseconds); an answer that was cancelled is never delivered. The wait cursor
// shows for as long as the worker thinks.
#pragma once

#include "GameState.h"
#include "Levels.h"
#include "WaitCursor.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <thread>

namespace kelmarin::ui {

class ComputerThinker final : public QObject {
    Q_OBJECT

public:
    // What the answer is for: the computer's own step, or a hint for the person to move.
    enum class Purpose { Step, Hint };

    explicit ComputerThinker(QObject* parent = nullptr);
    ~ComputerThinker() override;

    bool IsThinking() const { return Worker_.joinable(); }
    Purpose ThinkingFor() const { return Purpose_; }
    // Starts a search of the game's side to move for timeMs; does nothing while one runs.
    void Start(const GameState& game, int timeMs, Purpose purpose);
    // Stops a running search and throws its answer away; the game is as it was.
    void Cancel();

signals:
    // On the window's thread, once the search has ended by itself.
    void Finished(const kelmarin::StrongResult& result, kelmarin::ui::ComputerThinker::Purpose purpose);

private:
    void Deliver(unsigned generation, const StrongResult& result);

    std::thread Worker_;
    std::unique_ptr<GameState> Copy_;
    std::atomic<bool> Cancelled_ = false;
    unsigned Generation_ = 0; // counts the searches, so that a late answer is known for what it is
    Purpose Purpose_ = Purpose::Step;
    std::unique_ptr<WaitCursor> Wait_;
};

} // namespace kelmarin::ui
