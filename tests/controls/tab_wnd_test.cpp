// The tab window: strip styles, per-tab scroll state, the sizer and the
// forwarding of WM_TABSEL.
#include <gtest/gtest.h>

#include "controls/sec_tab_control.h"
#include "controls/sec_tab_wnd.h"
#include "platform/ui/scrollbar.h"
#include "tests/controls/tab_fixture.h"
#include "ui_test_support.h"

namespace tab_test {
namespace {

constexpr int kWndWidth = 320;
constexpr int kWndHeight = 160;
constexpr UINT kWndId = 42;

class TabWndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 0, 0, kWndWidth, kWndHeight,
                                nullptr, nullptr));
  }
  void TearDown() override {
    delete wnd;
    for (CWnd* c : clients) delete c;
    parent.DestroyWindow();
  }
  void Make(DWORD style = kSECTabWndFourButtons) {
    wnd = new SECTabWnd;
    ASSERT_TRUE(wnd->Create(&parent, WS_CHILD | WS_VISIBLE | style, kWndId));
  }
  CWnd* AddClient(const char* label) {
    auto* client = new CWnd;
    EXPECT_TRUE(client->Create(nullptr, label, WS_CHILD, CRect(0, 0, 0, 0), wnd, 100 + clients.size()));
    clients.push_back(client);
    wnd->AddTab(client, label);
    return client;
  }
  void Size(int cx, int cy) { wnd->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER); }
  CWnd* Bar(UINT id) const { return wnd->GetDlgItem(id); }

  TabParent parent;
  SECTabWnd* wnd = nullptr;
  std::vector<CWnd*> clients;
};

