#include "framework/sec_control_bar.h"

#include <algorithm>

#include "framework/sec_dock_bar.h"
#include "framework/sec_dock_context.h"
#include "framework/sec_global_data.h"
#include "framework/sec_res.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECControlBar, CControlBar)

int SECControlBar::s_cxDefault = 300;
int SECControlBar::s_cyDefault = 180;

namespace {
// A child window's place in the bar's client area when the records were taken.
struct ChildRect {
  HWND hWnd;
  CRect rect;
};
}  // namespace

BEGIN_MESSAGE_MAP(SECControlBar, CControlBar)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_CONTEXTMENU()
ON_WM_DESTROY()
ON_WM_ERASEBKGND()
ON_COMMAND(ID_SEC_ALLOWDOCKING, OnAllowDocking)
ON_COMMAND(ID_SEC_HIDE, OnHide)
ON_COMMAND(ID_SEC_MDIFLOAT, OnFloatInMainWindow)
END_MESSAGE_MAP()

SECControlBar::SECControlBar() = default;

SECControlBar::~SECControlBar() {
  if (m_hWnd) DestroyWindow();
  FreeChildRects();
  if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
  m_pDockSite = nullptr;
  delete m_pDockContext;
  m_pDockContext = nullptr;
}

BOOL SECControlBar::Create(CWnd* pParentWnd, LPCSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
                           CCreateContext* pContext) {
  return CreateEx(nullptr, lpszWindowName, nID, dwStyle, dwExStyle, CRect(0, 0, 0, 0), pParentWnd, pContext);
}

BOOL SECControlBar::CreateEx(LPCSTR lpszClassName, LPCSTR lpszWindowName, UINT nID, DWORD dwStyle,
                             DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext) {
  secData.EnsureLoaded();
  m_dwStyle = dwStyle & CBRS_ALL;
  m_dwExStyle = dwExStyle;
  if (!CWnd::Create(lpszClassName, lpszWindowName, (dwStyle & ~CBRS_ALL) | WS_CHILD, rect, pParentWnd, nID,
                    pContext))
    return FALSE;
  if (m_dwExStyle & SECBAR_SIZECHILDREN) CaptureChildRects();
  m_szHorzDock = m_szVertDock = m_szFloat = CSize(s_cxDefault, s_cyDefault);
  m_nMRUWidth = m_szFloat.cx;
  EnableToolTips(TRUE);
  return TRUE;
}

CDockContext* SECControlBar::CreateDockContext() { return new SECDockContext(this); }

void SECControlBar::EnableDocking(DWORD dwDockStyle) {
  m_dwDockStyle = dwDockStyle;
  if (!m_pDockContext) m_pDockContext = CreateDockContext();
  if (!m_hWndOwner && m_hWnd) {
    if (CWnd* parent = GetParent()) {
      m_hWndOwner = parent->m_hWnd;
      SetOwner(parent);
    }
  }
}

SECDockBar* SECControlBar::GetSECDockBar() const {
  if (m_pDockBar && m_pDockBar->IsKindOf(RUNTIME_CLASS(SECDockBar)))
    return static_cast<SECDockBar*>(m_pDockBar);
  return nullptr;
}

// ---- Styles ----

void SECControlBar::SetExBarStyle(DWORD dwExStyle, BOOL bRedraw) {
  if (IsFloating()) {
    if (CFrameWnd* mini = GetParentFrame()) {
      if (dwExStyle & SECBAR_FIXEDSIZE)
        mini->ModifyStyle(0, MFS_4THICKFRAME, SWP_NOSIZE | SWP_NOMOVE);
      else
        mini->ModifyStyle(MFS_4THICKFRAME, WS_THICKFRAME | MFS_THICKFRAME, SWP_NOSIZE | SWP_NOMOVE);
    }
  }
  if (!((m_dwExStyle & SECBAR_SIZECHILDREN) && (dwExStyle & SECBAR_SIZECHILDREN))) {
    if (dwExStyle & SECBAR_SIZECHILDREN)
      CaptureChildRects();
    else
      FreeChildRects();
  }
  m_dwExStyle = dwExStyle;
  if (bRedraw && m_hWnd)
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (bRedraw && m_hWnd) Invalidate();
}

