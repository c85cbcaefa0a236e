// A docking frame with custom tool bars for the tool bar tests: it records
// the commands, prompts and notifications its bars send, and gives update
// handlers to some commands. Pictures of its windows go to the build tree.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx_test_support.h"
#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_docking.h"
#include "framework/sec_tool_bar_manager.h"

namespace tb_test {

// Resources of res/toolbars.rc.
constexpr UINT kToolBarRes = 200;
constexpr UINT kMoreRes = 201;
constexpr UINT kIdNew = 100;     // handled, enabled
constexpr UINT kIdOpen = 101;    // handled, disabled by its update handler
constexpr UINT kIdSave = 102;    // handled, checked by its update handler
constexpr UINT kIdPrint = 103;   // no handler at all
constexpr UINT kIdOther = 104;   // handled, no update handler (not in any strip)
constexpr UINT kBarId = 0xE810;  // a predefined bar
constexpr UINT kSecondBarId = 0xE811;

// One message the frame received from a bar.
struct Sent {
  UINT message;
  WPARAM wParam;
  bool operator==(const Sent&) const = default;
};

class ToolFrame : public CFrameWnd {
 public:
  void OnNew() { ++commands[0]; }
  void OnOpen() { ++commands[1]; }
  void OnSave() { ++commands[2]; }
  void OnOther() { ++commands[3]; }
  void OnUpdateOpen(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int commands[4] = {};
  bool record = false;
  std::vector<Sent> log;       // WM_COMMAND, WM_SETMESSAGESTRING, WM_NOTIFY (code)
  std::vector<Sent> barNotes;  // WM_BARNOTIFY: bar id, event
  DECLARE_MESSAGE_MAP()
};

class ToolBarTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void Pump() { afx_test::Pump(); }
  void Layout();
  // A bar loaded from kToolBarRes, docked on the top dock bar.
  SECCustomToolBar* MakeBar(UINT id, DWORD exStyle = 0, UINT dockBar = AFX_IDW_DOCKBAR_TOP);
  // Clicks a bar's button through posted messages (client coordinates).
  void Click(CWnd* bar, CPoint at, UINT keys = 0);
  CPoint Centre(SECCustomToolBar* bar, int index);
  // A drag of a button by posted messages: press at `from` (bar client), release at screen `to`.
  void Drag(SECCustomToolBar* bar, CPoint from, CPoint to, UINT keys = 0);
  void Picture(CWnd* wnd, const std::string& name);
  // Compares the recorded messages with the expected table.
  void ExpectLog(const std::vector<Sent>& expected);
  ToolFrame* frame = nullptr;
};

constexpr UINT kFirstUser = SEC_IDW_FIRST_USER_TOOLBAR;

// Two default bars made by a tool bar manager, in customise mode.
class CustomizeTest : public ToolBarTest {
 protected:
  void SetUp() override {
    ToolBarTest::SetUp();
    mgr = new SECToolBarManager(frame);
    ASSERT_TRUE(mgr->DefineDefaultToolBar(kBarId, "Standard", kToolBarRes));
    ASSERT_TRUE(mgr->DefineDefaultToolBar(kSecondBarId, "More", kMoreRes, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                          kBarId));
    mgr->CreateDefaultToolBars();
    mgr->AddNotifyWindow(frame);
    Layout();
    mgr->SetCustomizeMode(TRUE);
  }
  void TearDown() override {
    ToolBarTest::TearDown();
    delete mgr;
  }
  SECCustomToolBar* Bar(UINT id) { return mgr->FindToolBar(id); }
  // Drags button `index` of a bar by (dx, dy) screen pixels.
  void DragBy(SECCustomToolBar* bar, int index, CSize by, UINT keys = 0) {
    CPoint from = Centre(bar, index), to = from + by;
    bar->ClientToScreen(&to);
    if (keys & MK_CONTROL) bar->PostMessage(WM_KEYDOWN, VK_CONTROL, 0);
    Drag(bar, from, to, keys);
    if (keys & MK_CONTROL) {
      bar->PostMessage(WM_KEYUP, VK_CONTROL, 0);
      Pump();
    }
  }
  // The offset that brings a button's left edge `into` pixels past another button's left edge.
  CSize Onto(SECCustomToolBar* from, int index, SECCustomToolBar* to, int target, int into) {
    CRect a = from->GetBtn(index)->GetRect(), b = to->GetBtn(target)->GetRect();
    from->ClientToScreen(&a);
    to->ClientToScreen(&b);
    return CSize(b.left + into - a.left, b.top - a.top);
  }
  SECToolBarManager* mgr = nullptr;
};

// The ids of a bar's buttons in order (0 for separators).
std::vector<UINT> Ids(const SECCustomToolBar* bar);

}  // namespace tb_test
