#include <gtest/gtest.h>

#include <string>

#include "app/core/number_text.h"

namespace {

struct NumberCase {
  const char* text;
  DWORD value;
};

class ParseNumberTextTest : public testing::TestWithParam<NumberCase> {};

TEST_P(ParseNumberTextTest, ReadsTheValue) {
  EXPECT_EQ(ParseNumberText(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, ParseNumberTextTest,
                         testing::Values(NumberCase{"10", 10}, NumberCase{"10h", 16},
                                         NumberCase{"0x10 and more", 16}, NumberCase{"0x1F", 31},
                                         NumberCase{"$1F", 31}, NumberCase{"1Fh", 31}, NumberCase{"ah", 10},
                                         NumberCase{"$$10", 16}, NumberCase{"0x0x10", 16},
                                         // unmarked letters add nothing to a decimal number
                                         NumberCase{"1F", 10}, NumberCase{"12z4", 1204},
                                         // wraps in 32 bits
                                         NumberCase{"0xFFFFFFFFF", 0xFFFFFFFFu}, NumberCase{"4294967297", 1},
                                         // no number at all
                                         NumberCase{"", 0}, NumberCase{"0x", 0}, NumberCase{"$", 0},
                                         NumberCase{"h", 0}, NumberCase{"0xh", 0}, NumberCase{"g1", 0},
                                         NumberCase{"1g", 0}, NumberCase{"0X10", 0}, NumberCase{" 12", 0},
                                         NumberCase{"-5", 0}));

TEST(ParseNumberText, NullTextIsZero) { EXPECT_EQ(ParseNumberText(nullptr), 0u); }

TEST(ParseNumberText, ReadsTextsLongerThanASixteenBitIndex) {
  std::string text = "0x" + std::string(70000, '0') + "2A";
  EXPECT_EQ(ParseNumberText(text.c_str()), 42u);
}

}  // namespace
