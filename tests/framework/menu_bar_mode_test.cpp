// A workbook in menu-bar mode: the tool bar manager makes the menu bar, the
// bar follows the active child's menu and its maximised state, and the
// keyboard (Alt, Alt+letter, arrows) and the mouse (hovering while a popup
// is open) move through the bar's menus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/sec_menu_bar_feature.h"
#include "framework/sec_menu_bar_mdi.h"
#include "framework/sec_tool_bar_manager.h"
#include "frames_fixture.h"
#include "ui_test_support.h"
#include "platform/ui/hooks.h"
#include "platform/ui/menu.h"
#include "platform/ui/modal.h"

namespace frames_test {
namespace {

// Bit 29 of a key message: Alt is down. Bits 30 and 31 of a release.
constexpr LPARAM kAltDown = LPARAM{1} << 29;
constexpr LPARAM kRelease = (LPARAM{1} << 30) | (LPARAM{1} << 31);

class MenuBarModeTest : public WorkbookTest {
 protected:
  void BeforeLoad() override {
    bar = new SECMDIMenuBar;
    book->SetMenuBar(bar);
  }
  void SetUp() override {
    WorkbookTest::SetUp();
    if (HasFatalFailure()) return;
    mgr = new SECToolBarManager(book);
    book->SetControlBarManager(mgr);
    mgr->CreateDefaultToolBars();
    feature = dynamic_cast<SECMenuBarFeature*>(book->GetPlugIn());
    ASSERT_NE(feature, nullptr);
    ASSERT_TRUE(feature->SetMenus(3, IDR_FRAMES_MAIN, IDR_FRAMES_SHEET, IDR_FRAMES_SHEET_TWO));
    book->ActivateMenu(static_cast<UINT>(-1));
    book->RecalcLayout();
    Pump();
  }
  void TearDown() override {
    plat::SetMenuHandler(nullptr);
    WorkbookTest::TearDown();
    delete mgr;
  }
  // Delivers the waiting messages as the application's loop does: hooks,
  // then the frames' PreTranslateMessage, then the window.
  void Pump() {
    MSG m;
    while (::PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (AfxPreTranslateMessage(&m)) continue;
      ::TranslateMessage(&m);
      ::DispatchMessage(&m);
    }
    afx_test::Pump();
  }
  // The texts of the shown menu buttons, joined by spaces.
  std::string Shown() const {
    std::string out;
    for (int i = 0; i < bar->GetBtnCount(); ++i) {
      const SECStdBtn* btn = bar->GetBtn(i);
      if (btn->m_nType != SECBtnMenu || (btn->m_nStyle & TBBS_HIDDEN)) continue;
      if (!out.empty()) out += " ";
      out += static_cast<const SECTBMenuBtn*>(btn)->m_strText;
    }
    return out;
  }
  // The text of a button, "" for none.
  std::string Text(int index) const {
    if (index < 0 || index >= bar->GetBtnCount() || bar->GetBtn(index)->m_nType != SECBtnMenu) return "";
    return std::string(static_cast<const SECTBMenuBtn*>(bar->GetBtn(index))->m_strText);
  }
  // The title of the button whose popup `menu` is, "" for none.
  std::string PopupTitle(HMENU menu) const {
    for (int i = 0; i < bar->GetBtnCount(); ++i) {
      if (bar->GetBtn(i)->m_nType != SECBtnMenu) continue;
      const auto* btn = static_cast<const SECTBMenuBtn*>(bar->GetBtn(i));
      if (::GetSubMenu(book->GetMenuForID(btn->m_dwValue1), static_cast<int>(btn->m_dwValue2)) == menu)
        return std::string(btn->m_strText);
    }
    return "?";
  }
  int IndexOf(const std::string& text) const {
    for (int i = 0; i < bar->GetBtnCount(); ++i)
      if (Text(i) == text && !(bar->GetBtn(i)->m_nStyle & TBBS_HIDDEN)) return i;
    return -1;
  }
  // The screen centre of a button.
  CPoint ButtonCentre(int index) const {
    CRect r;
    bar->GetItemRect(index, &r);
    bar->ClientToScreen(&r);
    return r.CenterPoint();
  }
  SECMDIMenuBar* bar = nullptr;
  SECToolBarManager* mgr = nullptr;
  SECMenuBarFeature* feature = nullptr;
};

TEST_F(MenuBarModeTest, TheManagerMakesTheBarAndItFollowsTheActiveChild) {
  EXPECT_EQ(::GetMenu(book->m_hWnd), nullptr);  // no Win32 menu in menu-bar mode
  EXPECT_EQ(bar->GetDlgCtrlID(), static_cast<int>(SEC_IDW_MENUBAR));
  CString title;
  bar->GetWindowText(title);
  EXPECT_STREQ(title, "Menu bar");
  EXPECT_EQ(mgr->FindToolBar(SEC_IDW_MENUBAR), bar);
  EXPECT_EQ(Shown(), "&File &Window &Help");
  Sheet* one = OpenSheet("one");
  EXPECT_EQ(Shown(), "&File &Sheet &Window");
  EXPECT_EQ(bar->GetCurrentMenuID(), static_cast<UINT>(IDR_FRAMES_SHEET));
  Sheet* two = OpenSheet("two", App().sheetsTwo);
  EXPECT_EQ(Shown(), "&File &Window");
  const int refreshes = book->refreshes;
  book->MDIActivate(one);
  Pump();
  EXPECT_EQ(Shown(), "&File &Sheet &Window");
  EXPECT_GT(book->refreshes, refreshes);  // the tabs follow the activation
  EXPECT_EQ(::GetMenu(book->m_hWnd), nullptr);
  two->DestroyWindow();
  one->DestroyWindow();
  Pump();
  EXPECT_EQ(Shown(), "&File &Window &Help");
}

TEST_F(MenuBarModeTest, AMaximisedChildShowsItsButtonsUntilRestored) {
  Sheet* sheet = OpenSheet("max");
  EXPECT_TRUE(bar->SysMenuButton().m_nStyle & TBBS_HIDDEN);
  book->MDIMaximize(sheet);
  Pump();
  EXPECT_FALSE(bar->SysMenuButton().m_nStyle & TBBS_HIDDEN);
  EXPECT_FALSE(bar->CaptionButton().m_nStyle & TBBS_HIDDEN);
  EXPECT_EQ(bar->GetBtn(0), &bar->SysMenuButton());
  EXPECT_EQ(bar->GetBtn(bar->GetBtnCount() - 1), &bar->CaptionButton());
  // The caption button ends inside the bar, right of the menu buttons.
  CRect client;
  bar->GetClientRect(&client);
  const CRect caption = bar->CaptionButton().GetRect();
  EXPECT_LE(caption.right, client.right);
  EXPECT_GE(caption.left, bar->GetBtn(IndexOf("&Window"))->GetRect().right);
  // The system-menu button shows the child's icon, not just the button face.
  const QImage barImage = ui_test::Picture(bar->m_hWnd);
  const CRect icon = bar->SysMenuButton().GetRect();
  int iconPixels = 0;
  for (int y = icon.top; y < icon.bottom; ++y)
    for (int x = icon.left; x < icon.right; ++x) {
      const QRgb p = barImage.pixel(x, y);
      iconPixels += RGB(qRed(p), qGreen(p), qBlue(p)) != ::GetSysColor(COLOR_BTNFACE);
    }
  EXPECT_GT(iconPixels, 0);
  Picture(book->m_hWnd, "menu_bar_mode_maximised");
  book->MDIRestore(sheet);
  Pump();
  EXPECT_TRUE(bar->SysMenuButton().m_nStyle & TBBS_HIDDEN);
  EXPECT_TRUE(bar->CaptionButton().m_nStyle & TBBS_HIDDEN);
}

// The keyboard state machine. Legend of a row: the message posted to the
// frame (key messages, SYS ones with Alt down, "up" rows releases; or a mouse
// press on the frame), its key (0 for the mouse), then what holds afterwards: the bar in menu mode, the
// menu-mode button's title ("" none), and the title of the popup that opened ("" none).
struct KeyStep {
  UINT message;
  WPARAM key;
  bool menuMode;
  const char* hot;
  const char* opened;
};

TEST_F(MenuBarModeTest, AltMnemonicsAndArrowsDriveTheBar) {
  std::vector<std::string> opened;
  plat::SetMenuHandler([&](HMENU menu) {
    opened.push_back(PopupTitle(menu));
    return 0u;
  });
  const KeyStep steps[] = {
      {WM_SYSKEYDOWN, VK_MENU, false, "", ""},    // Alt down: nothing yet
      {WM_SYSKEYUP, VK_MENU, true, "&File", ""},  // Alt alone: menu mode on the first menu
      {WM_KEYDOWN, VK_RIGHT, true, "&Window", ""},
      {WM_KEYUP, VK_RIGHT, true, "&Window", ""},  // releases are swallowed
      {WM_KEYDOWN, VK_RIGHT, true, "&Help", ""},
      {WM_KEYDOWN, VK_RIGHT, true, "&File", ""},  // past the end it wraps
      {WM_KEYDOWN, VK_LEFT, true, "&Help", ""},
      {WM_KEYDOWN, VK_DOWN, false, "", "&Help"},  // Down opens the menu-mode button
      {WM_SYSKEYDOWN, VK_MENU, false, "", ""},
      {WM_SYSKEYUP, VK_MENU, true, "&File", ""},
      {WM_SYSKEYDOWN, VK_MENU, true, "&File", ""},
      {WM_SYSKEYUP, VK_MENU, false, "", ""},  // Alt again leaves menu mode
      {WM_SYSKEYDOWN, VK_MENU, false, "", ""},
      {WM_SYSKEYDOWN, 'W', false, "", "&Window"},  // Alt+W opens the Window menu
      {WM_SYSKEYUP, VK_MENU, false, "", ""},       // not alone: no menu mode
      {WM_SYSKEYDOWN, VK_MENU, false, "", ""},
      {WM_SYSKEYDOWN, 'h', false, "", "&Help"},  // either case
      {WM_SYSKEYUP, VK_MENU, false, "", ""},
      {WM_SYSKEYDOWN, VK_MENU, false, "", ""},
      {WM_SYSKEYUP, VK_MENU, true, "&File", ""},
      {WM_KEYDOWN, 'W', false, "", "&Window"},  // a letter in menu mode is a mnemonic
      {WM_SYSKEYDOWN, VK_MENU, false, "", ""},
      {WM_SYSKEYUP, VK_MENU, true, "&File", ""},
      {WM_KEYDOWN, VK_ESCAPE, false, "", ""},
      {WM_SYSKEYDOWN, VK_MENU, false, "", ""},
      {WM_SYSKEYUP, VK_MENU, true, "&File", ""},
      {WM_LBUTTONDOWN, 0, false, "", ""},  // a press anywhere leaves menu mode
      {WM_LBUTTONUP, 0, false, "", ""},
  };
  for (size_t i = 0; i < std::size(steps); ++i) {
    const KeyStep& s = steps[i];
    SCOPED_TRACE("step " + std::to_string(i));
    opened.clear();
    const BOOL up = s.message == WM_SYSKEYUP || s.message == WM_KEYUP;
    const BOOL sys = s.message == WM_SYSKEYDOWN || s.message == WM_SYSKEYUP;
    const BOOL mouse = s.message == WM_LBUTTONDOWN || s.message == WM_LBUTTONUP;
    if (mouse)
      book->PostMessage(s.message, s.message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, 0);
    else
      book->PostMessage(s.message, s.key, (sys ? kAltDown : 0) | (up ? kRelease : 0) | 1);
    Pump();
    EXPECT_EQ(bar->IsInMenuMode() != FALSE, s.menuMode);
    EXPECT_EQ(bar->IsInMenuMode() ? Text(bar->GetDropDownButton()) : "", s.hot);
    EXPECT_EQ(opened.empty() ? "" : opened.back(), s.opened);
    EXPECT_LE(opened.size(), 1u);
  }
  EXPECT_FALSE(feature->IsTracking());
}

TEST_F(MenuBarModeTest, ArrowsAndHoveringMoveAcrossOpenMenus) {
  // Each popup answers with one input while it is open, then closes.
  struct Input {
    UINT message;
    WPARAM key;           // key messages
    const char* hoverOn;  // WM_MOUSEMOVE: the title of the button hovered
  };
  const Input inputs[] = {
      {WM_KEYDOWN, VK_RIGHT, nullptr},  // File -> Window
      {WM_KEYDOWN, VK_RIGHT, nullptr},  // Window -> Help
      {WM_KEYDOWN, VK_RIGHT, nullptr},  // Help -> File (wraps)
      {WM_KEYDOWN, VK_LEFT, nullptr},   // File -> Help
      {WM_MOUSEMOVE, 0, "&Window"},     // hovering Window switches to it
      {WM_MOUSEMOVE, 0, "&Window"},     // hovering the open button changes nothing; then closed
  };
  std::vector<std::string> opened;
  size_t next = 0;
  plat::SetMenuHandler([&](HMENU menu) {
    opened.push_back(PopupTitle(menu));
    if (next < std::size(inputs)) {
      const Input& in = inputs[next++];
      MSG m{};
      m.message = in.message;
      m.wParam = in.key;
      if (in.hoverOn) {
        CPoint at = ButtonCentre(IndexOf(in.hoverOn));
        bar->ScreenToClient(&at);
        m.hwnd = bar->m_hWnd;
        m.lParam = MAKELPARAM(at.x, at.y);
      }
      ::CallMsgFilter(&m, MSGF_MENU);
    }
    return 0u;
  });
  book->PostMessage(WM_SYSKEYDOWN, VK_MENU, kAltDown | 1);
  book->PostMessage(WM_SYSKEYDOWN, 'F', kAltDown | 1);
  Pump();
  const std::vector<std::string> expected = {"&File", "&Window", "&Help", "&File", "&Help", "&Window"};
  EXPECT_EQ(opened, expected);
  EXPECT_EQ(bar->GetDropDownButton(), -1);
  EXPECT_FALSE(feature->IsTracking());
}

TEST_F(MenuBarModeTest, AMaximisedChildsSystemMenuOpensFromItsButton) {
  Sheet* sheet = OpenSheet("sys");
  book->MDIMaximize(sheet);
  Pump();
  const HMENU system = ::GetSystemMenu(sheet->m_hWnd, FALSE);
  std::vector<HMENU> opened;
  plat::SetMenuHandler([&](HMENU menu) {
    opened.push_back(menu);
    return static_cast<UINT>(SC_CLOSE);
  });
  const HWND child = sheet->m_hWnd;
  bar->DropDownButton(0);  // the system-menu button
  Pump();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], system);
  EXPECT_EQ(::GetMenuDefaultItem(system, FALSE, 0), static_cast<UINT>(SC_CLOSE));
  EXPECT_FALSE(::IsWindow(child));  // the chosen command went to the child
}

}  // namespace
}  // namespace frames_test
