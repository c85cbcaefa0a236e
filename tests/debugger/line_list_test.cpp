// The line list and the function list against a plain model of their
// rules: records taken in reading order (at most twice the line table),
// ordered by address where the record read last at one address stays; a
// line is found as the smallest line at or above the one asked for, at its
// highest address; the function list holds the function symbols at a line
// start, from the highest address down, at one address in reading order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <random>
#include <string>
#include <vector>

#include "tests/debugger/debug_info_helpers.h"

using fixture::BorlandExe;

namespace {

const uint16_t kLoad = 0x1000;

struct Piece {
  uint16_t segment;  // code segment before loading
  std::string file;
  std::vector<std::pair<uint16_t, uint16_t>> lines;  // (line, offset)
};

struct Function {
  std::string name;
  uint16_t segment, offset;
};

struct Layout {
  const char* name;
  std::vector<Piece> pieces;
  std::vector<Function> functions;
  // Extra correlations over line records already there: (piece whose
  // records they reuse, segment).
  std::vector<std::pair<size_t, uint16_t>> reuses;
};

struct Entry {
  uint32_t linear;
  uint16_t segment, offset, line;
  std::string file;
};

std::string Key(const std::string& file) {
  std::string base = file.substr(file.find_last_of("/\\") + 1);
  for (char& c : base) c = char(std::tolower(static_cast<unsigned char>(c)));
  return base;
}

BorlandExe Build(const Layout& l) {
  BorlandExe x;
  uint16_t mod = x.AddModule("m");
  std::vector<uint16_t> segmentOf;  // segment index per piece
  std::vector<uint32_t> firstLineOf;
  for (const Piece& p : l.pieces) {
    uint16_t seg = x.AddSegment(mod, p.segment, 0, 0xFFFF);
    firstLineOf.push_back(uint32_t(x.lines.size() + 1));
    x.AddLines(seg, p.file, p.lines);
    segmentOf.push_back(seg);
  }
  for (auto [piece, segment] : l.reuses) {
    uint16_t seg = x.AddSegment(mod, segment, 0, 0xFFFF);
    uint16_t file = x.correlations[piece].sourceFile;
    x.correlations.push_back({seg, file, firstLineOf[piece], uint16_t(l.pieces[piece].lines.size())});
  }
  uint32_t fn = x.AddType(kTypeFunction, "", 0, 0);
  for (const Function& f : l.functions) x.AddSymbol(f.name, fn, f.segment, f.offset);
  return x;
}

std::vector<Entry> ModelLines(const Layout& l) {
  size_t tableSize = 0;
  for (const Piece& p : l.pieces) tableSize += p.lines.size();
  std::vector<Entry> read;
  auto take = [&](const Piece& p, uint16_t segment) {
    for (auto [line, offset] : p.lines) {
      if (read.size() == 2 * tableSize) return;
      uint16_t seg = uint16_t(segment + kLoad);
      read.push_back({uint32_t(seg) * 16 + offset, seg, offset, line, p.file});
    }
  };
  for (const Piece& p : l.pieces) take(p, p.segment);
  for (auto [piece, segment] : l.reuses) take(l.pieces[piece], segment);
  std::stable_sort(read.begin(), read.end(),
                   [](const Entry& a, const Entry& b) { return a.linear < b.linear; });
  std::vector<Entry> kept;
  for (const Entry& e : read) {
    if (!kept.empty() && kept.back().linear == e.linear)
      kept.back() = e;
    else
      kept.push_back(e);
  }
  return kept;
}

void ExpectSameLines(const Layout& l) {
  SCOPED_TRACE(l.name);
  auto d = fixture::Load(Build(l), kLoad);
  std::vector<Entry> model = ModelLines(l);

  // Walking the line starts upwards, and each one's line.
  CAddr a;
  d->FirstLineAddress(&a);
  for (size_t i = 0; i < model.size(); ++i) {
    ASSERT_TRUE(a.IsEqual(CAddr(model[i].segment, model[i].offset))) << "entry " << i;
    EXPECT_EQ(a.segment, model[i].segment) << "entry " << i;
    const char* file = nullptr;
    uint16_t first = 0, line = 0;
    d->AddressToLine(&a, &file, &first, &line);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file, model[i].file) << "entry " << i;
    EXPECT_EQ(line, model[i].line) << "entry " << i;
    EXPECT_EQ(first, i == 0 ? 1 : uint16_t(model[i - 1].line + 1)) << "entry " << i;
    d->NextLineAddress(&a);
  }
  EXPECT_FALSE(a.IsValid());

  // Every line of every file name, also cased and placed differently.
  for (const Piece& p : l.pieces) {
    for (const std::string& asked : {p.file, "X:\\other\\" + Key(p.file)}) {
      for (uint16_t want = 0; want < 40; ++want) {
        const Entry* best = nullptr;
        for (const Entry& e : model) {
          if (Key(e.file) != Key(p.file) || e.line < want) continue;
          if (!best || e.line < best->line || (e.line == best->line && e.linear > best->linear)) best = &e;
        }
        uint16_t line = want;
        CAddr found;
        d->LineToAddress(asked.c_str(), &line, &found);
        if (!best) {
          EXPECT_EQ(line, 0xFFFF) << asked << ":" << want;
          continue;
        }
        EXPECT_EQ(line, best->line) << asked << ":" << want;
        EXPECT_TRUE(found.IsEqual(CAddr(best->segment, best->offset))) << asked << ":" << want;
      }
    }
  }

