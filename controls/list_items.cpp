// Rows and cells of the list: setting and reading items, insertion and
// deletion bookkeeping, focus, selection, drop highlight and row search.
#include "controls/list_base.h"

#include <cstring>

#include "controls/list_tip.h"

SECListItem* SECListBaseC::GetItemRecord(int nItem) const {
  return IsValidRow(nItem) ? m_items[static_cast<size_t>(nItem)] : nullptr;
}

// ---- Records ----

BOOL SECListBaseC::AddSubItems(SECListItem* pItem) {
  pItem->m_subItems.reserve(pItem->m_subItems.size() + static_cast<size_t>(GetSubItemCount()));
  for (int i = 0; i < GetSubItemCount(); ++i) pItem->AddSubItem();
  return TRUE;
}

BOOL SECListBaseC::RemoveAllSubItems(SECListItem* pItem) {
  while (pItem->GetSubItemCount() > 0) pItem->RemoveSubItem(1);
  return TRUE;
}

int SECListBaseC::InitItemRecord(SECListItem* pItem) { return AddSubItems(pItem) ? 0 : -1; }

SECListItem* SECListBaseC::CreateItemRecord() {
  auto* item = new SECListItem;
  InitItemRecord(item);
  return item;
}

// ---- Setting and reading ----

BOOL SECListBaseC::SetItem(const LV_ITEM* pItem, BOOL bRedraw) {
  SECListItem* item = GetItemRecord(pItem->iItem);
  if (item == nullptr) return FALSE;
  const int row = pItem->iItem;
  const UINT mask = pItem->mask;
  const bool store = (mask & LVIF_DI_SETITEM) != 0;
  UINT notify = 0;
  bool changed = false;
  bool dropChanged = false;

  if (mask & LVIF_TEXT) {
    if (pItem->pszText == LPSTR_TEXTCALLBACK) {
      if (pItem->iSubItem >= 1) {
        if (SECListSubItem* sub = item->GetSubItem(pItem->iSubItem)) {
          SECListFreeText(sub->m_pszText);
          sub->m_pszText = LPSTR_TEXTCALLBACK;
        }
      } else {
        SECListFreeText(item->m_pszText);
        item->m_pszText = LPSTR_TEXTCALLBACK;
      }
      notify |= LVIF_TEXT;
    } else if (pItem->iSubItem >= 1) {
      SECListSubItem* sub = item->GetSubItem(pItem->iSubItem);
      if (sub == nullptr || (sub->m_pszText == LPSTR_TEXTCALLBACK && !store)) {
        notify |= LVIF_TEXT;
      } else {
        SECListFreeText(sub->m_pszText);
        sub->m_pszText = SECListCopyText(pItem->pszText);
      }
    } else if (item->m_pszText != LPSTR_TEXTCALLBACK || store) {
      SECListFreeText(item->m_pszText);
      item->m_pszText = SECListCopyText(pItem->pszText);
    } else {
      notify |= LVIF_TEXT;
    }
    changed = true;
  }
  if (mask & LVIF_IMAGE) {
    if (item->m_iImage == I_IMAGECALLBACK && !store)
      notify |= LVIF_IMAGE;
    else
      item->m_iImage = pItem->iImage;
    changed = true;
  }
  if (mask & LVIF_STATE) {
    const UINT bits = pItem->stateMask;
    const UINT state = pItem->state;
    if (bits & LVIS_SELECTED)
      changed |= (state & LVIS_SELECTED) ? m_selection.Add(static_cast<DWORD>(row))
                                         : m_selection.Remove(static_cast<DWORD>(row));
    if (bits & LVIS_FOCUSED) {
      const int old = m_nFocusIndex;
      if (state & LVIS_FOCUSED)
        m_nFocusIndex = row;
      else if (m_nFocusIndex == row)
        m_nFocusIndex = -1;
      changed |= old != m_nFocusIndex;
    }
    if (bits & LVIS_DROPHILITED) {
      const int old = m_nDropHilightIndex;
      if (state & LVIS_DROPHILITED)
        m_nDropHilightIndex = row;
      else if (m_nDropHilightIndex == row)
        m_nDropHilightIndex = -1;
      dropChanged = old != m_nDropHilightIndex;
      changed |= dropChanged;
    }
    const UINT own = bits & ~(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
    const UINT next = (state & own) | (item->m_state & ~own);
    changed |= next != item->m_state;
    item->m_state = next;
  }
  if (mask & LVIF_PARAM) item->m_lParam = pItem->lParam;
  if (notify != 0) {
    LV_ITEM copy = *pItem;
    copy.mask = notify;
    OnSetItem(&copy);
  }
  if (mask & (LVIF_TEXT | LVIF_STATE)) {
    if (mask & LVIF_TEXT) item->m_bDirty = TRUE;
    if (bRedraw && changed && row != m_nEditIndex) UpdateItem(row, FALSE, FALSE, FALSE, dropChanged);
  }
  return TRUE;
}

namespace {
// An LV_ITEM from the values the convenience forms take.
LV_ITEM ItemsRecordOf(UINT nMask, int nItem, int nSubItem, LPCSTR lpszItem, int nImage, UINT nState,
                      UINT nStateMask, LPARAM lParam) {
  LV_ITEM lvi{};
  lvi.mask = nMask;
  lvi.iItem = nItem;
  lvi.iSubItem = nSubItem;
  lvi.pszText = const_cast<LPSTR>(lpszItem);
  lvi.iImage = nImage;
  lvi.state = nState;
  lvi.stateMask = nStateMask;
  lvi.lParam = lParam;
  return lvi;
}
}  // namespace

BOOL SECListBaseC::SetItem(int nItem, int nSubItem, UINT nMask, LPCSTR lpszItem, int nImage, UINT nState,
                           UINT nStateMask, LPARAM lParam) {
  const LV_ITEM lvi = ItemsRecordOf(nMask, nItem, nSubItem, lpszItem, nImage, nState, nStateMask, lParam);
  return SetItem(&lvi, TRUE);
}

BOOL SECListBaseC::GetItem(LV_ITEM* pItem, BOOL bCopyText, BOOL bNotify) const {
  const SECListItem* item = GetItemRecord(pItem->iItem);
  if (item == nullptr) return FALSE;
  UINT ask = 0;
  if (pItem->mask & LVIF_TEXT) {
    const char* text = item->m_pszText;
    if (pItem->iSubItem >= 1) {
      const SECListSubItem* sub = item->GetSubItem(pItem->iSubItem);
      text = sub ? sub->m_pszText : nullptr;
    }
    if (text == LPSTR_TEXTCALLBACK) {
      ask |= LVIF_TEXT;
      if (!bNotify) pItem->pszText = LPSTR_TEXTCALLBACK;
    } else if (bCopyText) {
      SECListCopyToBuffer(text ? text : "", pItem->pszText, pItem->cchTextMax);
    } else {
      pItem->pszText = const_cast<char*>(text);
    }
  }
  if (pItem->mask & LVIF_IMAGE) {
    pItem->iImage = item->m_iImage;
    if (item->m_iImage == I_IMAGECALLBACK) ask |= LVIF_IMAGE;
  }
  if (pItem->mask & LVIF_STATE) {
    if (m_nCallbackMask != 0) {
      ask |= LVIF_STATE;
    } else {
      const UINT want = pItem->stateMask;
      const DWORD row = static_cast<DWORD>(pItem->iItem);
      UINT state = item->m_state & want;
      if ((want & LVIS_SELECTED) && m_selection.Contains(row)) state |= LVIS_SELECTED;
      if ((want & LVIS_FOCUSED) && m_nFocusIndex == pItem->iItem) state |= LVIS_FOCUSED;
      if ((want & LVIS_DROPHILITED) && m_nDropHilightIndex == pItem->iItem) state |= LVIS_DROPHILITED;
      pItem->state = state;
    }
  }
  if ((pItem->mask & LVIF_PARAM) || ask != 0) pItem->lParam = item->m_lParam;
  if (bNotify && ask != 0) {
    pItem->mask = ask;
    NotifyGetDispInfo(pItem);
  }
  return TRUE;
}

BOOL SECListBaseC::SetItemEx(const LV_ITEM* pItem, const SECListItemExRequest* pRequest) {
  SECListItem* item = GetItemRecord(pItem->iItem);
  if (item == nullptr) return FALSE;
  if (pRequest->mask & kSECListExState) {
    const UINT next = (pRequest->state & pRequest->stateMask) | (item->m_stateEx & ~pRequest->stateMask);
    if (next != item->m_stateEx) {
      item->m_stateEx = next;
      UpdateItem(pItem->iItem, HasListStyleEx(LVXS_FULLROWSELECT) ? FALSE : TRUE);
    }
    item->m_bDirty = TRUE;
    MeasureRow(pItem->iItem);
    if (pItem->iItem != m_nEditIndex) UpdateItem(pItem->iItem, TRUE);
  }
  return TRUE;
}

BOOL SECListBaseC::GetItemEx(const LV_ITEM* pItem, SECListItemExRequest* pRequest, BOOL bNotify) const {
  const SECListItem* item = GetItemRecord(pItem->iItem);
  if (item == nullptr) return FALSE;
  if (pRequest->mask & kSECListExState) {
    if (m_nCallbackMaskEx != 0 && bNotify)
      OnGetItemEx(pRequest);
    else
      pRequest->state = item->m_stateEx & pRequest->stateMask;
  }
  return TRUE;
}

BOOL SECListBaseC::SetItemText(int nItem, int nSubItem, LPCSTR lpszText) {
  LV_ITEM lvi{};
  lvi.mask = LVIF_TEXT;
  lvi.iItem = nItem;
  lvi.iSubItem = nSubItem;
  lvi.pszText = const_cast<LPSTR>(lpszText);
  lvi.cchTextMax = SECListOwnsText(lpszText) ? static_cast<int>(std::strlen(lpszText)) : 0;
  return SetItem(&lvi, TRUE);
}

int SECListBaseC::GetItemText(int nItem, int nSubItem, LPSTR lpszText, int nLen) const {
  if (lpszText == nullptr || nLen <= 0) return 0;
  lpszText[0] = '\0';
  LV_ITEM lvi{};
  lvi.mask = LVIF_TEXT;
  lvi.iItem = nItem;
  lvi.iSubItem = nSubItem;
  lvi.pszText = lpszText;
  lvi.cchTextMax = nLen;
  if (!GetItem(&lvi, TRUE, TRUE)) return 0;
  // The owner may have answered with a text of its own.
  if (lvi.pszText != lpszText) SECListCopyToBuffer(lvi.pszText, lpszText, nLen);
  lpszText[nLen - 1] = '\0';
  return static_cast<int>(std::strlen(lpszText));
}

UINT SECListBaseC::QueryState(int nItem, UINT nMask) const {
  LV_ITEM lvi{};
  lvi.mask = LVIF_STATE;
  lvi.iItem = nItem;
  lvi.stateMask = nMask;
  return GetItem(&lvi, FALSE, TRUE) ? (lvi.state & nMask) : 0;
}

BOOL SECListBaseC::SetItemState(int nItem, UINT nState, UINT nMask) {
  return SetItem(nItem, 0, LVIF_STATE, nullptr, 0, nState, nMask, 0);
}

UINT SECListBaseC::GetItemState(int nItem, UINT nMask) { return QueryState(nItem, nMask); }

BOOL SECListBaseC::SetItemData(int nItem, LPARAM lParam) {
  return SetItem(nItem, 0, LVIF_PARAM, nullptr, 0, 0, 0, lParam);
}

LPARAM SECListBaseC::GetItemData(int nItem) const {
  const SECListItem* item = GetItemRecord(nItem);
  return item ? item->m_lParam : 0;
}

BOOL SECListBaseC::SetCallbackMask(UINT nMask) {
  m_nCallbackMask = nMask;
  return TRUE;
}

BOOL SECListBaseC::SetCallbackMaskEx(UINT nMask) {
  m_nCallbackMaskEx = nMask;
  return TRUE;
}

BOOL SECListBaseC::IsCallbackItem(int nItem) const {
  const SECListItem* item = GetItemRecord(nItem);
  if (item == nullptr) return FALSE;
  if (item->m_pszText == LPSTR_TEXTCALLBACK || item->m_iImage == I_IMAGECALLBACK || m_nCallbackMask != 0 ||
      m_nCallbackMaskEx != 0)
    return TRUE;
  for (const SECListColumn* col : m_columns) {
    if (col->iSubItem < 1) continue;
    const SECListSubItem* sub = item->GetSubItem(col->iSubItem);
    if (sub && sub->m_pszText == LPSTR_TEXTCALLBACK) return TRUE;
  }
  return FALSE;
}

// ---- Insertion and deletion ----

int SECListBaseC::InsertItemRecord(int nItem, SECListItem* pItem) {
  // A row can go anywhere from the first place to just after the last row.
  if (nItem < 0) return -1;
  nItem = std::min(nItem, GetItemCount());
  m_items.insert(m_items.begin() + nItem, pItem);
  m_heights.Insert(nItem, pItem->Height());
  if (m_nFocusIndex >= nItem) ++m_nFocusIndex;
  if (m_nDropHilightIndex >= nItem) ++m_nDropHilightIndex;
  if (m_nAnchor >= nItem) ++m_nAnchor;
  if (m_nEditIndex >= nItem) ++m_nEditIndex;
  if (m_nPendingEdit >= nItem) ++m_nPendingEdit;
  m_selection.ShiftFrom(static_cast<DWORD>(nItem), 1);
  if (m_nFocusIndex == -1) SetFocusItem(0, TRUE);
  const int wanted = GetColumnCount() - 1;
  if (GetColumnCount() >= 2)
    while (pItem->GetSubItemCount() < wanted) pItem->AddSubItem();
  return nItem;
}

int SECListBaseC::InsertItem(const LV_ITEM* pItem) {
  SECListItem* record = CreateItemRecord();
  const int row = InsertItemRecord(pItem->iItem, record);
  if (row < 0) {
    delete record;
    return -1;
  }
  LV_ITEM lvi = *pItem;
  lvi.iItem = row;
  SetItem(&lvi, m_bRedraw);
  if (m_bRedraw) UpdateScrollBars();
  return row;
}

int SECListBaseC::InsertItem(UINT nMask, int nItem, LPCSTR lpszItem, UINT nState, UINT nStateMask, int nImage,
                             LPARAM lParam) {
  const LV_ITEM lvi = ItemsRecordOf(nMask, nItem, 0, lpszItem, nImage, nState, nStateMask, lParam);
  return InsertItem(&lvi);
}

int SECListBaseC::InsertItem(int nItem, LPCSTR lpszItem, int nImage) {
  return InsertItem(LVIF_TEXT | LVIF_IMAGE, nItem, lpszItem, 0, 0, nImage, 0);
}

int SECListBaseC::InsertItem(int nItem, LPCSTR lpszItem) {
  return InsertItem(LVIF_TEXT, nItem, lpszItem, 0, 0, 0, 0);
}

namespace {
int ListRowOfRecord(const std::vector<SECListItem*>& items, const SECListItem* record) {
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i] == record) return static_cast<int>(i);
  return -1;
}
}  // namespace

