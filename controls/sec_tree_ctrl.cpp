#include "controls/sec_tree_ctrl.h"

IMPLEMENT_DYNAMIC(SECTreeCtrl, SECListCtrl)

BEGIN_MESSAGE_MAP(SECTreeCtrl, SECListCtrl)
ON_WM_DESTROY()
ON_WM_CHAR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
END_MESSAGE_MAP()

SECTreeCtrl::~SECTreeCtrl() {
  if (m_hWnd) DestroyWindow();
}

void SECTreeCtrl::OnDestroy() {
  DeleteAllItems();
  SECListBaseC::OnDestroy();
}

// '+', '-' and their unshifted keys expand and collapse; they type nothing.
void SECTreeCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == '-' || nChar == '_' || nChar == '=' || nChar == '+') return;
  SECListBaseC::OnChar(nChar, nRepCnt, nFlags);
}

// A click on a button toggles the item; any other goes to the list. With
// single expansion, selecting an item opens it and closes the one before
// (unless that holds the new one); a click on the selected item toggles it.
void SECTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  if (::GetFocus() != m_hWnd) SetFocus();
  UINT flags = 0;
  const HTREEITEM item = HitTest(point.x, point.y, &flags);
  const HTREEITEM old = GetSelectedItem();
  if ((GetTreeStyle() & TVS_SINGLEEXPAND) && old && item) {
    SECListBaseC::OnLButtonDown(nFlags, point);
    if (GetSelectedItem() != item || !IsValidHandle(item)) return;
    if (item == old) {
      Expand(item, TVE_TOGGLE);
      return;
    }
    if (IsValidHandle(old) && IsItemExpanded(old) && !IsAncestor(old, item)) Expand(old, TVE_COLLAPSE);
    Expand(item, TVE_EXPAND);
    return;
  }
  if (item && (flags & TVHT_ONITEMBUTTON)) {
    Expand(item, TVE_TOGGLE);
    return;
  }
  SECListBaseC::OnLButtonDown(nFlags, point);
}

BOOL SECTreeCtrl::IsAncestor(HTREEITEM hAncestor, HTREEITEM hItem) {
  for (HTREEITEM p = GetParentItem(hItem); p; p = GetParentItem(p))
    if (p == hAncestor) return TRUE;
  return FALSE;
}

void SECTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  SECListBaseC::OnLButtonDblClk(nFlags, point);
  if (m_nNotifyResult != 0 || (nFlags & (MK_SHIFT | MK_CONTROL))) return;
  UINT flags = 0;
  const HTREEITEM item = HitTest(point.x, point.y, &flags);
  if (item && (flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON))) Expand(item, TVE_TOGGLE);
}
