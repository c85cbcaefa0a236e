#include "platform/afx/preview.h"

#include "platform/afx/afxstrings.h"
#include "platform/afx/cmdui.h"
#include "platform/afx/framewnd.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/print.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(CPreviewView, CView)

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_WM_KEYDOWN()
ON_WM_ERASEBKGND()
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
END_MESSAGE_MAP()

namespace {
// A frame closed while it previews closes the preview first.
void ClosePreviewOf(CFrameWnd* frame) {
  CView* view = frame->GetActiveView();
  if (view && view->IsKindOf(RUNTIME_CLASS(CPreviewView))) static_cast<CPreviewView*>(view)->OnPreviewClose();
  frame->m_lpfnCloseProc = nullptr;
}
}  // namespace

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView() {
  if (m_pPreviewInfo) {
    if (m_pPreviewInfo->m_hDC) ::DeleteDC(m_pPreviewInfo->m_hDC);
    delete m_pPreviewInfo;
  }
}

BOOL CPreviewView::SetPrintView(CView* pPrintView) {
  m_pPrintView = pPrintView;
  m_pPreviewInfo = new CPrintInfo;
  m_pPreviewInfo->m_bPreview = TRUE;
  if (!pPrintView->OnPreparePrinting(m_pPreviewInfo)) return FALSE;
  // The layer's printer gives the page's proportions and resolution.
  mirt_ui::PrinterSetup setup;
  m_pPreviewInfo->m_hDC = mirt_ui::CreatePrinterDC(setup);
  if (!m_pPreviewInfo->m_hDC) return FALSE;
  CDC dc;
  dc.Attach(m_pPreviewInfo->m_hDC);
  pPrintView->OnBeginPrinting(&dc, m_pPreviewInfo);
  dc.Detach();
  m_nCurrentPage = m_pPreviewInfo->GetMinPage();
  ShowPageText();
  return TRUE;
}

BOOL CPreviewView::PageExists(UINT nPage) {
  if (!m_pPreviewInfo || nPage < m_pPreviewInfo->GetMinPage() || nPage > m_pPreviewInfo->GetMaxPage())
    return FALSE;
  // Without a page count the printed view says where it ends.
  CPrintInfo probe = *m_pPreviewInfo;
  probe.m_nCurPage = nPage;
  probe.m_bContinuePrinting = TRUE;
  if (probe.GetMaxPage() == 0xFFFF) return nPage == 1;
  return TRUE;
}

void CPreviewView::RenderPage(CDC* pDC, UINT nPage, const CRect& rect) {
  HDC printer = m_pPreviewInfo->m_hDC;
  int pw = ::GetDeviceCaps(printer, HORZRES), ph = ::GetDeviceCaps(printer, VERTRES);
  CDC mem;
  mem.CreateCompatibleDC(pDC);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
  CBitmap* old = mem.SelectObject(&bitmap);
  mem.FillSolidRect(0, 0, rect.Width(), rect.Height(), RGB(255, 255, 255));
  mem.SetMapMode(MM_ANISOTROPIC);
  mem.SetWindowExt(pw, ph);
  mem.SetViewportExt(rect.Width(), rect.Height());
  m_pPreviewInfo->m_nCurPage = nPage;
  m_pPreviewInfo->m_rectDraw.SetRect(0, 0, pw, ph);
  m_pPrintView->OnPrepareDC(&mem, m_pPreviewInfo);
  m_pPrintView->OnPrint(&mem, m_pPreviewInfo);
  mem.SetMapMode(MM_TEXT);
  pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
}