int SECListBaseC::InsertItemAfter(SECListItem* pAfter, LV_ITEM* pItem) {
  if (pAfter == nullptr) {
    pItem->iItem = 0;
  } else {
    const int row = ListRowOfRecord(m_items, pAfter);
    if (row >= 0) pItem->iItem = row + 1;
  }
  return InsertItem(pItem);
}

int SECListBaseC::InsertItemBefore(SECListItem* pBefore, LV_ITEM* pItem) {
  if (pBefore == nullptr) {
    pItem->iItem = 0;
  } else {
    const int row = ListRowOfRecord(m_items, pBefore);
    // Before the first row is the first place, never row -1.
    if (row >= 0) pItem->iItem = std::max(row - 1, 0);
  }
  return InsertItem(pItem);
}

BOOL SECListBaseC::DeleteItem(SECListItem* pItem) {
  const int row = ListRowOfRecord(m_items, pItem);
  return row < 0 ? FALSE : DeleteItem(row, 1);
}

BOOL SECListBaseC::DeleteItem(int nItem, int nCount) {
  if (!IsValidRow(nItem) || nCount < 1) return FALSE;
  nCount = std::min(nCount, GetItemCount() - nItem);
  const int last = nItem + nCount - 1;
  UpdateItem(nItem > 0 ? nItem - 1 : 0, FALSE, TRUE, TRUE);
  NotifyDeleteItem(nItem);
  for (int i = nItem; i <= last; ++i) delete m_items[static_cast<size_t>(i)];
  m_items.erase(m_items.begin() + nItem, m_items.begin() + last + 1);
  m_heights.Erase(nItem, nCount);
  m_nTopIndex = std::min(m_nTopIndex, GetItemCount());
  auto shiftRow = [&](int& row, bool keepAtFirst) {  // the focus and anchor
    if (row > last)
      row -= nCount;
    else if (row > nItem)
      row = nItem - 1;
    else if (row == nItem && (!keepAtFirst || row >= GetItemCount()))
      row = nItem - 1;
  };
  shiftRow(m_nFocusIndex, true);
  shiftRow(m_nAnchor, true);
  // A deleted drop target or edited row is gone, not moved to its neighbour.
  auto dropRow = [&](int& row) {
    if (row > last)
      row -= nCount;
    else if (row >= nItem)
      row = -1;
  };
  dropRow(m_nDropHilightIndex);
  if (m_nEditIndex >= nItem && m_nEditIndex <= last) EndLabelEdit(FALSE);
  dropRow(m_nEditIndex);
  if (m_nPendingEdit >= nItem) m_nPendingEdit = -1;
  m_selection.RemoveRange(static_cast<DWORD>(nItem), static_cast<DWORD>(last));
  if (m_selection.GetSize() == 0 && IsValidRow(m_nFocusIndex)) SetFocusItem(m_nFocusIndex, TRUE);
  UpdateScrollBars();
  return TRUE;
}

