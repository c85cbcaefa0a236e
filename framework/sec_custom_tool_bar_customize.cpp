// Customisation of tool bars: selecting, dragging and dropping buttons
// within and between bars, nudging separators, Ctrl-copies onto a new
// floating bar, the delayed hide of floating bars, the saved button list.
#include <algorithm>

#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_custom_tool_bar_info_ex.h"
#include "framework/sec_global_data.h"
#include "framework/sec_std_btn_tracker.h"
#include "framework/sec_tool_bar_manager.h"
#include "platform/afx/minidockframe.h"
#include "platform/ui/ui.h"

namespace {

// The copy cursor shown while Ctrl-dragging a button.
constexpr UINT kSECCopyCursor = 20691;
// A nudge smaller than this moves nothing.
constexpr int kSECNudgeMin = 2;

// The custom tool bar shown at a screen point, also inside a floating frame.
SECCustomToolBar* SECToolBarAtPoint(CPoint pt) {
  CWnd* wnd = CWnd::FromHandle(::WindowFromPoint(pt));
  for (; wnd; wnd = wnd->GetParent()) {
    if (auto* bar = dynamic_cast<SECCustomToolBar*>(wnd)) return bar;
    if (dynamic_cast<CMiniDockFrameWnd*>(wnd)) {
      CWnd* dock = wnd->GetWindow(GW_CHILD);
      CWnd* first = dock ? dock->GetWindow(GW_CHILD) : nullptr;
      return dynamic_cast<SECCustomToolBar*>(first);
    }
  }
  return nullptr;
}

BOOL SECBtnIsSep(const SECStdBtn* b) { return (b->m_nStyle & TBBS_SEPARATOR) != 0; }

}  // namespace

UINT SECGetDestroyEmptyMessage() {
  static const UINT msg = ::RegisterWindowMessage("SECCustomToolBarDestroyEmpty");
  return msg;
}

UINT SECGetNoDelayHideMessage() {
  static const UINT msg = ::RegisterWindowMessage("WM_NODELAYHIDE");
  return msg;
}

BOOL SECCustomToolBar::IsCopyKeyDown() const { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }

void SECCustomToolBar::SetCustomizeMode(BOOL bMode) {
  if (!bMode == !m_bCustomize) return;
  ClearSelection(FALSE);
  m_bCustomize = bMode;
  if (m_hWnd) Invalidate();
}

void SECCustomToolBar::SelectButton(int nIndex, BOOL bRedraw) {
  if (nIndex < 0 || nIndex >= GetBtnCount()) return;
  SECToolBarManager* mgr = GetManager();
  if (mgr && mgr->GetSelectedBar() && mgr->GetSelectedBar() != this)
    mgr->GetSelectedBar()->ClearSelection(bRedraw);
  if (m_nCurBtn >= 0 && m_nCurBtn < GetBtnCount() && m_nCurBtn != nIndex) {
    m_btns[m_nCurBtn]->m_nStyle &= ~SEC_TBBS_SELECTED;
    if (bRedraw) InvalidateButton(m_nCurBtn);
  }
  if (mgr) mgr->SetSelectedBar(this);
  m_nCurBtn = nIndex;
  m_btns[nIndex]->m_nStyle |= SEC_TBBS_SELECTED;
  if (bRedraw) InvalidateButton(nIndex);
  ReportEvent(SECTBEventSelection);
}

void SECCustomToolBar::ClearSelection(BOOL bRedraw) {
  SECToolBarManager* mgr = GetManager();
  const BOOL held = mgr ? mgr->GetSelectedBar() == this : m_nCurBtn >= 0;
  if (m_nCurBtn >= 0 && m_nCurBtn < GetBtnCount() && (m_btns[m_nCurBtn]->m_nStyle & SEC_TBBS_SELECTED)) {
    m_btns[m_nCurBtn]->m_nStyle &= ~SEC_TBBS_SELECTED;
    if (bRedraw) InvalidateButton(m_nCurBtn);
  }
  if (!held) return;
  m_nCurBtn = -1;
  if (mgr) mgr->SetSelectedBar(nullptr);
  ReportEvent(SECTBEventSelection);
}

