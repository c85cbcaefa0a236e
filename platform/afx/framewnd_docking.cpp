// Docking operations of frames: dock bars, docking, floating, showing bars,
// and the saved dock state.
#include "platform/afx/controlbar.h"
#include "platform/afx/dockbar.h"
#include "platform/afx/dockcontext.h"
#include "platform/afx/dockstate.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/minidockframe.h"
#include "platform/base/afxexcept.h"
#include "platform/ui/ui.h"

namespace {
// The frame's dock bars in the order a bar looks for one: id and style.
const struct {
  UINT id;
  DWORD style;
} kDockBars[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};
}  // namespace

void CFrameWnd::AddControlBar(CControlBar* pBar) {
  if (!m_listControlBars.Find(pBar)) m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar) {
  if (POSITION pos = m_listControlBars.Find(pBar)) m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) {
  if (nID == 0) return nullptr;
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (bar->m_hWnd && static_cast<UINT>(LOWORD(bar->GetDlgCtrlID())) == nID) return bar;
  }
  return nullptr;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle) {
  m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
  for (const auto& d : kDockBars) {
    if (!(d.style & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(d.id)) continue;
    auto* dock = new CDockBar(FALSE);
    if (!dock->Create(this, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | d.style, d.id)) {
      delete dock;
      AfxThrowResourceException();
    }
  }
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  CDockBar* dock = nDockBarID ? static_cast<CDockBar*>(GetControlBar(nDockBarID)) : nullptr;
  if (!dock) {
    for (const auto& d : kDockBars) {
      if (pBar->m_dwDockStyle & d.style & CBRS_ALIGN_ANY) {
        dock = static_cast<CDockBar*>(GetControlBar(d.id));
        if (dock) break;
      }
    }
  }
  if (dock) DockControlBar(pBar, dock, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar || !pDockBar) return;
  pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  if (!pBar) return;
  if (!pDockBar) {
    // The dock bar that still keeps the bar's place, else the first allowed one.
    UINT_PTR id = static_cast<UINT_PTR>(LOWORD(pBar->GetDlgCtrlID()));
    for (const auto& d : kDockBars) {
      if (!(pBar->m_dwDockStyle & d.style & CBRS_ALIGN_ANY)) continue;
      auto* dock = static_cast<CDockBar*>(GetControlBar(d.id));
      if (!dock) continue;
      if (!pDockBar) pDockBar = dock;
      if (id && dock->FindBar(reinterpret_cast<CControlBar*>(id)) > 0) {
        pDockBar = dock;
        break;
      }
    }
  }
  if (pDockBar) pDockBar->ReDockControlBar(pBar, lpRect);
}

CFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle) {
  CRuntimeClass* cls = m_pFloatingFrameClass ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
  auto* frame = static_cast<CMiniDockFrameWnd*>(cls->CreateObject());
  if (!frame) AfxThrowMemoryException();
  if (!frame->Create(this, dwStyle)) AfxThrowResourceException();
  return frame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  if (!(dwStyle & CBRS_ALIGN_ANY)) dwStyle |= CBRS_ALIGN_TOP;
  CDockBar* current = pBar->m_pDockBar;
  if (current && current->m_bFloating && current->GetDockedCount() == 1 &&
      (dwStyle & current->m_dwStyle & CBRS_ALIGN_ANY)) {
    // Alone in a floating frame of the same orientation: only the frame moves.
    if (CFrameWnd* mini = current->GetParentFrame()) {
      if (mini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
        static_cast<CMiniDockFrameWnd*>(mini)->RecalcLayoutAt(point.x, point.y);
        mini->UpdateWindow();
        return;
      }
    }
  }
  if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) {
    dwStyle |= CBRS_SIZE_DYNAMIC;
    if (dwStyle & CBRS_ORIENT_VERT) {
      dwStyle &= ~CBRS_ALIGN_ANY;
      dwStyle |= CBRS_ALIGN_TOP;
    }
  }
  CFrameWnd* frame = CreateFloatingFrame(dwStyle);
  if (!frame->GetOwner() || frame->GetOwner() == frame) frame->SetOwner(this);
  auto* dock = static_cast<CDockBar*>(frame->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT));
  if (!dock) return;
  frame->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (frame->m_hWnd) {
    dock->DockControlBar(pBar);
    frame->RecalcLayout(TRUE);
    if (pBar->GetStyle() & WS_VISIBLE) {
      frame->ShowWindow(SW_SHOWNA);
      frame->UpdateWindow();
    }
  }
  DelayRecalcLayout();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar) {
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    if (!bar->IsDockBar() || !bar->m_hWnd) continue;
    auto* dock = static_cast<CDockBar*>(bar);
    if (dock->m_bFloating || !(dock->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY)) continue;
    CRect area;
    dock->GetWindowRect(&area);
    // An empty dock bar is a thin strip along its side.
    if (dock->m_dwStyle & CBRS_ORIENT_HORZ) {
      if (area.Height() == 0) {
        if (dock->m_dwStyle & CBRS_ALIGN_TOP)
          area.bottom++;
        else
          area.top--;
      }
    } else if (area.Width() == 0) {
      if (dock->m_dwStyle & CBRS_ALIGN_LEFT)
        area.right++;
      else
        area.left--;
    }
    CRect meet;
    if (meet.IntersectRect(&area, &rect)) {
      if (ppDockBar) *ppDockBar = dock;
      return dock->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY;
    }
  }
  return 0;
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  if (!pBar || !pBar->m_hWnd) return;
  CFrameWnd* docking = pBar->GetDockingFrame();
  if (bDelay) {
    pBar->DelayShow(bShow);
    if (docking) docking->DelayRecalcLayout();
  } else {
    pBar->SetWindowPos(
        nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    pBar->DelayShow(bShow);
    if (docking && (bShow || !pBar->IsFloating())) docking->RecalcLayout(FALSE);
  }
  if (pBar->IsFloating() && pBar->m_pDockBar) {
    CDockBar* dock = pBar->m_pDockBar;
    int visible = dock->GetDockedVisibleCount();
    CFrameWnd* mini = dock->GetParentFrame();
    if (!mini) return;
    if (visible == 0 || (visible == 1 && bShow)) {
      int cmd = visible == 0 ? SW_HIDE : SW_SHOWNA;
      if (bDelay) {
        mini->m_nShowDelay = cmd;
      } else {
        mini->ShowWindow(cmd);
        mini->RecalcLayout();
      }
    }
  }
}

