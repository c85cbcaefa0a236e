// Customisation through the tool bar manager: dragging buttons within and
// between bars and off them, Ctrl-copies, nudges, bars made and emptied
// during customisation, WM_BARNOTIFY, user bar ids and the settings.
#include <gtest/gtest.h>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_custom_tool_bar_info_ex.h"
#include "framework/sec_dock_state.h"
#include "framework/sec_tool_bar_manager.h"
#include "tool_bar_fixture.h"

using namespace tb_test;

TEST_F(CustomizeTest, DefaultBarsAreMadeWithTheManagersStyles) {
  ASSERT_NE(Bar(kBarId), nullptr);
  ASSERT_NE(Bar(kSecondBarId), nullptr);
  EXPECT_EQ(Ids(Bar(kSecondBarId)), (std::vector<UINT>{kIdOpen, kIdPrint}));
  EXPECT_EQ(Bar(kBarId)->GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC),
            static_cast<DWORD>(CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC));
  EXPECT_EQ(Bar(kBarId)->GetBmpMgr(), mgr->GetBmpMgr());
  EXPECT_EQ(mgr->GetBarTypeID(Bar(kBarId)), static_cast<UINT>(SEC_TYPEID_CUSTOMTOOLBAR));
  // The neighbour docks in the same row, after the first bar.
  CRect a = afx_test::RectIn(Bar(kBarId), frame), b = afx_test::RectIn(Bar(kSecondBarId), frame);
  EXPECT_EQ(a.top, b.top);
  EXPECT_GE(b.left, a.right);
  Picture(frame, "customise_mode");
}

TEST_F(CustomizeTest, DraggingMovesAButtonWithinItsBar) {
  SECCustomToolBar* bar = Bar(kBarId);
  DragBy(bar, 0, Onto(bar, 0, bar, 3, 5));
  EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdOpen, 0, kIdSave, kIdNew}));
  EXPECT_EQ(mgr->GetSelectedBar(), bar);
  EXPECT_TRUE(bar->GetBtn(3)->m_nStyle & SEC_TBBS_SELECTED);
}

TEST_F(CustomizeTest, DraggingMovesAButtonToAnotherBar) {
  SECCustomToolBar* from = Bar(kSecondBarId);
  SECCustomToolBar* to = Bar(kBarId);
  DragBy(from, 1, Onto(from, 1, to, 0, 5));
  EXPECT_EQ(Ids(to), (std::vector<UINT>{kIdNew, kIdPrint, kIdOpen, 0, kIdSave}));
  EXPECT_EQ(Ids(from), (std::vector<UINT>{kIdOpen}));
  EXPECT_EQ(mgr->GetSelectedBar(), to);
}

TEST_F(CustomizeTest, DropsAboveOrBelowABarMoveTheButton) {
  SECCustomToolBar* from = Bar(kSecondBarId);
  SECCustomToolBar* to = Bar(kBarId);
  CRect src = from->GetBtn(1)->GetRect(), dst = to->GetBtn(0)->GetRect();
  from->ClientToScreen(&src);
  to->ClientToScreen(&dst);
  CRect window;
  to->GetWindowRect(&window);
  // The dragged rectangle ends one pixel inside the bar's window, above its inside area.
  DragBy(from, 1, CSize(dst.left - src.left, window.top + 1 - src.bottom));
  EXPECT_EQ(Ids(to), (std::vector<UINT>{kIdPrint, 0, kIdNew, kIdOpen, 0, kIdSave}));
  EXPECT_EQ(Ids(from), (std::vector<UINT>{kIdOpen}));  // moved, not copied
}

TEST_F(CustomizeTest, DraggingOffTheBarsDeletesAndCtrlCopiesToANewFloatingBar) {
  SECCustomToolBar* bar = Bar(kBarId);
  CRect frameRect;
  frame->GetWindowRect(&frameRect);
  CPoint at = Centre(bar, 3);
  bar->ClientToScreen(&at);
  const CSize off(frameRect.right + 200 - at.x, frameRect.bottom + 100 - at.y);
  DragBy(bar, 3, off, MK_CONTROL);
  SECCustomToolBar* copy = Bar(kFirstUser);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(copy->IsFloating());
  EXPECT_EQ(Ids(copy), (std::vector<UINT>{kIdSave}));
  CString title;
  copy->GetWindowText(title);
  EXPECT_STREQ(title, "ToolBar1");
  EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdNew, kIdOpen, 0, kIdSave}));
  // Without Ctrl the button goes, with the separator before it.
  DragBy(bar, 3, off);
  EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdNew, kIdOpen}));
  Picture(copy->GetParentFrame(), "customise_copy_floating");
}

