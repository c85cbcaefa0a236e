// Window life of the list: creation with the style split, the scroll-bar
// children, destruction, the three timers and in-place label editing.
#include "controls/list_base.h"

#include "controls/list_edit.h"
#include "controls/list_tip.h"

namespace {
constexpr int kWindowLabelColumnWidth = 20;
constexpr int kWindowEditLeft = 4;
constexpr int kWindowEditGrow = 10;
constexpr int kWindowMinAutoScrollRows = 3;
constexpr DWORD kWindowEditStyle = WS_CHILD | WS_BORDER | ES_MULTILINE;
}  // namespace

// ---- Creation ----

BOOL SECListBaseC::Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          LPVOID lpParam) {
  return CreateEx(dwExStyle, nullptr, nullptr, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL SECListBaseC::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return Create(dwStyle, 0, rect, pParentWnd, nID, lpParam);
}

BOOL SECListBaseC::Create(LPCSTR, LPCSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          void*) {
  return Create(dwStyle, 0, rect, pParentWnd, nID, nullptr);
}

BOOL SECListBaseC::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                            int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                            LPVOID lpParam) {
  CREATESTRUCT cs{};
  cs.dwExStyle = dwExStyle;
  cs.style = static_cast<LONG>(dwStyle);
  SplitCreateStyles(&cs);
  return CWnd::CreateEx(cs.dwExStyle, lpszClassName, lpszWindowName, static_cast<DWORD>(cs.style), x, y,
                        nWidth, nHeight, hWndParent, nIDorHMenu, lpParam);
}

BOOL SECListBaseC::ReplaceDlgItem(UINT nID, CWnd* pParentWnd) {
  CWnd* old = pParentWnd ? pParentWnd->GetDlgItem(static_cast<int>(nID)) : nullptr;
  if (old == nullptr) return FALSE;
  const DWORD style = old->GetStyle() | WS_BORDER;
  const DWORD exStyle = old->GetExStyle();
  CRect rect;
  old->GetWindowRect(&rect);
  pParentWnd->ScreenToClient(&rect);
  old->DestroyWindow();
  return Create(style, exStyle, rect, pParentWnd, nID, nullptr);
}

int SECListBaseC::OnCreate(LPCREATESTRUCT lpcs) {
  if (Default() == -1) return -1;
  m_hDividerCursor = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(kSECListDividerCursorId));
  if (m_hDividerCursor == nullptr) m_hDividerCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
  if ((m_dwListStyle & LVS_TYPEMASK) != LVS_REPORT) {
    ModifyListStyle(0, LVS_NOCOLUMNHEADER, FALSE);
    InsertColumn(0, "", LVCFMT_LEFT, kWindowLabelColumnWidth, 0, 0, TRUE);
  }
  return 0;
}

void SECListBaseC::OnDestroy() {
  KillScrollTimer();
  KillEditTimer();
  if (m_nTypeAheadTimer) KillTimer(m_nTypeAheadTimer);
  m_nTypeAheadTimer = 0;
  if (!HasListStyle(LVS_SHAREIMAGELISTS))
    for (CImageList*& list : m_imageLists) {
      delete list;
      list = nullptr;
    }
  if (m_pTip->GetSafeHwnd()) m_pTip->DestroyWindow();
  if (m_pEdit->GetSafeHwnd()) m_pEdit->DestroyWindow();
  m_nEditIndex = -1;
  DeleteAllItems();
  DeleteAllColumns();
  CWnd::OnDestroy();
}

CScrollBar* SECListBaseC::GetScrollBarCtrl(int nBar) const {
  const CScrollBar& bar = nBar == SB_HORZ ? m_horzBar : m_vertBar;
  return HasWindow() && bar.GetSafeHwnd() ? const_cast<CScrollBar*>(&bar) : nullptr;
}

