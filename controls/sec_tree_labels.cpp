// Label editing of tree items, the list's row setter for column 0, and the
// texts of columns 1 and up (kept by handle when sub-item storage is on).
#include <cstring>

#include "controls/sec_tree_base.h"

namespace {
constexpr UINT kSECTreeListFields = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
}  // namespace

UINT SECTreeBaseC::GetEndLabelEditMessage() {
  static const UINT message = ::RegisterWindowMessage("SECTreeCtrlNotifyEndLabelEditRegMsg");
  return message;
}

BOOL SECTreeBaseC::EditLabel(HTREEITEM hItem, int nCol) {
  if (!HasListStyle(LVS_EDITLABELS) || hItem == nullptr || hItem == TVI_ROOT) return FALSE;
  const int row = FindRow(hItem);
  if (row < 0 || nCol < 0 || nCol >= GetColumnCount()) return FALSE;
  m_nCurColumn = nCol;
  return SECListBaseC::EditLabel(row, nCol) != nullptr;
}

BOOL SECTreeBaseC::EndLabelEdit(BOOL bCommit) {
  const int row = GetEditIndex();
  const HTREEITEM item = GetItemAt(row);
  const bool label = GetColumnSubItem(GetEditColumn()) <= 0;
  if (!SECListBaseC::EndLabelEdit(bCommit)) return FALSE;
  CWnd* target = GetNotifyTarget();
  if (label && item && target && target->GetSafeHwnd()) {
    target->SendMessage(GetEndLabelEditMessage(), static_cast<WPARAM>(GetDlgCtrlID()),
                        reinterpret_cast<LPARAM>(item));
  }
  return TRUE;
}

BOOL SECTreeBaseC::NotifyBeginLabelEdit(int nRow, int nSubItem) {
  const _Node* node = nSubItem == 0 ? NodeFromHandle(GetItemAt(nRow)) : nullptr;
  if (node == nullptr || node == m_pRoot) return SECListBaseC::NotifyBeginLabelEdit(nRow, nSubItem);
  TV_DISPINFO info{};
  info.item = node->m_item;
  info.item.mask |= TVIF_TEXT;
  return SendTreeNotify(&info.hdr, TVN_BEGINLABELEDIT) != 0 ? 1 : 0;
}

// The owner gets a 2048-byte copy it may change; a nonzero reply to an
// accepted edit makes the copy the new label.
BOOL SECTreeBaseC::NotifyEndLabelEdit(int nRow, int nSubItem, CString* pText, BOOL bAccept) {
  const _Node* node = nSubItem == 0 ? NodeFromHandle(GetItemAt(nRow)) : nullptr;
  if (node == nullptr || node == m_pRoot)
    return SECListBaseC::NotifyEndLabelEdit(nRow, nSubItem, pText, bAccept);
  char buffer[kSECTreeLabelBufferSize] = {};
  TV_DISPINFO info{};
  info.item = node->m_item;
  info.item.mask |= TVIF_TEXT;
  info.item.pszText = nullptr;
  info.item.cchTextMax = 0;
  const bool accepted = bAccept && pText != nullptr;
  if (accepted) {
    SECListCopyToBuffer(*pText, buffer, kSECTreeLabelBufferSize);
    info.item.pszText = buffer;
    info.item.cchTextMax = kSECTreeLabelBufferSize;
  }
  const LRESULT answer = SendTreeNotify(&info.hdr, TVN_ENDLABELEDIT);
  if (!accepted || answer == 0) return FALSE;
  buffer[kSECTreeLabelBufferSize - 1] = '\0';
  *pText = buffer;
  return TRUE;
}

// Column 0's text, image and data belong to the node; the list keeps the rest.
BOOL SECTreeBaseC::SetItem(const LV_ITEM* pItem, BOOL bRedraw) {
  if (pItem == nullptr) return FALSE;
  const HTREEITEM handle = GetItemAt(pItem->iItem);
  if (handle == nullptr) return SECListBaseC::SetItem(pItem, bRedraw);
  if (pItem->iSubItem > 0) {
    if (m_pSubItemTexts == nullptr || !(pItem->mask & LVIF_TEXT))
      return SECListBaseC::SetItem(pItem, bRedraw);
    return SetItemText(handle, pItem->iSubItem, pItem->pszText);
  }
  if ((pItem->mask & kSECTreeListFields) == 0) return SECListBaseC::SetItem(pItem, bRedraw);
  TV_ITEM item{};
  item.hItem = handle;
  item.mask = TVIF_HANDLE;
  if (pItem->mask & LVIF_TEXT) {
    item.mask |= TVIF_TEXT;
    item.pszText = pItem->pszText;
  }
  if (pItem->mask & LVIF_IMAGE) {
    item.mask |= TVIF_IMAGE;
    item.iImage = pItem->iImage;
  }
  if (pItem->mask & LVIF_PARAM) {
    item.mask |= TVIF_PARAM;
    item.lParam = pItem->lParam;
  }
  if (!SetItem(&item)) return FALSE;
  const UINT rest = pItem->mask & ~kSECTreeListFields;
  if (rest == 0) return TRUE;
  LV_ITEM others = *pItem;
  others.mask = rest;
  return SECListBaseC::SetItem(&others, bRedraw);
}

// ---- Texts of columns 1 and up ----

void SECTreeBaseC::EnableSubItemTexts(BOOL bEnable) {
  if (!bEnable)
    m_pSubItemTexts.reset();
  else if (!m_pSubItemTexts)
    m_pSubItemTexts = std::make_unique<SECSubItemTextStorage>();
}

BOOL SECTreeBaseC::SetItemText(HTREEITEM hItem, int nCol, LPCSTR lpszText) {
  if (nCol == 0) return SetItemText(hItem, lpszText);
  const _Node* node = NodeFromHandle(hItem);
  if (node == nullptr || node == m_pRoot || nCol < 0) return FALSE;
  const int row = FindRow(hItem);
  if (!m_pSubItemTexts) return row >= 0 && SECListBaseC::SetItemText(row, nCol, lpszText);
  if (nCol > GetColumnCount()) return FALSE;
  if (!m_pSubItemTexts->SetSubItemText(hItem, nCol, lpszText ? lpszText : "")) return FALSE;
  if (row >= 0 && row != GetEditIndex()) {
    RecalcItem(row);
    UpdateItem(row);
  }
  return TRUE;
}

CString SECTreeBaseC::GetItemText(HTREEITEM hItem, int nCol) {
  if (nCol == 0) return GetItemText(hItem);
  const _Node* node = NodeFromHandle(hItem);
  if (node == nullptr || node == m_pRoot || nCol < 0) return CString();
  char buffer[kSECListTextBufferSize] = {};
  if (m_pSubItemTexts) {
    if (!m_pSubItemTexts->GetSubItemText(hItem, nCol, buffer, kSECListTextBufferSize)) return CString();
    return CString(buffer);
  }
  const int row = FindRow(hItem);
  if (row < 0) return CString();
  SECListBaseC::GetItemText(row, nCol, buffer, kSECListTextBufferSize);
  return CString(buffer);
}

void SECTreeBaseC::MoveSubItemData(int nFrom, int nTo) {
  if (!m_pSubItemTexts) return;
  for (int row = 0; row < GetItemCount(); ++row) m_pSubItemTexts->MoveSubItemText(GetItemAt(row), nFrom, nTo);
}
