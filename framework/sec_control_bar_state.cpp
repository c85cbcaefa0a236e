// SECControlBar's saved state: filling and applying its layout record.
#include "framework/sec_control_bar.h"
#include "framework/sec_control_bar_info.h"
#include "framework/sec_control_bar_manager.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_dock_context.h"
#include "platform/ui/ui.h"

void SECControlBar::GetBarInfo(SECControlBarInfo* pInfo) {
  pInfo->m_pBar = this;
  pInfo->m_nBarID = static_cast<UINT>(LOWORD(GetDlgCtrlID()));
  pInfo->m_bVisible = IsVisible();
  pInfo->m_nMRUWidth = static_cast<UINT>(m_nMRUWidth);
  if (m_pDockBar) {
    CRect rect;
    GetWindowRect(&rect);
    m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    pInfo->m_bDocking = TRUE;
    if (m_pDockContext) {
      pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
      pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
      pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
      pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
  }
  pInfo->m_szMRUFloat = m_szFloat;
  pInfo->m_szMRUHorzDock = m_szHorzDock;
  pInfo->m_szMRUVertDock = m_szVertDock;
  pInfo->m_dwMRUDockingState = m_dwMRUDockingState;
  pInfo->m_dwDockStyle = m_dwDockStyle;
  pInfo->m_dblPctWidth = m_fPctWidth;
  pInfo->m_dwStyle = m_dwStyle;
  pInfo->m_dwExStyle = m_dwExStyle;
  // The type lets a load make the bar's extension record (a tool bar's buttons).
  if (m_pManager) pInfo->m_nTypeID = m_pManager->GetBarTypeID(this);
  if (auto* context = dynamic_cast<SECDockContext*>(m_pDockContext))
    pInfo->m_bPrevFloating = context->m_bMDIFloatOrigin;
  pInfo->m_strClassName = GetRuntimeClass()->m_lpszClassName;
  GetWindowText(pInfo->m_strWindowName);
  GetBarInfoEx(pInfo);
}

void SECControlBar::SetBarInfo(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  m_nMRUWidth = static_cast<int>(pInfo->m_nMRUWidth);
  m_szFloat = pInfo->m_szMRUFloat;
  m_szHorzDock = pInfo->m_szMRUHorzDock;
  m_szVertDock = pInfo->m_szMRUVertDock;
  m_dwMRUDockingState = pInfo->m_dwMRUDockingState;
  m_dwDockStyle = pInfo->m_dwDockStyle;
  m_fPctWidth = static_cast<float>(pInfo->m_dblPctWidth);
  SetBarStyle(pInfo->m_dwStyle);
  if (pInfo->m_bDocking && m_pDockContext) {
    m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
    m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
    m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
    m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    if (auto* context = dynamic_cast<SECDockContext*>(m_pDockContext))
      context->m_bMDIFloatOrigin = pInfo->m_bPrevFloating;
  }
  SetBarInfoEx(pInfo, pFrameWnd);
  UINT flags =
      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  if (!m_pDockBar) flags |= SWP_NOMOVE;
  m_nStateFlags &= ~(delayHide | delayShow);
  SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, flags);
}