void SECControlBar::ModifyExBarStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw) {
  SetExBarStyle((m_dwExStyle & ~dwRemove) | dwAdd, bRedraw);
}

// ---- Layout ----

CSize SECControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return bHorz ? m_szHorzDock : m_szVertDock;
}

CSize SECControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (nMode & LM_COMMIT) {
    int value = nLength;
    if (nMode & LM_STRETCH) value = static_cast<int>(static_cast<float>(nLength) * m_fPctWidth);
    if (nMode & LM_HORZDOCK) {
      (nMode & LM_LENGTHY ? m_szHorzDock.cy : m_szHorzDock.cx) = value;
    } else if (nMode & LM_VERTDOCK) {
      (nMode & LM_LENGTHY ? m_szVertDock.cy : m_szVertDock.cx) = value;
    } else if (nMode & LM_LENGTHY) {
      m_szFloat.cy = value;
    } else {
      m_szFloat.cx = value;
      m_nMRUWidth = value;
    }
  }
  if (!(nMode & (LM_HORZDOCK | LM_VERTDOCK))) return m_szFloat;
  return CalcFixedLayout(nMode & LM_STRETCH, nMode & LM_HORZ);
}

void SECControlBar::GetInsideRect(CRect& rect) const {
  GetClientRect(&rect);
  const int inset = m_gripperInfo.m_nInset;
  if (HasGripperShown()) {
    if (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) {
      rect.left += m_gripperInfo.GetWidth();
      rect.top += inset;
    } else {
      rect.top += m_gripperInfo.GetHeight();
      rect.left += inset;
    }
    rect.right -= inset;
    rect.bottom -= inset;
  } else if (m_dwExStyle & SECBAR_BORDERSPACE) {
    rect.left += m_rcBorderSpace.left;
    rect.top += m_rcBorderSpace.top;
    rect.right -= m_rcBorderSpace.right;
    rect.bottom -= m_rcBorderSpace.bottom;
  }
}

void SECControlBar::AdjustForGripper(CRect& rect, BOOL bHorz) const {
  if (bHorz)
    rect.left += m_gripperInfo.GetWidth();
  else
    rect.top += m_gripperInfo.GetHeight();
}

void SECControlBar::CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bGripper) const {
  if (!(m_dwExStyle & SECBAR_FLATBORDERS)) {
    CControlBar::CalcInsideRect(rect, bHorz);
    return;
  }
  const DWORD style = m_dwStyle;
  if (style & CBRS_BORDER_LEFT) rect.left += 1;
  if (style & CBRS_BORDER_TOP) rect.top += 1;
  if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
  if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
  const BOOL gripper = HasGripperShown();
  if (bHorz) {
    if (gripper)
      AdjustForGripper(rect, TRUE);
    else
      rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
  } else {
    rect.left += m_cyTopBorder;
    if (bGripper && gripper)
      AdjustForGripper(rect, FALSE);
    else
      rect.top += m_cxLeftBorder;
    rect.right -= m_cyBottomBorder;
    rect.bottom -= m_cxRightBorder;
  }
}

// ---- Child sizing ----

void SECControlBar::CaptureChildRects() {
  FreeChildRects();
  if (!m_hWnd) return;
  m_pChildRects = new CPtrArray;
  CRect client;
  GetClientRect(&client);
  m_pChildRects->Add(new ChildRect{nullptr, client});
  for (CWnd* child = GetTopWindow(); child; child = child->GetWindow(GW_HWNDNEXT)) {
    CRect r;
    child->GetWindowRect(&r);
    ScreenToClient(&r);
    m_pChildRects->Add(new ChildRect{child->m_hWnd, r});
  }
}

void SECControlBar::FreeChildRects() {
  if (!m_pChildRects) return;
  for (int i = 0; i < m_pChildRects->GetSize(); ++i) delete static_cast<ChildRect*>((*m_pChildRects)[i]);
  delete m_pChildRects;
  m_pChildRects = nullptr;
}

