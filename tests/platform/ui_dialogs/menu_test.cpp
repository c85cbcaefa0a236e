// Menus: items and states, menus from resources, popup menus answered by
// the test (returned or posted commands, refused grayed answers), owner
// drawing, and a picture of a popup menu.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "../ui/ui_test_support.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/menu_impl.h"
#include "platform/ui/modal.h"
#include "res/dialogs_res.h"
#include "tests/support/test_support.h"

namespace {

std::vector<UINT> g_messages;
std::vector<UINT> g_commands;
int g_measured = 0, g_drawn = 0;

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_INITMENUPOPUP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP:
      g_messages.push_back(m);
      break;
    case WM_COMMAND:
      g_commands.push_back(LOWORD(w));
      return 0;
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      if (mis->CtlType == ODT_MENU) {
        ++g_measured;
        mis->itemWidth = 60;
        mis->itemHeight = 24;
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      if (dis->CtlType == ODT_MENU) {
        ++g_drawn;
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dis->hDC, &dis->rcItem, red);
        DeleteObject(red);
        return TRUE;
      }
      break;
    }
  }
  return DefWindowProc(h, m, w, l);
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE, OwnerProc);
    g_messages.clear();
    g_commands.clear();
    g_measured = g_drawn = 0;
    plat::ClearModalRecords();
  }
  void TearDown() override { DestroyWindow(owner_); }
  HWND owner_ = nullptr;
};

