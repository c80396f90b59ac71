#include "WorkerMailbox.h"

#include <QMetaObject>

#include <utility>

namespace kelmarin::ui {

void WorkerMailbox::Post(std::function<void()> task)
{
    {
        const std::lock_guard lock(Lock_);
        Tasks_.push_back(std::move(task));
    }
    // One wake-up for each task; the wake-ups come in posting order, and each runs the oldest task.
    QMetaObject::invokeMethod(this, "RunNext", Qt::QueuedConnection);
}

void WorkerMailbox::RunNext()
{
    std::function<void()> task;
    {
        const std::lock_guard lock(Lock_);
        if (Tasks_.empty())
            return;
        task = std::move(Tasks_.front());
        Tasks_.pop_front();
    }
    task();
}

} // namespace kelmarin::ui
