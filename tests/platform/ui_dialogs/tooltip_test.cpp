// Tool tips: tools with given, resource or asked-for texts shown after the
// mouse rests on them; a window with tool tips names its tools by hit test.
#include <gtest/gtest.h>

#include <string>

#include "../ui/ui_test_support.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/tooltip.h"

namespace {

int g_asked = 0;

LRESULT CALLBACK TipOwner(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == TTN_NEEDTEXT) {
    ++g_asked;
    auto* di = reinterpret_cast<NMTTDISPINFO*>(l);
    lstrcpyn(di->szText, "asked", sizeof di->szText);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

std::string TipText(HWND tip) {
  char buf[128] = {0};
  GetWindowText(tip, buf, sizeof buf);
  return buf;
}

TEST(ToolTips, ToolsShowTheirTextAfterTheMouseRests) {
  HWND top = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE, TipOwner);
  CToolTipCtrl tip;
  ASSERT_TRUE(tip.Create(CWnd::FromHandle(top)));
  CRect left(0, 0, 100, 100), right(100, 0, 200, 100);
  ASSERT_TRUE(tip.AddTool(CWnd::FromHandle(top), "Left side", &left, 1));
  ASSERT_TRUE(tip.AddTool(CWnd::FromHandle(top), LPSTR_TEXTCALLBACK, &right, 2));
  EXPECT_EQ(tip.GetToolCount(), 2);
  struct Case {
    int x;
    const char* text;  // nullptr: no tip
  };
  const Case cases[] = {{50, "Left side"}, {150, "asked"}, {250, nullptr}};
  for (const Case& c : cases) {
    MSG m{top, WM_MOUSEMOVE, 0, MAKELPARAM(c.x, 50), 0, {0, 0}, 0};
    tip.RelayEvent(&m);
    tip.SendMessage(WM_TIMER, 1, 0);  // the pause is over
    EXPECT_EQ(::IsWindowVisible(tip.m_hWnd) != 0, c.text != nullptr) << c.x;
    if (c.text) EXPECT_EQ(TipText(tip.m_hWnd), c.text);
  }
  EXPECT_EQ(g_asked, 1);
  tip.UpdateTipText("Left, renamed", CWnd::FromHandle(top), 1);
  CString s;
  tip.GetText(s, CWnd::FromHandle(top), 1);
  EXPECT_STREQ(s, "Left, renamed");
  tip.DelTool(CWnd::FromHandle(top), 1);
  EXPECT_EQ(tip.GetToolCount(), 1);
  tip.DestroyWindow();
  DestroyWindow(top);
}

TEST(ToolTips, EnabledWindowNamesChildControlsAsTools) {
  g_asked = 0;
  HWND top = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE, TipOwner);
  HWND button = CreateWindowEx(0, "BUTTON", "B", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, top,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(77)), nullptr, nullptr);
  CWnd* owner = CWnd::FromHandle(top);
  owner->EnableToolTips(TRUE);
  MSG m{button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), 0, {0, 0}, 0};
  mirt_ui::FilterToolTipMessage(owner, &m);
  HWND tip = mirt_ui::ToolTipControlOf(top);
  ASSERT_NE(tip, nullptr);
  SendMessage(tip, WM_TIMER, 1, 0);
  EXPECT_TRUE(IsWindowVisible(tip));
  EXPECT_EQ(TipText(tip), "asked");
  EXPECT_EQ(g_asked, 1);
  owner->EnableToolTips(FALSE);
  EXPECT_FALSE(IsWindow(tip));
  DestroyWindow(top);
}

// A window whose whole client area is one tool with a heap text, as the
// framework's tab rows make it.
class HeapTipWnd : public CWnd {
 public:
  static constexpr const char* kText = "a sheet with a long title";
  INT_PTR OnToolHitTest(CPoint, TOOLINFO* ti) const override {
    if (ti) {
      ti->hwnd = m_hWnd;
      ti->uId = 1;
      ::GetClientRect(m_hWnd, &ti->rect);
      ti->lpszText = ::strdup(kText);
    }
    return 1;
  }
};

TEST(ToolTips, HeapTextsOfAHitTestAreFreedAlsoWhenTheToolStays) {
  constexpr int kMoves = 3;  // the first names the tool, the others stay on it
  HWND top = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE, TipOwner);
  HeapTipWnd owner;
  owner.Attach(top);
  owner.EnableToolTips(TRUE);
  for (int i = 0; i < kMoves; ++i) {
    MSG m{top, WM_MOUSEMOVE, 0, MAKELPARAM(5 + i, 5), 0, {0, 0}, 0};
    mirt_ui::FilterToolTipMessage(&owner, &m);
  }
  HWND tip = mirt_ui::ToolTipControlOf(top);
  ASSERT_NE(tip, nullptr);
  SendMessage(tip, WM_TIMER, 1, 0);
  EXPECT_EQ(TipText(tip), HeapTipWnd::kText);
  owner.EnableToolTips(FALSE);
  owner.Detach();
  DestroyWindow(top);
}

}  // namespace
