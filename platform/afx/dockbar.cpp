#include "platform/afx/dockbar.h"

#include <algorithm>

#include "platform/afx/dockcontext.h"
#include "platform/afx/framewnd.h"
#include "platform/ui/cdc.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

namespace {}

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating) {
  m_bAutoDelete = TRUE;
  m_arrBars.Add(nullptr);
  m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CDockBar::~CDockBar() {
  // Bars still listed here no longer point back.
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->m_pDockBar == this) bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & CBRS_ALL;
  return CWnd::Create(AfxControlBarClass(), nullptr, (dwStyle & ~CBRS_ALL) | WS_CHILD, CRect(0, 0, 0, 0),
                      pParentWnd, nID);
}

void CDockBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {}

// ---- The array ----

CControlBar* CDockBar::GetDockedControlBar(int nPos) const {
  if (nPos < 0 || nPos >= m_arrBars.GetSize()) return nullptr;
  void* entry = m_arrBars[nPos];
  if (!entry || IsPlaceholder(entry)) return nullptr;
  return static_cast<CControlBar*>(entry);
}

int CDockBar::GetDockedCount() const {
  int n = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (GetDockedControlBar(i)) ++n;
  return n;
}

int CDockBar::GetDockedVisibleCount() const {
  int n = 0;
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (CControlBar* bar = GetDockedControlBar(i); bar && bar->IsVisible()) ++n;
  return n;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude) {
  for (int i = 0; i < m_arrBars.GetSize(); ++i)
    if (i != nPosExclude && m_arrBars[i] == pBar) return i;
  return -1;
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar) {
  if (!pBar || !pBar->m_hWnd) return;
  UINT_PTR id = static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID()));
  if (!id) return;
  int pos = FindBar(reinterpret_cast<CControlBar*>(id));
  if (pos > 0) {
    m_arrBars.RemoveAt(pos);
    if (pos < m_arrBars.GetSize() && !m_arrBars[pos - 1] && !m_arrBars[pos]) m_arrBars.RemoveAt(pos);
  }
}

void CDockBar::ForgetBar(CControlBar* pBar) {
  int pos = FindBar(pBar);
  if (pos <= 0) return;
  m_arrBars.RemoveAt(pos);
  if (pos < m_arrBars.GetSize() && !m_arrBars[pos - 1] && !m_arrBars[pos]) m_arrBars.RemoveAt(pos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
  int pos = FindBar(pBar, nPosExclude);
  if (pos <= 0) return FALSE;
  UINT_PTR id = pBar->m_hWnd ? static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID())) : 0;
  if (nAddPlaceHolder == 1 && id) {
    m_arrBars[pos] = reinterpret_cast<void*>(id);
    // An older placeholder of the same bar elsewhere makes this one go again.
    if (FindBar(reinterpret_cast<CControlBar*>(id), pos) > 0) {
      m_arrBars.RemoveAt(pos);
      if (pos < m_arrBars.GetSize() && !m_arrBars[pos - 1] && !m_arrBars[pos]) m_arrBars.RemoveAt(pos);
    }
  } else {
    m_arrBars.RemoveAt(pos);
    if (pos < m_arrBars.GetSize() && !m_arrBars[pos - 1] && !m_arrBars[pos]) m_arrBars.RemoveAt(pos);
    if (nAddPlaceHolder != -1) RemovePlaceHolder(pBar);
  }
  if (!pBar->m_pDockContext) return FALSE;  // shutting down: nothing more
  if (m_bFloating && GetDockedVisibleCount() == 0) {
    CFrameWnd* mini = GetParentFrame();
    if (mini) {
      if (GetDockedCount() == 0) {
        mini->DestroyWindow();
        return TRUE;
      }
      mini->ShowWindow(SW_HIDE);
    }
  } else if (CFrameWnd* frame = GetDockingFrame()) {
    frame->DelayRecalcLayout();
  }
  return FALSE;
}

// ---- Docking ----

void CDockBar::TakeStyle(CControlBar* pBar) {
  if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI)) m_dwStyle |= CBRS_FLOAT_MULTI;
  m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
  if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
    CString title;
    pBar->GetWindowText(title);
    SetWindowText(title);
  }
  DWORD style = pBar->GetBarStyle();
  style &= ~CBRS_ALIGN_ANY;
  style |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
  if (m_bFloating)
    style |= CBRS_FLOATING;
  else
    style &= ~CBRS_FLOATING;
  pBar->SetBarStyle(style);
}

