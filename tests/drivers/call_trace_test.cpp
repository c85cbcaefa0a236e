// The simulated drivers' call record keeps the newest calls of a long run.
#include <gtest/gtest.h>

#include <string>

#include "drivers/sim/call_trace.h"

namespace {

TEST(CallTraceTest, ALongRunKeepsTheNewestCallsWithinItsBound) {
  constexpr size_t kCalls = 5 * sim::CallTrace::kKept + 3;
  sim::CallTrace trace;
  for (size_t i = 0; i < kCalls; ++i) trace.Add({"Call", std::to_string(i), 0});
  const auto& kept = trace.Entries();
  EXPECT_GE(kept.size(), sim::CallTrace::kKept);
  EXPECT_LE(kept.size(), 2 * sim::CallTrace::kKept);
  EXPECT_EQ(kept.back().args, std::to_string(kCalls - 1));
  // What is kept is the newest run of calls, in order.
  EXPECT_EQ(kept.front().args, std::to_string(kCalls - kept.size()));
}

}  // namespace
