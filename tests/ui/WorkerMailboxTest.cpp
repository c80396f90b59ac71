#include "WorkerMailbox.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

namespace kelmarin::ui {
namespace {

// Tasks from two workers reach the window's thread each exactly once, each worker's in its own order;
// what a worker wrote before posting is seen there (the thread sanitizer checks the hand-over).
TEST(WorkerMailbox, TasksFromWorkersRunOnTheOwnersThreadInPostingOrder)
{
    WorkerMailbox mailbox;
    const std::thread::id owner = std::this_thread::get_id();
    std::vector<int> seen;
    bool onOwner = true;
    constexpr int PerWorker = 200;
    auto work = [&](int first) {
        for (int i = first; i < first + PerWorker; ++i) {
            auto written = std::make_shared<int>(i);
            mailbox.Post([&, written] {
                onOwner = onOwner && std::this_thread::get_id() == owner;
                seen.push_back(*written);
            });
        }
    };
    std::thread a(work, 0);
    std::thread b(work, 1000);
    a.join();
    b.join();
    QCoreApplication::sendPostedEvents(&mailbox);
    ASSERT_EQ(seen.size(), std::size_t{2 * PerWorker});
    EXPECT_TRUE(onOwner);
    std::vector<int> fromA;
    std::vector<int> fromB;
    for (int value : seen)
        (value < 1000 ? fromA : fromB).push_back(value);
    ASSERT_EQ(fromA.size(), std::size_t{PerWorker});
    ASSERT_EQ(fromB.size(), std::size_t{PerWorker});
    for (int i = 0; i < PerWorker; ++i) {
        EXPECT_EQ(fromA[i], i);
        EXPECT_EQ(fromB[i], 1000 + i);
    }
}

TEST(WorkerMailbox, TasksStillQueuedWhenTheMailboxGoesAreDroppedUnrun)
{
    bool ran = false;
    {
        WorkerMailbox mailbox;
        std::thread worker([&] { mailbox.Post([&] { ran = true; }); });
        worker.join();
    }
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace kelmarin::ui
