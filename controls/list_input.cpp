// Mouse and keyboard input of the list: the selection rule shared by mouse
// and keys, press classification, drag detection, label-edit arming, the
// key table, wheel scrolling and type-ahead search.
#include "controls/list_base.h"

#include "controls/list_edit.h"
#include "controls/list_tip.h"
#include "platform/ui/dialog.h"

namespace {
constexpr UINT kInputKeyHitFlags = 0x46;  // what a key press counts as hitting
constexpr int kInputRowDragSlop = 3;
constexpr int kInputHeaderDragSlop = 1;
constexpr int kInputWheelNotch = 120;
constexpr int kInputWheelHorzStep = 15;
constexpr int kInputDropBandExtra = 30;
constexpr LPARAM kInputRButtonSetCursor = MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN);
constexpr UINT kInputVkOemPlus = 0xBB;
constexpr UINT kInputVkOemMinus = 0xBD;
}  // namespace

// ---- The selection rule ----

BOOL SECListBaseC::SelectItemByInput(int nRow, UINT nHitFlags, UINT nKeyFlags, BOOL bByMouse) {
  m_nClickRow = -1;
  const int focus = m_nFocusIndex;
  const bool shift = (nKeyFlags & MK_SHIFT) != 0;
  const bool ctrl = (nKeyFlags & MK_CONTROL) != 0;
  if (IsMultiSelect() && (shift || ctrl)) {
    if (m_bClickSelect) return TRUE;
    if (ctrl && !shift) {
      m_pTip->Hide();
      if (!bByMouse) {
        SetFocusIndex(nRow);
        return TRUE;
      }
      m_bClickSelect = OnSelChanging(nRow, focus, bByMouse);
      if (m_bClickSelect) return FALSE;
      SetFocusItem(nRow, !IsItemSelected(nRow));
    } else {
      if (m_nAnchor == -1 || nRow == focus) return TRUE;
      m_bClickSelect = OnSelChanging(nRow, focus, bByMouse);
      if (m_bClickSelect) return FALSE;
      const int anchor = m_nAnchor;
      m_pTip->Hide();
      DeselectAllExcept(-1);
      SelectRange(anchor, nRow, TRUE);
      SetFocusItem(nRow, TRUE);
      m_nAnchor = anchor;
      UpdateItems(anchor, nRow);
    }
  } else {
    const bool selected = IsItemSelected(nRow);
    if (nRow == focus && selected) return TRUE;
    if (selected && GetSelectedCount() > 1) return TRUE;
    if ((nKeyFlags & MK_RBUTTON) && selected) {
      m_pTip->Hide();
      const int anchor = m_nAnchor;
      SetFocusIndex(nRow);
      m_nAnchor = anchor;
      return TRUE;
    }
    if (OnSelChanging(nRow, focus, bByMouse)) return FALSE;
    m_pTip->Hide();
    DeselectAllExcept(nRow);
    SetFocusItem(nRow, TRUE);
  }
  OnSelChanged(nRow, focus, bByMouse);
  return TRUE;
}

void SECListBaseC::PrepareClickSelection(const POINT* pt, int nRow, UINT nHitFlags, BOOL* pbDragPending,
                                         BOOL* pbSelectNow) {
  if (nHitFlags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) {
    *pbDragPending = *pbSelectNow = TRUE;
  } else if (HasListStyleEx(LVXS_HEADERDRAGDROP) && (nHitFlags & kSECListHitHeader)) {
    *pbDragPending = nRow > 0;
  } else if ((nHitFlags & kSECListHitRow) && !(nHitFlags & LVHT_ONITEMSTATEICON)) {
    if (HasListStyleEx(LVXS_FULLROWSELECT)) {
      *pbSelectNow = TRUE;
    } else if (nHitFlags & kSECListHitLeftOfLabel) {
      CRect icon;
      *pbSelectNow = GetItemRect(nRow, &icon, kSECListRectIcon) && pt->x >= icon.right;
    }
    *pbDragPending = *pbSelectNow;
  }
}

// ---- Mouse ----

