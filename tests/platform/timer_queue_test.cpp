#include "platform/timer_queue.h"

#include <gtest/gtest.h>

#include <vector>

namespace vessant {
namespace {

// Every firing up to `nowUs`, as (id, due) pairs.
std::vector<std::pair<unsigned, std::uint64_t>> Drain(TimerQueue& queue, std::uint64_t nowUs, TimerQueue::Late late) {
    std::vector<std::pair<unsigned, std::uint64_t>> fired;
    unsigned id = 0;
    std::uint64_t due = 0;
    while (queue.TakeDue(nowUs, late, &id, &due)) fired.emplace_back(id, due);
    return fired;
}

TEST(TimerQueue, CatchUpFiresEveryMissedPeriodInOrder) {
    TimerQueue queue;
    queue.Set(1, 16, 0);
    queue.Set(2, 20, 0);
    const auto fired = Drain(queue, 50000, TimerQueue::Late::CatchUp);
    const std::vector<std::pair<unsigned, std::uint64_t>> expected{{1, 16000}, {2, 20000}, {1, 32000},
                                                                   {2, 40000}, {1, 48000}};
    EXPECT_EQ(fired, expected);
    std::uint64_t next = 0;
    ASSERT_TRUE(queue.NextDue(&next));
    EXPECT_EQ(next, 60000u);
}

TEST(TimerQueue, SkipFiresALateTimerOnceAndResumesAPeriodFromNow) {
    TimerQueue queue;
    queue.Set(1, 16, 0);
    // 100 ms late: one firing, not six.
    EXPECT_EQ(Drain(queue, 116000, TimerQueue::Late::Skip).size(), 1u);
    std::uint64_t next = 0;
    ASSERT_TRUE(queue.NextDue(&next));
    EXPECT_EQ(next, 132000u);

    // Slightly late (less than a period): the rhythm of the due times is kept.
    EXPECT_EQ(Drain(queue, 140000, TimerQueue::Late::Skip).size(), 1u);
    ASSERT_TRUE(queue.NextDue(&next));
    EXPECT_EQ(next, 148000u);
}

TEST(TimerQueue, OneShotFiresOnceAndLeavesPeriodicTimersRunning) {
    TimerQueue queue;
    queue.Set(1, 10, 0);
    EXPECT_EQ(queue.SetAt(2, 15000), 2u);
    const auto fired = Drain(queue, 40000, TimerQueue::Late::CatchUp);
    const std::vector<std::pair<unsigned, std::uint64_t>> expected{{1, 10000}, {2, 15000}, {1, 20000},
                                                                   {1, 30000}, {1, 40000}};
    EXPECT_EQ(fired, expected);
    EXPECT_FALSE(queue.Armed(2));
    EXPECT_TRUE(queue.Armed(1));
}

TEST(TimerQueue, IdZeroIsRefusedAndZeroPeriodCannotSpin) {
    TimerQueue queue;
    EXPECT_EQ(queue.Set(0, 10, 0), 0u);
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(queue.Set(7, 0, 0), 7u);
    EXPECT_EQ(Drain(queue, 10000, TimerQueue::Late::CatchUp).size(), 10u);
    queue.Kill(7);
    EXPECT_TRUE(queue.Empty());
    std::uint64_t next = 0;
    EXPECT_FALSE(queue.NextDue(&next));
}

}  // namespace
}  // namespace vessant
