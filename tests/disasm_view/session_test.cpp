// The disassembly window bound to a debug session's real objects: the
// session's disassembler over the target access, the breakpoint list, the
// debug information of a program, source lines read by the editor's
// documents, and the front end whose worker thread carries out Set IP,
// Toggle Breakpoint and Run To Cursor.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "debugger/session/debug_worker.h"
#include "debugger/session/debugger.h"
#include "debugger/session/frame_messages.h"
#include "debugger/session/session_disassembler.h"
#include "debugger/session_globals.h"
#include "editor/view/cmirt2doc.h"
#include "tests/debugger/debug_info_helpers.h"
#include "tests/debugger_session/worker_fixture.h"
#include "tests/disasm_view/disview_fixture.h"

namespace disview_test {
namespace {

using session_test::kCodeSegment;
using session_test::kSourceFile;

constexpr DWORD kCodeLinear = kCodeSegment * 16u;
constexpr DWORD kCodeLength = 0x20;
constexpr DWORD kWaitMs = 5000;
constexpr uint16_t kStackPointer = 0x100;
// The program's line list: (line, code offset). The entry at 0x10 is an
// earlier line than the one below it, as code placed out of order has.
struct LineAt {
  uint16_t line;
  uint16_t offset;
};
constexpr LineAt kLines[] = {{3, 0x00}, {4, 0x05}, {6, 0x0A}, {2, 0x10}, {8, 0x14}};
constexpr int kSourceLines = 8;

fixture::BorlandExe SessionProgram() {
  fixture::BorlandExe x;
  uint16_t seg = x.AddSegment(x.AddModule("m"), 0x10, 0, 0x40);
  std::vector<std::pair<uint16_t, uint16_t>> lines;
  for (const LineAt& l : kLines) lines.push_back({l.line, l.offset});
  x.AddLines(seg, kSourceFile, lines);
  x.AddSymbol("main", x.AddType(kTypeFunction, "", 0, 0), 0x10, 0x00);
  return x;
}

std::string SourceText(int line) { return "line " + std::to_string(line); }

class DisviewSessionTest : public DisviewTest {
 protected:
  void SetUp() override {
    DisviewTest::SetUp();
    // The debug information names the file without a directory.
    m_oldDir = std::filesystem::current_path();
    const std::filesystem::path dir = mirt_test::ProgramDir() + "/disasm_view_session_src";
    std::filesystem::create_directories(dir);
    std::ofstream source(dir / kSourceFile, std::ios::binary);
    for (int i = 1; i <= kSourceLines; ++i) source << SourceText(i) << "\r\n";
    source.close();
    std::filesystem::current_path(dir);

    world.interp = fixture::Load(SessionProgram());
    g_pDebugInterp = world.interp.get();
    for (DWORD i = 0; i < kCodeLength; ++i) world.target.memory[kCodeLinear + i] = kNop;
    world.SetRegisters(CAddr(kCodeSegment, 0), kStackPointer, kStackPointer);
    session = std::make_unique<CSessionDisassembler>();
    g_pMemAddrList = new CMemAddrList;

    // The front end with the real worker behind its pipe (the front end
    // deletes the worker).
    frontEnd = std::make_unique<CDebugger>("a.exe", world.frame.Window());
    g_pDebugWorker = new CDebugWorker("a.exe", world.frame.Window(), frontEnd->m_hPipeRead);
    g_pCurrentDebugger = frontEnd.get();
  }
  void TearDown() override {
    g_pCurrentDebugger = nullptr;
    frontEnd.reset();
    session.reset();
    DisviewTest::TearDown();
    std::filesystem::current_path(m_oldDir);
  }
  // The line source's lines from n on as "a.c 4:line 4" for source lines
  // and "@10105" for instructions, up to the instruction at `last`.
  std::vector<std::string> Transcript(int n, DWORD last) {
    constexpr int kMostLines = 200;
    std::vector<std::string> out;
    for (int i = 0; i < kMostLines; ++i, ++n) {
      DisassLine line;
      g_pMemAddrList->GetLine(n, line);
      std::string text(line.text != nullptr ? line.text : "");
      const bool source = (line.flags & kLineSource) != 0;
      delete[] line.text;
      CMemAddrEntry entry;
      g_pMemAddrList->GetEntry(n, entry);
      char hex[16];
      std::snprintf(hex, sizeof hex, "@%x", unsigned(entry.address));
      out.push_back(source ? text : hex);
      if (!source && entry.address >= last) break;
    }
    return out;
  }
  // Puts the caret on the instruction line of an address.
  void CaretTo(DWORD linear) {
    view->OnInitialUpdate();
    ASSERT_TRUE(view->GoToAddress(linear));
    Pump();
    DWORD address = 0;
    ASSERT_TRUE(view->CursorLineAddress(&address));
    ASSERT_EQ(address, linear);
  }
  DWORD LineFlags(DWORD linear) {
    DisassLine line;
    g_pMemAddrList->GetLine(LineOf(linear), line);
    delete[] line.text;
    return line.flags;
  }
  std::string LineText(DWORD linear) {
    DisassLine line;
    g_pMemAddrList->GetLine(LineOf(linear), line);
    std::string text(line.text != nullptr ? line.text : "");
    delete[] line.text;
    return text;
  }