void SECListBaseC::OnLButtonDown(UINT nFlags, CPoint point) {
  if (::GetFocus() != m_hWnd) SetFocus();
  UINT hit = 0;
  int col = -1;
  const int row = HitTest(point.x, point.y, &hit, &col);
  m_bDragPending = FALSE;
  BOOL selectNow = FALSE;
  m_nCurColumn = col;
  if ((hit & kSECListHitDivider) && col + 1 < GetColumnCount()) {
    FinishColumnResize(col, TrackColumnResize(point.x, point.y, col));
  } else {
    PrepareClickSelection(&point, row, hit, &m_bDragPending, &selectNow);
    if (!HasListStyle(LVS_NOSORTHEADER) && (hit & kSECListHitHeader)) {
      m_nPressedColumn = col;
      DrawHeaderItem(col, TRUE);
      SetCapture();
    }
    if (selectNow && SelectItemByInput(row, hit, nFlags, TRUE)) OnInputSelect(row, TRUE);
    // A press that selects elsewhere disarms a pending label edit.
    if (m_nPendingEdit != -1 && m_nPendingEdit != row) m_nPendingEdit = -1;
  }
  m_ptButtonDown = point;
  m_pTip->Refresh();
  m_bRowDrag = FALSE;
  m_bHeaderDrag = FALSE;
  m_nClickRow = -1;
  Default();
}

void SECListBaseC::OnMouseMove(UINT nFlags, CPoint point) {
  if (m_bRowDrag && !m_bHeaderDrag) return;
  UINT hit = 0;
  int col = -1;
  const int row = HitTest(point.x, point.y, &hit, &col);
  m_bSpecialCursor = (hit & kSECListHitDivider) != 0;
  if (!HasListStyle(LVS_NOSORTHEADER) && !(hit & kSECListHitHeader) && m_nPressedColumn >= 0 &&
      !m_bHeaderDrag) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    DrawHeaderItem(m_nPressedColumn, FALSE);
    m_bDragPending = FALSE;
    m_nPressedColumn = -1;
  }
  const bool button = (nFlags & (MK_LBUTTON | MK_RBUTTON)) != 0;
  if (m_nFocusIndex != -1 && m_bDragPending && !(hit & kSECListHitHeader) && !m_bSpecialCursor && button &&
      (std::abs(point.x - m_ptButtonDown.x) > kInputRowDragSlop ||
       std::abs(point.y - m_ptButtonDown.y) > kInputRowDragSlop)) {
    m_bRowDrag = TRUE;
    m_bDragPending = FALSE;
  }
  if (m_nPressedColumn > 0 && m_bDragPending && (nFlags & MK_LBUTTON) &&
      (std::abs(point.x - m_ptButtonDown.x) > kInputHeaderDragSlop ||
       std::abs(point.y - m_ptButtonDown.y) > kInputHeaderDragSlop)) {
    m_bDragPending = FALSE;
    m_bHeaderDrag = TRUE;
    if (m_pHeaderDragImage == nullptr) {
      m_pHeaderDragImage = CreateHeaderDragImage(m_nPressedColumn);
      CImageList::DragShowNolock(TRUE);
      if (m_pHeaderDragImage)
        m_pHeaderDragImage->BeginDrag(0, CPoint(point.x - GetColumnLeft(m_nPressedColumn), 0));
    }
  }
  if (m_bHeaderDrag && (nFlags & MK_LBUTTON)) {
    CRect inside;
    GetInsideRect(&inside);
    const CRect band(0, 0, inside.right, m_cyHeader + kInputDropBandExtra);
    if (band.PtInRect(point)) {
      CImageList::DragEnter(this, CPoint(point.x, 0));
      CImageList::DragMove(CPoint(point.x, 0));
      const int oldDrop = m_nDropColumn;
      DrawDropMarker(point.x, point.y, col);
      if (oldDrop != m_nDropColumn) {
        CImageList::DragLeave(this);
        RedrawDropColumn(oldDrop);
        CImageList::DragEnter(this, CPoint(point.x, 0));
      }
    } else if (CImageList::DragLeave(this)) {
      RedrawDropColumn(m_nDropColumn);
    }
  }
  if (HasListStyleEx(LVXS_LABELTIPS) && HasListStyle(LVS_NOLABELWRAP)) {
    if (!m_bRowDrag && !m_bHeaderDrag && row != m_nEditIndex)
      m_pTip->Show(hit, row, col, point.x, point.y);
    else
      m_pTip->Hide();
  }
  if (m_bRowDrag) {
    if (nFlags & MK_LBUTTON)
      BeginDrag();
    else
      BeginRightDrag(m_nFocusIndex, m_ptButtonDown.x, m_ptButtonDown.y);
  }
  Default();
}