TEST_F(TabWndTest, StyleBitsChooseTheStripButtons) {
  const struct {
    DWORD style;
    int buttonStyle;
    DWORD buttons;
  } cases[] = {{0, 0, 0}, {1, 1, 6}, {2, 2, 15}, {3, 2, 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    delete wnd;
    Make(c.style);
    EXPECT_EQ(wnd->GetButtonStyle(), c.buttonStyle);
    EXPECT_EQ(static_cast<SECTabControl*>(wnd->GetTabControl())->GetButtons(), c.buttons);
    EXPECT_EQ(wnd->GetStyle() & 3, 0u);
  }
}

TEST_F(TabWndTest, EachTabKeepsItsScrollBarState) {
  Make();
  CWnd* build = AddClient("Build");
  CWnd* debug = AddClient("Debug");
  wnd->SetScrollStyle(0, WS_HSCROLL | WS_VSCROLL);
  wnd->SetScrollStyle(1, WS_VSCROLL);
  wnd->ActivateTab(0);
  Size(kWndWidth, kWndHeight);
  SCROLLINFO set{sizeof(SCROLLINFO), SIF_ALL, 0, 200, 20, 55, 0};
  ::SetScrollInfo(Bar(kSECTabWndHScrollId)->m_hWnd, SB_CTL, &set, FALSE);
  set.nPos = 33;
  ::SetScrollInfo(Bar(kSECTabWndVScrollId)->m_hWnd, SB_CTL, &set, FALSE);

  wnd->ActivateTab(debug);
  EXPECT_FALSE(Bar(kSECTabWndHScrollId)->IsWindowVisible());
  EXPECT_TRUE(Bar(kSECTabWndVScrollId)->IsWindowVisible());
  EXPECT_EQ(wnd->GetScrollBar(SB_HORZ), nullptr);
  set.nPos = 7;
  ::SetScrollInfo(Bar(kSECTabWndVScrollId)->m_hWnd, SB_CTL, &set, FALSE);

  wnd->ActivateTab(build);
  SCROLLINFO got{sizeof(SCROLLINFO), SIF_ALL};
  ::GetScrollInfo(Bar(kSECTabWndHScrollId)->m_hWnd, SB_CTL, &got);
  EXPECT_EQ(got.nMax, 200);
  EXPECT_EQ(got.nPage, 20u);
  EXPECT_EQ(got.nPos, 55);
  ::GetScrollInfo(Bar(kSECTabWndVScrollId)->m_hWnd, SB_CTL, &got);
  EXPECT_EQ(got.nPos, 33);
  EXPECT_TRUE(Bar(kSECTabWndHScrollId)->IsWindowVisible());
  wnd->ActivateTab(debug);
  ::GetScrollInfo(Bar(kSECTabWndVScrollId)->m_hWnd, SB_CTL, &got);
  EXPECT_EQ(got.nPos, 7);
}

TEST_F(TabWndTest, InsertedTabKeepsTheRecordsOfTheTabsAfterIt) {
  Make();
  AddClient("A");
  AddClient("B");
  wnd->SetScrollStyle(1, WS_VSCROLL);
  auto* middle = new CWnd;
  ASSERT_TRUE(middle->Create(nullptr, "M", WS_CHILD, CRect(0, 0, 0, 0), wnd, 200));
  clients.push_back(middle);
  ASSERT_NE(wnd->InsertTab(middle, 1, "M"), nullptr);
  EXPECT_EQ(wnd->GetScrollStyle(1), 0u);
  EXPECT_EQ(wnd->GetScrollStyle(2), DWORD{WS_VSCROLL});
  EXPECT_EQ(wnd->InsertTab(middle, 9, "out of range"), nullptr);
  EXPECT_EQ(wnd->GetTabCount(), 3);
}

TEST_F(TabWndTest, FirstSizePlacesTheSizerAndNarrowWindowsClampIt) {
  constexpr int kNarrow = kSECTabWndSizerRoom - 10;
  for (const int width : {kNarrow, kWndWidth}) {
    SCOPED_TRACE(width);
    delete wnd;
    Make();
    AddClient("Build");
    wnd->SetScrollStyle(0, WS_HSCROLL);
    wnd->ActivateTab(0);
    Size(width, kWndHeight);
    CRect client;
    wnd->GetClientRect(&client);
    EXPECT_EQ(wnd->GetSizerPos(), width == kNarrow ? 0 : client.Width() - kSECTabWndSizerRoom);
  }
  // The strip ends at the sizer; the bar starts after it and reaches the right.
  CRect strip, bar;
  wnd->GetTabControl()->GetWindowRect(&strip);
  Bar(kSECTabWndHScrollId)->GetWindowRect(&bar);
  wnd->ScreenToClient(&strip);
  wnd->ScreenToClient(&bar);
  EXPECT_EQ(strip.right, wnd->GetSizerRect().left);
  EXPECT_EQ(bar.left, wnd->GetSizerRect().right);
}

TEST_F(TabWndTest, DraggingTheSizerMovesIt) {
  Make();
  AddClient("Build");
  wnd->SetScrollStyle(0, WS_HSCROLL);
  wnd->ActivateTab(0);
  Size(kWndWidth, kWndHeight);
  const CPoint grab = wnd->GetSizerRect().CenterPoint();
  constexpr int kDrag = 80;
  wnd->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
  EXPECT_TRUE(wnd->IsTracking());
  const int before = wnd->GetSizerRect().left;
  wnd->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(grab.x - kDrag, grab.y));
  wnd->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(grab.x - kDrag, grab.y));
  EXPECT_FALSE(wnd->IsTracking());
  EXPECT_EQ(wnd->GetSizerRect().left, before - kDrag - 1);
}

TEST_F(TabWndTest, ActivationReachesTheNotifyWindowWithTheWindowsId) {
  Make();
  AddClient("Build");
  CWnd* debug = AddClient("Debug");
  parent.notices.clear();
  wnd->ActivateTab(1);
  ExpectNotices(parent, {{WM_TABSEL, 1}});
  EXPECT_EQ(parent.notices[0].ctrlId, static_cast<int>(kWndId));
  CWnd* active = nullptr;
  EXPECT_TRUE(wnd->GetActiveTab(active));
  EXPECT_EQ(active, debug);
  EXPECT_TRUE(debug->IsWindowVisible());
  // Removing the active tab shows its neighbour and tells the notify window.
  parent.notices.clear();
  wnd->RemoveTab(debug);
  ExpectNotices(parent, {{WM_TABSEL, 0}});
  EXPECT_TRUE(wnd->GetActiveTab(active));
  EXPECT_EQ(active, clients[0]);
  EXPECT_TRUE(clients[0]->IsWindowVisible());
  EXPECT_FALSE(debug->IsWindowVisible());
}

TEST_F(TabWndTest, PictureOfTwoClients) {
  Make();
  AddClient("Build");
  AddClient("Debug");
  wnd->SetScrollStyle(0, WS_HSCROLL | WS_VSCROLL);
  wnd->ActivateTab(0);
  Size(kWndWidth, kWndHeight);
  SaveTabPicture(parent.m_hWnd, "window_two_clients");
  SUCCEED();
}

}  // namespace
}  // namespace tab_test