TEST_F(MenuTest, ItemsAndStates) {
  CMenu menu;
  ASSERT_TRUE(menu.CreatePopupMenu());
  CMenu sub;
  sub.CreatePopupMenu();
  sub.AppendMenu(MF_STRING, 30, "Deep");
  menu.AppendMenu(MF_STRING, 10, "&Ten");
  menu.AppendMenu(MF_SEPARATOR);
  menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "&More");
  menu.InsertMenu(10, MF_BYCOMMAND | MF_STRING, 5, "Five");
  ASSERT_EQ(menu.GetMenuItemCount(), 4u);
  EXPECT_EQ(menu.GetMenuItemID(0), 5u);
  EXPECT_EQ(menu.GetMenuItemID(3), (UINT)-1);         // a popup
  EXPECT_EQ(menu.CheckMenuItem(30, MF_CHECKED), 0u);  // found in the sub-menu
  EXPECT_EQ(menu.CheckMenuItem(30, MF_UNCHECKED), (UINT)MF_CHECKED);
  EXPECT_EQ(menu.CheckMenuItem(99, MF_CHECKED), (UINT)-1);
  EXPECT_EQ(menu.EnableMenuItem(10, MF_GRAYED), 0u);
  EXPECT_TRUE(menu.GetMenuState(10, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(menu.GetMenuState(3, MF_BYPOSITION) >> 8, 1u);  // a popup's item count
  EXPECT_TRUE(menu.GetMenuState(2, MF_BYPOSITION) & MF_SEPARATOR);
  CString s;
  menu.GetMenuString(1, s, MF_BYPOSITION);
  EXPECT_STREQ(s, "&Ten");
  EXPECT_TRUE(menu.CheckMenuRadioItem(5, 10, 10, MF_BYCOMMAND));
  EXPECT_TRUE(menu.GetMenuState(10, MF_BYCOMMAND) & MFT_RADIOCHECK);
  EXPECT_FALSE(menu.GetMenuState(5, MF_BYCOMMAND) & MF_CHECKED);
  menu.SetDefaultItem(5);
  EXPECT_EQ(menu.GetDefaultItem(0), 5u);
  menu.ModifyMenu(5, MF_BYCOMMAND | MF_STRING, 6, "Six");
  EXPECT_EQ(menu.GetMenuItemID(0), 6u);
  HMENU deep = ::GetSubMenu(menu, 3);
  EXPECT_TRUE(menu.DeleteMenu(3, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(deep));  // deleted with its item
  MENUITEMINFO mi{sizeof mi, MIIM_DATA};
  mi.dwItemData = 1234;
  ASSERT_TRUE(menu.SetMenuItemInfo(6, &mi));
  MENUITEMINFO back{sizeof back, MIIM_DATA};
  ASSERT_TRUE(menu.GetMenuItemInfo(6, &back));
  EXPECT_EQ(back.dwItemData, 1234u);
}

TEST_F(MenuTest, LoadedFromResources) {
  CMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_POPUP));
  CMenu* edit = bar.GetSubMenu(0);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->GetMenuItemCount(), 5u);
  EXPECT_TRUE(edit->GetMenuState(ID_PASTE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(bar.GetMenuState(ID_BOLD, MF_BYCOMMAND) & MF_CHECKED);
  CString s;
  edit->GetMenuString(ID_CUT, s, MF_BYCOMMAND);
  EXPECT_STREQ(s, "Cu&t\tCtrl+X");
  EXPECT_TRUE(SetMenu(owner_, bar));
  EXPECT_EQ(GetMenu(owner_), bar.m_hMenu);
}

TEST_F(MenuTest, PopupMenuAnsweredByTheTest) {
  CMenu bar;
  ASSERT_TRUE(bar.LoadMenu(IDR_POPUP));
  CMenu* edit = bar.GetSubMenu(0);
  struct Case {
    UINT answer;
    UINT flags;
    BOOL returned;
    std::vector<UINT> posted;
  };
  const Case cases[] = {
      {ID_COPY, TPM_RETURNCMD, ID_COPY, {}},
      {ID_ITALIC, TPM_RETURNCMD, ID_ITALIC, {}},  // inside a sub-menu
      {ID_PASTE, TPM_RETURNCMD, 0, {}},           // grayed: not choosable
      {0, TPM_RETURNCMD, 0, {}},                  // dismissed
      {ID_CUT, 0, TRUE, {ID_CUT}},                // posted to the owner
  };
  for (const Case& c : cases) {
    g_commands.clear();
    g_messages.clear();
    plat::PushMenuAnswer(c.answer);
    EXPECT_EQ(edit->TrackPopupMenu(c.flags, 20, 20, CWnd::FromHandle(owner_)), c.returned) << c.answer;
    PumpWaitingMessages();
    EXPECT_EQ(g_commands, c.posted) << c.answer;
    std::vector<UINT> expected = {WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_EXITMENULOOP};
    EXPECT_EQ(g_messages, expected);
  }
  auto records = plat::ModalRecords();
  ASSERT_EQ(records.size(), 5u);
  EXPECT_EQ(records[0].kind, "menu");
  EXPECT_EQ(records[0].caption, "Cu&t|&Copy|-|&Paste|&Style");
  EXPECT_EQ(records[2].result, 0);
  EXPECT_TRUE(FindWindow("#32768", nullptr) == nullptr);  // popups are gone
}

TEST_F(MenuTest, UnansweredPopupIsDismissedInAHeadlessRun) {
  HMENU m = CreatePopupMenu();
  AppendMenu(m, MF_STRING, 1, "One");
  EXPECT_EQ(TrackPopupMenu(m, TPM_RETURNCMD, 0, 0, 0, owner_, nullptr), 0);
  DestroyMenu(m);
}

TEST_F(MenuTest, OwnerDrawnItemIsMeasuredAndDrawn) {
  HMENU m = CreatePopupMenu();
  AppendMenu(m, MF_STRING, ID_CUT, "Cu&t\tCtrl+X");
  AppendMenu(m, MF_STRING | MF_CHECKED, ID_BOLD, "&Bold");
  AppendMenu(m, MF_SEPARATOR, 0, nullptr);
  AppendMenu(m, MF_OWNERDRAW, ID_DRAWN, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(77)));
  AppendMenu(m, MF_STRING | MF_GRAYED, ID_PASTE, "&Paste");
  QImage picture;
  plat::SetMenuHandler([&](HMENU) {
    HWND popup = FindWindow("#32768", nullptr);
    if (popup) picture = ui_test::Picture(popup);
    return static_cast<UINT>(ID_DRAWN);
  });
  UINT got = TrackPopupMenu(m, TPM_RETURNCMD, 40, 40, 0, owner_, nullptr);
  plat::SetMenuHandler(nullptr);
  EXPECT_EQ(got, static_cast<UINT>(ID_DRAWN));
  EXPECT_EQ(g_measured, 1);
  EXPECT_EQ(g_drawn, 1);
  ASSERT_FALSE(picture.isNull());
  picture.save(QString::fromStdString(mirt_test::ProgramDir() + "/ui_menu_popup.png"));
  int red = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) red += picture.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_GE(red, 60 * 24);  // the owner's fill shows
  DestroyMenu(m);
}

