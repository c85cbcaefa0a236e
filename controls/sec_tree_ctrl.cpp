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

// A click on a button toggles the item; any other goes to the list.
void SECTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) {
  UINT flags = 0;
  const HTREEITEM item = HitTest(point.x, point.y, &flags);
  if (item && (flags & TVHT_ONITEMBUTTON)) {
    if (::GetFocus() != m_hWnd) SetFocus();
    Expand(item, TVE_TOGGLE);
    return;
  }
  SECListBaseC::OnLButtonDown(nFlags, point);
}

void SECTreeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point) {
  SECListBaseC::OnLButtonDblClk(nFlags, point);
  if (m_nNotifyResult != 0 || (nFlags & (MK_SHIFT | MK_CONTROL))) return;
  UINT flags = 0;
  const HTREEITEM item = HitTest(point.x, point.y, &flags);
  if (item && (flags & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON))) Expand(item, TVE_TOGGLE);
}