BOOL SECListBaseC::CreateScrollBarCtrl(DWORD dwStyle, UINT nID) {
  if (!HasWindow()) return FALSE;
  CScrollBar& bar = nID == kSECListHScrollId ? m_horzBar : m_vertBar;
  if (bar.GetSafeHwnd()) return TRUE;
  return bar.Create(dwStyle | WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, nID);
}

CEdit* SECListBaseC::GetEditControl() const { return m_pEdit; }

// ---- Timers ----

UINT_PTR SECListBaseC::StartScrollTimer(UINT nPeriod) {
  const BOOL killed = KillScrollTimer();
  if (nPeriod == 0 || !HasWindow()) return killed;
  m_nScrollTimer = SetTimer(kSECListScrollTimer, nPeriod, nullptr);
  return m_nScrollTimer;
}

BOOL SECListBaseC::KillScrollTimer() {
  BOOL killed = FALSE;
  if (m_nScrollTimer && HasWindow()) killed = KillTimer(m_nScrollTimer);
  m_nScrollTimer = 0;
  return killed;
}

BOOL SECListBaseC::KillEditTimer() {
  if (m_nEditTimer && HasWindow()) KillTimer(m_nEditTimer);
  m_nEditTimer = 0;
  return TRUE;
}

void SECListBaseC::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == m_nEditTimer && m_nEditTimer != 0) {
    KillEditTimer();
    if (m_nPendingEdit != -1 && m_nPendingEdit == m_nFocusIndex) EditLabel(m_nPendingEdit, m_nCurColumn);
  } else if (nIDEvent == kSECListScrollTimer && m_bRowDrag) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    UINT flags = 0;
    int col = -1;
    const int row = HitTest(pt.x, pt.y, &flags, &col);
    if (row != -1 && (flags & kSECListHitRow) && GetItemCount() >= kWindowMinAutoScrollRows) {
      const int last = GetLastFullyVisibleIndex(FALSE);
      if (m_nTopIndex > 0 && row <= m_nTopIndex) {
        SetDropHilightIndex(-1);
        ScrollRows(-1, FALSE);
      } else if (row >= last && last != GetItemCount() - 1) {
        SetDropHilightIndex(-1);
        ScrollRows(1, FALSE);
      }
    }
  } else if (nIDEvent == m_nTypeAheadTimer && m_nTypeAheadTimer != 0) {
    const UINT both = kSECTypeAheadActive | kSECTypeAheadKeyed;
    if ((m_nTypeAheadFlags & both) == both) {
      m_nTypeAheadFlags &= ~kSECTypeAheadKeyed;
    } else {
      KillTimer(m_nTypeAheadTimer);
      m_nTypeAheadTimer = 0;
      m_nTypeAheadFlags &= kSECTypeAheadOff;
      m_strTypeAhead.Empty();
    }
  }
  Default();
}

// ---- Label editing ----

