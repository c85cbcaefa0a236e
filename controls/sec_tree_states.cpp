// Disabled and hidden subtrees, the row state bits the list asks for, and
// the per-row paint set-up of column 0 (disabled colour, bold labels, row
// heights that hold the item's icons).
#include "controls/sec_tree_base.h"

namespace {
constexpr UINT kSECTreeRowBits = kSECTreeNodeDisabled | kSECTreeNodeHidden;
constexpr int kSECTreeBoldWeight = FW_BOLD;
}  // namespace

BOOL SECTreeBaseC::IsItemDisabled(HTREEITEM hItem) const {
  if (hItem == nullptr || hItem == TVI_ROOT) return FALSE;
  for (const SECTreeNode* p = NodeFromHandle(hItem); p && p != m_pRoot; p = p->GetParentNode()) {
    if (static_cast<const _Node*>(p)->m_dwFlags & kSECTreeNodeDisabled) return TRUE;
  }
  return FALSE;
}

BOOL SECTreeBaseC::DisableItem(HTREEITEM hItem, BOOL bDisable) {
  if (hItem == nullptr || hItem == TVI_ROOT) return FALSE;
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return FALSE;
  if (bDisable)
    node->m_dwFlags |= kSECTreeNodeDisabled;
  else
    node->m_dwFlags &= ~kSECTreeNodeDisabled;
  // Hidden disabled items: the hidden bit follows the disabled one.
  if (m_bHideDisabled && !HideItem(hItem, bDisable)) return FALSE;
  const int first = FindRow(hItem);
  if (first < 0 || !m_hWnd) return TRUE;
  int last = first;
  while (last + 1 < GetItemCount() && node->IsAncestorOf(NodeFromHandle(GetItemAt(last + 1)))) ++last;
  UpdateItems(first, last);
  return TRUE;
}

void SECTreeBaseC::SetHideDisabledItems(BOOL bHide) {
  m_bHideDisabled = bHide ? 1 : 0;
  for (HTREEITEM item = GetFirstDisabledItem(); item; item = GetNextDisabledItem(item)) HideItem(item, bHide);
}

HTREEITEM SECTreeBaseC::NextFlaggedItem(HTREEITEM hItem, DWORD dwFlag) const {
  const _Node* start = NodeFromHandle(hItem);
  if (start == nullptr) return nullptr;
  for (SECTreeNode* n = start->GetNextInOrder(); n; n = n->GetNextInOrder()) {
    if (static_cast<_Node*>(n)->m_dwFlags & dwFlag) return HandleOf(n);
  }
  return nullptr;
}

BOOL SECTreeBaseC::ShowAllItems() {
  for (HTREEITEM item = GetFirstHiddenItem(); item; item = GetFirstHiddenItem()) {
    if (!HideItem(item, FALSE)) return FALSE;
  }
  return TRUE;
}

// ---- Row state bits ----

UINT SECTreeBaseC::QueryRowStateBits(int nRow, UINT nMask) const {
  const _Node* node = NodeFromHandle(GetItemAt(nRow));
  if (node == nullptr || node == m_pRoot) return 0;
  UINT state = 0;
  for (const SECTreeNode* p = node; p && p != m_pRoot; p = p->GetParentNode())
    state |= static_cast<const _Node*>(p)->m_dwFlags & nMask & kSECTreeRowBits;
  return state;
}

void SECTreeBaseC::SetRowStateBits(int nRow, UINT nState, UINT nMask) {
  _Node* node = NodeFromHandle(GetItemAt(nRow));
  if (node == nullptr || node == m_pRoot) return;
  const UINT mask = nMask & kSECTreeRowBits;
  node->m_dwFlags = (node->m_dwFlags & ~mask) | (nState & mask);
}

BOOL SECTreeBaseC::GetItemEx(const LV_ITEM* pItem, SECListItemExRequest* pRequest, BOOL bNotify) const {
  if (pItem->iSubItem != 0 || !(pRequest->mask & kSECListExState) || GetCallbackMaskEx() != 0)
    return SECListBaseC::GetItemEx(pItem, pRequest, bNotify);
  if (GetItemRecord(pItem->iItem) == nullptr) return FALSE;
  pRequest->state = QueryRowStateBits(pItem->iItem, pRequest->stateMask);
  return TRUE;
}