TEST_F(CustomizeTest, AnEmptiedCustomisationBarGoesAway) {
  SECCustomToolBar* user = mgr->CreateNewToolBar("Mine");
  ASSERT_NE(user, nullptr);
  user->InsertButton(0, kIdOther, FALSE);
  frame->DockControlBar(user, AFX_IDW_DOCKBAR_BOTTOM);
  Layout();
  const HWND hwnd = user->m_hWnd;
  SECCustomToolBar* to = Bar(kBarId);
  DragBy(user, 0, Onto(user, 0, to, 0, 5));
  EXPECT_EQ(Ids(to), (std::vector<UINT>{kIdNew, kIdOther, kIdOpen, 0, kIdSave}));
  Pump();
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_EQ(Bar(kFirstUser), nullptr);
}

TEST_F(CustomizeTest, NudgingAddsOrRemovesSeparators) {
  SECCustomToolBar* bar = Bar(kBarId);
  struct Step {
    const char* name;
    int index;
    int dx;
    std::vector<UINT> after;
  };
  const Step steps[] = {
      {"one pixel: nothing", 1, 1, {kIdNew, kIdOpen, 0, kIdSave}},
      {"right: a separator before it", 1, 3, {kIdNew, 0, kIdOpen, 0, kIdSave}},
      {"left: the separator before it goes", 2, -3, {kIdNew, kIdOpen, 0, kIdSave}},
      {"left without one: a separator after it", 0, -3, {kIdNew, 0, kIdOpen, 0, kIdSave}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    DragBy(bar, s.index, CSize(s.dx, 0));
    EXPECT_EQ(Ids(bar), s.after);
    Layout();
  }
}

TEST_F(CustomizeTest, BarEventsReachTheNotifyWindows) {
  frame->barNotes.clear();
  SECCustomToolBar* user = mgr->CreateNewToolBar();
  ASSERT_NE(user, nullptr);
  frame->ShowControlBar(Bar(kBarId), FALSE, FALSE);
  frame->ShowControlBar(Bar(kBarId), TRUE, FALSE);
  user->DestroyWindow();
  Pump();
  // A new bar shows itself as it is made; a destroyed one hides first.
  const std::vector<Sent> expected = {
      {kFirstUser, SECTBEventShown}, {kFirstUser, SECTBEventCreated}, {kBarId, SECTBEventHidden},
      {kBarId, SECTBEventShown},     {kFirstUser, SECTBEventHidden},  {kFirstUser, SECTBEventDestroyed},
  };
  std::vector<Sent> seen;
  for (const Sent& s : frame->barNotes)
    if (seen.empty() || !(seen.back() == s)) seen.push_back(s);  // a change may be reported twice
  EXPECT_EQ(seen, expected);
}

TEST_F(CustomizeTest, UserBarsTakeTheFirstFreeId) {
  std::vector<SECCustomToolBar*> made;
  for (int i = 0; i < 4; ++i) made.push_back(mgr->CreateNewToolBar());
  made[2]->DestroyWindow();
  Pump();
  SECCustomToolBar* next = mgr->CreateNewToolBar();
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(static_cast<UINT>(next->GetDlgCtrlID()), kFirstUser + 2);
  CString title;
  next->GetWindowText(title);
  EXPECT_STREQ(title, "ToolBar3");
}

TEST_F(CustomizeTest, GlobalSettingsReachEveryToolBarOnly) {
  SECControlBar other;
  ASSERT_TRUE(other.Create(frame, "Other", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, 0, 0xE812));
  mgr->SetToolTips(FALSE);
  EXPECT_FALSE(Bar(kBarId)->GetBarStyle() & CBRS_TOOLTIPS);
  EXPECT_FALSE(Bar(kSecondBarId)->GetBarStyle() & CBRS_TOOLTIPS);
  EXPECT_TRUE(other.GetBarStyle() & CBRS_TOOLTIPS);
  mgr->SetCoolLook(TRUE);
  EXPECT_EQ(Bar(kBarId)->GetExBarStyle() & SEC_COOLLOOK_BITS, static_cast<DWORD>(SEC_COOLLOOK_BITS));
  mgr->SetLargeButtons(TRUE);
  EXPECT_FALSE(mgr->GetBmpMgr()->IsSmallMode());
  EXPECT_EQ(Bar(kBarId)->GetBtn(0)->m_cx, mgr->GetBmpMgr()->GetLargeSize().cx + 7);
  Layout();
  Picture(frame, "large_cool_customise");
  other.DestroyWindow();
}

TEST_F(CustomizeTest, SettingsGoToAndComeFromTheProfile) {
  mgr->LoadStateFromProfile("Missing");
  EXPECT_TRUE(mgr->IsToolTips());
  EXPECT_FALSE(mgr->IsCoolLook());
  EXPECT_FALSE(mgr->IsLargeButtons());
  mgr->SetToolTips(FALSE);
  mgr->SetCoolLook(TRUE);
  mgr->SaveStateToProfile("Saved");
  SECToolBarManager other(frame);
  other.LoadStateFromProfile("Saved");
  EXPECT_FALSE(other.IsToolTips());
  EXPECT_TRUE(other.IsCoolLook());
  EXPECT_FALSE(other.IsLargeButtons());
  for (SECCustomToolBar* bar : mgr->GetToolBars()) bar->SetManager(mgr);  // `other` attached them
}

TEST_F(CustomizeTest, TheButtonListTravelsThroughTheBarRecord) {
  SECCustomToolBar* bar = Bar(kBarId);
  SECControlBarInfo info;
  bar->GetBarInfoEx(&info);
  auto* ex = dynamic_cast<SECCustomToolBarInfoEx*>(info.m_pBarInfoEx);
  ASSERT_NE(ex, nullptr);
  EXPECT_STREQ(ex->m_strTitle, "Standard");
  ex->SaveStateToProfile("Layout-Bar0");
  SECCustomToolBarInfoEx loaded;
  ASSERT_TRUE(loaded.LoadStateFromProfile("Layout-Bar0", nullptr));
  EXPECT_STREQ(loaded.m_strTitle, "Standard");
  ASSERT_EQ(loaded.m_btnInfo.size(), 4u);
  loaded.m_btnInfo.erase(loaded.m_btnInfo.begin());
  loaded.m_strTitle = "Renamed";
  info.m_pBarInfoEx = new SECCustomToolBarInfoEx(loaded);
  delete ex;
  bar->SetBarInfoEx(&info, frame);
  EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdOpen, 0, kIdSave}));
  CString title;
  bar->GetWindowText(title);
  EXPECT_STREQ(title, "Renamed");
}