TEST_F(MenuTest, SystemMenuSendsSystemCommands) {
  HMENU sys = GetSystemMenu(owner_, FALSE);
  ASSERT_NE(sys, nullptr);
  EXPECT_EQ(GetSystemMenu(owner_, FALSE), sys);
  EXPECT_EQ(GetMenuDefaultItem(sys, FALSE, 0), static_cast<UINT>(SC_CLOSE));
  // Alt+Space opens it; the choice comes as a system command.
  HWND frame = ui_test::MakeTop(200, 100, WS_POPUP | WS_SYSMENU | WS_VISIBLE, OwnerProc);
  plat::PushMenuAnswer(SC_MINIMIZE);
  SendMessage(frame, WM_SYSCHAR, ' ', 0);
  PumpWaitingMessages();
  EXPECT_TRUE(IsIconic(frame));
  DestroyWindow(frame);
  EXPECT_EQ(GetSystemMenu(owner_, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(sys));
}

TEST_F(MenuTest, MenuBarOfATopLevelWindow) {
  HWND frame = ui_test::MakeTop(300, 200, WS_POPUP | WS_BORDER | WS_VISIBLE, OwnerProc);
  RECT before;
  GetClientRect(frame, &before);
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenu(file, MF_STRING, ID_CUT, "Cu&t");
  AppendMenu(file, MF_STRING, ID_COPY, "&Copy");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  AppendMenu(bar, MF_STRING, ID_BOLD, "&Bold");
  ASSERT_TRUE(SetMenu(frame, bar));
  RECT after;
  GetClientRect(frame, &after);
  EXPECT_EQ(after.bottom, before.bottom - GetSystemMetrics(SM_CYMENU));
  POINT inBar{10, 0};
  ClientToScreen(frame, &inBar);
  inBar.y -= GetSystemMetrics(SM_CYMENU) / 2;
  EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(inBar.x, inBar.y)), HTMENU);
  // A click on "File" opens its popup; the answer becomes a command.
  plat::PushMenuAnswer(ID_COPY);
  SendMessage(frame, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(inBar.x, inBar.y));
  PumpWaitingMessages();
  EXPECT_EQ(g_commands, (std::vector<UINT>{ID_COPY}));
  // Alt with an item's letter: the popup of "&File", or the command "&Bold".
  g_commands.clear();
  plat::PushMenuAnswer(ID_CUT);
  ui_test::Key(frame, true, Qt::Key_F, Qt::AltModifier, "f");
  ui_test::Key(frame, true, Qt::Key_B, Qt::AltModifier, "b");
  PumpWaitingMessages();
  EXPECT_EQ(g_commands, (std::vector<UINT>{ID_CUT, ID_BOLD}));
  QImage picture = ui_test::Picture(frame);
  EXPECT_FALSE(picture.isNull());
  DestroyWindow(frame);
}

// A lone Alt (pressed and released with nothing between) opens the menu
// bar; a window-system command between them, as when a window manager takes
// Alt+F4 and closes the window itself, leaves it no longer alone.
TEST_F(MenuTest, AWindowSystemCommandBetweenAltsPressAndReleaseEndsALoneAlt) {
  constexpr LPARAM kAltHeld = LPARAM{1} << 29;
  constexpr LPARAM kReleased = LPARAM{1} << 31 | LPARAM{1} << 30;
  struct Case {
    const char* what;
    bool commandBetween;
    bool alone;
  } const kCases[] = {
      {"Alt pressed and released", false, true},
      {"a close request between", true, false},
  };
  HWND window =
      CreateWindowEx(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  MSG m;
  for (const Case& c : kCases) {
    PostMessage(owner_, WM_KEYUP, VK_MENU, kReleased);  // Alt starts up
    while (PeekMessage(&m, owner_, WM_KEYFIRST, WM_SYSCOMMAND, PM_REMOVE)) {
    }
    mirt_ui::TakeLoneAlt();
    PostMessage(owner_, WM_SYSKEYDOWN, VK_MENU, kAltHeld);
    if (c.commandBetween) PostMessage(owner_, WM_SYSCOMMAND, SC_RESTORE, 0);
    PostMessage(owner_, WM_SYSKEYUP, VK_MENU, kAltHeld | kReleased);
    // The keys and the command are taken from the queue, not handled.
    while (PeekMessage(&m, owner_, WM_KEYFIRST, WM_SYSCOMMAND, PM_REMOVE)) {
    }
    EXPECT_EQ(mirt_ui::TakeLoneAlt(), c.alone) << c.what;
  }
}

}  // namespace
