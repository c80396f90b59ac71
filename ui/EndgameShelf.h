// Finds and opens the endgame tables for the window, on a thread of its own: opening reads every byte
// of every file to check it, which takes seconds for the larger tables when they are not yet in memory,
// and the window is at work long before. The tables are an improvement, never a requirement: without
// them the computer plays as well as its search does, and nothing is said. A file that is refused is
// named on the standard error, and its folder is not used.
#pragma once

#include "EndgameSet.h"
#include "WorkerMailbox.h"

#include <QObject>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

namespace kelmarin::ui {

class EndgameShelf final : public QObject {
    Q_OBJECT

public:
    explicit EndgameShelf(QObject* parent = nullptr) : QObject(parent) {}
    ~EndgameShelf() override; // waits for an opening that runs

    // Where the window looks, in this order: the user's own data folder, then the installed one.
    static std::vector<std::filesystem::path> Folders();

    // Opens the tables of both rule sets from folders on the worker; Opened follows on this object's
    // thread. Does nothing while an opening runs.
    void Open(std::vector<std::filesystem::path> folders);
    const EndgameSet& Tables() const { return Tables_; }

signals:
    void Opened(const kelmarin::ui::EndgameSet& tables);

private:
    std::thread Worker_;
    std::atomic<bool> Stopping_ = false;
    EndgameSet Tables_;
    WorkerMailbox Mailbox_;
};

} // namespace kelmarin::ui