void SECControlBar::OnSize(UINT nType, int cx, int cy) {
  if (nType != SIZE_MINIMIZED && cx > 0 && cy > 0) {
    int x = 0, y = 0;
    const int inset = m_gripperInfo.m_nInset;
    const BOOL gripper = (m_dwExStyle & SECBAR_GRIPPER) != 0;
    const BOOL horz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    if (gripper) {
      if (horz) {
        x = m_gripperInfo.GetWidth();
        y = inset;
        cx = std::max(0, cx - inset - x);
        cy = std::max(0, cy - 2 * inset);
      } else {
        x = inset;
        y = m_gripperInfo.GetHeight();
        cx = std::max(0, cx - 2 * inset);
        cy = std::max(0, cy - inset - y);
      }
    } else if (m_dwExStyle & SECBAR_BORDERSPACE) {
      x = m_rcBorderSpace.left;
      y = m_rcBorderSpace.top;
      cx = std::max(0, cx - m_rcBorderSpace.right - x);
      cy = std::max(0, cy - m_rcBorderSpace.bottom - y);
    }
    if ((m_dwExStyle & SECBAR_SIZECHILDREN) && m_pChildRects) {
      MoveChildren(x, y, cx, cy);
    } else if (m_dwExStyle & SECBAR_FITCHILD) {
      if (gripper && IsFloating()) {
        // No gripper is shown while floating: its room goes back to the child.
        if (horz) {
          cx += x;
          x = 0;
        } else {
          cy += y;
          y = 0;
        }
      }
      if (CWnd* child = GetTopWindow())
        child->SetWindowPos(nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  Default();
}

void SECControlBar::MoveChildren(int x, int y, int cx, int cy) {
  const auto* client = static_cast<ChildRect*>((*m_pChildRects)[0]);
  const int w0 = client->rect.Width(), h0 = client->rect.Height();
  // Records taken while the bar had no area give no proportions.
  if (w0 <= 0 || h0 <= 0) return;
  if (m_dwExStyle & SECBAR_BORDERSPACE) {
    x += m_rcBorderSpace.left;
    y += m_rcBorderSpace.top;
  }
  HDWP dwp = ::BeginDeferWindowPos(static_cast<int>(m_pChildRects->GetSize()));
  for (int i = 1; i < m_pChildRects->GetSize(); ++i) {
    const auto* rec = static_cast<ChildRect*>((*m_pChildRects)[i]);
    if (!::IsWindow(rec->hWnd)) continue;
    const CRect& o = rec->rect;
    int left = o.left * cx / w0 + x, top = o.top * cy / h0 + y;
    int right = o.right * cx / w0 + x, bottom = o.bottom * cy / h0 + y;
    dwp = ::DeferWindowPos(dwp, rec->hWnd, nullptr, left, top, right - left, bottom - top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::EndDeferWindowPos(dwp);
  if (IsFloating()) Invalidate();
}

void SECControlBar::OnDestroy() {
  if (SECDockBar* dock = GetSECDockBar()) dock->RemoveFromRepaintList(this);
  FreeChildRects();
  CFrameWnd* frame = GetDockingFrame();
  CControlBar::OnDestroy();
  if (frame && frame->m_hWnd) frame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
}

// ---- Placement ----

BOOL SECControlBar::GetBarPlacement(int& nRow, int& nCol, UINT& nDockBarID, float& fPctWidth) {
  SECDockBar* dock = GetSECDockBar();
  if (!dock) return FALSE;
  if (dock->GetBarPlacement(this, nRow, nCol) < 0) return FALSE;
  nDockBarID = static_cast<UINT>(LOWORD(dock->GetDlgCtrlID()));
  fPctWidth = m_fPctWidth;
  return TRUE;
}

BOOL SECControlBar::IsFloatingAsMDIChild() const {
  SECDockBar* dock = GetSECDockBar();
  return dock ? dock->m_bMDIChild : FALSE;
}
