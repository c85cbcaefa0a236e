// The disassembly window offscreen, over a fake target's memory, driven by
// window messages.
#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <vector>

#include "disasm/listing_line.h"
#include "disasm/mem_addr_list.h"
#include "disasm/view/disass_debug_commands.h"
#include "disasm/view/disview0view.h"
#include "debugger/segoff.h"
#include "tests/disasm/fake_session.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr DWORD kCodeBase = 0x1000;
constexpr BYTE kNop = 0x90;
constexpr int kCodeBytes = 0x400;

struct DebugCall {
  char what;  // I set IP, B breakpoint, R run to
  DWORD address;
  BOOL set;
};

class RecordingDebugger : public CDisassDebugCommands {
 public:
  void SetIPToAddress(DWORD linear) override { calls.push_back({'I', linear, FALSE}); }
  void SetAddressBreakpoint(const CAddr* address, BOOL set) override {
    calls.push_back({'B', address->Linear(), set});
  }
  void RunToAddress(DWORD linear) override { calls.push_back({'R', linear, FALSE}); }
  std::vector<DebugCall> calls;
};

class DisviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    top = ui_test::MakeTop(kWidth + 40, kHeight + 40);
    doc = new CDisview0Doc;
    view = new CDisview0View;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL,
                             CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(top), AFX_IDW_PANE_FIRST));
    doc->AddView(view);
    doc->m_disassEdit.m_crText = RGB(0, 0, 0);
    doc->m_disassEdit.m_crBackground = RGB(255, 255, 255);
    doc->m_disassEdit.m_crDisassembly = RGB(128, 128, 128);
    g_pDisassDebugger = &debugger;
  }
  void TearDown() override {
    g_pDisassDebugger = nullptr;
    g_pDisassBreakpoints = nullptr;
    ::DestroyWindow(top);
    delete g_pMemAddrList;
    g_pMemAddrList = nullptr;
    g_pDisass = nullptr;
    g_pDisassTarget = nullptr;
  }
  // A session whose board holds NOPs at kCodeBase.
  void StartSession() {
    target = std::make_unique<disasm_test::FakeTarget>(kCodeBase, std::vector<BYTE>(kCodeBytes, kNop));
    g_pDisassTarget = target.get();
    disass = std::make_unique<CDisassx86>(target.get());
    g_pDisass = disass.get();
    g_pMemAddrList = new CMemAddrList;
    g_pDisassBreakpoints = &breakpoints;
  }
  // Shows the listing from the code's first line.
  int ShowCode() {
    CAddr at;
    LinearToSegOff(at, kCodeBase);
    int line = g_pMemAddrList->LineFromAddress(&at);
    view->OnInitialUpdate();
    view->GoToLine(line, DisassRedraw::kYes);
    Pump();
    return line;
  }
  void Pump() {
    for (int i = 0; i < 3; ++i) ::PumpWaitingMessages();
    ::UpdateWindow(view->m_hWnd);
  }
  void Picture(const char* name) {
    Pump();
    ui_test::Picture(view->m_hWnd)
        .save(QString::fromStdString(mirt_test::ProgramDir() + "/disasm_view_" + name + ".png"));
  }
  void Scroll(UINT code, UINT position = 0) { view->SendMessage(WM_VSCROLL, MAKEWPARAM(code, position), 0); }

  HWND top = nullptr;
  CDisview0Doc* doc = nullptr;
  CDisview0View* view = nullptr;
  RecordingDebugger debugger;
  disasm_test::FakeBreakpoints breakpoints;
  std::unique_ptr<disasm_test::FakeTarget> target;
  std::unique_ptr<CDisassx86> disass;
};

TEST(DisviewScale, ScrollScaleFitsTheRangeInSixteenBits) {
  struct Case {
    int lines;
    int scale;
  };
  constexpr Case kCases[] = {{CMemAddrList::kLineCount, 9}, {50, 1}, {65535, 1}, {65536, 2}};
  for (const Case& c : kCases) EXPECT_EQ(CDisview0View::ScrollScale(c.lines), c.scale) << c.lines;
}

TEST_F(DisviewTest, WithoutSessionPaintsBlankAndCommandsDoNothing) {
  view->OnInitialUpdate();
  Pump();
  DWORD address = 0x1234;
  EXPECT_FALSE(view->CursorLineAddress(&address));
  EXPECT_EQ(address, 0x1234u);
  for (UINT id : {ID_DISASS_SET_IP, ID_DISASS_TOGGLE_BREAKPOINT, ID_DISASS_RUN_TO_CURSOR}) {
    view->SendMessage(WM_COMMAND, id, 0);
  }
  EXPECT_TRUE(debugger.calls.empty());
  EXPECT_EQ(ui_test::Pixel(view->m_hWnd, kWidth / 2, kHeight / 2), RGB(255, 255, 255));
  Picture("no_session");
}

