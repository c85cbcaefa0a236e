// SECListEdit: the edit window in which a list cell is edited in place.
#pragma once

#include "controls/list_client.h"
#include "platform/ui/afxctrl.h"

class SECListEdit : public CEdit {
 public:
  explicit SECListEdit(SECListClient* pOwner) : m_pOwner(pOwner) {}
  ~SECListEdit() override = default;

  UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

 protected:
  SECListClient* m_pOwner;
  DECLARE_MESSAGE_MAP()
};
