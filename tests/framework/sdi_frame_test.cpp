// The framework's SDI frame: loading with and without a menu, its menu through
// WM_SECGETMENU, docking with the layout mode from the bar's own style, its
// caption and its close.
#include <gtest/gtest.h>

#include "framework/sec_frame_wnd.h"
#include "framework/sec_menu_bar.h"
#include "framework/sec_menu_bar_feature.h"
#include "framework/sec_mini_dock_frame_wnd.h"
#include "frames_fixture.h"
#include "platform/ui/menu.h"
#include "ui_test_support.h"

namespace frames_test {
namespace {

class SDIFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    App();
    frame = new SECFrameWnd;  // frames delete themselves with their window
  }
  void TearDown() override {
    // A frame closed by the test has deleted itself.
    if (::IsWindow(hwnd)) frame->DestroyWindow();
    afx_test::Pump();
  }
  bool Load(UINT id) {
    if (!frame->LoadFrame(id)) return false;
    hwnd = frame->m_hWnd;
    return true;
  }
  // Creates a framework bar of `style` that may dock anywhere.
  void MakeBar(SECControlBar& bar, DWORD style) {
    ASSERT_TRUE(bar.Create(frame, "Bar", WS_CHILD | WS_VISIBLE | style, 0, IDW_FRAMES_BAR_LEFT));
    bar.EnableDocking(CBRS_ALIGN_ANY);
  }
  SECFrameWnd* frame = nullptr;
  HWND hwnd = nullptr;
};

TEST_F(SDIFrameTest, LoadsWithoutAMenuWhenItsIdHasNone) {
  ASSERT_TRUE(Load(IDR_FRAMES_NO_MENU));
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  EXPECT_EQ(frame->SendMessage(WM_SECGETMENU, IDR_FRAMES_NO_MENU, 0), 0);
}

TEST_F(SDIFrameTest, AnswersSubMenusOfItsOwnMenuOnly) {
  ASSERT_TRUE(Load(IDR_FRAMES_MAIN));
  const HMENU help = reinterpret_cast<HMENU>(frame->SendMessage(WM_SECGETMENU, IDR_FRAMES_MAIN, 2));
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(::GetMenuItemID(help, 0), static_cast<UINT>(ID_APP_ABOUT));
  EXPECT_EQ(frame->SendMessage(WM_SECGETMENU, IDR_FRAMES_SHEET, 0), 0);
}

TEST_F(SDIFrameTest, InMenuBarModeTheBarShowsTheMenuAndActivatingAnotherReplacesIt) {
  auto* bar = new SECMenuBar;  // owned by the frame
  frame->SetMenuBar(bar);
  ASSERT_TRUE(Load(IDR_FRAMES_MAIN));
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  auto* feature = dynamic_cast<SECMenuBarFeature*>(frame->GetPlugIn());
  ASSERT_NE(feature, nullptr);
  ASSERT_TRUE(bar->CreateEx(0, frame));
  bar->EnableDocking(CBRS_ALIGN_ANY);
  frame->EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(bar, AFX_IDW_DOCKBAR_TOP);
  ASSERT_TRUE(feature->SetMenus(2, IDR_FRAMES_MAIN, IDR_FRAMES_SHEET));
  EXPECT_EQ(bar->GetCurrentMenuID(), static_cast<UINT>(IDR_FRAMES_MAIN));
  // Its own copy of the menu answers WM_SECGETMENU.
  auto popup = [&](UINT id, int pos) {
    return reinterpret_cast<HMENU>(frame->SendMessage(WM_SECGETMENU, id, pos));
  };
  ASSERT_NE(popup(IDR_FRAMES_MAIN, 2), nullptr);
  EXPECT_EQ(::GetMenuItemID(popup(IDR_FRAMES_MAIN, 2), 0), static_cast<UINT>(ID_APP_ABOUT));
  frame->ActivateMenu(IDR_FRAMES_SHEET);
  EXPECT_EQ(bar->GetCurrentMenuID(), static_cast<UINT>(IDR_FRAMES_SHEET));
  EXPECT_EQ(popup(IDR_FRAMES_MAIN, 2), nullptr);
  ASSERT_NE(popup(IDR_FRAMES_SHEET, 1), nullptr);
  EXPECT_EQ(::GetMenuItemID(popup(IDR_FRAMES_SHEET, 1), 0), static_cast<UINT>(ID_FRAMES_COMMAND));
  EXPECT_EQ(::GetMenu(frame->m_hWnd), nullptr);
  // After an in-place negotiation that left no border the next hide is ignored, once.
  constexpr UINT kBorderSet = 3;
  CRect none(0, 0, 0, 0);
  frame->NegotiateBorderSpace(kBorderSet, &none);
  bar->DelayShow(FALSE);
  EXPECT_FALSE(bar->m_nStateFlags & CControlBar::delayHide);
  bar->DelayShow(FALSE);
  EXPECT_TRUE(bar->m_nStateFlags & CControlBar::delayHide);
}

TEST_F(SDIFrameTest, DockControlBarExTakesTheModeFromTheBarsStyle) {
  ASSERT_TRUE(Load(IDR_FRAMES_MAIN));
  frame->EnableDocking(CBRS_ALIGN_ANY);
  EXPECT_EQ(frame->m_pFloatingFrameClass, RUNTIME_CLASS(SECMiniDockFrameWnd));
  constexpr int kLength = 77;
  struct Case {
    DWORD style;
    UINT dock;
    const char* committed;  // which size takes the length (a height; a vertical bar's width)
  };
  const Case cases[] = {
      {CBRS_SIZE_DYNAMIC | CBRS_FLOATING | CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_BOTTOM, "float"},
      {CBRS_SIZE_DYNAMIC | CBRS_FLOATING | CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT, "float"},
      {CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_LEFT, "horz"},
      {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_TOP, "vert"},
  };
  for (const Case& c : cases) {
    SECControlBar bar;
    MakeBar(bar, 0);
    bar.m_dwStyle = (bar.m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_SIZE_DYNAMIC | CBRS_FLOATING)) | c.style;
    frame->DockControlBarEx(&bar, c.dock, 0, 0, 0.25f, kLength);
    const std::string which = c.committed;
    EXPECT_EQ(bar.m_szFloat.cy == kLength, which == "float") << c.style;
    EXPECT_EQ(bar.m_szHorzDock.cy == kLength, which == "horz") << c.style;
    EXPECT_EQ(bar.m_szVertDock.cx == kLength, which == "vert") << c.style;
    EXPECT_EQ(bar.m_pDockBar, frame->GetControlBar(c.dock));
    bar.DestroyWindow();
  }
}

TEST_F(SDIFrameTest, CloseMarksTheFrameClosing) {
  ASSERT_TRUE(Load(IDR_FRAMES_MAIN));
  const HWND h = frame->m_hWnd;
  frame->SendMessage(WM_CLOSE);
  afx_test::Pump();
  EXPECT_FALSE(::IsWindow(h));
}

TEST_F(SDIFrameTest, CustomCaptionTurnsOnAndReportsTheOldValue) {
  ASSERT_TRUE(Load(IDR_FRAMES_MAIN));
  EXPECT_FALSE(frame->EnableCustomCaption(TRUE));
  EXPECT_TRUE(frame->IsCustomCaptionEnabled());
  EXPECT_TRUE(frame->EnableCustomCaption(FALSE));
}

}  // namespace
}  // namespace frames_test
