// Tree items: insertion, reading and writing fields, deletion and the
// item notifications.
#include <cstring>

#include "controls/sec_tree_base.h"

namespace {
constexpr int kSECTreeCallback = -1;
constexpr UINT kSECTreeRowStates = TVIS_SELECTED | TVIS_CUT | TVIS_DROPHILITED;
constexpr UINT kSECTreeOverlayStates = TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK;

TV_INSERTSTRUCT SECTreeInsertRecord(UINT nMask, LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hAfter) {
  TV_INSERTSTRUCT insert{};
  insert.hParent = hParent;
  insert.hInsertAfter = hAfter;
  insert.item.mask = nMask;
  insert.item.pszText = const_cast<LPSTR>(lpszItem);
  if ((nMask & TVIF_TEXT) && lpszItem && lpszItem != LPSTR_TEXTCALLBACK) {
    insert.item.cchTextMax = static_cast<int>(std::strlen(lpszItem)) + 1;
  }
  return insert;
}
}  // namespace

// ---- Insertion ----

HTREEITEM SECTreeBaseC::InsertItem(const TV_INSERTSTRUCT* pInsert) {
  if (pInsert == nullptr) return nullptr;
  EnsureRoot();
  TV_INSERTSTRUCT insert = *pInsert;
  _Node* parent = NodeFromHandle(insert.hParent);
  if (parent == nullptr) return nullptr;
  _Node* node = CreateNode();
  node->m_item.hItem = HandleOf(node);
  insert.item.mask |= TVIF_HANDLE;
  StoreFields(node, &insert.item);
  // Live before linking: sorted insertion reads the new item's text.
  m_liveNodes.insert(node);
  if (!LinkNode(parent, node, insert.hInsertAfter)) {
    m_liveNodes.erase(node);
    delete node;
    return nullptr;
  }
  const bool expanded = (insert.item.mask & TVIF_STATE) && (insert.item.stateMask & TVIS_EXPANDED) &&
                        (insert.item.state & TVIS_EXPANDED);
  node->SetExpanded(expanded ? TRUE : FALSE);
  if (IsShown(node)) AddRow(node);
  Relayout();
  return HandleOf(node);
}

HTREEITEM SECTreeBaseC::InsertItem(UINT nMask, LPCSTR lpszItem, int nImage, int nSelectedImage, UINT nState,
                                   UINT nStateMask, LPARAM lParam, HTREEITEM hParent,
                                   HTREEITEM hInsertAfter) {
  TV_INSERTSTRUCT insert = SECTreeInsertRecord(nMask, lpszItem, hParent, hInsertAfter);
  insert.item.iImage = nImage;
  insert.item.iSelectedImage = nSelectedImage;
  insert.item.state = nState;
  insert.item.stateMask = nStateMask;
  insert.item.lParam = lParam;
  return InsertItem(&insert);
}

HTREEITEM SECTreeBaseC::InsertItem(LPCSTR lpszItem, HTREEITEM hParent, HTREEITEM hInsertAfter) {
  const TV_INSERTSTRUCT insert = SECTreeInsertRecord(TVIF_TEXT, lpszItem, hParent, hInsertAfter);
  return InsertItem(&insert);
}

HTREEITEM SECTreeBaseC::InsertItem(LPCSTR lpszItem, int nImage, int nSelectedImage, HTREEITEM hParent,
                                   HTREEITEM hInsertAfter) {
  TV_INSERTSTRUCT insert =
      SECTreeInsertRecord(TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE, lpszItem, hParent, hInsertAfter);
  insert.item.iImage = nImage;
  insert.item.iSelectedImage = nSelectedImage;
  return InsertItem(&insert);
}

