#include <gtest/gtest.h>

#include <memory>

#include "debugger/breakpoint_addr_list.h"
#include "debugger/breakpoint_list.h"
#include "debugger/breakpoint_text.h"
#include "debugger/session_globals.h"
#include "tests/debugger/boxes.h"
#include "tests/debugger/debug_info_helpers.h"
#include "tests/debugger/fake_target.h"
#include "tests/support/test_support.h"

using fixture::BorlandExe;

namespace {

const uint8_t kInt3 = 0xCC;

class AddrListTest : public testing::Test {
 protected:
  void SetUp() override {
    // Code bytes 0x90 + offset, so every address has its own byte.
    for (uint32_t i = 0; i < 0x40; ++i) target.At(0x10100 + i) = uint8_t(0x40 + i);
    g_pDebugAccess = &target;
  }
  void TearDown() override {
    g_pDebugAccess = nullptr;
    g_pDebugInterp = nullptr;
  }
  // main at 1010:0000 (lines at 0, 5, A), helper at 1010:0010 (lines at
  // 10, 14, 20); helper is a language-4 function.
  void LoadProgram() {
    BorlandExe x;
    uint16_t seg = x.AddSegment(x.AddModule("m", 4), 0x10, 0, 0x40);
    x.AddLines(seg, "a.c", {{3, 0x00}, {4, 0x05}, {6, 0x0A}, {7, 0x10}, {8, 0x14}, {12, 0x20}});
    uint32_t fn = x.AddType(kTypeFunction, "", 0, 0);
    x.AddSymbol("main", fn, 0x10, 0x00);
    x.AddSymbol("helper", fn, 0x10, 0x10);
    interp = fixture::Load(x);
    g_pDebugInterp = interp.get();
  }
  uint8_t Code(uint16_t offset) { return target.At(0x10100 + offset); }

