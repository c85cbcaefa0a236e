// SECListTip: a borderless pop-up over a list cell whose label is cut off,
// showing the whole text while the mouse rests on the cell.
#pragma once

#include "controls/list_client.h"
#include "platform/afx/afx.h"

class SECListTip : public CWnd {
 public:
  explicit SECListTip(SECListClient* pOwner) : m_pOwner(pOwner) {}
  ~SECListTip() override = default;

  virtual void Hide();
  virtual BOOL Show(UINT nHitFlags, int nRow, int nCol, int x, int y);
  void Refresh();

  int GetRow() const { return m_nRow; }
  int GetSubItem() const { return m_nSubItem; }
  const CString& GetText() const { return m_strText; }

  void OnPaint();
  void OnDestroy();

 protected:
  bool CreateTipWindow();
  bool IsShown() const { return m_hWnd != nullptr && IsWindowVisible(); }

  int m_nRow = -1;
  int m_nSubItem = -1;
  SECListClient* m_pOwner;
  CString m_strText;
  CRect m_rectCell{0, 0, 0, 0};
  BOOL m_bCaptured = FALSE;
  DECLARE_MESSAGE_MAP()
};