BOOL SECListBaseC::DeleteAllItems() {
  KillEditTimer();
  for (SECListItem* item : m_items) delete item;
  m_items.clear();
  m_heights.Clear();
  m_selection.Clear();
  m_nTopIndex = 0;
  m_nFocusIndex = -1;
  m_nAnchor = -1;
  m_nDropHilightIndex = -1;
  m_nPendingEdit = -1;
  UpdateScrollBars();
  if (HasWindow()) Invalidate(TRUE);
  return TRUE;
}

// ---- Focus and selection ----

BOOL SECListBaseC::SetFocusItem(int nItem, BOOL bSelect) {
  if (HasListStyle(LVS_SINGLESEL)) DeselectAllExcept(nItem);
  if (IsValidRow(m_nFocusIndex) && m_nFocusIndex != nItem) SetItemState(m_nFocusIndex, 0, LVIS_FOCUSED);
  if (nItem >= 0)
    SetItemState(nItem, LVIS_FOCUSED | (bSelect ? LVIS_SELECTED : 0), LVIS_FOCUSED | LVIS_SELECTED);
  m_nAnchor = m_nFocusIndex;
  return TRUE;
}

BOOL SECListBaseC::SetFocusIndex(int nItem) {
  if (IsValidRow(m_nFocusIndex) && m_nFocusIndex != nItem) SetItemState(m_nFocusIndex, 0, LVIS_FOCUSED);
  SetItemState(nItem, LVIS_FOCUSED, LVIS_FOCUSED);
  m_nAnchor = m_nFocusIndex;
  return TRUE;
}