TEST_F(CustomizeTest, ASavedLayoutBringsBackABarsCustomisedButtons) {
  constexpr auto kProfile = "Layout";
  SECCustomToolBar* bar = Bar(kBarId);
  CRect frameRect;
  frame->GetWindowRect(&frameRect);
  CPoint at = Centre(bar, 3);
  bar->ClientToScreen(&at);
  DragBy(bar, 3, CSize(frameRect.right + 200 - at.x, frameRect.bottom + 100 - at.y));
  const std::vector<UINT> customised = Ids(bar);
  ASSERT_EQ(customised, (std::vector<UINT>{kIdNew, kIdOpen}));
  SECDockState saved(mgr);
  ASSERT_TRUE(saved.GetState(frame));
  saved.SaveStateToProfile(kProfile);

  ASSERT_TRUE(bar->LoadToolBar(kToolBarRes));  // back to the resource's buttons
  ASSERT_NE(Ids(bar), customised);
  SECDockState loaded(mgr);
  loaded.LoadStateFromProfile(kProfile);
  ASSERT_TRUE(loaded.SetState(frame));
  EXPECT_EQ(Ids(bar), customised);
}

TEST(ButtonsRecordTest, RoundTripsAndRefusesDamagedRecords) {
  const SECBtnInfoArray buttons = {{0xE100, {}}, {0, {}}, {0x12345678, {1, 2, 3}}};
  const std::vector<BYTE> blob = SECEncodeButtons(buttons);
  constexpr size_t kRecordHeader = 5;
  EXPECT_EQ(blob.size(), 3 * kRecordHeader + 3);
  SECBtnInfoArray back;
  ASSERT_TRUE(SECDecodeButtons(blob.data(), blob.size(), back));
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[2].nID, 0x12345678u);
  EXPECT_EQ(back[2].data, (std::vector<BYTE>{1, 2, 3}));
  struct Case {
    const char* name;
    size_t keep;
    size_t read;
  };
  const Case cases[] = {
      {"header cut", kRecordHeader + 2, 1},
      {"data cut", blob.size() - 1, 2},
      {"empty", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SECBtnInfoArray part;
    EXPECT_EQ(SECDecodeButtons(blob.data(), c.keep, part), c.keep == 0);
    EXPECT_EQ(part.size(), c.read);
  }
  std::vector<BYTE> many((kSECMaxSavedButtons + 1) * kRecordHeader, 0);
  SECBtnInfoArray capped;
  EXPECT_FALSE(SECDecodeButtons(many.data(), many.size(), capped));
  EXPECT_EQ(capped.size(), static_cast<size_t>(kSECMaxSavedButtons));
}