BOOL SECTreeBaseC::SetItemEx(const LV_ITEM* pItem, const SECListItemExRequest* pRequest) {
  if (pItem->iSubItem == 0 && (pRequest->mask & kSECListExState))
    SetRowStateBits(pItem->iItem, pRequest->state, pRequest->stateMask);
  return SECListBaseC::SetItemEx(pItem, pRequest);
}

BOOL SECTreeBaseC::IsCallbackItem(int nItem) const {
  const _Node* node = NodeFromHandle(GetItemAt(nItem));
  if (node == nullptr || node == m_pRoot) return SECListBaseC::IsCallbackItem(nItem);
  constexpr int kCallback = -1;
  const TV_ITEM& item = node->m_item;
  return item.pszText == LPSTR_TEXTCALLBACK || item.cChildren == kCallback || item.iImage == kCallback ||
         item.iSelectedImage == kCallback;
}

// ---- Painting set-up ----

BOOL SECTreeBaseC::PrepareCell(SECListPaintContext* pContext) {
  // The colours the list picks depend on the row bits: fill them in first.
  pContext->lviEx.mask = kSECListExState;
  pContext->lviEx.stateMask = kSECTreeRowBits;
  pContext->lviEx.state = QueryRowStateBits(pContext->lvi.iItem, kSECTreeRowBits);
  return SECListBaseC::PrepareCell(pContext);
}

void SECTreeBaseC::SetCellFont(SECListPaintContext* pContext) {
  SECListBaseC::SetCellFont(pContext);
  const _Node* node = NodeFromHandle(GetItemAt(pContext->lvi.iItem));
  if (pContext->lvi.iSubItem != 0 || node == nullptr || node == m_pRoot || !(node->m_item.state & TVIS_BOLD))
    return;
  CFont* base = pContext->pFont;
  if (base == nullptr) return;
  if (m_pBoldBase != base || m_fontBold.GetSafeHandle() == nullptr) {
    LOGFONT lf{};
    if (base->GetLogFont(&lf) == 0) return;
    lf.lfWeight = kSECTreeBoldWeight;
    m_fontBold.DeleteObject();
    if (!m_fontBold.CreateFontIndirect(&lf)) return;
    m_pBoldBase = base;
  }
  pContext->pFont = &m_fontBold;
}

// Column 0 rows are as high as the item's icons and label, rounded up to
// an even height so the dotted lines of neighbouring rows meet.
void SECTreeBaseC::MeasureCell(SECListPaintContext* pContext, int* pHeight) {
  const int given = *pHeight;
  SECListBaseC::MeasureCell(pContext, pHeight);
  if (pContext->lvi.iSubItem != 0) return;
  int height = std::max(given, *pHeight);
  const _Node* node = NodeFromHandle(GetItemAt(pContext->lvi.iItem));
  const UINT stateImage = node && node != m_pRoot ? (node->m_item.state & TVIS_STATEIMAGEMASK) >> 12 : 0;
  IMAGEINFO info{};
  if (CImageList* states = GetImageList(LVSIL_STATE);
      stateImage > 0 && states && states->GetImageInfo(static_cast<int>(stateImage), &info))
    height = std::max(height, static_cast<int>(info.rcImage.bottom - info.rcImage.top));
  // A label with the indent marker wraps in its own column.
  if (node && node != m_pRoot && pContext->pdc && IsLabelWrap()) {
    const int cellWidth = GetColumnWidth(0) - GetIndentWidth(HandleOf(node));
    CRect text = MarkerTextRect(pContext, cellWidth);
    CFont* old = pContext->pdc->SelectObject(pContext->pFont ? pContext->pFont : GetItemFont());
    MeasureItemText(pContext->pdc, const_cast<_Node*>(node), pContext->lvi.pszText, &text);
    pContext->pdc->SelectObject(old);
    if (node->m_bHasMarker) height = std::max(height, static_cast<int>(text.Height()));
  }
  *pHeight = height + (height & 1);
}
