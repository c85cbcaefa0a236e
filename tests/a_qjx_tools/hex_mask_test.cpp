#include <gtest/gtest.h>

#include <string>

#include "a_qjx/hex_mask.h"

namespace {

HexMask Masked(const char* mask, const char* value) {
  HexMask m;
  m.SetMask(mask);
  if (value) m.SetValue(value);
  return m;
}

TEST(HexMask, ValuesFillTheMaskedPositions) {
  EXPECT_EQ(std::string(Masked("hhhh", nullptr).Display()), "0000");
  EXPECT_EQ(std::string(Masked("hhhh", "1A").Display()), "1A00");
  EXPECT_EQ(std::string(Masked("hhhh", "00FF").GetValue()), "00FF");
  const HexMask dated = Masked("##-##", "1231");
  EXPECT_EQ(std::string(dated.Display()), "12-31");
  EXPECT_EQ(std::string(dated.GetValue()), "1231");
}

TEST(HexMask, EachMaskCharacterAcceptsItsKind) {
  struct Case {
    const char* mask;
    char typed;
    bool accepted;
    char taken;
  };
  const Case cases[] = {{"h", 'a', true, 'a'}, {"h", 'F', true, 'F'}, {"h", 'G', false, 0},
                        {"#", '7', true, '7'}, {"#", 'a', false, 0},  {"?", 'x', true, 'x'},
                        {"?", '1', false, 0},  {"-", 'z', true, '-'}};
  for (const Case& c : cases) {
    const HexMask m = Masked(c.mask, nullptr);
    char taken = 0;
    EXPECT_EQ(m.AcceptChar(0, c.typed, &taken), c.accepted) << c.mask << c.typed;
    if (c.accepted) EXPECT_EQ(taken, c.taken) << c.mask << c.typed;
  }
  char taken = 0;
  EXPECT_FALSE(Masked("hh", nullptr).AcceptChar(2, '1', &taken));  // beyond the end
}

TEST(HexMask, CaretSkipsLiterals) {
  const HexMask m = Masked("##-##", nullptr);
  EXPECT_EQ(m.NextCaretPos(2, HexMask::LastKey::Other), 3);
  EXPECT_EQ(m.NextCaretPos(3, HexMask::LastKey::Backspace), 2);
  EXPECT_EQ(m.NextCaretPos(5, HexMask::LastKey::Other), 5);
  EXPECT_EQ(Masked("-#", nullptr).NextCaretPos(1, HexMask::LastKey::Backspace), 0);
}

TEST(HexMask, ClearingPutsBackThePromptOrTheLiteral) {
  HexMask m = Masked("h-h", "12");
  m.ClearAt(0);
  m.ClearAt(1);
  EXPECT_EQ(std::string(m.Display()), "0-2");
}

}  // namespace
