// A long scan split with the side thread finds what one scan finds.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "editor/literalscan.h"
#include "editor/splitscan.h"
#include "platform/sys/side_thread.h"

namespace {

// Small sizes, so that short texts are split and stepped through.
constexpr SplitScanSizes kSmall{64, 16};

// Lines of filler, each ended by a NUL as in a block of loaded texts.
std::string SplitscanLines(int lines, std::mt19937& random) {
  std::string text;
  std::uniform_int_distribution<int> length(0, 12);
  for (int i = 0; i < lines; ++i) {
    text.append(static_cast<size_t>(length(random)), "abcdefgh"[i % 8]);
    text += '\0';
  }
  return text;
}

// The NUL-ended line a place lies in.
long SplitscanLineOf(const std::string& text, long at) {
  return at < 0 ? -1 : static_cast<long>(std::count(text.begin(), text.begin() + at, '\0'));
}

}  // namespace

// Each string put at every place in turn (across the first stretch's end,
// around the middle, at the end) is found as one scan finds it: the same
// offset for one string, the same line for several.
TEST(SplitScan, FindsWhatOneScanFindsWhereverTheStringStands) {
  const struct {
    const char* name;
    std::vector<std::string> strings;
    LiteralScan::Fold fold;
  } kCases[] = {
      {"one string", {"kiwi"}, LiteralScan::Fold::kExact},
      {"one string, any case", {"kiwi"}, LiteralScan::Fold::kLowerCase},
      {"several strings", {"kiwi", "fig", "melon"}, LiteralScan::Fold::kExact},
  };
  std::mt19937 random(7);
  const std::string filler = SplitscanLines(40, random);
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    LiteralScan scan;
    scan.Set(c.strings, c.fold);
    for (size_t at = 0; at < filler.size(); ++at) {
      if (at > 0 && filler[at - 1] != '\0' && at % 3 != 0) continue;  // every line start, some middles
      std::string text = filler;
      const std::string& put = c.strings[at % c.strings.size()];
      text.insert(at, c.fold == LiteralScan::Fold::kLowerCase ? std::string("KiWi") : put);
      if (c.strings.size() > 1) text.insert(std::min(text.size(), at + 37), c.strings[0]);
      long one = scan.Find(text.data(), text.size());
      long split = SplitScanFind(scan, text.data(), text.size(), kSmall);
      if (c.strings.size() == 1) {
        ASSERT_EQ(split, one) << "put at " << at;
      } else {
        ASSERT_EQ(SplitscanLineOf(text, split), SplitscanLineOf(text, one)) << "put at " << at;
      }
    }
  }
}

TEST(SplitScan, TextsWithoutTheStringOrWithoutNulsGiveWhatOneScanGives) {
  std::mt19937 random(11);
  LiteralScan scan;
  scan.Set({"zebrafish"}, LiteralScan::Fold::kExact);
  const std::string lines = SplitscanLines(200, random);
  EXPECT_EQ(SplitScanFind(scan, lines.data(), lines.size(), kSmall), -1);
  // One long line: nowhere to cut, so one scan.
  std::string oneLine(500, 'x');
  oneLine.replace(400, 9, "zebrafish");
  EXPECT_EQ(SplitScanFind(scan, oneLine.data(), oneLine.size(), kSmall), 400);
  // A string holding a NUL may run across a cut: not split.
  LiteralScan withNul;
  withNul.Set({std::string("h\0a", 3)}, LiteralScan::Fold::kExact);
  std::string text = lines;
  text.insert(300, std::string("h\0a", 3));
  EXPECT_EQ(SplitScanFind(withNul, text.data(), text.size(), kSmall), withNul.Find(text.data(), text.size()));
}

// With the side thread taken by another caller the scan is done alone.
TEST(SplitScan, ATakenSideThreadLeavesTheScanToTheCaller) {
  std::mt19937 random(3);
  std::string text = SplitscanLines(300, random);
  text.insert(text.size() - 20, "kiwi");
  LiteralScan scan;
  scan.Set({"kiwi"}, LiteralScan::Fold::kExact);
  plat::SideThread& side = plat::SideThread::Shared();
  bool taken = side.TryStart([](void*) {}, nullptr);
  EXPECT_EQ(SplitScanFind(scan, text.data(), text.size(), kSmall), scan.Find(text.data(), text.size()));
  if (taken) side.Wait();
}