BOOL SECTreeBaseC::InsertItems(TV_ITEM** ppItems, HTREEITEM hParent, int nCount, BOOL bRedraw) {
  if (ppItems == nullptr || nCount < 1) return FALSE;
  EnsureRoot();
  _Node* parent = NodeFromHandle(hParent);
  if (parent == nullptr) return FALSE;
  _Node* first = nullptr;
  for (int i = 0; i < nCount; ++i) {
    _Node* node = CreateNode();
    node->m_item.hItem = HandleOf(node);
    if (ppItems[i]) {
      TV_ITEM item = *ppItems[i];
      item.mask |= TVIF_HANDLE;
      StoreFields(node, &item);
    }
    node->SetExpanded(FALSE);
    m_liveNodes.insert(node);
    if (!parent->AddChild(node, SECTreeNode::kLast)) {
      m_liveNodes.erase(node);
      delete node;
      return FALSE;
    }
    if (first == nullptr) first = node;
  }
  // One row for the first; the others follow it row by row.
  if (IsShown(first) && AddRow(first)) {
    int row = FindRow(HandleOf(first));
    for (SECTreeNode* n = first->GetNextSiblingNode(); n && row >= 0; n = n->GetNextSiblingNode())
      row = InsertRowAt(row + 1, static_cast<_Node*>(n));
  }
  if (bRedraw) Relayout();
  return TRUE;
}

BOOL SECTreeBaseC::LinkNode(_Node* pParent, _Node* pNode, HTREEITEM hInsertAfter) {
  if (hInsertAfter == TVI_ROOT || hInsertAfter == TVI_LAST || hInsertAfter == nullptr) {
    return pParent->AddChild(pNode, SECTreeNode::kLast);
  }
  if (hInsertAfter == TVI_FIRST) return pParent->AddChild(pNode, SECTreeNode::kFirst);
  if (hInsertAfter == TVI_SORT || hInsertAfter == TVI_SORTDESCENDING) {
    const int sign = hInsertAfter == TVI_SORT ? 1 : -1;
    SECTreeNode* after = nullptr;
    for (SECTreeNode* c = pParent->GetFirstChildNode(); c; c = c->GetNextSiblingNode()) {
      if (sign * CompareItems(HandleOf(c), HandleOf(pNode)) > 0) break;
      after = c;
    }
    return pParent->AddChild(pNode, after ? after : SECTreeNode::kFirst);
  }
  if (pParent->m_pFirstChild == nullptr) return pParent->AddChild(pNode, SECTreeNode::kLast);
  return pParent->AddChild(pNode, reinterpret_cast<SECTreeNode*>(hInsertAfter));
}

int SECTreeBaseC::CompareItems(HTREEITEM hItem1, HTREEITEM hItem2) {
  return GetItemText(hItem1).CompareNoCase(GetItemText(hItem2));
}

// ---- Fields ----

BOOL SECTreeBaseC::StoreFields(_Node* pNode, const TV_ITEM* pItem) {
  TV_ITEM& stored = pNode->m_item;
  UINT callbacks = 0;
  const UINT mask = pItem->mask;
  if (mask & TVIF_CHILDREN) {
    if (stored.cChildren == kSECTreeCallback)
      callbacks |= TVIF_CHILDREN;
    else
      stored.cChildren = pItem->cChildren;
  }
  if (mask & TVIF_IMAGE) {
    if (stored.iImage == kSECTreeCallback)
      callbacks |= TVIF_IMAGE;
    else
      stored.iImage = pItem->iImage;
  }
  if (mask & TVIF_PARAM) stored.lParam = pItem->lParam;
  if (mask & TVIF_SELECTEDIMAGE) {
    if (stored.iSelectedImage == kSECTreeCallback)
      callbacks |= TVIF_SELECTEDIMAGE;
    else
      stored.iSelectedImage = pItem->iSelectedImage;
  }
  if (mask & TVIF_STATE) stored.state = (stored.state & ~pItem->stateMask) | pItem->state;
  const bool text = (mask & TVIF_TEXT) != 0;
  if (text) {
    if (stored.pszText == LPSTR_TEXTCALLBACK && pItem->pszText != LPSTR_TEXTCALLBACK) {
      callbacks |= TVIF_TEXT;
    } else {
      pNode->SetText(pItem->pszText);
    }
  }
  if (callbacks) {
    TV_ITEM record = *pItem;
    record.mask = callbacks;
    record.hItem = HandleOf(pNode);
    NotifySetDispInfo(&record);
  }
  return text ? TRUE : FALSE;
}