void SECListBaseC::EndHeaderDrag() {
  m_bHeaderDrag = FALSE;
  CImageList::EndDrag();
  delete m_pHeaderDragImage;
  m_pHeaderDragImage = nullptr;
  RedrawDropColumn(m_nDropColumn);
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
  DrawHeaderItem(m_nPressedColumn, FALSE);
  if (m_nDropColumn != m_nPressedColumn && m_nDropColumn != m_nPressedColumn + 1 && m_nDropColumn != -1)
    MoveColumn(m_nPressedColumn, m_nDropColumn, TRUE);
  m_nPressedColumn = -1;
  m_nDropColumn = -1;
}

void SECListBaseC::OnLButtonUp(UINT nFlags, CPoint point) {
  m_bDragPending = FALSE;
  if (m_bRowDrag) {
    m_bRowDrag = FALSE;
    return;
  }
  if (m_bHeaderDrag) {
    EndHeaderDrag();
    return;
  }
  if (!HasListStyle(LVS_NOSORTHEADER) && m_nPressedColumn >= 0) {
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    DrawHeaderItem(m_nPressedColumn, FALSE);
    NotifyColumnClick(m_nPressedColumn);
    m_nPressedColumn = -1;
  }
  UINT hit = 0;
  int col = -1;
  const int row = HitTest(point.x, point.y, &hit, &col);
  if (row != -1 && (hit & kSECListHitRow) && IsItemSelected(row) && GetSelectedCount() > 1 &&
      !(nFlags & (MK_SHIFT | MK_CONTROL))) {
    DeselectAllExcept(-1);
    SelectItemByInput(row, hit, nFlags, TRUE);
  }
  auto onLabelArea = [&] {
    if (hit & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) return true;
    if (!(hit & kSECListHitRow)) return false;
    if (HasListStyleEx(LVXS_FULLROWSELECT)) return true;
    CRect icon;
    return (hit & kSECListHitLeftOfLabel) && GetItemRect(row, &icon, kSECListRectIcon) &&
           icon.right <= point.x;
  };
  if (onLabelArea() && m_nPendingEdit == row && row != -1) {
    KillEditTimer();
    m_nEditTimer = SetTimer(kSECListEditTimer, kSECListEditDelayMs, nullptr);
  }
  const bool armed = HasListStyle(LVS_EDITLABELS) && row != -1 && IsItemSelected(row) &&
                     ((hit & LVHT_ONITEMLABEL) || (HasListStyleEx(LVXS_FULLROWSELECT) &&
                                                   (hit & kSECListHitRow) && m_nCurColumn >= 1 && col >= 1));
  m_nPendingEdit = armed ? row : -1;
  Default();
  Notify(NM_CLICK);
}

void SECListBaseC::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_nPendingEdit != -1) {
    m_nPendingEdit = -1;
    KillEditTimer();
  }
  Default();
  Notify(NM_DBLCLK);
}

