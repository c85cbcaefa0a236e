#include "framework/sec_worksheet.h"

#include "framework/sec_workbook.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECWorksheet, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECWorksheet, SECMDIChildWnd)
ON_WM_SHOWWINDOW()
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECWorkbook* SECWorksheet::GetWorkbook() const {
  // A worksheet may sit in another MDI frame: it then has no tab.
  CMDIFrameWnd* frame = GetMDIFrame();
  return frame && frame->IsKindOf(RUNTIME_CLASS(SECWorkbook)) ? static_cast<SECWorkbook*>(frame) : nullptr;
}

BOOL SECWorksheet::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                             CCreateContext* pContext) {
  if (!SECMDIChildWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  SECWorkbook* book = GetWorkbook();
  if (book) book->AddSheet(this);
  if (!m_hIcon) {
    m_hIcon = static_cast<HICON>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nIDResource), IMAGE_ICON,
                                             kSECTabIconSize, kSECTabIconSize, 0));
  }
  if (book) book->InvalidateTab(this);
  return TRUE;
}

void SECWorksheet::OnUpdateFrameTitle(BOOL bAddToTitle) {
  SECMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
  if (SECWorkbook* book = GetWorkbook(); book && m_nIndex >= 0) book->InvalidateTab(this);
}

void SECWorksheet::OnUpdateFrameMenu(BOOL bActive, CWnd* pActivateWnd, HMENU hMenuAlt) {
  SECMDIChildWnd::OnUpdateFrameMenu(bActive, pActivateWnd, hMenuAlt);
  // In menu-bar mode no menu reaches the client, which still refreshes the tabs.
  CMDIFrameWnd* frame = m_bMenuBar && !m_hMenuShared ? GetMDIFrame() : nullptr;
  if (frame && frame->m_hWndMDIClient)
    ::SendMessage(frame->m_hWndMDIClient, WM_SEC_WORKBOOK_SETMENU, static_cast<WPARAM>(-1), -1);
}

void SECWorksheet::OnShowWindow(BOOL bShow, UINT nStatus) {
  SECMDIChildWnd::OnShowWindow(bShow, nStatus);
  if (SECWorkbook* book = GetWorkbook(); book && m_nIndex >= 0)
    book->InvalidateTab(this, SECTabExtent::kToEnd);
}

void SECWorksheet::OnDestroy() {
  if (SECWorkbook* book = GetWorkbook()) book->RemoveSheet(this);
  SECMDIChildWnd::OnDestroy();
  if (m_hIcon) {
    ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
  }
}

// ---- SECControlBarWorksheet ----

IMPLEMENT_DYNCREATE(SECControlBarWorksheet, SECWorksheet)

BEGIN_MESSAGE_MAP(SECControlBarWorksheet, SECWorksheet)
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_WINDOWPOSCHANGED()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECControlBarWorksheet::SECControlBarWorksheet() : m_wndDockBar(TRUE, TRUE) {
  m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL SECControlBarWorksheet::PreCreateWindow(CREATESTRUCT& cs) {
  if (!SECWorksheet::PreCreateWindow(cs)) return FALSE;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  return TRUE;
}

BOOL SECControlBarWorksheet::OnCreateClient(LPCREATESTRUCT, CCreateContext*) {
  // No layout of the main frame runs while the dock bar is made.
  CMDIFrameWnd* main = GetMDIFrame();
  const BOOL was = main ? main->m_bInRecalcLayout : FALSE;
  if (main) main->m_bInRecalcLayout = TRUE;
  const BOOL made = SECBarChildCreateDockBar(this, m_wndDockBar);
  if (main) main->m_bInRecalcLayout = was;
  return made;
}

void SECControlBarWorksheet::RecalcLayout(BOOL bNotify) {
  if (m_bInRecalcLayout) return;
  SECWorksheet::RecalcLayout(bNotify);
  SECBarChildSyncTitle(this, m_wndDockBar);
}

void SECControlBarWorksheet::OnUpdateFrameTitle(BOOL) {
  if (SECWorkbook* book = GetWorkbook(); book && m_nIndex >= 0) book->InvalidateTab(this);
}

void SECControlBarWorksheet::OnSize(UINT nType, int cx, int cy) {
  SECWorksheet::OnSize(nType, cx, cy);
  SECBarChildFitBar(this, m_wndDockBar, nType);
}

void SECControlBarWorksheet::OnClose() {
  if (SECBarChildIsMulti(m_wndDockBar) || !SECBarChildBar(m_wndDockBar)) {
    SECWorksheet::OnClose();
    return;
  }
  if (CMDIFrameWnd* main = GetMDIFrame()) ::SendMessage(main->m_hWndMDIClient, WM_MDINEXT, 0, 0);
  SECBarChildHideBar(this, m_wndDockBar);
}

void SECControlBarWorksheet::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
  SECWorksheet::OnWindowPosChanged(lpwndpos);
  SECBarChildStoreFloatPos(this, m_wndDockBar);
}

void SECControlBarWorksheet::OnShowWindow(BOOL bShow, UINT nStatus) {
  SECWorksheet::OnShowWindow(bShow, nStatus);
  SECBarChildRefreshMenu(this);
}