BOOL SECTreeBaseC::GetItem(TV_ITEM* pItem, BOOL bCopyText, BOOL bAllowCallback) {
  _Node* node = NodeFromHandle(pItem->hItem);
  if (node == nullptr || node == m_pRoot) return FALSE;
  const TV_ITEM& stored = node->m_item;
  const UINT mask = pItem->mask;
  UINT ask = 0;
  if (mask & TVIF_CHILDREN) {
    pItem->cChildren = stored.cChildren;
    if (stored.cChildren == kSECTreeCallback) ask |= TVIF_CHILDREN;
  }
  if (mask & TVIF_IMAGE) {
    pItem->iImage = stored.iImage;
    if (stored.iImage == kSECTreeCallback) ask |= TVIF_IMAGE;
  }
  if (mask & TVIF_SELECTEDIMAGE) {
    pItem->iSelectedImage = stored.iSelectedImage;
    if (stored.iSelectedImage == kSECTreeCallback) ask |= TVIF_SELECTEDIMAGE;
  }
  if (mask & TVIF_PARAM) pItem->lParam = stored.lParam;
  if (mask & TVIF_STATE) pItem->state = stored.state & pItem->stateMask;
  if (mask & TVIF_TEXT) {
    if (stored.pszText == LPSTR_TEXTCALLBACK) {
      ask |= TVIF_TEXT;
      if (!bAllowCallback) pItem->pszText = LPSTR_TEXTCALLBACK;
    } else if (bCopyText) {
      SECListCopyToBuffer(stored.pszText ? stored.pszText : "", pItem->pszText, pItem->cchTextMax);
    } else {
      pItem->pszText = stored.pszText;
    }
  }
  if (ask && bAllowCallback) {
    TV_ITEM record = *pItem;
    record.mask = ask;
    record.lParam = stored.lParam;
    NotifyGetDispInfo(&record);
    if (ask & TVIF_CHILDREN) pItem->cChildren = record.cChildren;
    if (ask & TVIF_IMAGE) pItem->iImage = record.iImage;
    if (ask & TVIF_SELECTEDIMAGE) pItem->iSelectedImage = record.iSelectedImage;
    if (ask & TVIF_TEXT) pItem->pszText = record.pszText;
  }
  return TRUE;
}

BOOL SECTreeBaseC::SetItem(const TV_ITEM* pItem) {
  _Node* node = NodeFromHandle(pItem->hItem);
  if (node == nullptr || node == m_pRoot) return FALSE;
  const BOOL text = StoreFields(node, pItem);
  const int row = FindRow(HandleOf(node));
  if (row < 0) return TRUE;
  if (pItem->mask & TVIF_STATE) {
    const UINT mask = pItem->stateMask & kSECTreeRowStates;
    if (mask) SECListBaseC::SetItemState(row, pItem->state & mask, mask);
  }
  const bool repaint = text || (pItem->mask & TVIF_IMAGE) ||
                       ((pItem->mask & TVIF_STATE) &&
                        (pItem->stateMask & (TVIS_DROPHILITED | TVIS_BOLD | kSECTreeOverlayStates)));
  if (repaint && row != GetEditIndex()) {
    RecalcItem(row);
    UpdateItem(row);
  }
  return TRUE;
}

BOOL SECTreeBaseC::SetItemText(HTREEITEM hItem, LPCSTR lpszText) {
  TV_ITEM item{};
  item.mask = TVIF_TEXT | TVIF_HANDLE;
  item.hItem = hItem;
  item.pszText = const_cast<LPSTR>(lpszText);
  return SetItem(&item);
}

BOOL SECTreeBaseC::SetItemData(HTREEITEM hItem, LPARAM lParam) {
  TV_ITEM item{};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = hItem;
  item.lParam = lParam;
  return SetItem(&item);
}

BOOL SECTreeBaseC::SetItemState(HTREEITEM hItem, UINT nState, UINT nStateMask) {
  TV_ITEM item{};
  item.mask = TVIF_STATE | TVIF_HANDLE;
  item.hItem = hItem;
  item.state = nState;
  item.stateMask = nStateMask;
  return SetItem(&item);
}