BOOL SECCustomToolBar::DragButton(int nIndex, CPoint point) {
  if (nIndex < 0 || nIndex >= GetBtnCount()) return TRUE;
  SECStdBtn* btn = m_btns[nIndex];
  if (!btn->CanDrag()) return TRUE;
  SelectButton(nIndex);
  UpdateWindow();
  const BOOL copy = IsCopyKeyDown();
  if (copy)
    if (HCURSOR cursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kSECCopyCursor)))
      ::SetCursor(cursor);
  SECToolBarRectTracker tracker(btn->GetRect());
  if (!tracker.Track(this, point)) return TRUE;
  CRect rect = tracker.m_rect;
  rect.NormalizeRect();
  ClientToScreen(&rect);
  SECToolBarManager* mgr = GetManager();
  SECCustomToolBar* target = mgr ? mgr->FindToolBarAt(rect) : nullptr;
  for (CPoint corner :
       {rect.TopLeft(), CPoint(rect.right, rect.top), CPoint(rect.left, rect.bottom), rect.BottomRight()})
    if (!target) target = SECToolBarAtPoint(corner);
  if (!target) {
    if (mgr && mgr->GetFrame()) {
      CRect frame, overlap;
      mgr->GetFrame()->GetWindowRect(&frame);
      if (overlap.IntersectRect(&frame, &rect)) return TRUE;
    }
    if (!copy) return RemoveFromSource(FALSE);
    if (!mgr) return TRUE;
    const UINT id = btn->m_nID;
    SECCustomToolBar* bar = mgr->CreateNewToolBar();
    if (!bar) return TRUE;
    bar->InsertButton(0, id, FALSE, TRUE);
    if (!s_bAltDrag) bar->SelectButton(0);
    CRect wnd(rect.TopLeft(), CSize(0, 0));
    ::AdjustWindowRectEx(&wnd, 0x80CC0000, FALSE, 0x180);
    CPoint at(wnd.left - bar->m_cxLeftBorder - secData.cxBorder2,
              wnd.top - bar->m_cyTopBorder - secData.cyBorder2);
    mgr->GetFrame()->FloatControlBar(bar, at, CBRS_ALIGN_TOP);
    return TRUE;
  }
  if (!target->AcceptsDrop()) return copy ? TRUE : RemoveFromSource(FALSE);
  target->ScreenToClient(&rect);
  return target->DropButton(rect, btn, copy, FALSE);
}

BOOL SECCustomToolBar::RemoveFromSource(BOOL bCopy) {
  SECToolBarManager* mgr = GetManager();
  SECCustomToolBar* src = mgr ? mgr->GetSelectedBar() : this;
  if (bCopy || !src) return TRUE;
  const int index = src->m_nCurBtn;
  src->ClearSelection(TRUE);
  return src->RemoveButton(index);
}

int SECCustomToolBar::DropRow(const CRect& rect, const CRect& inside) const {
  // The wrapped row that holds the rectangle's vertical middle.
  const int middle = (rect.top + rect.bottom) / 2;
  int y = inside.top, row = 0, rowHeight = 0;
  for (int i = 0; i < GetBtnCount(); ++i) {
    const SECStdBtn* b = m_btns[i];
    if (b->m_nStyle & TBBS_HIDDEN) continue;
    rowHeight = std::max(rowHeight, b->m_cy);
    if (!(b->m_nStyle & TBBS_WRAPPED)) continue;
    const int bottom = y + rowHeight + (SECBtnIsSep(b) ? SeparatorRowExtra() : 0);
    if (middle < bottom) return row;
    y = bottom;
    rowHeight = 0;
    ++row;
  }
  return row;
}

void SECCustomToolBar::NudgeButton(int nIndex, const CRect& rect) {
  const SECStdBtn* b = m_btns[nIndex];
  const int dx = rect.left - b->m_x;
  if (std::abs(dx) < kSECNudgeMin) return;
  const int n = GetBtnCount();
  const BOOL prevSep = nIndex > 0 && SECBtnIsSep(m_btns[nIndex - 1]);
  const BOOL nextSep = nIndex + 1 < n && SECBtnIsSep(m_btns[nIndex + 1]);
  if (dx > 0) {
    if (nIndex == 0 || prevSep) {
      if (nextSep) RemoveButton(nIndex + 1, TRUE);
    } else {
      InsertButton(nIndex, 0, TRUE, TRUE);
    }
  } else if (prevSep) {
    RemoveButton(nIndex - 1, TRUE);
  } else if (nIndex + 1 < n && !SECBtnIsSep(m_btns[nIndex + 1])) {
    InsertButton(nIndex + 1, 0, TRUE, TRUE);
  }
  LayoutAndRepaint();
}

