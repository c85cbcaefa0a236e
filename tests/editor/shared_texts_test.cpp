// The packed texts of lines rebuilt at once: where texts go, and when the
// blocks holding them go back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "editor/sharedtexts.h"

namespace {

constexpr const char* kText = "    total = weight * melon + offset;\r\n";
constexpr size_t kTextBytes = 38;
// Enough texts of kTextBytes to fill several blocks, the last ones of the
// biggest size (each made ready before the one before is full).
constexpr int kManyTexts = 300000;

char* TakeCopy(SharedTexts& shared, const char* bytes, size_t n) {
  char* text = shared.Take(n);
  if (text != nullptr) std::memcpy(text, bytes, n);
  return text;
}

TEST(SharedTexts, TextsFollowOneAnotherEachWithItsNul) {
  SharedTexts shared;
  char* first = TakeCopy(shared, kText, kTextBytes);
  char* second = TakeCopy(shared, "x", 1);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second, first + kTextBytes + 1);
  EXPECT_EQ(std::string(first), kText);
  EXPECT_EQ(std::string(second), "x");
  char* empty = shared.Take(0);
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(*empty, '\0');
}

TEST(SharedTexts, ALongTextIsNotPacked) {
  SharedTexts shared;
  EXPECT_EQ(shared.Take(SharedTexts::kLongest), nullptr);
  EXPECT_NE(shared.Take(SharedTexts::kLongest - 1), nullptr);
}

TEST(SharedTexts, ABlockGoesBackOnceNoTextInItIsBorrowed) {
  SharedTexts shared;
  std::vector<char*> texts;
  for (int i = 0; i < kManyTexts; ++i) {
    texts.push_back(TakeCopy(shared, kText, kTextBytes));
    ASSERT_NE(texts.back(), nullptr);
  }
  const size_t blocks = shared.BlockCount();
  ASSERT_GT(blocks, 2u);
  // Releasing all but the last text of the first block keeps it (a block's
  // texts follow one another; the next block's first one does not follow,
  // as no block size is a multiple of a text's bytes and NUL).
  for (int i = 0; i + 1 < kManyTexts && texts[i + 1] == texts[i] + kTextBytes + 1; ++i) {
    shared.Release(texts[i]);
    texts[i] = nullptr;
  }
  EXPECT_EQ(shared.BlockCount(), blocks);
  // The rest: each text intact while its block is held.
  for (char* text : texts) {
    if (text != nullptr) {
      ASSERT_EQ(std::string(text), kText);
    }
  }
  for (char*& text : texts) {
    if (text == nullptr) continue;
    shared.Release(text);
    text = nullptr;
  }
  // Only the block being filled is kept, to be filled again from its start.
  EXPECT_EQ(shared.BlockCount(), 1u);
}

TEST(SharedTexts, TheBlockBeingFilledIsFilledAgainOnceNothingBorrowsFromIt) {
  SharedTexts shared;
  char* first = TakeCopy(shared, kText, kTextBytes);
  char* second = TakeCopy(shared, kText, kTextBytes);
  shared.Release(first);
  char* third = TakeCopy(shared, kText, kTextBytes);
  EXPECT_EQ(third, second + kTextBytes + 1);  // the second still borrows
  shared.Release(second);
  shared.Release(third);
  EXPECT_EQ(TakeCopy(shared, kText, kTextBytes), first);
  EXPECT_EQ(shared.BlockCount(), 1u);
}

TEST(SharedTexts, AnUnknownTextIsIgnored) {
  SharedTexts shared;
  char* text = TakeCopy(shared, kText, kTextBytes);
  char outside[8] = {};
  shared.Release(outside);
  shared.Release(nullptr);
  EXPECT_EQ(std::string(text), kText);
  EXPECT_EQ(shared.BlockCount(), 1u);
}

}  // namespace
