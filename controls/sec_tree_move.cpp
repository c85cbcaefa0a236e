// Moving items to another parent, sorting children, drop targets and
// range selection.
#include "controls/sec_tree_base.h"

BOOL SECTreeBaseC::IsInsertPlace(const _Node* pParent, HTREEITEM hInsertAfter) const {
  if (hInsertAfter == nullptr || hInsertAfter == TVI_ROOT || hInsertAfter == TVI_FIRST ||
      hInsertAfter == TVI_LAST || hInsertAfter == TVI_SORT || hInsertAfter == TVI_SORTDESCENDING)
    return TRUE;
  if (pParent->m_pFirstChild == nullptr) return TRUE;  // appended
  const _Node* after = NodeFromHandle(hInsertAfter);
  return after != nullptr && after != m_pRoot && after->m_pParent == pParent;
}

void SECTreeBaseC::RebuildRows(_Node* pNode) {
  if (pNode == m_pRoot || !pNode->IsExpanded() || FindRow(HandleOf(pNode)) < 0) return;
  Expand(HandleOf(pNode), TVE_COLLAPSE, FALSE);
  Expand(HandleOf(pNode), TVE_EXPAND, FALSE);
}

BOOL SECTreeBaseC::MoveItem(HTREEITEM hItem, HTREEITEM hNewParent, BOOL bRedraw, HTREEITEM hInsertAfter) {
  if (hItem == nullptr || hItem == TVI_ROOT) return FALSE;
  _Node* node = NodeFromHandle(hItem);
  _Node* parent = NodeFromHandle(hNewParent);
  if (node == nullptr || parent == nullptr || node == parent || node->IsAncestorOf(parent)) return FALSE;
  if (hInsertAfter == hItem || !IsInsertPlace(parent, hInsertAfter)) return FALSE;
  const HTREEITEM caret = GetSelectedItem();
  node->m_item.state &= ~static_cast<UINT>(TVIS_SELECTED);
  DeselectAllExcept(-1);
  const BOOL wasExpanded = node->IsExpanded();
  auto* oldParent = static_cast<_Node*>(node->m_pParent);
  if (FindRow(hItem) >= 0) {
    if (wasExpanded) Expand(hItem, TVE_COLLAPSE, FALSE);
    node->Detach();
    RemoveRow(node);
  } else {
    node->Detach();
  }
  RebuildRows(oldParent);
  if (!LinkNode(parent, node, hInsertAfter)) {
    // Checked above; put the item back rather than lose it.
    oldParent->AddChild(node, SECTreeNode::kLast);
  }
  if (IsShown(node)) AddRow(node);
  RebuildRows(parent);
  if (wasExpanded && FindRow(hItem) >= 0) Expand(hItem, TVE_EXPAND, FALSE);
  if (bRedraw) Relayout();
  DeselectAllExcept(-1);
  if (caret && FindRow(caret) < 0) {
    if (const HTREEITEM first = GetRootItem()) Select(first, TVGN_CARET);
  } else if (caret) {
    Select(caret, TVGN_CARET);
  }
  return TRUE;
}

// ---- Sorting ----

void SECTreeBaseC::SortChildNodes(_Node* pNode, const std::function<int(HTREEITEM, HTREEITEM)>& compare) {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    // From the end: each smaller item moves up past the greater ones.
    for (SECTreeNode* n = pNode->GetLastChild(); n;) {
      SECTreeNode* prev = n->GetPrevSiblingNode();
      if (prev && compare(HandleOf(prev), HandleOf(n)) > 0) {
        n->MoveUp();
        swapped = true;
      } else {
        n = prev;
      }
    }
  }
}