void CDockBar::AttachBar(CControlBar* pBar, BOOL bShowAgain) {
  if (pBar->GetParent() != this) pBar->SetParent(this);
  pBar->m_pDockBar = this;
  if (bShowAgain)
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  if (CFrameWnd* frame = GetDockingFrame()) frame->DelayRecalcLayout();
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  CRect barRect;
  pBar->GetWindowRect(&barRect);
  if (pBar->m_pDockBar == this && (!lpRect || barRect == *lpRect)) return;  // no change
  TakeStyle(pBar);
  // Hide while changing docking sites so nothing flashes.
  BOOL show = FALSE;
  if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    show = TRUE;
  }
  int pos = -1;
  if (lpRect) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    CPoint mid(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2);
    pos = Insert(pBar, rect, mid);
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    m_arrBars.Add(pBar);
    m_arrBars.Add(nullptr);
    pBar->SetWindowPos(nullptr, -afx::kBarBorder2, -afx::kBarBorder2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CDockBar* old = pBar->m_pDockBar;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (old == this)
    RemoveControlBar(pBar, pos);
  else if (old)
    old->RemoveControlBar(pBar, -1, m_bFloating && !old->m_bFloating ? 1 : 0);
  RemovePlaceHolder(pBar);
  AttachBar(pBar, show);
}

void CDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  TakeStyle(pBar);
  BOOL show = FALSE;
  if (pBar->m_pDockBar != this && pBar->IsWindowVisible()) {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    show = TRUE;
  }
  // The bar's placeholder, when it left one, is its place.
  UINT_PTR id = static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID()));
  int pos = id ? FindBar(reinterpret_cast<CControlBar*>(id)) : -1;
  if (pos > 0) m_arrBars[pos] = pBar;
  if (lpRect) {
    CRect rect(lpRect);
    ScreenToClient(&rect);
    if (pos < 1) Insert(pBar, rect, CPoint(rect.left + rect.Width() / 2, rect.top + rect.Height() / 2));
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    if (pos < 1) {
      m_arrBars.Add(pBar);
      m_arrBars.Add(nullptr);
    }
    pBar->SetWindowPos(nullptr, -afx::kBarBorder2, -afx::kBarBorder2, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  CDockBar* old = pBar->m_pDockBar;
  if (pBar->GetParent() != this) pBar->SetParent(this);
  if (old && old != this) old->RemoveControlBar(pBar);
  AttachBar(pBar, show);
}

int CDockBar::Insert(CControlBar* pBar, CRect rect, CPoint ptMid) {
  BOOL horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  int insAfter = 0, thickness = 0, total = 0;
  for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
    CControlBar* dock = GetDockedControlBar(pos);
    if (dock && dock->IsVisible() && dock != pBar) {
      CRect r;
      dock->GetWindowRect(&r);
      ScreenToClient(&r);
      thickness = std::max(thickness, horz ? r.Height() : r.Width());
      if (horz ? rect.left > r.left : rect.top > r.top) insAfter = pos;
    } else if (!m_arrBars[pos]) {
      // The end of a row: the drop belongs here when its middle lies above the row's far edge.
      total += std::max(0, thickness - afx::kBarBorder2);
      bool rowHadBars = thickness != 0;
      thickness = 0;
      if (rowHadBars && (horz ? ptMid.y : ptMid.x) < total) {
        m_arrBars.InsertAt(insAfter + 1, pBar);
        return insAfter + 1;
      }
      insAfter = pos;
    }
  }
  // A new row after the last one.
  m_arrBars.InsertAt(insAfter + 1, static_cast<void*>(nullptr));
  m_arrBars.InsertAt(insAfter + 1, pBar);
  return insAfter + 1;
}

BOOL CDockBar::ShowAll(BOOL bShow) {
  BOOL changed = FALSE;
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    CControlBar* bar = GetDockedControlBar(i);
    if (!bar || bar->IsVisible() == bShow) continue;
    if (CFrameWnd* frame = bar->GetDockingFrame()) {
      frame->ShowControlBar(bar, bShow, FALSE);
      changed = TRUE;
    }
  }
  return changed;
}

