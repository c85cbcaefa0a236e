// How long a sender spins for an answer: late answers shorten the spin
// down to none, an early one restores it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/ui/answer_spin.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kEarly = 5us;
constexpr auto kLate = 2ms;
constexpr int kLateAnswersToStop = 16;

std::chrono::nanoseconds SpinOf(const AnswerSpin& spin) {
  const AnswerSpin::Clock::time_point sent{};
  return spin.Spins() ? spin.Until(sent) - sent : std::chrono::nanoseconds(0);
}

class AnswerSpinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::thread::hardware_concurrency() < 2) GTEST_SKIP() << "one processor: senders never spin";
  }
};

TEST_F(AnswerSpinTest, AFreshSenderSpinsLongerThanAnEarlyAnswerTakes) {
  AnswerSpin spin;
  EXPECT_TRUE(spin.Spins());
  EXPECT_GT(SpinOf(spin), kEarly);
}

TEST_F(AnswerSpinTest, LateAnswersShortenTheSpinStepByStepDownToNone) {
  AnswerSpin spin;
  auto before = SpinOf(spin);
  spin.Answered(kLate);
  EXPECT_TRUE(spin.Spins()) << "one late answer does not stop the spinning";
  EXPECT_LT(SpinOf(spin), before);
  for (int i = 1; i < kLateAnswersToStop; ++i) spin.Answered(kLate);
  EXPECT_FALSE(spin.Spins());
}

TEST_F(AnswerSpinTest, AnEarlyAnswerRestoresTheWholeSpin) {
  AnswerSpin spin;
  const auto whole = SpinOf(spin);
  for (int i = 0; i < kLateAnswersToStop; ++i) spin.Answered(kLate);
  ASSERT_FALSE(spin.Spins());
  spin.Answered(kEarly);
  EXPECT_EQ(SpinOf(spin), whole);
}

}  // namespace