BOOL SECTreeBaseC::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage) {
  TV_ITEM item{};
  item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
  item.hItem = hItem;
  item.iImage = nImage;
  item.iSelectedImage = nSelectedImage;
  return SetItem(&item);
}

CString SECTreeBaseC::GetItemText(HTREEITEM hItem) {
  char buffer[kSECListTextBufferSize] = {};
  TV_ITEM item{};
  item.mask = TVIF_TEXT;
  item.hItem = hItem;
  item.pszText = buffer;
  item.cchTextMax = kSECListTextBufferSize;
  if (!GetItem(&item, TRUE, TRUE)) return CString();
  if (item.pszText == nullptr || item.pszText == LPSTR_TEXTCALLBACK) return CString();
  return CString(item.pszText);
}

LPARAM SECTreeBaseC::GetItemData(HTREEITEM hItem) {
  const _Node* node = NodeFromHandle(hItem);
  return node && node != m_pRoot ? node->m_item.lParam : 0;
}

BOOL SECTreeBaseC::ItemHasCallbackChildren(HTREEITEM hItem) {
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr || node->m_pFirstChild != nullptr || node == m_pRoot) return FALSE;
  TV_ITEM item{};
  item.mask = TVIF_CHILDREN;
  item.hItem = hItem;
  return GetItem(&item, FALSE, TRUE) && item.cChildren > 0;
}

// The list asks for column 0 of a row: answer from the row's node.
BOOL SECTreeBaseC::GetItem(LV_ITEM* pItem, BOOL bCopyText, BOOL bNotify) const {
  if (!SECListBaseC::GetItem(pItem, bCopyText, bNotify)) return FALSE;
  if (pItem->iSubItem > 0 && m_pSubItemTexts && (pItem->mask & LVIF_TEXT) &&
      pItem->pszText != LPSTR_TEXTCALLBACK) {
    // Texts of columns 1 and up live in the storage, by handle.
    // Without a copy the text is handed out in the list's own text buffer.
    const bool copy = bCopyText && pItem->pszText && pItem->cchTextMax > 0;
    char* into = copy ? pItem->pszText : m_pszTextBuffer;
    const int size = copy ? pItem->cchTextMax : kSECListTextBufferSize;
    m_pSubItemTexts->GetSubItemText(GetItemAt(pItem->iItem), pItem->iSubItem, into, size);
    pItem->pszText = into;
    return TRUE;
  }
  if (pItem->iSubItem != 0 || !(pItem->mask & (LVIF_TEXT | LVIF_IMAGE))) return TRUE;
  TV_ITEM item{};
  item.mask = pItem->mask & (LVIF_TEXT | LVIF_IMAGE);
  item.hItem = GetItemAt(pItem->iItem);
  item.pszText = pItem->pszText;
  item.cchTextMax = pItem->cchTextMax;
  auto* self = const_cast<SECTreeBaseC*>(this);
  if (!self->GetItem(&item, bCopyText, bNotify)) return TRUE;
  if (pItem->mask & LVIF_TEXT) pItem->pszText = item.pszText == LPSTR_TEXTCALLBACK ? nullptr : item.pszText;
  if (pItem->mask & LVIF_IMAGE) pItem->iImage = item.iImage;
  return TRUE;
}

// ---- Deletion ----

BOOL SECTreeBaseC::DeleteItem(HTREEITEM hItem) {
  if (!IsValidHandle(hItem)) return FALSE;
  const BOOL done = DeleteSubtree(hItem);
  Relayout();
  return done;
}

BOOL SECTreeBaseC::DeleteAllItems() { return DeleteItem(TVI_ROOT); }

BOOL SECTreeBaseC::DeleteNode(_Node* pNode, BOOL bAll) {
  if (pNode->m_pFirstChild != nullptr) return FALSE;
  pNode->Detach();
  if (!bAll) RemoveRow(pNode);
  if (m_hWnd || m_pSubItemTexts) NotifyDeleteItem(HandleOf(pNode));
  m_liveNodes.erase(pNode);
  delete pNode;
  return TRUE;
}

