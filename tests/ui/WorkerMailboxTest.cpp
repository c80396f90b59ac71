#include "WorkerMailbox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace kelmarin::ui {
namespace {

// What a worker posts runs on the owner's thread, once each and in order, and sees what the worker
// wrote before posting (the thread sanitizer checks the hand-over); what is still queued when the
// mailbox goes is dropped unrun.
TEST(WorkerMailbox, TasksRunOnTheOwnersThreadInPostingOrderOrAreDroppedWithTheMailbox)
{
    const std::thread::id owner = std::this_thread::get_id();
    std::vector<int> seen;
    {
        WorkerMailbox mailbox;
        std::thread worker([&] {
            for (int i = 0; i < 200; ++i)
                mailbox.Post([&, written = std::make_shared<int>(i)] {
                    EXPECT_EQ(std::this_thread::get_id(), owner);
                    seen.push_back(*written);
                });
        });
        worker.join();
        QCoreApplication::sendPostedEvents(&mailbox);
        mailbox.Post([&] { seen.push_back(-1); });
    }
    QCoreApplication::sendPostedEvents();
    ASSERT_EQ(seen.size(), 200U);
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(seen[i], i);
}

} // namespace
} // namespace kelmarin::ui