// ---- Saved dock state ----

void CFrameWnd::GetDockState(CDockState& state) const {
  state.Clear();
  for (POSITION pos = m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
    auto* info = new CControlBarInfo;
    bar->GetBarInfo(info);
    state.m_arrBarInfo.Add(info);
  }
}

void CFrameWnd::SetDockState(const CDockState& state) {
  // Floating frames first, so that every record finds its bar.
  for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
    if (info->m_bFloating) {
      CFrameWnd* mini = CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
      CRect rect(info->m_pointPos, CSize(10, 10));
      mini->CalcWindowRect(&rect);
      mini->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      info->m_pBar = static_cast<CControlBar*>(mini->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT));
    } else {
      info->m_pBar = GetControlBar(info->m_nBarID);
    }
    if (info->m_pBar) info->m_pBar->m_nMRUWidth = static_cast<int>(info->m_nMRUWidth);
  }
  for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
    if (info->m_pBar) info->m_pBar->SetBarInfo(info, this);
  }
  for (int i = 0; i < state.m_arrBarInfo.GetSize(); ++i) {
    auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
    if (!info->m_bFloating || !info->m_pBar) continue;
    auto* dock = static_cast<CDockBar*>(info->m_pBar);
    CFrameWnd* mini = dock->GetParentFrame();
    if (!mini) continue;
    if (dock->GetDockedCount() == 0) {
      mini->DestroyWindow();  // nothing came back into it
    } else if (dock->GetDockedVisibleCount() > 0) {
      mini->RecalcLayout();
      mini->ShowWindow(SW_SHOWNA);
    }
  }
  DelayRecalcLayout();
  RecalcLayout();
}

void CFrameWnd::SaveBarState(LPCSTR lpszProfileName) const {
  CDockState state;
  GetDockState(state);
  state.SaveState(lpszProfileName);
}

void CFrameWnd::LoadBarState(LPCSTR lpszProfileName) {
  CDockState state;
  state.LoadState(lpszProfileName);
  SetDockState(state);
}
