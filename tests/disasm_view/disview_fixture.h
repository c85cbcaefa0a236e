// The fixture of the disassembly window tests: a view of a document in a
// top window offscreen, a fake debug session over a board memory of code,
// a recording debugger, and helpers for commands, pixels and pictures.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "debugger/segoff.h"
#include "disasm/listing_line.h"
#include "disasm/mem_addr_list.h"
#include "debugger/session/debugger.h"
#include "disasm/view/disview0view.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/profile.h"
#include "tests/disasm/fake_session.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"

namespace disview_test {

constexpr int kWidth = 480;
constexpr int kHeight = 300;
constexpr DWORD kCodeBase = 0x1000;
constexpr BYTE kNop = 0x90;
constexpr int kCodeBytes = 0x400;
// The disassembly's command ids.
constexpr UINT kCmdDown = 24600;
constexpr UINT kCmdUp = 24601;
constexpr UINT kCmdRight = 24603;
constexpr UINT kCmdPageDown = 24605;
constexpr UINT kCmdPageUp = 24604;
constexpr UINT kCmdTop = 24608;
constexpr UINT kCmdBottom = 24609;
constexpr UINT kCmdFindNext = 24626;
constexpr UINT kCmdToggleBookmark = 24627;
constexpr UINT kCmdNextBookmark = 24628;
constexpr UINT kCmdClearBookmarks = 24630;
constexpr UINT kCmdSelectAll = 24634;

struct DebugCall {
  char what;  // I set IP, B breakpoint, R run to
  DWORD address;
  BOOL set;
};

// The session's front end with no worker behind it: it writes down the
// commands that would go down its pipe.
class RecordingDebugger : public CDebugger {
 public:
  RecordingDebugger() : CDebugger("a.exe", nullptr) {}
  int SetIPToAddress(uint32_t linear) override { return calls.push_back({'I', linear, FALSE}), 1; }
  int SetAddressBreakpoint(uint32_t linear, uint8_t set) override {
    return calls.push_back({'B', linear, set}), 1;
  }
  int RunToAddress(uint32_t linear) override { return calls.push_back({'R', linear, FALSE}), 1; }
  std::vector<DebugCall> calls;
};

class DisviewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    plat::Profile::App().WriteProfileString("Settings\\Find", nullptr, nullptr);
    plat::ClearMessageBoxRecords();
    top = ui_test::MakeTop(kWidth + 40, kHeight + 40);
    doc = new CDisview0Doc;
    doc->m_disassEdit.m_crText = RGB(0, 0, 0);
    doc->m_disassEdit.m_crBackground = RGB(255, 255, 255);
    doc->m_disassEdit.m_crDisassembly = RGB(128, 128, 128);
    view = new CDisview0View;
    doc->AddView(view);
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                             CRect(0, 0, kWidth, kHeight), CWnd::FromHandle(top), AFX_IDW_PANE_FIRST));
    g_pCurrentDebugger = &debugger;
  }
  void TearDown() override {
    g_pCurrentDebugger = nullptr;
    g_pDisassBreakpoints = nullptr;
    g_pDisassSourceInfo = nullptr;
    g_pfnNewDisassSourceDoc = nullptr;
    ::DestroyWindow(top);
    delete g_pMemAddrList;
    g_pMemAddrList = nullptr;
    g_pDisass = nullptr;
    g_pDisassTarget = nullptr;
    plat::ClearMessageBoxRecords();
  }
  // A session whose board holds NOPs at kCodeBase.
  void StartSession(std::vector<BYTE> code = std::vector<BYTE>(kCodeBytes, kNop)) {
    target = std::make_unique<disasm_test::FakeTarget>(kCodeBase, std::move(code));
    g_pDisassTarget = target.get();
    disass = std::make_unique<CDisassx86>(target.get());
    g_pDisass = disass.get();
    g_pMemAddrList = new CMemAddrList;
    g_pDisassBreakpoints = &breakpoints;
  }
  int LineOf(DWORD linear) {
    CAddr at;
    LinearToSegOff(at, linear);
    return g_pMemAddrList->LineFromAddress(&at);
  }
  // Shows the listing from the code's first line.
  int ShowCode() {
    view->OnInitialUpdate();
    EXPECT_TRUE(view->GoToAddress(kCodeBase));
    Pump();
    return view->m_nTopLine;
  }
  void Pump() {
    for (int i = 0; i < 3; ++i) ::PumpWaitingMessages();
    ::UpdateWindow(view->m_hWnd);
  }
  void Command(UINT id) { view->SendMessage(WM_COMMAND, id, 0); }
  void Key(UINT vk) { view->SendMessage(WM_KEYDOWN, vk, 1); }
  COLORREF Pixel(int x, int y) { return ui_test::Pixel(view->m_hWnd, x, y); }
  COLORREF MarginMiddle(int row) {
    return Pixel(view->m_nMarginWidth / 2, row * view->m_nLineHeight + view->m_nLineHeight / 2);
  }
  void Picture(const char* name) {
    Pump();
    ui_test::Picture(view->m_hWnd)
        .save(QString::fromStdString(mirt_test::ProgramDir() + "/disasm_view_" + name + ".png"));
  }
  std::string Clipboard() {
    std::string text;
    if (!::OpenClipboard(view->m_hWnd)) return text;
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
      const char* p = static_cast<const char*>(::GlobalLock(h));
      if (p != nullptr) text.assign(p, strnlen(p, ::GlobalSize(h)));
      ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
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

}  // namespace disview_test
