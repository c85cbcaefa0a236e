// The framework's MDI frame: its dock bars and docking by style with the
// bars' hooks, menus by resource id and WM_SECGETMENU, the embedded frame
// taking commands first, the plug-in seeing messages first, the bar context
// menu, a failed MDI child for a bar, worksheets outside a workbook, the
// painted caption, and the document-template questions.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "framework/sec_doc_template_utils.h"
#include "framework/sec_frame_caption.h"
#include "framework/sec_mini_dock_frame_wnd.h"
#include "framework/sec_res.h"
#include "frames_fixture.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/menu.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace frames_test {
namespace {

// A frame window hosted inside the main frame that counts the commands it gets.
class Embedded : public CFrameWnd {
 public:
  int commands = 0;
  void OnFramesCommand() { ++commands; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Embedded, CFrameWnd)
ON_COMMAND(ID_FRAMES_COMMAND, OnFramesCommand)
END_MESSAGE_MAP()

// A plug-in that records the messages it is offered and can consume WM_CLOSE.
class ClosePlugIn : public SECWndPlugIn {
 public:
  int closes = 0;
  bool consume = false;
  void OnClose() {
    ++closes;
    m_bHandled = consume;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ClosePlugIn, SECWndPlugIn)
ON_WM_CLOSE()
END_MESSAGE_MAP()

// An MDI frame whose bar children cannot be made.
class NoChildFrame : public SECMDIFrameWnd {
 public:
  CMDIChildWnd* CreateControlBarMDIChild() override { return nullptr; }
};

using MDIFrameTest = WorkbookTest;

TEST_F(MDIFrameTest, EnableDockingMakesFourDockBarsOnce) {
  struct Row {
    UINT id;
    DWORD align;
  };
  const Row rows[] = {{AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
                      {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
                      {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
                      {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT}};
  CControlBar* before[4];
  for (int i = 0; i < 4; ++i) {
    CControlBar* dock = book->GetControlBar(rows[i].id);
    ASSERT_NE(dock, nullptr) << rows[i].id;
    EXPECT_TRUE(dock->IsKindOf(RUNTIME_CLASS(SECDockBar)));
    EXPECT_EQ(dock->m_dwStyle & CBRS_ALIGN_ANY, rows[i].align);
    before[i] = dock;
  }
  book->EnableDocking(CBRS_ALIGN_ANY);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(book->GetControlBar(rows[i].id), before[i]);
  EXPECT_EQ(book->m_pFloatingFrameClass, RUNTIME_CLASS(SECMiniDockFrameWnd));
}

TEST_F(MDIFrameTest, DockControlBarPicksTheDockBarByStyleBetweenTheHooks) {
  EXPECT_EQ(book->left.m_pDockBar, book->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(book->bottom.m_pDockBar, book->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
  EXPECT_EQ(book->floating.m_pDockBar, book->GetControlBar(AFX_IDW_DOCKBAR_TOP));
  HookBar bar;
  ASSERT_TRUE(bar.Create(book, "Hooks", WS_CHILD | WS_VISIBLE | CBRS_RIGHT, 0, IDW_FRAMES_BAR_FLOAT + 1));
  bar.EnableDocking(CBRS_ALIGN_RIGHT);
  book->DockControlBar(&bar);
  EXPECT_EQ(bar.m_pDockBar, book->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
  EXPECT_EQ(bar.hooks, "BD AD ");
  bar.hooks.clear();
  book->FloatControlBar(&bar, CPoint(200, 200));
  EXPECT_EQ(bar.hooks, "BF AF ");
  EXPECT_TRUE(bar.IsFloating());
  bar.hooks.clear();
  book->FloatControlBarInMDIChild(&bar, CPoint(-1, -1));
  EXPECT_EQ(bar.hooks, "BM AM ");
  bar.DestroyWindow();
}

TEST_F(MDIFrameTest, DockControlBarExCommitsTheShareAndLengthForItsSide) {
  book->DockControlBarEx(&book->floating, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.5f, 90);
  afx_test::Pump();
  EXPECT_EQ(book->floating.m_pDockBar, book->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM));
  EXPECT_FLOAT_EQ(book->floating.m_fPctWidth, 0.5f);
  EXPECT_EQ(book->floating.m_szHorzDock.cy, 90);
}

TEST_F(MDIFrameTest, RegisterMenusAndAskForThemByMessage) {
  EXPECT_TRUE(book->RegisterMenus(0));
  EXPECT_TRUE(book->RegisterMenus(2, IDR_FRAMES_EXTRA_ONE, IDR_FRAMES_EXTRA_TWO));
  struct Ask {
    UINT id;
    int index;
    bool found;
  };
  constexpr UINT kNobodysMenu = 999;
  const Ask asks[] = {{IDR_FRAMES_EXTRA_ONE, 0, true},
                      {IDR_FRAMES_EXTRA_TWO, 1, true},
                      {IDR_FRAMES_EXTRA_TWO, 5, false},
                      {kNobodysMenu, 0, false},
                      {IDR_FRAMES_SHEET, 1, true}};  // a document template's shared menu
  for (const Ask& a : asks) {
    const LRESULT menu = book->SendMessage(WM_SECGETMENU, a.id, a.index);
    EXPECT_EQ(menu != 0, a.found) << a.id << "/" << a.index;
  }
  const HMENU sheetMenu = reinterpret_cast<HMENU>(book->SendMessage(WM_SECGETMENU, IDR_FRAMES_SHEET, 1));
  EXPECT_EQ(::GetMenuItemID(sheetMenu, 0), static_cast<UINT>(ID_FRAMES_COMMAND));
  // A missing menu stops the list.
  EXPECT_FALSE(book->RegisterMenus(2, kNobodysMenu, IDR_FRAMES_EXTRA_ONE));
}

TEST_F(MDIFrameTest, EmbeddedFrameTakesCommandsFirst) {
  Sheet* sheet = OpenSheet("doc");
  auto* doc = static_cast<SheetDoc*>(sheet->GetActiveDocument());
  book->SendMessage(WM_COMMAND, ID_FRAMES_COMMAND);
  EXPECT_EQ(doc->commands, 1);

  auto* embedded = new Embedded;
  ASSERT_TRUE(embedded->Create(nullptr, "Embedded", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &book->left));
  book->SetActiveEmbeddedFrame(embedded);
  EXPECT_EQ(book->GetActiveFrame(), embedded);
  book->SendMessage(WM_COMMAND, ID_FRAMES_COMMAND);
  EXPECT_EQ(embedded->commands, 1);
  EXPECT_EQ(doc->commands, 1);

  book->DeactivateEmbeddedFrame(TRUE);
  EXPECT_EQ(book->GetActiveFrame(), sheet);
  book->SendMessage(WM_COMMAND, ID_FRAMES_COMMAND);
  EXPECT_EQ(doc->commands, 2);
  embedded->DestroyWindow();
}

TEST_F(MDIFrameTest, PlugInSeesMessagesFirstAndMayKeepTheFrameOpen) {
  auto* plugIn = new ClosePlugIn;
  book->SetPlugIn(plugIn);
  ASSERT_TRUE(plugIn->IsAttached());
  plugIn->consume = true;
  book->SendMessage(WM_CLOSE);
  afx_test::Pump();
  EXPECT_EQ(plugIn->closes, 1);
  EXPECT_TRUE(::IsWindow(book->m_hWnd));
  // Let through, the close sequence runs and the frame goes.
  plugIn->consume = false;
  const HWND frame = book->m_hWnd;
  book->SendMessage(WM_CLOSE);
  afx_test::Pump();
  EXPECT_FALSE(::IsWindow(frame));
  App().m_pMainWnd = nullptr;
}

TEST_F(MDIFrameTest, BarContextMenuForABarFloatingAsMDIChild) {
  book->FloatControlBarInMDIChild(&book->floating, CPoint(-1, -1));
  afx_test::Pump();
  for (CControlBar* bar :
       {static_cast<CControlBar*>(&book->floating), static_cast<CControlBar*>(&book->bottom)}) {
    const bool inChild = bar == &book->floating;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_SEC_ALLOWDOCKING, "Allow Docking");
    book->SendMessage(0x38FF, reinterpret_cast<WPARAM>(bar), reinterpret_cast<LPARAM>(&menu));
    EXPECT_EQ((::GetMenuState(menu, ID_SEC_ALLOWDOCKING, MF_BYCOMMAND) & MF_GRAYED) != 0, inChild);
    ASSERT_EQ(::GetMenuItemCount(menu), 3);
    EXPECT_EQ((::GetMenuState(menu, ID_SEC_MDIFLOAT, MF_BYCOMMAND) & MF_CHECKED) != 0, inChild);
    char text[64] = {};
    ::GetMenuString(menu, ID_SEC_MDIFLOAT, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, "Float In Main Window");
  }
}

TEST_F(MDIFrameTest, SecondBarFloatedWithoutPointLandsFurtherOn) {
  book->FloatControlBarInMDIChild(&book->floating, CPoint(-1, -1));
  book->FloatControlBarInMDIChild(&book->left, CPoint(-1, -1));
  afx_test::Pump();
  CRect placed;
  book->left.GetParentFrame()->GetWindowRect(&placed);
  ::ScreenToClient(book->m_hWndMDIClient, reinterpret_cast<POINT*>(&placed.left));
  EXPECT_EQ(placed.TopLeft(), CPoint(50, 53));
}

TEST_F(MDIFrameTest, FloatInMainWindowTogglesBetweenDockAndMDIChild) {
  CDockBar* left = book->left.m_pDockBar;
  ASSERT_EQ(left, book->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
  book->left.SendMessage(WM_COMMAND, ID_SEC_MDIFLOAT);
  afx_test::Pump();
  CFrameWnd* child = book->left.GetParentFrame();
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(child->IsKindOf(RUNTIME_CLASS(SECControlBarWorksheet)));
  book->left.SendMessage(WM_COMMAND, ID_SEC_MDIFLOAT);
  afx_test::Pump();
  EXPECT_EQ(book->left.m_pDockBar, left);
  EXPECT_EQ(book->left.GetParentFrame(), book);
}

TEST(MDIFrameAlone, BarStaysWhenItsMDIChildCannotBeMade) {
  ui_test::EnsureApp();
  auto* frame = new NoChildFrame;  // frames delete themselves with their window
  ASSERT_TRUE(frame->LoadFrame(IDR_FRAMES_MAIN));
  frame->EnableDocking(CBRS_ALIGN_ANY);
  HookBar bar;
  ASSERT_TRUE(
      bar.Create(frame, "Bar", WS_CHILD | WS_VISIBLE | CBRS_TOP, SECBAR_MDIFLOAT, IDW_FRAMES_BAR_LEFT));
  bar.EnableDocking(CBRS_ALIGN_ANY);
  frame->DockControlBar(&bar);
  CDockBar* dock = bar.m_pDockBar;
  frame->FloatControlBarInMDIChild(&bar, CPoint(-1, -1));
  EXPECT_EQ(bar.m_pDockBar, dock);
  EXPECT_EQ(bar.hooks, "BD AD BM AM ");
  frame->DestroyWindow();
}

TEST(MDIFrameAlone, WorksheetOutsideAWorkbookHasNoTab) {
  ui_test::EnsureApp();
  auto* frame = new SECMDIFrameWnd;
  ASSERT_TRUE(frame->LoadFrame(IDR_FRAMES_MAIN));
  auto* sheet = new SECWorksheet;
  ASSERT_TRUE(sheet->LoadFrame(IDR_FRAMES_SHEET, WS_CHILD | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, frame));
  EXPECT_EQ(sheet->GetWorkbook(), nullptr);
  EXPECT_EQ(sheet->m_nIndex, -1);
  sheet->MDIDestroy();
  frame->DestroyWindow();
}

// The caption painted into an image as the frame paints it on its border.
QImage CaptionImage(SECMDIFrameWnd* frame, CSize size) {
  CClientDC screen(frame);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, size.cx, size.cy);
  CBitmap* old = memory.SelectObject(&bitmap);
  frame->PaintCaption(&memory, size);
  QImage image(size.cx, size.cy, QImage::Format_RGB32);
  for (int y = 0; y < size.cy; ++y) {
    for (int x = 0; x < size.cx; ++x) {
      const COLORREF c = memory.GetPixel(x, y);
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  }
  memory.SelectObject(old);
  return image;
}

COLORREF At(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

TEST_F(MDIFrameTest, CustomCaptionPaintsGradientWhenActiveAndFlatWhenNot) {
  EXPECT_FALSE(book->EnableCustomCaption(TRUE));
  EXPECT_TRUE(book->IsCustomCaptionEnabled());
  book->SetWindowText("Frames - [board.h]");
  const CSize size(400, ::GetSystemMetrics(SM_CYSIZE));
  const int box = ::GetSystemMetrics(SM_CXSIZE);
  const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/pictures";
  QDir().mkpath(dir);

  book->SendMessage(WM_NCACTIVATE, TRUE);
  ASSERT_TRUE(book->IsCaptionActive());
  const QImage active = CaptionImage(book, size);
  active.save(dir + "/frames_caption_active.png");
  EXPECT_EQ(At(active, 0, 0), RGB(0, 0, 0));              // the icon's square
  EXPECT_EQ(At(active, box, size.cy - 1), RGB(0, 0, 0));  // the gradient's first band
  // The last band lies within one step of the caption colour.
  const COLORREF target = ::GetSysColor(COLOR_ACTIVECAPTION);
  const COLORREF last = At(active, size.cx - 1, size.cy - 1);
  EXPECT_LE(GetBValue(target) - GetBValue(last), GetBValue(target) / kSECCaptionBands + 1);
  EXPECT_GT(GetBValue(last), GetBValue(At(active, box + kSECCaptionBands, size.cy - 1)));

  book->SendMessage(WM_NCACTIVATE, FALSE);
  ASSERT_FALSE(book->IsCaptionActive());
  const QImage inactive = CaptionImage(book, size);
  inactive.save(dir + "/frames_caption_inactive.png");
  EXPECT_EQ(At(inactive, 0, 0), ::GetSysColor(COLOR_INACTIVECAPTION));
  EXPECT_EQ(At(inactive, size.cx - 1, size.cy - 1), ::GetSysColor(COLOR_INACTIVECAPTION));

  // White text lies in the active caption's text area.
  bool white = false;
  for (int x = box; x < size.cx && !white; ++x)
    for (int y = 0; y < size.cy && !white; ++y) white = At(active, x, y) == RGB(255, 255, 255);
  EXPECT_TRUE(white);
  EXPECT_TRUE(book->EnableCustomCaption(FALSE));
}

// ---- Document templates ----

TEST_F(MDIFrameTest, TemplatesWithTheSameClassesAreToldApartByResourceId) {
  Sheet* one = OpenSheet("one", App().sheets);
  Sheet* two = OpenSheet("two", App().sheetsTwo);
  SECDocTemplateUtils utils;
  EXPECT_EQ(utils.FindTemplate(one->GetActiveDocument(), one->GetActiveView(), one), App().sheets);
  EXPECT_EQ(utils.FindTemplate(two->GetActiveDocument(), two->GetActiveView(), two), App().sheetsTwo);
  EXPECT_EQ(utils.FindTemplate(nullptr, one->GetActiveView(), one), nullptr);
  EXPECT_EQ(utils.GetFrameResourceID(two), static_cast<UINT>(IDR_FRAMES_SHEET_TWO));
  EXPECT_EQ(utils.GetFrameResourceID(nullptr), 0u);
}

TEST_F(MDIFrameTest, TemplatesByFileTypeName) {
  SECDocTemplateUtils utils;
  constexpr auto kTypeName = "Sheet File";
  struct Case {
    int ordinal;
    CDocTemplate* expected;
  };
  const Case cases[] = {{0, App().sheets}, {1, App().sheetsTwo}, {5, App().sheetsTwo}};
  for (const Case& c : cases)
    EXPECT_EQ(utils.GetTemplateByName(kTypeName, c.ordinal), c.expected) << c.ordinal;
  EXPECT_EQ(utils.GetTemplateByName("No Such Type", 0), nullptr);
  EXPECT_EQ(utils.GetTemplateOrdinal(App().sheetsTwo, kTypeName), 1);
  EXPECT_EQ(utils.GetTemplateOrdinal(App().sheets, "No Such Type"), -1);
  EXPECT_EQ(utils.GetTemplateOrdinal(nullptr, kTypeName), -1);
}

TEST(DocTemplateUtils, SingleAnswersForEmptyAndOneButNotForMore) {
  SECDocTemplateUtils utils;
  CPtrList list;
  CDocTemplate* result = reinterpret_cast<CDocTemplate*>(&list);
  EXPECT_TRUE(utils.GetSingle(list, result));
  EXPECT_EQ(result, nullptr);
  int a = 0, b = 0;
  list.AddTail(&a);
  EXPECT_TRUE(utils.GetSingle(list, result));
  EXPECT_EQ(static_cast<void*>(result), &a);
  list.AddTail(&b);
  EXPECT_FALSE(utils.GetSingle(list, result));
  EXPECT_EQ(result, nullptr);
}

}  // namespace
}  // namespace frames_test