  session_test::WorkerWorld world;
  std::unique_ptr<CSessionDisassembler> session;
  std::unique_ptr<CDebugger> frontEnd;

 private:
  std::filesystem::path m_oldDir;
};

TEST_F(DisviewSessionTest, SourceLinesComeFromTheDebugInformationAndTheSourceFile) {
  CaretTo(kCodeLinear);
  const std::string file = std::string(kSourceFile) + " ";
  auto source = [&](int line) { return file + std::to_string(line) + ":" + SourceText(line); };
  auto code = [](DWORD offset) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "@%x", unsigned(kCodeLinear + offset));
    return std::string(hex);
  };
  // Each line's source lines stand above its first instruction: from the
  // line after the entry below; an out-of-order entry shows its own line.
  std::vector<std::string> want = {source(1), source(2), source(3)};
  for (DWORD offset = 0; offset <= kCodeLength - 1; ++offset) {
    if (offset == 0x05) want.push_back(source(4));
    if (offset == 0x0A) want.insert(want.end(), {source(5), source(6)});
    if (offset == 0x10) want.push_back(source(2));
    if (offset == 0x14) {
      for (int l = 3; l <= 8; ++l) want.push_back(source(l));
    }
    want.push_back(code(offset));
  }
  const int first = LineOf(kCodeLinear) - 3;
  EXPECT_EQ(Transcript(first, kCodeLinear + kCodeLength - 1), want);
  // The documents read for it are no open documents of the editor.
  EXPECT_TRUE(CMirt2Doc::OpenDocuments().empty());
  Picture("session_source_lines");
}

TEST_F(DisviewSessionTest, ToggleBreakpointPlantsThroughTheWorkerAndTheLineKeepsItsCode) {
  constexpr DWORD kAt = kCodeLinear + 0x05;
  constexpr BYTE kBreakOpcode = 0xCC;
  CaretTo(kAt);
  const std::string before = LineText(kAt);
  const COLORREF plainMargin = MarginMiddle(LineOf(kAt) - view->m_nTopLine);
  Command(ID_DISASS_TOGGLE_BREAKPOINT);
  ASSERT_TRUE(world.frame.WaitForMessage(WM_DISASSEMBLY_UPDATE, kWaitMs));
  EXPECT_EQ(world.Breakpoints(), "10105:1 ");
  EXPECT_EQ(world.target.memory[kAt], kBreakOpcode);
  // The line shows the code under the breakpoint, flagged.
  EXPECT_EQ(LineText(kAt), before);
  EXPECT_TRUE(LineFlags(kAt) & kLineBreakpoint);
  // The frame's part: the update message names the line to redraw.
  auto records = world.frame.Take();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().message, WM_DISASSEMBLY_UPDATE);
  EXPECT_EQ(records.back().text, "10105");
  view->RedrawAddressLine(kAt);
  Pump();
  EXPECT_NE(MarginMiddle(LineOf(kAt) - view->m_nTopLine), plainMargin);
  Picture("session_breakpoint");

  Command(ID_DISASS_TOGGLE_BREAKPOINT);
  ASSERT_TRUE(world.frame.WaitForMessage(WM_DISASSEMBLY_UPDATE, kWaitMs));
  EXPECT_EQ(world.Breakpoints(), "");
  EXPECT_EQ(world.target.memory[kAt], kNop);
  EXPECT_FALSE(LineFlags(kAt) & kLineBreakpoint);
}

TEST_F(DisviewSessionTest, RunToCursorAndSetIPReachTheTarget) {
  constexpr DWORD kOffset = 0x0A;
  constexpr DWORD kAt = kCodeLinear + kOffset;
  CaretTo(kAt);
  Command(ID_DISASS_RUN_TO_CURSOR);
  Command(ID_DISASS_SET_IP);
  // The worker takes the commands in order; the stop that Set IP reports
  // comes after the run was started.
  ASSERT_TRUE(world.frame.WaitForMessage(WM_STOP_LOCATION, kWaitMs));
  EXPECT_EQ(world.control.calls, std::vector<std::string>{"Go"});
  EXPECT_EQ(world.target.registers.code.segment, kCodeSegment);
  EXPECT_EQ(world.target.registers.code.offset, kOffset);
  auto records = world.frame.Take();
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().text, std::string(kSourceFile) + ":6@1010a");
}

}  // namespace
}  // namespace disview_test