// ---- Layout ----

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
  auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  BOOL savedQuery = m_bLayoutQuery;
  CRect savedRect = m_rectLayout;
  m_bLayoutQuery = layout->hDWP == nullptr;
  m_rectLayout = layout->rect;
  LRESULT r = CControlBar::OnSizeParent(wParam, lParam);
  m_bLayoutQuery = savedQuery;
  m_rectLayout = savedRect;
  return r;
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  CSize fixed(0, 0);
  CSize maxSize = m_rectLayout.Size();
  if (m_rectLayout.IsRectEmpty()) {
    CWnd* parent = GetParent();
    CRect r(0, 0, 0, 0);
    if (parent) parent->GetClientRect(&r);
    maxSize = r.Size();
  }
  AFX_SIZEPARENTPARAMS layout{};
  layout.hDWP = m_bLayoutQuery ? nullptr : ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));
  CPoint pt(-afx::kBarBorder2, -afx::kBarBorder2);
  int thickness = 0;
  BOOL wrapped = FALSE;
  for (int pos = 0; pos < m_arrBars.GetSize(); ++pos) {
    CControlBar* bar = GetDockedControlBar(pos);
    void* entry = m_arrBars[pos];
    if (bar && bar->IsVisible()) {
      DWORD mode = 0;
      if ((bar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (bar->m_dwStyle & CBRS_FLOATING))
        mode = LM_HORZ | LM_MRUWIDTH;
      else if (bar->m_dwStyle & CBRS_ORIENT_HORZ)
        mode = LM_HORZ | LM_HORZDOCK;
      else
        mode = LM_VERTDOCK;
      CSize size = bar->CalcDynamicLayout(-1, mode);
      CRect rect(pt, size);
      CRect old;
      bar->GetWindowRect(&old);
      ScreenToClient(&old);
      int along = bHorz ? maxSize.cx : maxSize.cy;
      int& start = bHorz ? rect.left : rect.top;
      int oldStart = bHorz ? old.left : old.top;
      int length = bHorz ? rect.Width() : rect.Height();
      // Keep a bar where the user put it along the row, but inside the dock bar.
      if (oldStart > start && !m_bFloating)
        bHorz ? rect.OffsetRect(oldStart - start, 0) : rect.OffsetRect(0, oldStart - start);
      int end = bHorz ? rect.right : rect.bottom;
      if (end > along && !m_bFloating) {
        int want = std::max(along - (length - afx::kBarBorder2), bHorz ? pt.x : pt.y);
        bHorz ? rect.OffsetRect(want - rect.left, 0) : rect.OffsetRect(0, want - rect.top);
      }
      if (wrapped) {
        wrapped = FALSE;
        bHorz ? rect.OffsetRect(-(rect.left + afx::kBarBorder2), 0)
              : rect.OffsetRect(0, -(rect.top + afx::kBarBorder2));
      } else if (start >= along - afx::kBarBorder2 && pos > 0 && m_arrBars[pos - 1] && !m_bFloating &&
                 along > 0) {
        // A bar entirely past the end starts a new row.
        m_arrBars.InsertAt(pos, static_cast<void*>(nullptr));
        bar = nullptr;
        entry = nullptr;
        wrapped = TRUE;
      }
      if (!wrapped && bar) {
        if (rect != old) {
          if (!m_bLayoutQuery && !(bar->m_dwStyle & CBRS_FLOATING) && bar->m_pDockContext) {
            bar->m_pDockContext->m_rectMRUDockPos = rect;
            bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(GetDlgCtrlID());
          }
          if (!m_bLayoutQuery) AfxRepositionWindow(&layout, bar->m_hWnd, &rect);
        }
        if (bHorz) {
          pt.x = rect.left + size.cx - afx::kBarBorder2;
          thickness = std::max(thickness, static_cast<int>(size.cy));
        } else {
          pt.y = rect.top + size.cy - afx::kBarBorder2;
          thickness = std::max(thickness, static_cast<int>(size.cx));
        }
      }
    }
    if (bar) bar->RecalcDelayShow(&layout);
    if (!bar && !entry && thickness != 0) {
      // The end of a row.
      if (bHorz) {
        pt.y += thickness - afx::kBarBorder2;
        fixed.cx = std::max(fixed.cx, pt.x);
        fixed.cy = std::max(fixed.cy, pt.y);
        pt.x = -afx::kBarBorder2;
      } else {
        pt.x += thickness - afx::kBarBorder2;
        fixed.cx = std::max(fixed.cx, pt.x);
        fixed.cy = std::max(fixed.cy, pt.y);
        pt.y = -afx::kBarBorder2;
      }
      thickness = 0;
    }
    if (wrapped) --pos;  // lay the wrapped bar out again at the start of its new row
  }
  if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
  CRect inside(0, 0, 0, 0);
  CalcInsideRect(inside, bHorz);
  if ((!bStretch || !bHorz) && fixed.cx != 0) fixed.cx += -inside.right + inside.left;
  if ((!bStretch || bHorz) && fixed.cy != 0) fixed.cy += -inside.bottom + inside.top;
  if (bStretch) {
    if (bHorz)
      fixed.cx = std::max(fixed.cx, maxSize.cx);
    else
      fixed.cy = std::max(fixed.cy, maxSize.cy);
  }
  return fixed;
}

