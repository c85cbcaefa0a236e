// Expansion and collapse, selection, scrolling to items and the key hooks.
#include <algorithm>

#include "controls/list_tip.h"
#include "controls/sec_tree_base.h"

namespace {
constexpr UINT kSECTreeCollapseResetAndCollapse = TVE_COLLAPSERESET | TVE_COLLAPSE;
}  // namespace

void SECTreeBaseC::InsertDescendantRows(_Node* pNode, int nRow) {
  const bool animate = (m_dwTreeExStyle & kSECTreeExAnimate) != 0;
  int row = nRow + 1;
  SECTreeNode* n = pNode->GetFirstChildNode();
  while (n && pNode->IsAncestorOf(n)) {
    auto* node = static_cast<_Node*>(n);
    if (node->m_dwFlags & kSECTreeNodeHidden) {
      // Skip the hidden node's subtree.
      SECTreeNode* last = node->GetLastDescendant();
      n = last->GetNextInOrder();
      continue;
    }
    if (InsertRowAt(row, node) >= 0) {
      if (animate && m_nAnimateCount < m_nAnimateLimit && m_hWnd) {
        ++m_nAnimateCount;
        UpdateItem(row, FALSE, TRUE, FALSE, TRUE);
      }
      ++row;
    }
    if (node->IsExpanded()) {
      n = node->GetNextInOrder();
    } else {
      n = node->GetLastDescendant()->GetNextInOrder();
    }
  }
}

void SECTreeBaseC::MoveSelectionOutOf(_Node* pNode, int nRow) {
  const int focus = GetFocusIndex();
  const _Node* selected = NodeFromHandle(GetItemAt(focus));
  if (focus < 0 || selected == nullptr || !pNode->IsAncestorOf(selected)) return;
  NotifySelection(TVN_SELCHANGING, nRow, focus, TVC_BYMOUSE);
  if (nRow >= 0) SetFocusItem(nRow);
  NotifySelection(TVN_SELCHANGED, nRow, focus, TVC_BYMOUSE);
}

void SECTreeBaseC::CollapseRows(_Node* pNode, int nRow) {
  if (nRow < 0) return;
  int last = nRow;
  while (last + 1 < GetItemCount() && pNode->IsAncestorOf(NodeFromHandle(GetItemAt(last + 1)))) ++last;
  const int count = last - nRow;
  if (count <= 0) return;
  for (int row = nRow + 1; row <= last; ++row) {
    if (_Node* node = NodeFromHandle(GetItemAt(row))) node->m_item.state &= ~static_cast<UINT>(TVIS_SELECTED);
  }
  m_nAnimationSteps = 0;
  if ((m_dwTreeExStyle & kSECTreeExAnimate) == 0 || m_hWnd == nullptr) {
    SECListBaseC::DeleteItem(nRow + 1, count);
    return;
  }
  // Animated: the window is updated every (count / limit) rows, never every 0.
  const int step = std::max(1, count / static_cast<int>(std::max(1u, m_nAnimateLimit)));
  for (int done = 1; done <= count; ++done) {
    SECListBaseC::DeleteItem(nRow + 1);
    if (done % step == 0) {
      UpdateWindow();
      ++m_nAnimationSteps;
    }
  }
  UpdateWindow();
  ++m_nAnimationSteps;
}

BOOL SECTreeBaseC::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce) {
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return FALSE;
  if (!bForce && node->m_pFirstChild == nullptr && !ItemHasCallbackChildren(hItem)) return TRUE;
  RECT inside{};
  GetInsideRect(&inside);
  const int row = node == m_pRoot ? -1 : FindRow(hItem);
  if (nCode == TVE_TOGGLE) nCode = node->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
  if (NotifyItemExpanding(node, nCode) == 1) return FALSE;
  bool expanded = false;
  if (nCode == TVE_EXPAND) {
    if (node->IsExpanded()) return TRUE;
    if (node->m_pFirstChild == nullptr) return FALSE;
    node->SetExpanded(TRUE);
    m_nAnimateCount = 0;
    if (IsShown(node) || node == m_pRoot) InsertDescendantRows(node, row);
    expanded = true;
  } else if (nCode == TVE_COLLAPSE || nCode == TVE_COLLAPSERESET ||
             nCode == kSECTreeCollapseResetAndCollapse) {
    if (node->IsExpanded()) {
      MoveSelectionOutOf(node, row);
      node->SetExpanded(FALSE);
      CollapseRows(node, row);
    }
    if (nCode != TVE_COLLAPSE) {
      while (SECTreeNode* child = node->m_pFirstChild) DeleteSubtree(HandleOf(child));
    }
  }
  NotifyItemExpanded(node, nCode);
  if (!bRedraw) return TRUE;
  if (expanded && m_bRevealChildren && row >= 0) {
    if (const int lastRow = FindRow(HandleOf(node->GetLastChild())); lastRow >= 0) {
      EnsureRangeVisible(row, lastRow);
    }
  }
  RecalcLayout();
  RECT after{};
  GetInsideRect(&after);
  if (m_hWnd) {
    if (::EqualRect(&inside, &after) && row >= 0)
      UpdateItem(row, FALSE, TRUE, TRUE);
    else
      Invalidate(TRUE);
  }
  return TRUE;
}

