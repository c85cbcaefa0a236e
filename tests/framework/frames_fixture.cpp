#include "frames_fixture.h"

#include <QDir>
#include <QImage>

#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace frames_test {

IMPLEMENT_DYNCREATE(SheetDoc, CDocument)
BEGIN_MESSAGE_MAP(SheetDoc, CDocument)
ON_COMMAND(ID_FRAMES_COMMAND, OnFramesCommand)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(SheetView, CView)
IMPLEMENT_DYNCREATE(Sheet, SECWorksheet)
IMPLEMENT_DYNCREATE(Book, SECWorkbook)

BEGIN_MESSAGE_MAP(Book, SECWorkbook)
ON_WM_CREATE()
ON_MESSAGE(WM_SEC_WORKBOOK_REFRESH, OnRefreshTabs)
END_MESSAGE_MAP()

int Book::OnCreate(LPCREATESTRUCT lpcs) {
  if (SECWorkbook::OnCreate(lpcs) == -1) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  const struct {
    SECControlBar* bar;
    const char* title;
    UINT id;
    DWORD dock;
  } bars[] = {
      {&left, "Project", IDW_FRAMES_BAR_LEFT, CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT},
      {&bottom, "Output", IDW_FRAMES_BAR_BOTTOM, CBRS_ALIGN_BOTTOM},
      {&floating, "Watch", IDW_FRAMES_BAR_FLOAT, CBRS_ALIGN_ANY},
  };
  for (const auto& b : bars) {
    if (!b.bar->Create(this, b.title, WS_CHILD | WS_VISIBLE | CBRS_TOP, SECBAR_CONTEXTMENU | SECBAR_MDIFLOAT,
                       b.id))
      return -1;
    b.bar->m_szHorzDock = CSize(200, 60);
    b.bar->m_szVertDock = CSize(110, 200);
    b.bar->EnableDocking(b.dock);
  }
  DockControlBar(&left);
  DockControlBar(&bottom);
  DockControlBar(&floating, AFX_IDW_DOCKBAR_TOP);
  return 0;
}

FramesApp& App() {
  static FramesApp* app = new FramesApp;
  return *app;
}

void WorkbookTest::SetUp() {
  ui_test::EnsureApp();
  FramesApp& app = App();
  app.sheets = new CMultiDocTemplate(IDR_FRAMES_SHEET, RUNTIME_CLASS(SheetDoc), RUNTIME_CLASS(Sheet),
                                     RUNTIME_CLASS(SheetView));
  app.sheetsTwo = new CMultiDocTemplate(IDR_FRAMES_SHEET_TWO, RUNTIME_CLASS(SheetDoc), RUNTIME_CLASS(Sheet),
                                        RUNTIME_CLASS(SheetView));
  app.AddDocTemplate(app.sheets);
  app.AddDocTemplate(app.sheetsTwo);
  book = new Book;
  BeforeLoad();
  ASSERT_TRUE(book->LoadFrame(IDR_FRAMES_MAIN));
  app.m_pMainWnd = book;
  book->MoveWindow(0, 0, 720, 520);
  book->ShowWindow(SW_SHOW);
  book->SetWorkbookMode(TRUE);
  afx_test::Pump();
}

void WorkbookTest::TearDown() {
  FramesApp& app = App();
  if (app.m_pMainWnd) {
    app.CloseAllDocuments(TRUE);
    app.m_pMainWnd->DestroyWindow();
  }
  app.m_pMainWnd = nullptr;
  afx_test::Pump();
  delete app.m_pDocManager;
  app.m_pDocManager = nullptr;
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
}

Sheet* WorkbookTest::OpenSheet(const char* title, CMultiDocTemplate* tmpl) {
  CDocument* doc = (tmpl ? tmpl : App().sheets)->OpenDocumentFile(nullptr);
  if (!doc) return nullptr;
  doc->SetTitle(title);
  afx_test::Pump();
  POSITION pos = doc->GetFirstViewPosition();
  CView* view = doc->GetNextView(pos);
  return static_cast<Sheet*>(view->GetParentFrame());
}

CPoint WorkbookTest::TabPoint(SECWorksheet* sheet) {
  POINT* points = nullptr;
  int count = 0;
  book->GetTabPolygon(sheet, points, count);
  // Midway along the tab, a little below its top edge.
  CPoint at((points[0].x + points[5].x) / 2, points[0].y + 8);
  delete[] points;
  return at;
}

void WorkbookTest::Click(CPoint point) {
  book->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  book->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  afx_test::Pump();
}

void WorkbookTest::Picture(HWND wnd, const std::string& name) {
  QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/pictures";
  QDir().mkpath(dir);
  ui_test::Picture(wnd).save(dir + "/frames_" + QString::fromStdString(name) + ".png");
}

}  // namespace frames_test