BOOL SECCustomToolBar::DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, BOOL bNoLayout) {
  const UINT id = pBtn->m_nID;
  SECToolBarManager* mgr = GetManager();
  SECCustomToolBar* src = mgr ? mgr->GetSelectedBar() : nullptr;
  const BOOL sameBar = src == this;
  auto finish = [&](int index) {
    InsertButton(index, id, FALSE, bNoLayout);
    if (!s_bAltDrag) SelectButton(std::min(index, GetBtnCount() - 1));
  };
  if (m_btns.empty()) {
    const BOOL kept = sameBar || RemoveFromSource(bCopy);
    finish(0);
    return kept;
  }
  if (GetBtnCount() == 1 && sameBar && !bCopy) return TRUE;
  CRect inside;  // where the buttons lie: the client area less the borders
  GetClientRect(&inside);
  CalcInsideRect(inside, !(m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)));
  if (rect.bottom < inside.top || rect.top > inside.bottom) {
    // Above: the button and a separator first; below: a separator and the button last.
    const BOOL above = rect.bottom < inside.top;
    SECStdBtn* marker = sameBar && !bCopy ? m_btns[m_nCurBtn] : nullptr;
    const int at = above ? 0 : GetBtnCount();
    InsertButton(at, 0, TRUE, TRUE);
    InsertButton(above ? 0 : at + 1, id, FALSE, TRUE);
    // A move, not a copy: the button leaves its old place.
    BOOL result = TRUE;
    if (marker) {
      const int old = FindButton(marker);
      ClearSelection(FALSE);
      RemoveButton(old, TRUE);
    } else {
      result = RemoveFromSource(bCopy);
    }
    if (!s_bAltDrag) SelectButton(above ? 0 : GetBtnCount() - 1);
    if (!bNoLayout) LayoutAndRepaint();
    return result;
  }
  const int row = DropRow(rect, inside);
  int first = 0, r = 0;
  while (r < row && first < GetBtnCount()) {
    if (m_btns[first]->m_nStyle & TBBS_WRAPPED) ++r;
    ++first;
  }
  int last = first;
  while (last + 1 < GetBtnCount() && !(m_btns[last]->m_nStyle & TBBS_WRAPPED)) ++last;
  if (last > first && SECBtnIsSep(m_btns[last])) --last;
  const int sel = sameBar ? m_nCurBtn : -1;
  if (!bCopy && sel >= first && sel <= last) {
    const SECStdBtn* s = m_btns[sel];
    if (rect.left > s->m_x - s->m_cx && rect.left < s->m_x + s->m_cx) {
      NudgeButton(sel, rect);
      return TRUE;
    }
  }
  int index = last + 1;
  int x = inside.left;
  if (rect.left < x) index = first;
  for (int i = first; i <= last && index == last + 1; ++i) {
    if (m_btns[i]->m_nStyle & TBBS_HIDDEN) continue;
    x += m_btns[i]->m_cx;
    if (rect.left < x) index = i + 1;
  }
  SECStdBtn* before = index < GetBtnCount() ? m_btns[index] : nullptr;
  BOOL result = TRUE;
  if (!bCopy && sameBar) {
    if (index == sel || index == sel + 1) return TRUE;  // its own place
    ClearSelection(FALSE);
    RemoveButton(sel, TRUE);
  } else if (!bCopy && src) {
    result = RemoveFromSource(FALSE);
  }
  const int found = before ? FindButton(before) : -1;
  index = found >= 0 ? found : std::min(index, GetBtnCount());
  if (index < GetBtnCount()) {
    const SECStdBtn* s = m_btns[index];
    if (SECBtnIsSep(s) && !(s->m_nStyle & TBBS_WRAPPED) && rect.left < s->m_x - 1 &&
        rect.right >= s->m_x + s->m_cx)
      RemoveButton(index, TRUE);
  }
  finish(index);
  return result;
}

void SECCustomToolBar::DestroyLater() {
  if (m_hWnd) PostMessage(SECGetDestroyEmptyMessage());
}

LRESULT SECCustomToolBar::OnDestroyLater(WPARAM, LPARAM) {
  if (m_btns.empty()) DestroyWindow();
  return 0;
}

void SECCustomToolBar::DelayShow(BOOL bShow) {
  SECToolBarManager* mgr = GetManager();
  if (!bShow && (m_dwStyle & CBRS_FLOATING) && mgr && mgr->IsCustomizeMode()) {
    if (!(m_nStateFlags & delayHide)) {
      m_nStateFlags |= delayHide;
      PostMessage(SECGetNoDelayHideMessage());
    }
    return;
  }
  CControlBar::DelayShow(bShow);
}

LRESULT SECCustomToolBar::OnNoDelayHide(WPARAM, LPARAM) {
  if (CFrameWnd* frame = GetDockingFrame()) frame->ShowControlBar(this, FALSE, FALSE);
  m_nStateFlags &= ~delayHide;
  return 0;
}

void SECCustomToolBar::GetBarInfoEx(SECControlBarInfo* pInfo) {
  auto* ex = new SECCustomToolBarInfoEx;
  if (m_hWnd) GetWindowText(ex->m_strTitle);
  for (const SECStdBtn* b : m_btns) {
    SECBtnInfo info;
    info.nID = SECBtnIsSep(b) ? 0 : b->m_nID;
    BYTE* data = nullptr;
    int len = 0;
    if (b->GetPersistentData(data, len) && data && len > 0) {
      info.data.assign(data, data + std::min<size_t>(len, kSECMaxButtonData));
      delete[] data;
    }
    ex->m_btnInfo.push_back(std::move(info));
  }
  delete pInfo->m_pBarInfoEx;
  pInfo->m_pBarInfoEx = ex;
}

void SECCustomToolBar::SetBarInfoEx(SECControlBarInfo* pInfo, CFrameWnd* pFrameWnd) {
  auto* ex = dynamic_cast<SECCustomToolBarInfoEx*>(pInfo->m_pBarInfoEx);
  if (!ex) return;
  if (!ex->m_strTitle.IsEmpty() && m_hWnd) SetWindowText(ex->m_strTitle);
  RemoveAllButtons();
  ClearSelection(FALSE);
  for (const SECBtnInfo& info : ex->m_btnInfo) {
    SECStdBtn* b = info.nID ? CreateButton(info.nID) : CreateSeparator();
    if (!info.data.empty()) b->SetPersistentData(info.data.data(), static_cast<int>(info.data.size()));
    m_btns.push_back(b);
  }
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
}
