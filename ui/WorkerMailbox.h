// Hands work from worker threads to the thread an object lives on, in the order it was posted.
//
// Qt's queued calls do the same, but the locks inside Qt's event queue are not visible to the thread
// sanitizer (Debian's Qt is not built with it), so a closure made on a worker and run on the window's
// thread looks like a race to it. Here each closure travels under a lock of our own, and the queued
// call that wakes the window's thread carries nothing. Closures still queued when the mailbox goes
// are dropped unrun.
#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <mutex>

namespace kelmarin::ui {

class WorkerMailbox final : public QObject {
    Q_OBJECT

public:
    explicit WorkerMailbox(QObject* parent = nullptr) : QObject(parent) {}

    // From any thread: runs task on this object's thread, after everything posted before it.
    void Post(std::function<void()> task);

private:
    Q_INVOKABLE void RunNext();

    std::mutex Lock_;
    std::deque<std::function<void()>> Tasks_;
};

} // namespace kelmarin::ui