void SECListBaseC::OnRButtonDown(UINT nFlags, CPoint point) {
  if (m_pTip->GetSafeHwnd() && m_pTip->IsWindowVisible()) {
    CWnd* main = AfxGetMainWnd();
    SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(main ? main->GetSafeHwnd() : nullptr),
                kInputRButtonSetCursor);
  }
  SetFocus();
  UINT hit = 0;
  int col = -1;
  const int row = HitTest(point.x, point.y, &hit, &col);
  m_bDragPending = FALSE;
  if (!(hit & kSECListHitDivider)) {
    BOOL selectNow = FALSE;
    PrepareClickSelection(&point, row, hit, &m_bDragPending, &selectNow);
    if (selectNow && SelectItemByInput(row, hit, nFlags, TRUE)) OnInputSelect(row, TRUE);
  }
  m_ptButtonDown = point;
  m_pTip->Refresh();
  m_bRowDrag = FALSE;
  Default();
}

void SECListBaseC::OnRButtonUp(UINT nFlags, CPoint point) {
  m_bDragPending = FALSE;
  if (m_bRowDrag) {
    m_bRowDrag = FALSE;
    return;
  }
  m_pTip->Refresh();
  Default();
  Notify(NM_RCLICK);
}

BOOL SECListBaseC::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest == HTCLIENT && pWnd == this && m_bSpecialCursor) {
    ::SetCursor(m_hDividerCursor);
    return FALSE;
  }
  return static_cast<BOOL>(Default());
}

void SECListBaseC::OnCancelMode() { m_pTip->Hide(); }

// ---- Focus and enabling ----

void SECListBaseC::OnSetFocus(CWnd* pOldWnd) {
  Default();
  if (HasListStyle(LVS_SINGLESEL) && m_nFocusIndex != -1)
    UpdateItem(m_nFocusIndex, TRUE, FALSE, FALSE, FALSE);
  else
    Invalidate(TRUE);
  Notify(NM_SETFOCUS);
}

void SECListBaseC::OnKillFocus(CWnd* pNewWnd) {
  if (pNewWnd != nullptr && pNewWnd->GetSafeHwnd() == m_pEdit->GetSafeHwnd() && m_pEdit->GetSafeHwnd())
    return;
  if (m_pEdit->GetSafeHwnd()) EndLabelEdit(TRUE);
  if (HasListStyle(LVS_SINGLESEL) && m_nFocusIndex != -1)
    UpdateItem(m_nFocusIndex, FALSE, FALSE, FALSE, FALSE);
  else
    Invalidate(TRUE);
  Notify(NM_KILLFOCUS);
}

void SECListBaseC::OnEnable(BOOL bEnable) {
  if (!bEnable) m_pTip->Hide();
  Invalidate(TRUE);
}

// ---- Wheel ----

BOOL SECListBaseC::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  m_nWheelDelta += zDelta;
  const int lines = m_nWheelDelta / kInputWheelNotch;
  if (lines != 0) {
    m_pTip->Hide();
    if (m_dwScrollBars & WS_VSCROLL) {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL;
      if (CScrollBar* bar = GetScrollBarCtrl(SB_VERT)) bar->GetScrollInfo(&info, SIF_ALL);
      const bool up = lines > 0 && info.nPos > 0;
      const bool down = lines < 0 && info.nPos + static_cast<int>(info.nPage) < info.nMax + 1;
      if (up || down) ScrollRows(-lines, FALSE);
    } else if (m_dwScrollBars & WS_HSCROLL) {
      ScrollHorz(lines * kInputWheelHorzStep);
    }
    m_nWheelDelta = 0;
  }
  return TRUE;
}

// ---- Keys ----

UINT SECListBaseC::KeyFlagsFromKeyboard() const {
  return (::GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0) | (::GetKeyState(VK_CONTROL) < 0 ? MK_CONTROL : 0);
}

void SECListBaseC::SelectAndShow(int nRow, UINT nKeyFlags) {
  if (SelectItemByInput(nRow, kInputKeyHitFlags, nKeyFlags, FALSE)) {
    OnInputSelect(nRow, FALSE);
    EnsureVisible(nRow, FALSE);
  }
}

