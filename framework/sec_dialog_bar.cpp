#include "framework/sec_dialog_bar.h"

#include "framework/sec_control_bar_info.h"
#include "platform/ui/dialog.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECDialogBar, SECControlBar)

SECDialogBar::~SECDialogBar() {
  if (m_hWnd) DestroyWindow();
}

BOOL SECDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, DWORD dwStyle, DWORD dwExStyle,
                          UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  m_dwExStyle = dwExStyle;
  if (lpszTemplateName && !IS_INTRESOURCE(lpszTemplateName)) {
    m_strTemplateName = lpszTemplateName;
    m_lpszTemplateName = m_strTemplateName;
  } else {
    m_lpszTemplateName = lpszTemplateName;
  }
  DialogTemplate t;
  HINSTANCE inst = AfxGetResourceHandle();
  if (!LoadDialogTemplate(inst, lpszTemplateName, &t)) return FALSE;
  const LONG units = ::GetDialogBaseUnits();
  m_sizeDefault = CSize(::MulDiv(t.cx, LOWORD(units), 4), ::MulDiv(t.cy, HIWORD(units), 8));
  // The bar's window holds the template's controls; it is not shown until placed.
  const DWORD style = ((dwStyle & ~(CBRS_ALL | WS_VISIBLE | WS_CAPTION)) | WS_CHILD | WS_CLIPSIBLINGS);
  if (!SECControlBar::CreateEx(nullptr, nullptr, nID, style | (dwStyle & CBRS_ALL), dwExStyle,
                               CRect(CPoint(0, 0), m_sizeDefault), pParentWnd))
    return FALSE;
  if (!mirt_ui::CreateDialogControls(inst, t, m_hWnd, nullptr)) {
    DestroyWindow();
    return FALSE;
  }
  SetDlgCtrlID(static_cast<int>(nID));
  // Proportional sizing of the controls, whatever the extended style asked.
  m_dwExStyle |= SECBAR_SIZECHILDREN;
  CaptureChildRects();
  SetWindowPos(nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   ((dwStyle & WS_VISIBLE) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  m_szHorzDock = m_szVertDock = m_szFloat = m_sizeDefault;
  m_nMRUWidth = m_sizeDefault.cx;
  return TRUE;
}

void SECDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void SECDialogBar::GetBarInfo(SECControlBarInfo* pInfo) {
  pInfo->m_nResourceID = IS_INTRESOURCE(m_lpszTemplateName)
                             ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(m_lpszTemplateName))
                             : 0;
  SECControlBar::GetBarInfo(pInfo);
}