BOOL SECListBaseC::SelectItem(int nItem, BOOL bSelect) {
  if (HasListStyle(LVS_SINGLESEL)) DeselectAllExcept(nItem);
  return SetItemState(nItem, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void SECListBaseC::SelectRange(int nFirst, int nLast, BOOL bSelect) {
  for (int i = std::min(nFirst, nLast); i <= std::max(nFirst, nLast); ++i) SelectItem(i, bSelect);
}

void SECListBaseC::DeselectAllExcept(int nItem) {
  for (int i = m_selection.GetSize() - 1; i >= 0; --i) {
    if (i >= m_selection.GetSize()) continue;
    const int row = static_cast<int>(m_selection[i]);
    if (row != nItem) SetItemState(row, 0, LVIS_SELECTED);
  }
}

void SECListBaseC::SetDropHilightIndex(int nItem) {
  if (nItem == m_nDropHilightIndex) return;
  if (IsValidRow(m_nDropHilightIndex)) SetItemState(m_nDropHilightIndex, 0, LVIS_DROPHILITED);
  if (nItem != -1) SetItemState(nItem, LVIS_DROPHILITED, LVIS_DROPHILITED);
}

int SECListBaseC::GetNextItem(int nItem, int nFlags) const {
  constexpr UINT kStateFlags = LVNI_SELECTED | LVNI_FOCUSED | LVNI_DROPHILITED | LVNI_CUT;
  UINT want = 0;
  if (nFlags & LVNI_SELECTED) want |= LVIS_SELECTED;
  if (nFlags & LVNI_FOCUSED) want |= LVIS_FOCUSED;
  if (nFlags & LVNI_DROPHILITED) want |= LVIS_DROPHILITED;
  if (nFlags & LVNI_CUT) want |= LVIS_CUT;
  const bool backward = (nFlags & (LVNI_ABOVE | LVNI_TOLEFT)) != 0;
  if (!backward && (nFlags & ~kStateFlags) != 0 && !(nFlags & (LVNI_BELOW | LVNI_TORIGHT))) return -1;
  const int count = GetItemCount();
  if (want == 0) {
    if (backward) return nItem >= 1 && nItem <= count ? nItem - 1 : -1;
    return nItem < count - 1 ? nItem + 1 : -1;
  }
  if (backward) {
    for (int i = std::min(nItem, count) - 1; i >= 0; --i)
      if (QueryState(i, want)) return i;
    return -1;
  }
  // Selected rows come straight from the sorted selection array.
  if (want == LVIS_SELECTED && m_nCallbackMask == 0) {
    const auto pos = m_selection.Find(static_cast<DWORD>(std::max(nItem + 1, 0)));
    return pos.index < m_selection.GetSize() ? static_cast<int>(m_selection[pos.index]) : -1;
  }
  for (int i = std::max(nItem + 1, 0); i < count; ++i)
    if (QueryState(i, want)) return i;
  return -1;
}

BOOL SECListBaseC::GetContentSize(SIZE* size, BOOL bMeasure) {
  size->cx = GetContentWidth(bMeasure);
  size->cy = GetContentHeight();
  return TRUE;
}

BOOL SECListBaseC::GetItemRect(int nItem, RECT* rect, int nCode) {
  int index = -1;
  if (LabelColumn(&index) == nullptr) return FALSE;
  return GetCellRect(nItem, index, rect, nCode);
}