BOOL SECTreeBaseC::DeleteSubtree(HTREEITEM hItem) {
  if (m_pRoot == nullptr) return TRUE;
  _Node* top = NodeFromHandle(hItem);
  if (top == nullptr) return FALSE;
  const BOOL all = top == m_pRoot;
  SECTreeNode* leaf = top->GetFirstStoredLeaf();
  while (leaf) {
    SECTreeNode* parent = leaf->m_pParent;
    if (!DeleteNode(static_cast<_Node*>(leaf), all)) return FALSE;
    SECTreeNode* below = parent->GetFirstStoredLeaf();
    leaf = below ? below : (parent == top ? nullptr : parent);
  }
  if (!all) return DeleteNode(top, FALSE);
  delete m_pRoot;
  m_pRoot = nullptr;
  m_liveNodes.clear();
  SECListBaseC::DeleteAllItems();
  EnsureRoot();
  return TRUE;
}

// ---- Notifications ----

void SECTreeBaseC::NotifyDeleteItem(HTREEITEM hItem) {
  NM_TREEVIEW nm{};
  nm.itemOld.mask = TVIF_PARAM | TVIF_HANDLE;
  nm.itemOld.hItem = hItem;
  nm.itemOld.lParam = GetItemData(hItem);
  SendTreeNotify(&nm.hdr, TVN_DELETEITEM);
  if (m_pSubItemTexts) m_pSubItemTexts->RemoveItem(hItem);
}

void SECTreeBaseC::NotifyGetDispInfo(TV_ITEM* pItem) {
  TV_DISPINFO info{};
  info.item = *pItem;
  SendTreeNotify(&info.hdr, TVN_GETDISPINFO);
  *pItem = info.item;
}

void SECTreeBaseC::NotifySetDispInfo(TV_ITEM* pItem) {
  TV_DISPINFO info{};
  info.item = *pItem;
  SendTreeNotify(&info.hdr, TVN_SETDISPINFO);
}

LRESULT SECTreeBaseC::NotifyItemExpanding(_Node* pNode, UINT nCode) {
  NM_TREEVIEW nm{};
  nm.action = nCode;
  nm.itemNew = pNode->m_item;
  return SendTreeNotify(&nm.hdr, TVN_ITEMEXPANDING);
}

void SECTreeBaseC::NotifyItemExpanded(_Node* pNode, UINT nCode) {
  NM_TREEVIEW nm{};
  nm.action = nCode;
  nm.itemNew = pNode->m_item;
  nm.itemNew.state = pNode->IsExpanded() ? TVIS_EXPANDED : 0;
  SendTreeNotify(&nm.hdr, TVN_ITEMEXPANDED);
}

LRESULT SECTreeBaseC::NotifySelection(UINT nCode, int nNewRow, int nOldRow, UINT nAction) {
  NM_TREEVIEW nm{};
  nm.action = nAction;
  if (const _Node* node = NodeFromHandle(GetItemAt(nNewRow)); node && nNewRow >= 0) nm.itemNew = node->m_item;
  if (const _Node* node = NodeFromHandle(GetItemAt(nOldRow)); node && nOldRow >= 0) nm.itemOld = node->m_item;
  return SendTreeNotify(&nm.hdr, nCode);
}

void SECTreeBaseC::OnSelChanged(int nNew, int nOldFocus, BOOL bByMouse) {
  NotifySelection(TVN_SELCHANGED, nNew, nOldFocus, bByMouse ? TVC_BYMOUSE : TVC_BYKEYBOARD);
}

BOOL SECTreeBaseC::OnSelChanging(int nNew, int nOldFocus, BOOL bByMouse) {
  return NotifySelection(TVN_SELCHANGING, nNew, nOldFocus, bByMouse ? TVC_BYMOUSE : TVC_BYKEYBOARD) == 1;
}

void SECTreeBaseC::NotifyKeyDown(UINT nVKey) {
  TV_KEYDOWN nm{};
  nm.wVKey = static_cast<WORD>(nVKey);
  SendTreeNotify(&nm.hdr, TVN_KEYDOWN);
}
