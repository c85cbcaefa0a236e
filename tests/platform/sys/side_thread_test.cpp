#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/sys/side_thread.h"

namespace {

struct SideThreadJob {
  std::atomic<bool> release{false};
  std::atomic<int> runs{0};
  std::thread::id ranOn;
};

void SideThreadTestRun(void* arg) {
  auto* job = static_cast<SideThreadJob*>(arg);
  job->ranOn = std::this_thread::get_id();
  while (!job->release.load()) std::this_thread::yield();
  ++job->runs;
}

}  // namespace

// A job runs on the other thread; while it is taken no second caller gets
// the thread, and after Wait the next one does.
TEST(SideThread, OneCallerAtATimeAndWaitReturnsOnceTheJobIsDone) {
  plat::SideThread side(plat::SideThread::Linger::kYes);
  SideThreadJob first;
  ASSERT_TRUE(side.TryStart(SideThreadTestRun, &first));
  SideThreadJob second;
  second.release = true;
  EXPECT_FALSE(side.TryStart(SideThreadTestRun, &second));
  first.release = true;
  side.Wait();
  EXPECT_EQ(first.runs.load(), 1);
  EXPECT_NE(first.ranOn, std::this_thread::get_id());
  EXPECT_FALSE(side.Busy());
  ASSERT_TRUE(side.TryStart(SideThreadTestRun, &second));
  side.Wait();
  EXPECT_EQ(second.runs.load(), 1);
  EXPECT_EQ(second.ranOn, first.ranOn);  // the same kept thread
}

// Jobs given long apart, after the thread went to sleep, still run, and a
// waiter that does not linger sleeps until the job is done.
TEST(SideThread, AParkedThreadWakesForTheNextJob) {
  constexpr auto kLongerThanItLooksForWork = std::chrono::milliseconds(5);
  plat::SideThread side;
  static constexpr auto kJobTime = std::chrono::milliseconds(2);
  for (int i = 0; i < 3; ++i) {
    SideThreadJob job;
    ASSERT_TRUE(side.TryStart(SideThreadTestRun, &job));
    std::thread releaser([&job] {
      std::this_thread::sleep_for(kJobTime);
      job.release = true;
    });
    side.Wait();
    EXPECT_EQ(job.runs.load(), 1);
    releaser.join();
    std::this_thread::sleep_for(kLongerThanItLooksForWork);
  }
}