  fixture::FakeTarget target;
  std::unique_ptr<CDebugInterpBorland> interp;
};

TEST_F(AddrListTest, KindsShareOnePlantedByte) {
  CBreakpointAddrList list(1, &kInt3);
  list.AddUserBreakpoint(CAddr(0x1010, 5));
  EXPECT_EQ(Code(5), kInt3);
  int writes = target.writes;
  list.Add(CAddr(0x1000, 0x105), BP_STEP_OVER, 0);  // the same linear address
  EXPECT_EQ(target.writes, writes) << "a second kind writes nothing";
  EXPECT_EQ(list.GetCount(), 1);
  list.RemoveKindsAt(CAddr(0x1010, 5), BP_STEP_OVER);
  EXPECT_EQ(Code(5), kInt3) << "the user breakpoint stays planted";
  EXPECT_TRUE(list.IsBreakpointSet(CAddr(0x1010, 5)));
  uint8_t* saved = nullptr;
  uint16_t length = 0;
  ASSERT_EQ(list.GetSavedBytes(CAddr(0x1010, 5), &saved, &length), 1);
  EXPECT_EQ(length, 1);
  EXPECT_EQ(saved[0], 0x45);
  delete[] saved;
  list.RemoveUserBreakpoint(CAddr(0x1010, 5));
  EXPECT_EQ(Code(5), 0x45);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_EQ(list.GetSavedBytes(CAddr(0x1010, 5), &saved, &length), 0);
}

TEST_F(AddrListTest, RestoreAndReplantKeepTheEntry) {
  CBreakpointAddrList list(1, &kInt3);
  list.AddUserBreakpoint(CAddr(0x1010, 7));
  EXPECT_EQ(list.RestoreOriginal(CAddr(0x1010, 7)), 1);
  EXPECT_EQ(Code(7), 0x47);
  EXPECT_EQ(list.Replant(CAddr(0x1010, 7)), 1);
  EXPECT_EQ(Code(7), kInt3);
  EXPECT_EQ(list.RestoreOriginal(CAddr(0x1010, 8)), 0);
  EXPECT_EQ(list.Replant(CAddr(0x1010, 8)), 0);
}

TEST_F(AddrListTest, FailedRestoreKeepsTheSavedBytes) {
  CBreakpointAddrList list(1, &kInt3);
  list.AddUserBreakpoint(CAddr(0x1010, 3));
  target.failWrites = true;
  int restore = 1;
  list.RemoveKinds(list.Find(CAddr(0x1010, 3)), BP_USER, restore);
  EXPECT_EQ(restore, 0);
  ASSERT_NE(list.Find(CAddr(0x1010, 3)), nullptr);
  target.failWrites = false;
  restore = 1;
  list.RemoveKinds(list.Find(CAddr(0x1010, 3)), BP_USER, restore);
  EXPECT_EQ(restore, 1);
  EXPECT_EQ(Code(3), 0x43);
  EXPECT_EQ(list.Find(CAddr(0x1010, 3)), nullptr);
}

TEST_F(AddrListTest, SavedBreakpointByteIsReportedAndStillWritten) {
  CBreakpointAddrList list(1, &kInt3);
  target.At(0x10109) = kInt3;  // the program's own int3
  list.AddUserBreakpoint(CAddr(0x1010, 9));
  fixture::ClearBoxes();
  list.RemoveUserBreakpoint(CAddr(0x1010, 9));
  std::string said = fixture::BoxesShown();
  EXPECT_NE(said.find("[Fatal Error] Unable to restore opcode!"), std::string::npos);
  EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(AddrListTest, BoardSideBreakpointsGoThroughTheBoardFirst) {
  target.m_bThroughBoard = 1;
  CBreakpointAddrList list(1, &kInt3);
  list.AddWithContext(CAddr(0x1010, 2), 0x77);
  ASSERT_EQ(target.boardCalls.size(), 1u);
  EXPECT_EQ(target.boardCalls[0].linear, 0x10102u);
  EXPECT_EQ(target.boardCalls[0].context, 0x77);
  EXPECT_EQ(target.boardCalls[0].kinds, BP_BOARD);
  EXPECT_EQ(Code(2), kInt3);
}

TEST_F(AddrListTest, DestructionRestoresEverything) {
  {
    CBreakpointAddrList list(1, &kInt3);
    for (uint16_t off : {1, 2, 3}) list.Add(CAddr(0x1010, off), uint16_t(1 << off), 0);
  }
  for (uint16_t off : {1, 2, 3}) EXPECT_EQ(Code(off), 0x40 + off);
}

TEST_F(AddrListTest, PlantsAtLinesOfTheProgramAndOfAFunction) {
  LoadProgram();
  CBreakpointAddrList list(1, &kInt3);
  list.PlantAtAllLines();
  EXPECT_EQ(list.GetCount(), 6);
  list.RemoveAllOfKind(BP_TRACE);
  EXPECT_EQ(list.GetCount(), 0);
  for (uint16_t off : {0x00, 0x05, 0x0A, 0x10, 0x14, 0x20}) EXPECT_EQ(Code(off), 0x40 + off);

  list.PlantInFunction(CAddr(0x1010, 0x06));  // inside main: 0 to 10
  EXPECT_EQ(list.GetCount(), 3);
  EXPECT_FALSE(list.Find(CAddr(0x1010, 0x10)));
  list.AddReturnBreakpoint(CAddr(0x1010, 0x14));
  list.AddReturnBreakpoint(CAddr(0x1010, 0x05));
  list.RemoveOutsideFunction(CAddr(0x1010, 0x06), BP_RETURN);
  EXPECT_FALSE(list.Find(CAddr(0x1010, 0x14)));
  EXPECT_TRUE(list.Find(CAddr(0x1010, 0x05)));

  list.PlantEndPoints();  // language 4: both functions' starts
  EXPECT_TRUE(list.IsEndPointOnly(CAddr(0x1010, 0x10)));
  EXPECT_FALSE(list.IsEndPointOnly(CAddr(0x1010, 0x00)));
  EXPECT_TRUE(list.IsEndPoint(CAddr(0x1010, 0x00)));
  EXPECT_FALSE(list.IsEndPoint(CAddr(0x1010, 0x05)));
}

TEST(Breakpoint, FileNamesMatchAsDocumentsDo) {
  struct {
    CBreakpoint a, b;
    bool equal;
  } cases[] = {
      {{"/p/Main.c", 3}, {"/p/Main.c", 3}, true},
      {{"/p/Main.c", 3}, {"/p/MAIN.C", 3}, false},  // two files on Linux
      {{"C:/p/Main.c", 3}, {"c:/P/main.C", 3}, false},
      {{"C:\\p\\Main.c", 3}, {"C:/p/Main.c", 3}, true},  // either separator
      {{"main.c", 3}, {"main.c", 4}, false},
      {{"main.c", 3}, {"main.h", 3}, false},
  };
  for (auto& c : cases) EXPECT_EQ(c.a.IsEqual(c.b), c.equal) << c.a.file.str() << " " << c.b.file.str();
  CBreakpointList list;
  list.AddTail(CBreakpoint("/p/Main.c", 7));
  EXPECT_EQ(list.FindBreakpoint(CBreakpoint("/p/MAIN.C", 7)), nullptr);
  EXPECT_NE(list.FindBreakpoint(CBreakpoint("/p/Main.c", 7)), nullptr);
}

TEST(Breakpoint, ListTextSurvivesCommasInFileNames) {
  for (const char* name : {"main.c", "/p/a, b.c", "/x/file q, line 9.c", "my file.c"}) {
    CBreakpoint bp(name, 42), back;
    CString text = BreakpointListText(bp);
    ASSERT_TRUE(ParseBreakpointListText(text, back)) << text.str();
    EXPECT_EQ(back.file.str(), name);
    EXPECT_EQ(back.line, 42);
  }
  EXPECT_EQ(BreakpointListText(CBreakpoint("a.c", 5)).str(), "file a.c, line 5");
  CBreakpoint bp;
  for (const char* bad : {"", "file a.c", "a.c, line 5", "file a.c, line x"})
    EXPECT_FALSE(ParseBreakpointListText(bad, bp)) << bad;
}

TEST(BreakpointFile, SaveWritesTwoLinesEachAndEmptiesTheList) {
  std::string dir = mirt_test::MakeTempDir("bpl");
  std::string project = dir + "/proj.kpj";
  CBreakpointList list;
  list.AddTail(CBreakpoint("/src/a.c", 3));
  list.AddTail(CBreakpoint("/src/b.c", 10));
  list.AddTail(CBreakpoint("/src/a.c", 65535));
  ASSERT_TRUE(list.SaveBreakpoints(project.c_str()));
  EXPECT_TRUE(list.IsEmpty());
  EXPECT_EQ(mirt_test::ReadFile(dir + "/proj.bpl"), "/src/a.c\n3\n/src/b.c\n10\n/src/a.c\n65535\n");
  list.LoadBreakpoints(project.c_str());
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetTail().line, 65535);
  EXPECT_EQ(list.GetHead().file.str(), "/src/a.c");
  list.RemoveAll();
  ASSERT_TRUE(list.SaveBreakpoints(project.c_str()));
  EXPECT_EQ(mirt_test::ReadFile(dir + "/proj.bpl"), "") << "an empty list deletes the file";
  list.LoadBreakpoints(project.c_str());
  EXPECT_TRUE(list.IsEmpty());
}

TEST(BreakpointFile, AFailedSaveIsReportedAndKeepsTheList) {
  std::string project = mirt_test::MakeTempDir("bplfail") + "/no/such/folder/p.kpj";
  CBreakpointList list;
  list.AddTail(CBreakpoint("/src/a.c", 3));
  fixture::ClearBoxes();
  EXPECT_FALSE(list.SaveBreakpoints(project.c_str()));
  EXPECT_EQ(list.GetCount(), 1);
  std::string said = fixture::BoxesShown();
  EXPECT_EQ(said.rfind("[MIRT] The breakpoints could not be saved: ", 0), 0u) << said;
  EXPECT_NE(said.find("no/such/folder"), std::string::npos) << said;
}

TEST(BreakpointFile, ReadsWhatOtherWritersLeft) {
  struct {
    std::string text;
    std::vector<std::pair<std::string, int>> loaded;
  } cases[] = {
      {"a.c\n5\nb.c", {{"a.c", 5}, {"b.c", 0}}},              // last pair without its line
      {"a.c\n5\n\n", {{"a.c", 5}}},                           // trailing empty line
      {"\n7\nb.c\n8\n", {{"b.c", 8}}},                        // empty name skipped
      {"a.c\r\n12\r\n", {{"a.c", 12}}},                       // CR LF line ends
      {"a.c\n 9x\nb.c\nzz\n", {{"a.c", 9}, {"b.c", 0}}},      // atoi conversion
      {std::string("a.c\n1\n\0x.c\n2\n", 13), {{"a.c", 1}}},  // a name ends at NUL
  };
  std::string dir = mirt_test::MakeTempDir("bplread");
  for (auto& c : cases) {
    mirt_test::WriteFile(dir + "/p.bpl", c.text);
    CBreakpointList list;
    list.LoadBreakpoints((dir + "/p.kpj").c_str());
    ASSERT_EQ(list.GetCount(), int(c.loaded.size())) << c.text;
    POSITION pos = list.GetHeadPosition();
    for (auto& [file, line] : c.loaded) {
      const CBreakpoint& bp = list.GetNext(pos);
      EXPECT_EQ(bp.file.str(), file);
      EXPECT_EQ(bp.line, line);
    }
  }
}

TEST(BreakpointFile, PathTakesTheProjectsExtensionOff) {
  struct {
    const char* project;
    const char* list;
  } cases[] = {
      {"/p/proj.kpj", "/p/proj.bpl"},
      {"/p/proj", "/p/proj.bpl"},
      {"/p.d/proj", "/p.d/proj.bpl"},
      {"c:\\p\\a.b.kpj", "c:\\p\\a.b.bpl"},
  };
  for (auto& c : cases) EXPECT_EQ(CBreakpointList::ListFilePath(c.project), c.list);
}

}  // namespace
