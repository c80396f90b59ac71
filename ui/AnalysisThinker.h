// The strong search thinking without end about one position, on a worker thread of its own, for the
// Analysis window.
//
// It owns its search and with it its table, apart from the computer's, so the two never share one.
// The worker searches a copy of the game made when it starts; each completed iteration comes back to
// the window's thread by a queued call, and is delivered only while that start is the current one:
// Stop (and so a new Start) sets the cancel flag, waits for the worker, and makes every answer still
// on its way a stale one. The search ends by itself only at MaxDepth; the last line then stands.
#pragma once

#include "EndgameSet.h"
#include "GameState.h"
#include "StrongSearch.h"
#include "WorkerMailbox.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace kelmarin::ui {

class AnalysisThinker final : public QObject {
    Q_OBJECT

public:
    // Deep enough for any position a person wants looked at; a short ending reaches it and stops.
    static constexpr int MaxDepth = 48;
    // A day: the search is stopped by its cancel flag long before.
    static constexpr int TimeMs = 24 * 60 * 60 * 1000;

    // Runs on the worker: the search itself, given the thinker's own search object. Tests put their
    // own in its place.
    using SearchFunction = std::function<void(strong::StrongSearch& search, const GameState& game,
                                              const strong::SearchLimits& limits)>;

    explicit AnalysisThinker(QObject* parent = nullptr);
    ~AnalysisThinker() override;

    // Stops what runs, then thinks about the game's position from scratch.
    void Start(const GameState& game);
    // Stops the worker and throws away what it had not yet delivered.
    void Stop();
    // A worker runs (it may have ended by itself, its end not yet delivered).
    bool IsRunning() const { return Worker_.joinable(); }
    void SetSearchFunction(SearchFunction search) { Search_ = std::move(search); }
    // The endgame tables the search probes, those of the game's rules, from the next start on.
    void SetTables(EndgameSet tables) { Tables_ = std::move(tables); }

signals:
    // On the window's thread: an iteration of the current start completed.
    void IterationDone(const kelmarin::strong::IterationInfo& info);
    // On the window's thread: the current start ended by itself, at MaxDepth or with no step to look at.
    void SearchEnded();

private:
    void Deliver(unsigned generation, const std::shared_ptr<const strong::IterationInfo>& info);
    void DeliverEnd(unsigned generation);

    std::thread Worker_;
    std::unique_ptr<GameState> Copy_;
    std::atomic<bool> Cancelled_ = false;
    unsigned Generation_ = 0; // counts the starts, so that a late answer is known for what it is
    // Made on the worker at its first search; touched only by the one worker that runs.
    std::unique_ptr<strong::StrongSearch> Engine_;
    SearchFunction Search_;
    EndgameSet Tables_;
    // Carries what the worker hands back to the window's thread.
    WorkerMailbox Mailbox_;
};

} // namespace kelmarin::ui