BOOL SECTreeBaseC::SortWith(HTREEITEM hItem, BOOL bRecursive,
                            const std::function<int(HTREEITEM, HTREEITEM)>& compare) {
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return FALSE;
  const HTREEITEM caret = GetSelectedItem();
  std::vector<_Node*> pending{node};
  while (!pending.empty()) {
    _Node* next = pending.back();
    pending.pop_back();
    SortChildNodes(next, compare);
    if (!bRecursive) break;
    for (SECTreeNode* c = next->GetFirstChildNode(); c; c = c->GetNextSiblingNode()) {
      if (c->m_pFirstChild) pending.push_back(static_cast<_Node*>(c));
    }
  }
  // The rows below the item follow the new order.
  const int row = node == m_pRoot ? -1 : FindRow(hItem);
  if (node->IsExpanded() && (node == m_pRoot || row >= 0)) {
    const int count = GetItemCount();
    int last = row;
    while (last + 1 < count && (node == m_pRoot || node->IsAncestorOf(NodeFromHandle(GetItemAt(last + 1)))))
      ++last;
    if (last > row) SECListBaseC::DeleteItem(row + 1, last - row);
    InsertDescendantRows(node, row);
    Relayout();
  }
  if (caret) Select(caret, TVGN_CARET);
  return TRUE;
}

BOOL SECTreeBaseC::SortChildren(HTREEITEM hItem, BOOL bRecursive, BOOL bAscending) {
  const int sign = bAscending ? 1 : -1;
  return SortWith(hItem, bRecursive, [this, sign](HTREEITEM upper, HTREEITEM lower) {
    return sign * CompareItems(upper, lower);
  });
}

BOOL SECTreeBaseC::SortChildrenCB(const TVSORTCB* pSort, BOOL bRecursive, BOOL bAscending) {
  if (pSort == nullptr || pSort->lpfnCompare == nullptr) return FALSE;
  const int sign = bAscending ? 1 : -1;
  const TVSORTCB sort = *pSort;
  return SortWith(sort.hParent, bRecursive, [this, sign, sort](HTREEITEM upper, HTREEITEM lower) {
    const int order = sort.lpfnCompare(GetItemData(upper), GetItemData(lower), sort.lParam);
    return sign * (order > 0 ? 1 : order < 0 ? -1 : 0);
  });
}

// ---- Drop target and ranges ----

BOOL SECTreeBaseC::SelectDropTarget(HTREEITEM hItem, BOOL bEnsure) {
  if (hItem == nullptr) {
    SetDropHilightIndex(-1);
    if (m_nHoverTimer && m_hWnd) KillTimer(m_nHoverTimer);
    m_nHoverTimer = 0;
    return TRUE;
  }
  if (!IsValidHandle(hItem) || hItem == TVI_ROOT) return FALSE;
  if (bEnsure && !EnsureVisible(hItem)) return FALSE;
  const int row = FindRow(hItem);
  if (row < 0) return FALSE;
  const int old = GetDropHilightIndex();
  SetDropHilightIndex(row);
  if ((m_dwTreeExStyle & kSECTreeExHoverExpand) && row != old && m_hWnd) {
    if (m_nHoverTimer) KillTimer(m_nHoverTimer);
    m_nHoverTimer = SetTimer(kSECTreeHoverTimer, m_nHoverDelay, nullptr);
  }
  return TRUE;
}

void SECTreeBaseC::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != kSECTreeHoverTimer) {
    SECListBaseC::OnTimer(nIDEvent);
    return;
  }
  KillTimer(kSECTreeHoverTimer);
  m_nHoverTimer = 0;
  if (!(m_dwTreeExStyle & kSECTreeExHoverExpand)) return;
  const HTREEITEM target = GetItemAt(GetDropHilightIndex());
  if (target && !IsItemExpanded(target)) Expand(target, TVE_EXPAND, TRUE);
  UpdateWindow();
}

BOOL SECTreeBaseC::SelectItemRange(HTREEITEM hFirst, HTREEITEM hLast, BOOL bSelect) {
  const int first = FindRow(hFirst);
  const int last = FindRow(hLast);
  if (first < 0 || last < 0) return FALSE;
  SelectRange(std::min(first, last), std::max(first, last), bSelect);
  return TRUE;
}

BOOL SECTreeBaseC::SelectChildren(HTREEITEM hItem) {
  const _Node* node = NodeFromHandle(hItem);
  if (node == nullptr || node == m_pRoot || node->m_pFirstChild == nullptr) return FALSE;
  const int first = FindRow(hItem);
  if (first < 0) return FALSE;
  int last = first;
  while (last + 1 < GetItemCount() && node->IsAncestorOf(NodeFromHandle(GetItemAt(last + 1)))) ++last;
  SelectRange(first, last, TRUE);
  return TRUE;
}