  // The function list.
  std::vector<std::pair<uint32_t, std::string>> functions;
  for (const Function& f : l.functions) {
    uint32_t linear = uint32_t(f.segment + kLoad) * 16 + f.offset;
    bool starts = std::any_of(model.begin(), model.end(), [&](const Entry& e) { return e.linear == linear; });
    if (starts) functions.push_back({linear, f.name});
  }
  std::stable_sort(functions.begin(), functions.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  ASSERT_EQ(d->Functions().Count(), functions.size());
  for (size_t i = 0; i < functions.size(); ++i) {
    EXPECT_EQ(d->Functions().At(i).name, functions[i].second) << "function " << i;
    EXPECT_EQ(d->Functions().At(i).address.Linear(), functions[i].first) << "function " << i;
  }
}

TEST(LineList, FollowsTheModelOnChosenLayouts) {
  const Layout layouts[] = {
      {"pieces in address order",
       {{0x10, "a.c", {{1, 0}, {2, 4}, {4, 9}}}, {0x20, "b.c", {{7, 0}, {8, 6}}}},
       {{"f", 0x10, 0}, {"g", 0x10, 9}, {"h", 0x20, 6}},
       {}},
      {"pieces against address order",
       {{0x20, "b.c", {{7, 0}, {8, 6}}}, {0x10, "a.c", {{1, 0}, {2, 4}, {4, 9}}}},
       {{"h", 0x20, 6}, {"f", 0x10, 0}, {"none", 0x10, 5}},
       {}},
      {"offsets fall back within a piece",
       {{0x10, "a.c", {{1, 0x10}, {2, 0x20}, {3, 0x08}, {4, 0x18}}}},
       {{"f", 0x10, 0x08}, {"g", 0x10, 0x20}},
       {}},
      {"a piece starts where the one read before ends",
       {{0x10, "a.c", {{1, 0}, {2, 8}}}, {0x10, "b.c", {{7, 8}, {8, 0x10}}}},
       {},
       {}},
      {"a piece ends where the one read after starts",
       {{0x10, "a.c", {{1, 8}, {2, 0x10}}}, {0x10, "b.c", {{5, 0}, {6, 8}}}},
       {},
       {}},
      {"one record between two others at its address",
       {{0x10, "a.c", {{1, 8}}}, {0x10, "b.c", {{2, 8}}}, {0x10, "a.c", {{3, 8}}}},
       {{"f", 0x10, 8}},
       {}},
      {"pieces overlap",
       {{0x10, "a.c", {{1, 0}, {2, 8}, {3, 0x10}}}, {0x10, "h.h", {{20, 4}, {21, 0x0C}}}},
       {{"f", 0x10, 4}, {"g", 0x10, 0x10}},
       {}},
      {"a file around a header, lines ascending",
       {{0x10, "main.c", {{1, 0}, {2, 4}, {3, 8}}},
        {0x10, "inc.h", {{10, 0x0C}, {11, 0x10}}},
        {0x10, "main.c", {{3, 0x14}, {5, 0x18}}}},
       {},
       {}},
      {"lines go back in a loop",
       {{0x10, "main.c", {{10, 0}, {11, 4}, {10, 8}, {12, 0x0C}, {11, 0x10}}}},
       {},
       {}},
      {"one file under two names",
       {{0x10, "C:\\src\\Main.C", {{1, 0}, {5, 4}}}, {0x20, "main.c", {{3, 0}, {5, 8}}}},
       {},
       {}},
      {"segments overlap in linear addresses",
       {{0x10, "a.c", {{1, 0x100}, {2, 0x108}}}, {0x20, "b.c", {{9, 0}, {10, 4}}}},
       {{"f", 0x20, 4}, {"g", 0x10, 0x104}},
       {}},
      {"functions share an address",
       {{0x10, "a.c", {{1, 0}, {2, 4}}}},
       {{"late", 0x10, 4}, {"first", 0x10, 0}, {"second", 0x10, 0}, {"third", 0x10, 0}},
       {}},
      {"correlations reuse the line table",
       {{0x10, "a.c", {{1, 0}, {2, 4}}}},
       {{"f", 0x30, 4}},
       {{0, 0x20}, {0, 0x30}, {0, 0x40}}},
  };
  for (const Layout& l : layouts) ExpectSameLines(l);
}

TEST(LineList, FollowsTheModelOnMixedLayouts) {
  std::mt19937 random(7);
  auto pick = [&](int n) { return int(random() % unsigned(n)); };
  const uint16_t segments[] = {0x10, 0x11, 0x20};
  const char* files[] = {"a.c", "A.C", "src/b.c", "h.h"};
  for (int round = 0; round < 300; ++round) {
    Layout l{"mixed", {}, {}, {}};
    int pieces = 1 + pick(5);
    for (int p = 0; p < pieces; ++p) {
      Piece piece{segments[pick(3)], files[pick(4)], {}};
      // Mostly ascending offsets and lines, sometimes anything.
      bool tidy = pick(3) != 0;
      uint16_t offset = uint16_t(pick(0x20)), line = uint16_t(1 + pick(10));
      for (int n = 1 + pick(10); n > 0; --n) {
        piece.lines.push_back({line, offset});
        offset = uint16_t(tidy ? offset + 1 + pick(6) : pick(0x40));
        line = uint16_t(tidy ? line + pick(3) : 1 + pick(30));
      }
      l.pieces.push_back(piece);
    }
    for (int f = pick(8); f > 0; --f)
      l.functions.push_back({"f" + std::to_string(f), segments[pick(3)], uint16_t(pick(0x40))});
    if (pick(4) == 0) l.reuses.push_back({size_t(pick(pieces)), segments[pick(3)]});
    ExpectSameLines(l);
    if (testing::Test::HasFailure()) {
      ADD_FAILURE() << "round " << round;
      return;
    }
  }
}

}  // namespace