TEST_F(DisviewTest, ScrollRangeCoversEveryLine) {
  StartSession();
  view->OnInitialUpdate();
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ::GetScrollInfo(view->m_hWnd, SB_VERT, &si);
  EXPECT_EQ(view->m_nScrollScale, 9);
  EXPECT_GE((si.nMax + 1) * view->m_nScrollScale, CMemAddrList::kLineCount - 1);
  Scroll(SB_BOTTOM);
  EXPECT_EQ(view->m_nTopLine + view->GetLinesPerPage() - 1, CMemAddrList::kLineCount);
  Scroll(SB_TOP);
  EXPECT_EQ(view->m_nTopLine, 1);
  constexpr UINT kThumb = 1000;
  Scroll(SB_THUMBPOSITION, kThumb);
  EXPECT_EQ(view->m_nTopLine, static_cast<int>(kThumb) * 9 + 1);
}

TEST_F(DisviewTest, PageDownAndUpMoveByAPage) {
  StartSession();
  int first = ShowCode();
  int page = view->GetLinesPerPage();
  view->SendMessage(WM_KEYDOWN, VK_NEXT, 1);
  EXPECT_EQ(view->m_nTopLine, first + page);
  EXPECT_EQ(view->m_nCaretLine, first + page);
  view->SendMessage(WM_KEYDOWN, VK_PRIOR, 1);
  EXPECT_EQ(view->m_nTopLine, first);
  EXPECT_EQ(view->m_nCaretLine, first);
}

TEST_F(DisviewTest, CommandsActAtTheCaretLineAddress) {
  StartSession();
  ShowCode();
  constexpr int kRow = 3;  // the fourth NOP
  view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, kRow * view->m_nLineHeight + 1));
  constexpr DWORD kAddress = kCodeBase + kRow;
  DWORD address = 0;
  ASSERT_TRUE(view->CursorLineAddress(&address));
  EXPECT_EQ(address, kAddress);
  view->SendMessage(WM_COMMAND, ID_DISASS_SET_IP, 0);
  view->SendMessage(WM_COMMAND, ID_DISASS_RUN_TO_CURSOR, 0);
  view->SendMessage(WM_COMMAND, ID_DISASS_TOGGLE_BREAKPOINT, 0);
  breakpoints.user[kAddress] = true;
  view->SendMessage(WM_COMMAND, ID_DISASS_TOGGLE_BREAKPOINT, 0);
  struct Expected {
    char what;
    BOOL set;
  };
  constexpr Expected kExpected[] = {{'I', FALSE}, {'R', FALSE}, {'B', TRUE}, {'B', FALSE}};
  ASSERT_EQ(debugger.calls.size(), std::size(kExpected));
  for (size_t i = 0; i < std::size(kExpected); ++i) {
    EXPECT_EQ(debugger.calls[i].what, kExpected[i].what) << i;
    EXPECT_EQ(debugger.calls[i].address, kAddress) << i;
    EXPECT_EQ(debugger.calls[i].set, kExpected[i].set) << i;
  }
}

TEST_F(DisviewTest, UnlistedCaretLineHasNoAddress) {
  StartSession();
  view->OnInitialUpdate();
  constexpr int kFarLine = 400000;  // never produced
  view->GoToLine(kFarLine, DisassRedraw::kNo);
  DWORD address = 0;
  EXPECT_FALSE(view->CursorLineAddress(&address));
  for (UINT id : {ID_DISASS_SET_IP, ID_DISASS_TOGGLE_BREAKPOINT, ID_DISASS_RUN_TO_CURSOR}) {
    view->SendMessage(WM_COMMAND, id, 0);
  }
  EXPECT_TRUE(debugger.calls.empty());
}

TEST_F(DisviewTest, MissingBreakpointListIsChecked) {
  StartSession();
  ShowCode();
  g_pDisassBreakpoints = nullptr;
  view->SendMessage(WM_COMMAND, ID_DISASS_TOGGLE_BREAKPOINT, 0);
  EXPECT_TRUE(debugger.calls.empty());
}

TEST_F(DisviewTest, PaintsMarginTextAndMarkers) {
  StartSession();
  ShowCode();
  breakpoints.user[kCodeBase + 1] = true;
  view->MarkExecutionLine(TRUE);
  view->Invalidate(FALSE);
  Pump();
  int h = view->m_nLineHeight;
  int m = view->m_nMarginWidth;
  // The execution glyph's middle on row 0, the breakpoint's on row 1.
  EXPECT_EQ(ui_test::Pixel(view->m_hWnd, m / 2, h / 2), RGB(224, 224, 0));
  EXPECT_EQ(ui_test::Pixel(view->m_hWnd, m / 2, h + h / 2), RGB(192, 0, 0));
  // Instruction text is drawn in the disassembly colour somewhere on row 2.
  bool grey = false;
  for (int x = m; x < kWidth / 2 && !grey; ++x) {
    for (int y = 2 * h; y < 3 * h && !grey; ++y)
      grey = ui_test::Pixel(view->m_hWnd, x, y) == RGB(128, 128, 128);
  }
  EXPECT_TRUE(grey);
  Picture("markers");
}

TEST_F(DisviewTest, ClosingTheDocumentDeletesTheLineSource) {
  StartSession();
  EXPECT_TRUE(CDisview0Doc::IsOpen());
  auto* other = new CDisview0Doc;
  other->OnCloseDocument();
  EXPECT_FALSE(CDisview0Doc::IsOpen());
  EXPECT_EQ(g_pMemAddrList, nullptr);
}

}  // namespace