namespace {
// The keys that go to a key operation: virtual key, operation.
using InputKeyOp = void (SECListBaseC::*)(int, int, BOOL, BOOL, UINT, UINT);
struct InputKeyEntry {
  UINT vk;
  InputKeyOp op;
};
constexpr InputKeyEntry kInputKeyTable[] = {
    {VK_BACK, &SECListBaseC::KeyBack},
    {VK_RETURN, &SECListBaseC::KeyReturn},
    {VK_PRIOR, &SECListBaseC::KeyPageUp},
    {VK_NEXT, &SECListBaseC::KeyPageDown},
    {VK_END, &SECListBaseC::KeyEnd},
    {VK_HOME, &SECListBaseC::KeyHome},
    {VK_LEFT, &SECListBaseC::KeyCollapse},
    {VK_SUBTRACT, &SECListBaseC::KeyCollapse},
    {kInputVkOemMinus, &SECListBaseC::KeyCollapse},
    {VK_UP, &SECListBaseC::KeyPrevItem},
    {VK_RIGHT, &SECListBaseC::KeyExpand},
    {VK_ADD, &SECListBaseC::KeyExpand},
    {kInputVkOemPlus, &SECListBaseC::KeyExpand},
    {VK_DOWN, &SECListBaseC::KeyNextItem},
    {VK_MULTIPLY, &SECListBaseC::KeyExpandAll},
    {VK_F2, &SECListBaseC::KeyEditLabel},
};
}  // namespace

void SECListBaseC::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  NotifyKeyDown(nChar);
  const UINT keys = KeyFlagsFromKeyboard();
  const BOOL shift = (keys & MK_SHIFT) != 0;
  const BOOL ctrl = (keys & MK_CONTROL) != 0;
  const int focus = GetFocusIndex();
  const SECListColumn* col = GetColumnRecord(m_nCurColumn);
  const int sub = col ? col->iSubItem : 0;
  CWnd* parent = GetParent();
  switch (nChar) {
    case VK_SPACE:
      if (IsValidRow(focus)) SetFocusItem(focus, !IsItemSelected(focus));
      break;
    case VK_TAB:
      if (parent) parent->PostMessage(WM_NEXTDLGCTL, static_cast<WPARAM>(shift), 0);
      break;
    case VK_ESCAPE:
      if (parent) parent->PostMessage(WM_COMMAND, IDCANCEL, 0);
      break;
    default:
      for (const InputKeyEntry& entry : kInputKeyTable)
        if (entry.vk == nChar) (this->*entry.op)(focus, sub, shift, ctrl, nRepCnt, nFlags);
      break;
  }
  Default();
}

void SECListBaseC::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  NotifyKeyDown(nChar);
  Default();
}

namespace {
UINT InputKeys(BOOL bShift, BOOL bCtrl) { return (bShift ? MK_SHIFT : 0) | (bCtrl ? MK_CONTROL : 0); }
}  // namespace

void SECListBaseC::KeyPrevItem(int nFocus, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
  if (nFocus > 0) SelectAndShow(nFocus - 1, InputKeys(bShift, bCtrl));
}

void SECListBaseC::KeyNextItem(int nFocus, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
  if (nFocus < GetItemCount() - 1) SelectAndShow(nFocus + 1, InputKeys(bShift, bCtrl));
}

void SECListBaseC::KeyEditLabel(int nFocus, int, BOOL, BOOL, UINT, UINT) {
  if (HasListStyle(LVS_EDITLABELS)) EditLabel(nFocus, m_nCurColumn);
}

void SECListBaseC::KeyReturn(int, int, BOOL, BOOL, UINT, UINT) { Notify(NM_RETURN); }

// Home and End: the scroll bar goes to its end, then the row is selected.
void SECListBaseC::KeyToEnd(int nRow, UINT nScrollCode, UINT nKeyFlags) {
  if (GetItemCount() == 0) return;
  if (CScrollBar* bar = GetScrollBarCtrl(SB_VERT); bar && (m_dwScrollBars & WS_VSCROLL)) {
    SendMessage(WM_VSCROLL, nScrollCode, reinterpret_cast<LPARAM>(bar->GetSafeHwnd()));
    Invalidate(TRUE);
  }
  if (SelectItemByInput(nRow, kInputKeyHitFlags, nKeyFlags, FALSE)) OnInputSelect(nRow, FALSE);
  Invalidate(TRUE);
}

