#include <gtest/gtest.h>

#include <cstring>

#include "debugger/debug_interp_borland.h"
#include "debugger/session_globals.h"
#include "debugger/target_registers.h"
#include "tests/debugger/boxes.h"
#include "tests/debugger/debug_info_helpers.h"
#include "tests/support/test_support.h"

using fixture::BorlandExe;

namespace {

// A program of two functions and one line-less function in one segment.
BorlandExe TwoFunctions(bool wide) {
  BorlandExe x;
  x.wide = wide;
  uint16_t mod = x.AddModule("main.c", 1);
  uint16_t seg = x.AddSegment(mod, 0x10, 0, 0x40);
  x.AddLines(seg, "c:\\src\\main.c", {{3, 0x00}, {4, 0x05}, {6, 0x0A}, {7, 0x10}, {8, 0x14}, {12, 0x20}});
  uint32_t fn = x.AddType(kTypeFunction, "", 0, 0);
  x.AddSymbol("main", fn, 0x10, 0x00);
  x.AddSymbol("helper", fn, 0x10, 0x10);
  x.AddSymbol("nolines", fn, 0x10, 0x07);
  x.AddSymbol("counter", 5, 0x20, 0x04);
  return x;
}

class BothLayouts : public testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(Layouts, BothLayouts, testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wide" : "Narrow"; });

TEST_P(BothLayouts, LineToAddressTakesTheNextLineWithCode) {
  int ok = 0;
  auto d = fixture::Load(TwoFunctions(GetParam()), 0x1000, &ok);
  ASSERT_EQ(ok, 1);
  struct {
    const char* file;
    uint16_t line, foundLine, offset;
  } cases[] = {
      {"main.c", 5, 6, 0x0A},    {"MAIN.C", 1, 3, 0x00},    {"main.c", 12, 12, 0x20},
      {"main.c", 13, 0xFFFF, 0}, {"other.c", 3, 0xFFFF, 0},
  };
  for (auto& c : cases) {
    uint16_t line = c.line;
    CAddr a;
    d->LineToAddress(c.file, &line, &a);
    EXPECT_EQ(line, c.foundLine) << c.file << ":" << c.line;
    if (c.foundLine == 0xFFFF)
      EXPECT_FALSE(a.IsValid());
    else
      EXPECT_TRUE(a.IsEqual(CAddr(0x1010, c.offset))) << c.line;
  }
}

TEST_P(BothLayouts, AddressToLineWantsALineStart) {
  auto d = fixture::Load(TwoFunctions(GetParam()));
  struct {
    uint16_t offset;
    uint16_t first, line;
  } cases[] = {
      {0x0A, 5, 6},
      {0x00, 1, 3},
      {0x20, 9, 12},
      {0x0B, 0xFFFF, 0xFFFF},
  };
  for (auto& c : cases) {
    CAddr at(0x1010, c.offset);
    const char* file = nullptr;
    uint16_t first = 0, line = 0;
    d->AddressToLine(&at, &file, &first, &line);
    EXPECT_EQ(first, c.first) << c.offset;
    EXPECT_EQ(line, c.line) << c.offset;
    if (c.line == 0xFFFF)
      EXPECT_EQ(file, nullptr);
    else
      EXPECT_STREQ(file, "c:\\src\\main.c");
  }
}

TEST_P(BothLayouts, AddressToNearestLineFindsTheLineBelow) {
  auto d = fixture::Load(TwoFunctions(GetParam()));
  struct {
    CAddr at;
    uint16_t line;
  } cases[] = {
      {CAddr(0x1010, 0x0B), 6},
      {CAddr(0x1011, 0x00), 7},       // same linear address as 1010:0010
      {CAddr(0x1010, 0x21), 0xFFFF},  // above the highest code address
      {CAddr(0x1000, 0x50), 0xFFFF},  // below every line
  };
  for (auto& c : cases) {
    char* file = nullptr;
    uint16_t line = 0;
    d->AddressToNearestLine(&c.at, &file, &line);
    EXPECT_EQ(line, c.line);
    EXPECT_EQ(file != nullptr, c.line != 0xFFFF);
    delete[] file;
  }
}

TEST_P(BothLayouts, FunctionListHoldsFunctionsThatStartALine) {
  auto d = fixture::Load(TwoFunctions(GetParam()));
  CAddr a;
  d->FirstFunction(&a);
  EXPECT_TRUE(a.IsEqual(CAddr(0x1010, 0x10)));
  d->NextFunction(&a);
  EXPECT_TRUE(a.IsEqual(CAddr(0x1010, 0x00)));
  d->NextFunction(&a);
  EXPECT_FALSE(a.IsValid());  // "nolines" has no line record
  EXPECT_TRUE(d->IsFunctionStart(CAddr(0x1011, 0)));
  EXPECT_FALSE(d->IsFunctionStart(CAddr(0x1010, 0x07)));
  EXPECT_FALSE(d->IsLanguageCode4Function(CAddr(0x1010, 0)));
}

TEST(DebugInfo, FunctionListRunsDownwardsOlderFirstAtOneAddress) {
  BorlandExe x;
  uint16_t seg = x.AddSegment(x.AddModule("m"), 0x10, 0, 0x40);
  x.AddLines(seg, "a.c", {{1, 0x00}, {2, 0x08}, {3, 0x10}});
  uint32_t fn = x.AddType(kTypeFunction, "", 0, 0);
  x.AddSymbol("late", fn, 0x10, 0x10);  // symbols out of address order
  x.AddSymbol("first", fn, 0x10, 0x08);
  x.AddSymbol("second", fn, 0x10, 0x08);
  x.AddSymbol("start", fn, 0x10, 0x00);
  auto d = fixture::Load(x);
  const char* expected[] = {"late", "first", "second", "start"};
  ASSERT_EQ(d->Functions().Count(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_STREQ(d->Functions().At(i).name, expected[i]) << i;
}

TEST_P(BothLayouts, FunctionRangeReachesToTheNextFunction) {
  auto d = fixture::Load(TwoFunctions(GetParam()));
  struct {
    uint16_t at, start, end;
  } cases[] = {
      {0x05, 0x00, 0x10}, {0x12, 0x10, 0x21},  // the last function ends behind the highest code address
  };
  for (auto& c : cases) {
    CAddr at(0x1010, c.at), s, e;
    d->FunctionRange(&at, &s, &e);
    EXPECT_TRUE(s.IsEqual(CAddr(0x1010, c.start))) << c.at;
    EXPECT_TRUE(e.IsEqual(CAddr(0x1010, c.end))) << c.at;
  }
  CAddr beyond(0x1010, 0x30), s, e;
  d->FunctionRange(&beyond, &s, &e);
  EXPECT_FALSE(s.IsValid());
  EXPECT_FALSE(e.IsValid());
  // With a program start address, everything from it on is one range.
  CAddr entry(0x1010, 0x10);
  d->SetEntryAddress(&entry);
  CAddr at(0x1010, 0x12);
  d->FunctionRange(&at, &s, &e);
  EXPECT_TRUE(s.IsEqual(entry));
  EXPECT_TRUE(e.IsEqual(CAddr(0x1010, 0x20)));
}

TEST_P(BothLayouts, NextLineAddressStepsUpFromALineStart) {
  auto d = fixture::Load(TwoFunctions(GetParam()));
  CAddr a(0x1010, 0x05);
  d->NextLineAddress(&a);
  EXPECT_TRUE(a.IsEqual(CAddr(0x1010, 0x0A)));
  for (uint16_t off : {0x20, 0x06}) {
    CAddr b(0x1010, off);
    d->NextLineAddress(&b);
    EXPECT_FALSE(b.IsValid()) << off;
  }
}

TEST(DebugInfo, IsNonZeroAddressWantsBothWords) {
  auto d = fixture::Load(TwoFunctions(false));
  struct {
    CAddr a;
    int r;
  } cases[] = {
      {CAddr(0, 5), 0},
      {CAddr(5, 0), 0},
      {CAddr(1, 1), 1},
  };
  for (auto& c : cases) EXPECT_EQ(d->IsNonZeroAddress(&c.a), c.r);
}

TEST(DebugInfo, LastPageWordZeroMeansWholePages) {
  for (uint32_t image : {0x400u, 0x3FFu, 0x401u}) {
    BorlandExe x = TwoFunctions(false);
    x.imageSize = image;
    int ok = 0;
    fixture::Load(x, 0x1000, &ok);
    EXPECT_EQ(ok, 1) << image;
  }
}

TEST(DebugInfo, SameAddressKeepsTheLineReadLast) {
  BorlandExe x;
  uint16_t seg = x.AddSegment(x.AddModule("m"), 0x10, 0, 0x10);
  x.AddLines(seg, "a.c", {{5, 0x04}, {6, 0x04}});
  auto d = fixture::Load(x);
  CAddr at(0x1010, 0x04);
  const char* file;
  uint16_t first, line;
  d->AddressToLine(&at, &file, &first, &line);
  EXPECT_EQ(line, 6);
  uint16_t want = 5;
  CAddr a;
  d->LineToAddress("a.c", &want, &a);
  EXPECT_EQ(want, 6);
}

TEST(DebugInfo, LeadingUnderscoresGoFromGlobalsOnly) {
  for (uint8_t flags : {0, 8}) {
    BorlandExe x;
    uint16_t seg = x.AddSegment(x.AddModule("m", 0, flags), 0x10, 0, 0x40);
    x.AddLines(seg, "a.c", {{1, 0}, {2, 0x10}});
    uint32_t fn = x.AddType(kTypeFunction, "", 0, 0);
    x.AddSymbol("_main", fn, 0x10, 0);
    x.AddScope(seg, 0, 0, 0x20, {{"_local", 5, 0x20, 2}});
    auto d = fixture::Load(x);
    CAddr at(0x1010, 0), addr;
    TypeHandle t = nullptr;
    int basic = 0;
    d->FindVariable("main", &t, &addr, &basic, &at);
    EXPECT_EQ(t != nullptr, flags == 8);
    delete t;
    d->FindVariable("_local", &t, &addr, &basic, &at);
    EXPECT_NE(t, nullptr);
    delete t;
    char* name = nullptr;
    d->SymbolNameAt(&at, &name);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, flags ? "main" : "_main");
    delete[] name;
  }
}

// A source file's name that is also a global's name is one pool entry, and
// it loses its underscore with the global's.
TEST(DebugInfo, FileNamesSharedWithGlobalsLoseTheirUnderscoreToo) {
  for (uint8_t flags : {0, 8}) {
    BorlandExe x;
    uint16_t mod = x.AddModule("m", 0, flags);
    x.AddLines(x.AddSegment(mod, 0x10, 0, 0x40), "_a.c", {{1, 0}});
    x.AddLines(x.AddSegment(mod, 0x20, 0, 0x40), "_b.c", {{1, 0}});
    x.AddSymbol("_a.c", 5, 0x30, 0);
    auto d = fixture::Load(x);
    const char* file = nullptr;
    uint16_t first = 0, line = 0;
    CAddr at(0x1010, 0);
    d->AddressToLine(&at, &file, &first, &line);
    ASSERT_NE(file, nullptr);
    EXPECT_STREQ(file, flags ? "a.c" : "_a.c");
    at = CAddr(0x1020, 0);
    d->AddressToLine(&at, &file, &first, &line);
    ASSERT_NE(file, nullptr);
    EXPECT_STREQ(file, "_b.c");
    char* name = nullptr;
    at = CAddr(0x1030, 0);
    d->SymbolNameAt(&at, &name);
    ASSERT_NE(name, nullptr);
    EXPECT_STREQ(name, flags ? "a.c" : "_a.c");
    delete[] name;
  }
}

TEST(DebugInfo, ShortNarrowExtensionHoldsNoClassTables) {
  BorlandExe x = TwoFunctions(false);
  x.ext16Size = 20;
  x.classes.push_back({0, 0, 0});  // not written: no count for it
  int ok = 0;
  auto d = fixture::Load(x, 0x1000, &ok);
  ASSERT_EQ(ok, 1);
  // The pool is found behind the tables: names are right.
  CAddr at(0x1010, 0), addr;
  TypeHandle t = nullptr;
  int basic = 0;
  d->FindVariable("counter", &t, &addr, &basic, &at);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(basic, 1);
  EXPECT_EQ(*t, 5);
  delete t;
}

// Scopes: a function scope at 0..7F with a block at 10..2F inside it.
BorlandExe Scoped(bool wide) {
  BorlandExe x;
  x.wide = wide;
  uint16_t seg = x.AddSegment(x.AddModule("m"), 0x10, 0, 0x100);
  x.AddLines(seg, "s.c", {{1, 0}, {2, 0x10}, {3, 0x40}, {4, 0x80}});
  x.AddSymbol("g", 5, 0x20, 0x04);
  x.AddSymbol("x", 6, 0x20, 0x08);
  uint16_t f = x.AddScope(seg, 0, 0x00, 0x80, {{"x", 5, 0, 0xFFFC, 2}, {"a", 9, 0x30, 0x10}});
  x.AddScope(seg, f, 0x10, 0x20, {{"b", 5, 0x30, 0x12}});
  return x;
}

TEST_P(BothLayouts, FindScopeTakesTheInnermostScope) {
  auto d = fixture::Load(Scoped(GetParam()));
  struct {
    uint16_t offset;
    int scope;
  } cases[] = {
      {0x15, 2},
      {0x50, 1},
      {0x80, 0},
      {0x81, -1},
  };
  for (auto& c : cases) {
    CAddr at(0x1010, c.offset);
    ScopeHandle s = d->FindScope(&at);
    if (c.scope < 0) {
      EXPECT_EQ(s, nullptr);
      continue;
    }
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(*s, c.scope) << c.offset;
    delete s;
  }
}

TEST_P(BothLayouts, FindVariableSearchesOutwards) {
  auto d = fixture::Load(Scoped(GetParam()));
  TargetRegisters regs;
  regs.frame = CAddr(0x2000, 0x0100);
  g_pRegisters = &regs;
  struct {
    const char* name;
    uint16_t at;
    bool found;
    CAddr addr;
    uint16_t type;
  } cases[] = {
      {"x", 0x15, true, CAddr(0x2000, 0x00FC), 5},  // the local, below BP
      {"b", 0x15, true, CAddr(0x1030, 0x12), 5},
      {"a", 0x15, true, CAddr(0x1030, 0x10), 9},
      {"G", 0x15, true, CAddr(0x1020, 0x04), 5},  // names ignore case
      {"b", 0x50, false, CAddr(), 0},
      {"x", 0x80, true, CAddr(0x1020, 0x08), 6},  // outside every scope
  };
  for (auto& c : cases) {
    CAddr at(0x1010, c.at), addr;
    TypeHandle t = nullptr;
    int basic = 0;
    d->FindVariable(c.name, &t, &addr, &basic, &at);
    EXPECT_EQ(t != nullptr, c.found) << c.name << " at " << c.at;
    if (t) {
      EXPECT_EQ(addr.segment, c.addr.segment) << c.name;
      EXPECT_EQ(addr.offset, c.addr.offset) << c.name;
      EXPECT_EQ(*t, c.type);
      EXPECT_EQ(basic, 1);
    }
    delete t;
  }
  g_pRegisters = nullptr;
}

TEST(DebugInfo, CaseSensitiveProgramsCompareNamesExactly) {
  BorlandExe x = Scoped(false);
  x.programFlags = 2;
  auto d = fixture::Load(x);
  CAddr at(0x1010, 0x50), addr;
  TypeHandle t = nullptr;
  int basic;
  d->FindVariable("G", &t, &addr, &basic, &at);
  EXPECT_EQ(t, nullptr);
  d->FindVariable("g", &t, &addr, &basic, &at);
  EXPECT_NE(t, nullptr);
  delete t;
}

TEST(DebugInfo, ParentScopeLoopsEndTheSearch) {
  BorlandExe x = Scoped(false);
  x.scopes[0].parent = 2;  // 1 -> 2 -> 1 -> ...
  auto d = fixture::Load(x);
  CAddr at(0x1010, 0x15), addr;
  TypeHandle t = nullptr;
  int basic;
  d->FindVariable("nowhere", &t, &addr, &basic, &at);
  EXPECT_EQ(t, nullptr);
}

TEST(DebugInfo, LoadsFromAFileAndReportsFailures) {
  std::string dir = mirt_test::MakeTempDir("exe");
  std::string good = mirt_test::WriteFile(dir + "/prog.exe", TwoFunctions(true).Write());
  int ok = 0;
  CDebugInterpBorland d(good.c_str(), &ok, 0x1000);
  EXPECT_EQ(ok, 1);
  EXPECT_EQ(std::string(d.ExeDirectory()), dir + "/");

  struct {
    std::string path;
    const char* message;
  } failures[] = {
      {dir + "/missing.exe", "[Fatal error] Unable to open executable file to read debug information"},
      {mirt_test::WriteFile(dir + "/plain.exe", std::string(0x400, '\0')),
       "[ALERT] No Borland Debug Information found!"},
  };
  for (auto& f : failures) {
    fixture::ClearBoxes();
    CDebugInterpBorland bad(f.path.c_str(), &ok, 0x1000);
    std::string said = fixture::BoxesShown();
    EXPECT_EQ(ok, 0);
    EXPECT_FALSE(bad.IsValid());
    EXPECT_NE(said.find(f.message), std::string::npos) << said;
    CAddr at(0x1010, 0);
    EXPECT_EQ(bad.FindScope(&at), nullptr);
  }
}

// Every cut of a valid file fails cleanly or loads; none reads outside.
TEST(DebugInfo, TruncatedFilesNeverReadPastTheirEnd) {
  plat::SetMessageBoxHandler([](const plat::MessageBoxRecord&) { return IDOK; });
  for (bool wide : {false, true}) {
    std::string bytes = Scoped(wide).Write();
    for (size_t n = 0; n < bytes.size(); ++n) {
      std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
      int ok = -1;
      fixture::ClearBoxes();
      CDebugInterpBorland d(cut.data(), cut.size(), &ok, 0x1000);
      fixture::BoxesShown();
      EXPECT_EQ(ok, 0) << n;
    }
  }
  plat::SetMessageBoxHandler(nullptr);
  fixture::ClearBoxes();
}

TEST(DebugInfo, IndexesOutsideTheirTablesFindNothing) {
  BorlandExe x = Scoped(false);
  x.correlations[0].firstLine = 3;  // runs past the line table
  x.correlations[0].lineCount = 100;
  x.segments[0].firstScope = 2;  // scope 3 does not exist
  x.segments[0].scopeCount = 5;
  x.symbols[0].type = 9999;
  x.scopes[1].firstSymbol = 4;
  x.scopes[1].symbolCount = 400;
  x.types[0].extra = 70000;
  int ok = 0;
  auto d = fixture::Load(x, 0x1000, &ok);
  ASSERT_EQ(ok, 1);
  CAddr at(0x1010, 0x40);
  ScopeHandle s = d->FindScope(&at);
  delete s;
  CAddr addr;
  TypeHandle t = nullptr;
  int basic;
  d->FindVariable("nothing", &t, &addr, &basic, &at);
  EXPECT_EQ(t, nullptr);
  uint16_t line = 3;
  d->LineToAddress("s.c", &line, &addr);
  EXPECT_EQ(line, 3);
  EXPECT_EQ(d->TypeSize(9999, 0), 0);
}

}  // namespace