BOOL SECTreeBaseC::ExpandAll(HTREEITEM hItem, BOOL bRedraw) {
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return FALSE;
  // Pre-order: each node is expanded before its children are visited.
  SECTreeNode* end = node->GetLastDescendant()->GetNextInOrder();
  for (SECTreeNode* n = node; n && n != end; n = n->GetNextInOrder()) {
    if (n != m_pRoot && !Expand(HandleOf(n), TVE_EXPAND, FALSE)) {
      n = n->GetLastDescendant();
      continue;
    }
    end = node->GetLastDescendant()->GetNextInOrder();
  }
  if (bRedraw) {
    RecalcLayout();
    if (m_hWnd) Invalidate(TRUE);
  }
  return TRUE;
}

BOOL SECTreeBaseC::CollapseAll(HTREEITEM hItem, BOOL bRedraw) {
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return FALSE;
  // Children first, deepest last in pre-order, so that inner rows go before outer ones.
  std::vector<SECTreeNode*> open;
  SECTreeNode* end = node->GetLastDescendant()->GetNextInOrder();
  for (SECTreeNode* n = node; n && n != end; n = n->GetNextInOrder()) {
    if (n != m_pRoot && n->m_pFirstChild && n->IsExpanded()) open.push_back(n);
  }
  for (auto it = open.rbegin(); it != open.rend(); ++it) Expand(HandleOf(*it), TVE_COLLAPSE, FALSE);
  if (bRedraw) {
    RecalcLayout();
    if (m_hWnd) Invalidate(TRUE);
  }
  return TRUE;
}

BOOL SECTreeBaseC::EnsureVisible(HTREEITEM hItem, BOOL bPartial) {
  if (hItem == nullptr || hItem == TVI_ROOT) return FALSE;
  _Node* node = NodeFromHandle(hItem);
  if (node == nullptr) return FALSE;
  if (FindRow(hItem) < 0) {
    for (SECTreeNode* p = node->GetParentNode(); p && p != m_pRoot; p = p->GetParentNode()) {
      if (!p->IsExpanded() && !Expand(HandleOf(p), TVE_EXPAND, FALSE)) return FALSE;
    }
    if (!SyncRows()) return FALSE;
    Relayout();
  }
  const int row = FindRow(hItem);
  if (row < 0) return FALSE;
  if (!bPartial) return SECListBaseC::EnsureVisible(row);
  const int parentRow = FindRow(GetParentItem(hItem));
  return EnsureRangeVisible(parentRow >= 0 ? parentRow : row, row);
}

BOOL SECTreeBaseC::Select(HTREEITEM hItem, UINT nCode) {
  if (!EnsureVisible(hItem)) return FALSE;
  const int row = FindRow(hItem);
  switch (nCode) {
    case TVGN_CARET: {
      const int old = GetFocusIndex();
      if (NotifySelection(TVN_SELCHANGING, row, old, TVC_UNKNOWN) == 1) return FALSE;
      if (!SetFocusItem(row)) return FALSE;
      NotifySelection(TVN_SELCHANGED, row, old, TVC_UNKNOWN);
      return TRUE;
    }
    case TVGN_DROPHILITE:
      return SelectDropTarget(hItem);
    case TVGN_FIRSTVISIBLE:
      SetTopIndex(row);
      return TRUE;
    default:
      return FALSE;
  }
}

BOOL SECTreeBaseC::SelectItem(HTREEITEM hItem) {
  if (!EnsureVisible(hItem)) return FALSE;
  const int row = FindRow(hItem);
  const int old = GetFocusIndex();
  if (NotifySelection(TVN_SELCHANGING, row, old, TVC_UNKNOWN) == 1) return FALSE;
  SECListBaseC::SelectItem(row);
  if (m_dwTreeExStyle & kSECTreeExMultiSelect) return TRUE;
  return Select(hItem, TVGN_CARET);
}

// ---- Key hooks ----

void SECTreeBaseC::KeyReturn(int, int, BOOL, BOOL, UINT, UINT) { Notify(static_cast<UINT>(NM_RETURN)); }

void SECTreeBaseC::KeyCollapse(int nFocus, int, BOOL, BOOL, UINT, UINT) {
  const HTREEITEM item = GetItemAt(nFocus);
  if (item == nullptr) return;
  if ((ItemHasChildren(item) || ItemHasCallbackChildren(item)) && IsItemExpanded(item)) {
    Expand(item, TVE_COLLAPSE);
  } else if (const HTREEITEM parent = GetParentItem(item)) {
    DeselectAllExcept(-1);
    Select(parent, TVGN_CARET);
  }
  if (m_pTip) m_pTip->Hide();
}

void SECTreeBaseC::KeyBack(int nFocus, int nSubItem, BOOL bShift, BOOL bCtrl, UINT nRepCnt, UINT nFlags) {
  KeyCollapse(nFocus, nSubItem, bShift, bCtrl, nRepCnt, nFlags);
}

void SECTreeBaseC::KeyExpand(int nFocus, int, BOOL, BOOL, UINT, UINT) {
  const HTREEITEM item = GetItemAt(nFocus);
  if (item == nullptr) return;
  if (ItemHasChildren(item) && IsItemExpanded(item)) {
    DeselectAllExcept(-1);
    Select(GetChildItem(item), TVGN_CARET);
  } else if (ItemHasChildren(item) || ItemHasCallbackChildren(item)) {
    Expand(item, TVE_EXPAND);
  }
  if (m_pTip) m_pTip->Hide();
}

void SECTreeBaseC::KeyExpandAll(int nFocus, int, BOOL, BOOL, UINT, UINT) {
  if (const HTREEITEM item = GetItemAt(nFocus)) ExpandAll(item, TRUE);
}