void SECListBaseC::KeyHome(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
  KeyToEnd(0, SB_TOP, InputKeys(bShift, bCtrl));
}

void SECListBaseC::KeyEnd(int, int, BOOL bShift, BOOL bCtrl, UINT, UINT) {
  KeyToEnd(GetItemCount() - 1, SB_BOTTOM, InputKeys(bShift, bCtrl));
}

void SECListBaseC::KeyPageUp(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) {
  CScrollBar* bar = GetScrollBarCtrl(SB_VERT);
  if (bar == nullptr || !(m_dwScrollBars & WS_VSCROLL)) {
    KeyHome(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
    return;
  }
  if (nFocus == m_nTopIndex) SendMessage(WM_VSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(bar->GetSafeHwnd()));
  if (SelectItemByInput(m_nTopIndex, kInputKeyHitFlags, InputKeys(bShift, bCtrl), FALSE))
    OnInputSelect(m_nTopIndex, FALSE);
  Invalidate(TRUE);
}

void SECListBaseC::KeyPageDown(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) {
  CScrollBar* bar = GetScrollBarCtrl(SB_VERT);
  if (bar == nullptr || !(m_dwScrollBars & WS_VSCROLL)) {
    KeyEnd(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
    return;
  }
  if (nFocus == GetLastFullyVisibleIndex())
    SendMessage(WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->GetSafeHwnd()));
  const int last = GetLastFullyVisibleIndex();
  if (SelectItemByInput(last, kInputKeyHitFlags, InputKeys(bShift, bCtrl), FALSE)) OnInputSelect(last, FALSE);
  Invalidate(TRUE);
}

// ---- Type-ahead ----

int SECListBaseC::TypeAheadSearch(int nStart, const CString& text) {
  CString wanted = text;
  wanted.MakeLower();
  const int count = GetItemCount();
  const int first = nStart < 0 ? 0 : nStart;
  for (int n = 0; n < count; ++n) {
    const int row = (first + n) % count;
    if (nStart < 0 && first + n >= count) break;
    CString label = GetCellText(row, 0);
    label.MakeLower();
    if (label.Left(wanted.GetLength()) == wanted) return row;
  }
  return -1;
}

void SECListBaseC::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if ((m_nTypeAheadFlags & kSECTypeAheadOff) || nChar == VK_ESCAPE || nChar == VK_RETURN ||
      nChar == VK_SPACE || GetItemCount() == 0) {
    Default();
    return;
  }
  if (m_nTypeAheadFlags & kSECTypeAheadFailed) {
    m_nTypeAheadFlags |= kSECTypeAheadKeyed;
    return;
  }
  if (!(m_nTypeAheadFlags & kSECTypeAheadActive)) {
    m_nTypeAheadFlags |= kSECTypeAheadActive;
    m_strTypeAhead.Empty();
    if (m_nTypeAheadTimer) KillTimer(m_nTypeAheadTimer);
    m_nTypeAheadTimer = SetTimer(kSECListTypeAheadTimer, m_nTypeAheadPeriod, nullptr);
  }
  m_strTypeAhead += static_cast<char>(nChar);
  int start = m_nFocusIndex;
  if (m_strTypeAhead.GetLength() < 2) {
    start = GetNextItem(m_nFocusIndex, LVNI_BELOW);
    if (start == -1) start = GetNextItem(-1, LVNI_BELOW);
  }
  const int found = TypeAheadSearch(start, m_strTypeAhead);
  if (found != -1) {
    if (SelectItemByInput(found, kInputKeyHitFlags, 0, FALSE)) {
      OnInputSelect(found, FALSE);
      EnsureVisible(found, FALSE);
    }
    m_nTypeAheadFlags |= kSECTypeAheadKeyed;
  } else {
    ::MessageBeep(0xFFFFFFFF);
    m_nTypeAheadFlags |= kSECTypeAheadFailed | kSECTypeAheadKeyed;
  }
}