void CPreviewView::OnDraw(CDC* pDC) {
  if (!m_pPreviewInfo || !m_pPrintView) return;
  CRect client;
  GetClientRect(&client);
  pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
  int pw = ::GetDeviceCaps(m_pPreviewInfo->m_hDC, HORZRES),
      ph = ::GetDeviceCaps(m_pPreviewInfo->m_hDC, VERTRES);
  if (pw <= 0 || ph <= 0) return;
  // The page fits the window with a margin, in the printer's proportions.
  int margin = 8;
  int w = client.Width() - 2 * margin, h = client.Height() - 2 * margin;
  if (w <= 0 || h <= 0) return;
  if (static_cast<long long>(w) * ph > static_cast<long long>(h) * pw)
    w = static_cast<int>(static_cast<long long>(h) * pw / ph);
  else
    h = static_cast<int>(static_cast<long long>(w) * ph / pw);
  CRect page(CPoint((client.Width() - w) / 2, (client.Height() - h) / 2), CSize(w, h));
  pDC->FillSolidRect(page.left + 3, page.top + 3, w, h, RGB(0, 0, 0));  // shadow
  RenderPage(pDC, m_nCurrentPage, page);
  pDC->Draw3dRect(&page, RGB(0, 0, 0), RGB(0, 0, 0));
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

void CPreviewView::ShowPageText() {
  CString text;
  text.Format("Page %u", m_nCurrentPage);
  m_pPreviewInfo->m_strPageDesc = text;
  if (CFrameWnd* frame = m_pFrame ? m_pFrame : GetParentFrame()) frame->SetMessageText(text);
}

void CPreviewView::SetCurrentPage(UINT nPage) {
  if (!PageExists(nPage)) return;
  m_nCurrentPage = nPage;
  ShowPageText();
  Invalidate();
}

void CPreviewView::OnNextPage() { SetCurrentPage(m_nCurrentPage + 1); }
void CPreviewView::OnPrevPage() {
  if (m_nCurrentPage > 1) SetCurrentPage(m_nCurrentPage - 1);
}
void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI) { pCmdUI->Enable(PageExists(m_nCurrentPage + 1)); }
void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI) {
  pCmdUI->Enable(m_nCurrentPage > 1 && PageExists(m_nCurrentPage - 1));
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_NEXT:
      OnNextPage();
      break;
    case VK_PRIOR:
      OnPrevPage();
      break;
    case VK_ESCAPE:
      OnPreviewClose();
      break;
    default:
      CView::OnKeyDown(nChar, nRepCnt, nFlags);
  }
}

void CPreviewView::OnPreviewPrint() {
  CView* view = m_pPrintView;
  OnPreviewClose();
  if (view) view->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnPreviewClose() {
  if (m_bClosed) return;
  m_bClosed = TRUE;
  CFrameWnd* frame = m_pFrame ? m_pFrame : GetParentFrame();
  if (frame) frame->m_lpfnCloseProc = nullptr;
  if (m_pPrintView && m_pPreviewInfo) {
    CDC dc;
    dc.Attach(m_pPreviewInfo->m_hDC);
    m_pPrintView->OnEndPrintPreview(&dc, m_pPreviewInfo, CPoint(0, 0), this);
    dc.Detach();
  }
  // The printed view takes its place back; this view goes once its command has returned.
  SetDlgCtrlID(AFX_IDW_PANE_SAVE);
  ShowWindow(SW_HIDE);
  if (m_pPrintView && m_pPrintView->m_hWnd) {
    m_pPrintView->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
    m_pPrintView->ShowWindow(SW_SHOW);
  }
  if (frame) {
    frame->OnSetPreviewMode(FALSE, nullptr);
    frame->SetActiveView(m_pPrintView);
    frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    frame->RecalcLayout();
  }
  PostMessage(WM_CLOSE);
}

// ---- CView's part ----

BOOL CView::DoPrintPreview(UINT, CView* pPrintView, CRuntimeClass* pPreviewViewClass, void* pState) {
  CFrameWnd* frame = pPrintView ? pPrintView->GetParentFrame() : nullptr;
  if (!frame || !pPreviewViewClass) return FALSE;
  auto* preview = static_cast<CPreviewView*>(pPreviewViewClass->CreateObject());
  if (!preview) return FALSE;
  preview->m_pFrame = frame;
  if (!preview->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW & ~WS_VISIBLE, CRect(0, 0, 0, 0), frame,
                       AFX_IDW_PANE_SAVE, nullptr))
    return FALSE;
  if (!preview->SetPrintView(pPrintView)) {
    preview->DestroyWindow();
    return FALSE;
  }
  pPrintView->SetDlgCtrlID(AFX_IDW_PANE_SAVE + 1);
  pPrintView->ShowWindow(SW_HIDE);
  preview->SetDlgCtrlID(AFX_IDW_PANE_FIRST);
  preview->ShowWindow(SW_SHOW);
  frame->OnSetPreviewMode(TRUE, pState);
  frame->SetActiveView(preview);
  frame->m_lpfnCloseProc = reinterpret_cast<void*>(&ClosePreviewOf);
  frame->RecalcLayout();
  preview->SetFocus();
  return TRUE;
}

void CView::OnFilePrintPreview() { DoPrintPreview(0, this, RUNTIME_CLASS(CPreviewView), nullptr); }

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CView*) { OnEndPrinting(pDC, pInfo); }
