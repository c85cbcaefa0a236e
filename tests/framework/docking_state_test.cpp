// Saved bar layouts: the profile, setting-tree and archive forms, bars made
// again from their class name, screen scaling, id-list cleaning, damaged
// layouts; and the dialog bar.
#include <gtest/gtest.h>

#include <functional>

#include "docking_fixture.h"
#include "framework/sec_dialog_bar.h"
#include "framework/sec_dock_state.h"
#include "framework/sec_persistent_tree_node.h"
#include "framework/sec_ptn_factory.h"
#include "platform/afx/archive.h"
#include "platform/sys/cfile.h"
#include "platform/sys/profile.h"
#include "tests/support/test_support.h"

using afx_test::Pump;

namespace dock_test {
namespace {

constexpr UINT kTemplate = 100;

plat::Profile& Prof() { return plat::Profile::App(); }

// Top: bar 0 (0.3) and bar 1 (0.7) in one row; left: bar 2; bar 3 floating.
void Arrange(DockingTest& t, DockFrame* frame, SECDockBar* top, SECDockBar* left) {
  frame->DockControlBar(&frame->bars[0], top);
  frame->RecalcLayout();
  CRect target;
  frame->bars[0].GetWindowRect(&target);
  target.OffsetRect(target.Width() / 2 + 1, 0);
  frame->DockControlBar(&frame->bars[1], top, &target);
  frame->bars[0].m_fPctWidth = 0.3f;
  frame->bars[1].m_fPctWidth = 0.7f;
  frame->DockControlBar(&frame->bars[2], left);
  frame->DockControlBar(&frame->bars[4], left);
  frame->FloatControlBar(&frame->bars[3], CPoint(300, 300));
  frame->RecalcLayout();
  Pump();
}

class DockingStateTest : public DockingTest {
 protected:
  void Check() {
    Layout();
    SECDockBar* top = Dock(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(Bar(0).m_pDockBar, top);
    EXPECT_EQ(Bar(1).m_pDockBar, top);
    EXPECT_EQ(In(&Bar(0)).top, In(&Bar(1)).top);
    EXPECT_NEAR(Bar(0).m_fPctWidth, 0.3, 1e-3);
    EXPECT_EQ(Bar(2).m_pDockBar, Dock(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_TRUE(Bar(3).IsFloating());
    EXPECT_TRUE(Bar(3).IsWindowVisible());
  }
  // Moves every bar somewhere else.
  void Scramble() {
    for (int i = 0; i < kBars; ++i) frame->DockControlBar(&Bar(i), AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    ASSERT_FALSE(Bar(3).IsFloating());
  }
};

TEST_F(DockingStateTest, LayoutComesBackThroughEachForm) {
  const std::string dir = mirt_test::MakeTempDir("layout");
  struct Form {
    const char* name;
    std::function<void(SECDockState&)> save, load;
  };
  auto factory = std::make_shared<SECPTNFactory>();
  SECPersistentTreeNode* root = factory->CreateNode("Root", nullptr);
  const std::string archive = dir + "/layout.bin";
  const Form forms[] = {
      {"profile", [](SECDockState& s) { s.SaveStateToProfile("Layout"); },
       [](SECDockState& s) { s.LoadStateFromProfile("Layout"); }},
      {"tree", [&](SECDockState& s) { EXPECT_TRUE(s.SaveStateToTree(*factory, root)); },
       [&](SECDockState& s) { EXPECT_TRUE(s.LoadStateFromTree(root)); }},
      {"archive",
       [&](SECDockState& s) {
         CFile f(archive.c_str(), CFile::modeCreate | CFile::modeWrite);
         CArchive ar(&f, CArchive::store);
         s.Serialize(ar);
         ar.Close();
       },
       [&](SECDockState& s) {
         CFile f(archive.c_str(), CFile::modeRead);
         CArchive ar(&f, CArchive::load);
         s.Serialize(ar);
       }},
  };
  for (const Form& form : forms) {
    SCOPED_TRACE(form.name);
    Arrange(*this, frame, Dock(AFX_IDW_DOCKBAR_TOP), Dock(AFX_IDW_DOCKBAR_LEFT));
    Check();
    {
      SECDockState state;
      ASSERT_TRUE(state.GetState(frame));
      state.CleanBarIDLists();
      form.save(state);
    }
    Scramble();
    SECDockState state;
    form.load(state);
    ASSERT_TRUE(state.SetState(frame));
    Check();
  }
  Picture(frame, "restored_layout");
}

TEST_F(DockingStateTest, ProfileHoldsOneSectionPerSavedRecordAndSkipsEmptyDockBars) {
  frame->DockControlBar(&Bar(0), AFX_IDW_DOCKBAR_TOP);
  Layout();
  SECDockState state;
  state.GetState(frame);
  state.SaveStateToProfile("Count");
  // Five bars and the top dock bar; the three empty dock bars are not saved.
  constexpr int kSaved = kBars + 1;
  EXPECT_EQ(static_cast<int>(Prof().GetProfileInt("Count-Summary", "Bars", -1)), kSaved);
  auto section = [](int i) {
    CString s;
    s.Format("Count-Bar%d", i);
    return s;
  };
  for (int i = 0; i < kSaved; ++i) EXPECT_NE(Prof().GetProfileInt(section(i), "BarID", 0), 0u) << i;
  EXPECT_EQ(Prof().GetProfileInt(section(kSaved), "BarID", 0), 0u);
}

TEST_F(DockingStateTest, ShareIsKeptAsMillionthsAndNegativeValuesReadAsZero) {
  struct Case {
    const char* stored;
    int cx;
    double share;
    int wantCx;
  } cases[] = {{"500000", 120, 0.5, 120}, {"-3", -40, 0.0, 0}};
  for (const Case& c : cases) {
    Prof().WriteProfileInt("Share-Summary", "Bars", 1);
    Prof().WriteProfileInt("Share-Bar0", "BarID", kFirstBarId);
    Prof().WriteProfileString("Share-Bar0", "PctWidth", c.stored);
    Prof().WriteProfileInt("Share-Bar0", "MRUFloatCX", c.cx);
    SECDockState state;
    state.LoadStateFromProfile("Share");
    ASSERT_EQ(state.RecordCount(), 1);
    EXPECT_DOUBLE_EQ(state.Record(0)->m_dblPctWidth, c.share);
    EXPECT_EQ(state.Record(0)->m_szMRUFloat.cx, c.wantCx);
  }
  SECControlBarInfo info;
  info.m_nBarID = kFirstBarId;
  info.m_dblPctWidth = 0.5;
  info.SaveStateToProfile("Share", 0);
  EXPECT_EQ(Prof().GetProfileString("Share-Bar0", "PctWidth", ""), "500000");
}

TEST_F(DockingStateTest, MissingBarsAreMadeFromRegisteredBarClassesOnly) {
  struct Case {
    const char* className;
    bool made;
  } cases[] = {
      {"SECControlBar", true}, {"SECDockState", false}, {"CFrameWnd", false}, {"NoSuchClass", false}};
  constexpr UINT kNewId = kFirstBarId + 40;
  for (const Case& c : cases) {
    SECDockState state;
    CPtrList created;
    state.m_pCreatedBars = &created;
    SECControlBarInfo* info = state.CreateBarInfo(nullptr);
    info->m_nBarID = kNewId;
    info->m_strClassName = c.className;
    info->m_strWindowName = "Memory";
    info->m_dwStyle = WS_VISIBLE | CBRS_TOP;
    info->m_szMRUHorzDock = CSize(150, 60);
    state.m_arrBarInfo.Add(info);
    state.SetState(frame);
    CControlBar* bar = frame->GetControlBar(kNewId);
    EXPECT_EQ(bar != nullptr, c.made) << c.className;
    EXPECT_EQ(created.GetCount(), c.made ? 1 : 0) << c.className;
    if (bar) {
      CString title;
      bar->GetWindowText(title);
      EXPECT_EQ(title, "Memory");
      EXPECT_TRUE(bar->IsKindOf(RUNTIME_CLASS(SECControlBar)));
      bar->DestroyWindow();
    }
  }
}

TEST_F(DockingStateTest, PositionsAreScaledToTheScreenOfTheLoad) {
  const CSize screen = CDockState().GetScreenSize();
  Prof().WriteProfileInt("Scaled-Summary", "Bars", 1);
  Prof().WriteProfileInt("Scaled-Summary", "ScreenCX", screen.cx / 2);
  Prof().WriteProfileInt("Scaled-Summary", "ScreenCY", screen.cy / 2);
  Prof().WriteProfileInt("Scaled-Bar0", "BarID", kFirstBarId);
  Prof().WriteProfileInt("Scaled-Bar0", "XPos", 100);
  Prof().WriteProfileInt("Scaled-Bar0", "YPos", 50);
  Prof().WriteProfileInt("Scaled-Bar0", "Docking", 1);
  Prof().WriteProfileInt("Scaled-Bar0", "MRUDockLeftPos", 10);
  Prof().WriteProfileInt("Scaled-Bar0", "MRUDockRightPos", 30);
  SECDockState state;
  state.LoadStateFromProfile("Scaled");
  ASSERT_EQ(state.RecordCount(), 1);
  EXPECT_NEAR(state.Record(0)->m_pointPos.x, 200, 2);
  EXPECT_NEAR(state.Record(0)->m_pointPos.y, 100, 2);
  EXPECT_NEAR(state.Record(0)->m_rectMRUDockPos.left, 20, 1);
  EXPECT_EQ(state.Record(0)->m_rectMRUDockPos.Width(), 20);  // sizes stay

  // No saved screen size: nothing is scaled (and nothing divides by zero).
  Prof().WriteProfileInt("Scaled-Summary", "ScreenCX", 0);
  Prof().WriteProfileInt("Scaled-Summary", "ScreenCY", 0);
  state.LoadStateFromProfile("Scaled");
  EXPECT_EQ(state.Record(0)->m_pointPos, CPoint(100, 50));
}

TEST_F(DockingStateTest, CleaningDropsRepeatedIdsAndEndsTheListWithOneZero) {
  SECDockState state;
  SECControlBarInfo* info = state.CreateBarInfo(nullptr);
  for (UINT_PTR id : {5, 0, 5, 7, 0, 0}) info->m_arrBarID.Add(reinterpret_cast<void*>(id));
  state.m_arrBarInfo.Add(info);
  state.CleanBarIDLists();
  std::vector<UINT_PTR> ids;
  for (int i = 0; i < info->m_arrBarID.GetSize(); ++i)
    ids.push_back(reinterpret_cast<UINT_PTR>(info->m_arrBarID[i]));
  EXPECT_EQ(ids, (std::vector<UINT_PTR>{5, 0, 0, 7, 0}));
}

TEST_F(DockingStateTest, DamagedLayoutsAreReadWithinLimits) {
  Prof().WriteProfileInt("Damaged-Summary", "Bars", 1 << 30);
  SECDockState state;
  state.LoadStateFromProfile("Damaged");
  EXPECT_LE(state.RecordCount(), kSECMaxSavedBars);
  // A cut archive ends with an archive exception, not a crash.
  const std::string path =
      mirt_test::WriteFile(mirt_test::MakeTempDir("cut") + "/cut.bin", std::string("\x02\0\0\0", 4));
  CFile f(path.c_str(), CFile::modeRead);
  CArchive ar(&f, CArchive::load);
  bool thrown = false;
  try {
    state.Serialize(ar);
  } catch (CArchiveException* e) {
    thrown = e->m_cause == CArchiveException::endOfFile;
    delete e;
  }
  EXPECT_TRUE(thrown);
}

TEST_F(DockingStateTest, DialogBarKeepsTheTemplateSizeAndItsControlsProportions) {
  SECDialogBar bar;
  ASSERT_TRUE(bar.Create(frame, kTemplate, WS_CHILD | CBRS_TOP, 0, kFirstBarId + 20));
  EXPECT_FALSE(bar.IsWindowVisible());
  EXPECT_EQ(afx_test::RectIn(&bar, frame).TopLeft(), CPoint(0, 0));
  const CSize size = bar.m_sizeDefault;
  ASSERT_GT(size.cx, 0);
  EXPECT_EQ(bar.m_szHorzDock, size);
  EXPECT_EQ(bar.m_szVertDock, size);
  EXPECT_EQ(bar.m_szFloat, size);
  CWnd* edit = bar.GetDlgItem(1001);
  ASSERT_NE(edit, nullptr);
  CRect before = afx_test::RectIn(edit, &bar);
  bar.SetWindowPos(nullptr, 0, 0, size.cx * 2, size.cy * 2, SWP_NOZORDER | SWP_NOACTIVATE);
  CRect after = afx_test::RectIn(edit, &bar);
  EXPECT_NEAR(after.left, before.left * 2, 1);
  EXPECT_NEAR(after.Width(), before.Width() * 2, 2);
  SECControlBarInfo info;
  bar.GetBarInfo(&info);
  EXPECT_EQ(info.m_nResourceID, kTemplate);
  EXPECT_EQ(info.m_strClassName, "SECDialogBar");
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
  frame->ShowControlBar(&bar, TRUE, FALSE);
  Layout();
  Picture(frame, "dialog_bar");
}

}  // namespace
}  // namespace dock_test
