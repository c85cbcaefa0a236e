// SECTreeCtrl: the concrete tree window; routes the tree's own message
// handling and otherwise the list's.
#pragma once

#include "controls/sec_tree_base.h"

class SECTreeCtrl : public SECTreeBaseC {
  DECLARE_DYNAMIC(SECTreeCtrl)
 public:
  SECTreeCtrl() = default;
  ~SECTreeCtrl() override;

  void OnDestroy();
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);

 protected:
  BOOL IsAncestor(HTREEITEM hAncestor, HTREEITEM hItem);
  DECLARE_MESSAGE_MAP()
};