void CDockBar::DoPaint(CDC* pDC) { CControlBar::DoPaint(pDC); }

// ---- Saved state ----

void CDockBar::GetDockBarInfo(CControlBarInfo* pInfo) {
  pInfo->m_bDockBar = TRUE;
  pInfo->m_bFloating = m_bFloating;
  pInfo->m_pointPos = CPoint(-1, -1);
  if (m_bFloating) {
    if (CFrameWnd* mini = GetParentFrame()) {
      CRect rect;
      mini->GetWindowRect(&rect);
      pInfo->m_pointPos = rect.TopLeft();
    }
  }
  pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  pInfo->m_arrBarID.RemoveAll();
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    void* entry = m_arrBars[i];
    UINT_PTR id = 0;
    if (IsPlaceholder(entry))
      id = reinterpret_cast<UINT_PTR>(entry) + 0x10000;
    else if (entry)
      id = static_cast<UINT_PTR>(LOWORD(static_cast<CControlBar*>(entry)->GetDlgCtrlID()));
    pInfo->m_arrBarID.Add(reinterpret_cast<void*>(id));
  }
}

void CDockBar::SetDockBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  // Bars listed in the record come here, in its order; others stay.
  CPtrArray rebuilt;
  for (int i = 0; i < pInfo->m_arrBarID.GetSize(); ++i) {
    UINT_PTR id = reinterpret_cast<UINT_PTR>(pInfo->m_arrBarID[i]);
    if (id == 0) {
      if (rebuilt.GetSize() == 0 || rebuilt[rebuilt.GetSize() - 1] || i == 0) rebuilt.Add(nullptr);
      continue;
    }
    if (id >= 0x10000) {
      rebuilt.Add(reinterpret_cast<void*>(id & 0xFFFF));
      continue;
    }
    CControlBar* bar = pFrameWnd ? pFrameWnd->GetControlBar(static_cast<UINT>(id)) : nullptr;
    if (!bar || bar->IsDockBar()) continue;
    if (bar->m_pDockBar && bar->m_pDockBar != this)
      bar->m_pDockBar->ForgetBar(bar);
    else if (bar->m_pDockBar == this)
      ForgetBar(bar);
    TakeStyle(bar);
    if (bar->GetParent() != this) bar->SetParent(this);
    bar->m_pDockBar = this;
    rebuilt.Add(bar);
  }
  // Whatever was docked here and is not in the record keeps a place at the end.
  for (int i = 0; i < m_arrBars.GetSize(); ++i) {
    void* entry = m_arrBars[i];
    if (!entry || IsPlaceholder(entry)) continue;
    bool listed = false;
    for (int j = 0; j < rebuilt.GetSize() && !listed; ++j) listed = rebuilt[j] == entry;
    if (!listed) {
      rebuilt.Add(entry);
      rebuilt.Add(nullptr);
    }
  }
  if (rebuilt.GetSize() == 0 || rebuilt[0]) rebuilt.InsertAt(0, static_cast<void*>(nullptr));
  if (rebuilt[rebuilt.GetSize() - 1]) rebuilt.Add(nullptr);
  m_arrBars.RemoveAll();
  for (int i = 0; i < rebuilt.GetSize(); ++i) m_arrBars.Add(rebuilt[i]);
  if (m_bFloating && pInfo->m_pointPos.x != -1) {
    if (CFrameWnd* mini = GetParentFrame())
      mini->SetWindowPos(nullptr, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                   (pInfo->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}
