#include "platform/afx/view.h"

#include "platform/afx/document.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/printinfo.h"
#include "platform/ui/cdc.h"
#include "platform/ui/print.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_PAINT()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMsg)
ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, OnFilePrintPreview)
END_MESSAGE_MAP()

namespace afx {
namespace {
// Without a print dialog the job goes to the layer's printer: a PDF file.
BOOL PrintToPdf(CPrintInfo* pInfo) {
  mirt_ui::PrinterSetup setup;
  setup.output = static_cast<LPCSTR>(pInfo->m_strOutputFile);
  pInfo->m_hDC = mirt_ui::CreatePrinterDC(setup);
  return pInfo->m_hDC != nullptr;
}
int DocStart(HDC dc, LPCSTR name, LPCSTR output) {
  DOCINFO doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = name;
  doc.lpszOutput = output;
  return ::StartDoc(dc, &doc);
}
PrintDialogHandler g_printDialog = PrintToPdf;
}  // namespace
PrintJobOps g_printJob{DocStart, ::StartPage, ::EndPage, ::EndDoc, ::AbortDoc};
void SetPrintDialogHandler(PrintDialogHandler handler) { g_printDialog = handler; }
void SetPrintJobOps(const PrintJobOps& ops) { g_printJob = ops; }
const PrintJobOps& GetPrintJobOps() { return g_printJob; }
PrintDialogHandler GetPrintDialogHandler() { return g_printDialog; }
}  // namespace afx

CView::CView() = default;

CView::~CView() {
  if (m_pDocument) m_pDocument->RemoveView(this);
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));
  return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpcs) {
  if (CWnd::OnCreate(lpcs) == -1) return -1;
  auto* context = static_cast<CCreateContext*>(lpcs->lpCreateParams);
  if (context && context->m_pCurrentDoc) context->m_pCurrentDoc->AddView(this);
  return 0;
}

void CView::OnDestroy() {
  CFrameWnd* frame = GetParentFrame();
  if (frame && frame->GetActiveView() == this) frame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

void CView::PostNcDestroy() {
  if (m_pDocument) m_pDocument->RemoveView(this);
  delete this;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnPrepareDC(&dc);
  OnDraw(&dc);
}

void CView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo) {
  // Without a known page count, printing stops after the first page.
  if (pInfo && pInfo->GetMaxPage() == 0xFFFF) pInfo->m_bContinuePrinting = pInfo->m_nCurPage == 1;
  (void)pDC;
}

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

LRESULT CView::OnInitialUpdateMsg(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*) {
  if (pSender != this) Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*) {
  if (bActivate && pActivateView == this && m_hWnd) {
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() == this && ::GetFocus() != m_hWnd) SetFocus();
  }
}

void CView::OnActivateFrame(UINT, CFrameWnd*) {}

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int result = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (result == MA_NOACTIVATE || result == MA_NOACTIVATEANDEAT) return result;
  CFrameWnd* frame = GetParentFrame();
  if (frame) {
    frame->SetActiveView(this);
    if (::GetFocus() != m_hWnd) SetFocus();
  }
  return result;
}

// ---- Drop target ----

DROPEFFECT CView::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT CView::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void CView::OnDragLeave() {}
BOOL CView::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }

// ---- Printing ----

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
  if (pInfo->m_bPreview) return TRUE;
  afx::PrintDialogHandler dialog = afx::GetPrintDialogHandler();
  if (!dialog) return FALSE;
  return dialog(pInfo) && pInfo->m_hDC;
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}
void CView::OnPrint(CDC* pDC, CPrintInfo*) { OnDraw(pDC); }
void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnFilePrint() {
  CPrintInfo info;
  info.m_bDirect = GetCurrentMessage() && LOWORD(GetCurrentMessage()->wParam) == ID_FILE_PRINT_DIRECT;
  const afx::PrintJobOps& job = afx::GetPrintJobOps();
  if (!job.startDoc || !OnPreparePrinting(&info) || !info.m_hDC) return;
  CDC dc;
  dc.Attach(info.m_hDC);
  CString title = m_pDocument ? m_pDocument->GetTitle() : CString();
  OnBeginPrinting(&dc, &info);
  BOOL error =
      job.startDoc(info.m_hDC, title,
                   info.m_strOutputFile.IsEmpty() ? nullptr : static_cast<LPCSTR>(info.m_strOutputFile)) <= 0;
  for (UINT page = info.GetFromPage(); !error && page <= info.GetToPage(); ++page) {
    info.m_nCurPage = page;
    OnPrepareDC(&dc, &info);
    if (!info.m_bContinuePrinting) break;
    if (job.startPage(info.m_hDC) <= 0) {
      error = TRUE;
      break;
    }
    info.m_rectDraw.SetRect(0, 0, ::GetDeviceCaps(info.m_hDC, HORZRES), ::GetDeviceCaps(info.m_hDC, VERTRES));
    OnPrint(&dc, &info);
    if (job.endPage(info.m_hDC) <= 0) error = TRUE;
  }
  if (error) {
    if (job.abortDoc) job.abortDoc(info.m_hDC);
  } else {
    job.endDoc(info.m_hDC);
  }
  OnEndPrinting(&dc, &info);
  dc.Detach();
  ::DeleteDC(info.m_hDC);
}