CEdit* SECListBaseC::EditLabel(int nRow, int nCol) {
  if (m_pEdit->GetSafeHwnd() || !HasWindow() || !IsValidRow(nRow)) return nullptr;
  m_pTip->Hide();
  if (m_nEditIndex != -1) EndLabelEdit(TRUE);
  const SECListColumn* col = GetColumnRecord(nCol);
  const int sub = col ? col->iSubItem : 0;
  m_nPendingEdit = -1;
  m_nEditIndex = nRow;
  m_nEditColumn = nCol;
  CRect label;
  if (!GetCellRect(nRow, nCol, &label, kSECListRectLabel)) {
    m_nEditIndex = -1;
    return nullptr;
  }
  const int width = label.Width();
  label.left = std::max(static_cast<int>(label.left) - kWindowEditLeft, 0);
  label.top -= 1;
  label.bottom += 1;
  label.right = label.left + width + kWindowEditGrow;
  CRect inside;
  GetInsideRect(&inside);
  label.right = std::min(label.right, inside.right);
  DWORD style =
      kWindowEditStyle | (HasListStyle(LVS_NOLABELWRAP) ? ES_AUTOHSCROLL | ES_WANTRETURN : ES_AUTOVSCROLL);
  if (!m_pEdit->Create(style, label, this, kSECListEditId)) {
    m_nEditIndex = -1;
    return nullptr;
  }
  m_pEdit->SendMessage(EM_SETTABSTOPS, 0, 0);
  BOOL deleteDC = FALSE;
  CDC* dc = GetControlDC(&deleteDC);
  SECListPaintContext* context = CreatePaintContext(dc);
  m_pEdit->SetWindowText(GetCellText(nRow, sub));
  context->lvi.iItem = nRow;
  context->lvi.state = 0;
  context->lvi.iSubItem = sub;
  context->pItem = m_items[static_cast<size_t>(nRow)];
  PrepareCell(context);
  m_pEdit->SetFont(context->pFont, TRUE);
  m_pEdit->SendMessage(EM_SETSEL, 0, -1);
  m_pEdit->SendMessage(EM_SCROLLCARET, 0, 0);
  if (NotifyBeginLabelEdit(nRow, sub) == 1) {
    m_pEdit->DestroyWindow();
    m_nEditIndex = -1;
    m_nPendingEdit = -1;
  } else {
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SetFocus();
    m_pEdit->GetWindowText(m_strSavedLabel);
    UpdateItem(m_nEditIndex, FALSE, TRUE, FALSE, FALSE);
  }
  m_bEndingEdit = FALSE;
  delete context;
  if (deleteDC) delete dc;
  return m_pEdit->GetSafeHwnd() ? m_pEdit : nullptr;
}

BOOL SECListBaseC::EndLabelEdit(BOOL bCommit) {
  if (m_pEdit->GetSafeHwnd() == nullptr || m_bEndingEdit) return FALSE;
  m_bEndingEdit = TRUE;
  CString text;
  m_pEdit->GetWindowText(text);
  m_pEdit->DestroyWindow();
  const int sub = std::max(GetColumnSubItem(m_nEditColumn), 0);
  const int row = m_nEditIndex;
  m_nEditIndex = -1;
  if (NotifyEndLabelEdit(row, sub, &text, bCommit)) {
    SetItemText(row, sub, text);
    OnEndLabelEdit(row, sub);
  } else {
    SetItemText(row, sub, m_strSavedLabel);
  }
  RecalcLayout();
  if (HasWindow()) Invalidate(TRUE);
  return TRUE;
}

void SECListBaseC::OnEditUpdate() {
  if (m_nEditIndex == -1 || m_pEdit->GetSafeHwnd() == nullptr) return;
  CRect before;
  GetCellRect(m_nEditIndex, m_nEditColumn, &before, kSECListRectLabel);
  CString text;
  m_pEdit->GetWindowText(text);
  const int sub = std::max(GetColumnSubItem(m_nEditColumn), 0);
  const int row = m_nEditIndex;
  m_nEditIndex = -1;  // the cell takes the text without a redraw under the edit
  SetItemText(row, sub, text);
  m_nEditIndex = row;
  m_items[static_cast<size_t>(row)]->m_bDirty = TRUE;
  MeasureRow(row);
  CRect after;
  GetCellRect(row, m_nEditColumn, &after, kSECListRectLabel);
  if (after.Height() != before.Height()) {
    RecalcLayout();
    UpdateItem(row, FALSE, TRUE, TRUE, FALSE);
  }
  const int left = std::max(static_cast<int>(after.left) - kWindowEditLeft, 0);
  const int moved = left - (after.left - kWindowEditLeft);
  int right = after.right + kWindowEditLeft + moved + kWindowEditGrow;
  CRect inside;
  GetInsideRect(&inside);
  right =
      std::min(right, GetColumnCount() > 1 ? GetColumnRight(m_nEditColumn) : static_cast<int>(inside.right));
  m_pEdit->SetWindowPos(nullptr, 0, 0, right - left, after.Height() + 2,
                        SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void SECListBaseC::OnEditKillFocus() { EndLabelEdit(TRUE); }
