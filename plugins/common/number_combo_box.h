// CNumberEdit lets only decimal digits and backspace through;
// CNumberComboBox makes the edit part of a combo box a CNumberEdit.
#pragma once

#include "platform/ui/afxctrl.h"

class CNumberEdit : public CEdit {
 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()
};

class CNumberComboBox : public CComboBox {
 public:
  ~CNumberComboBox() override;

 protected:
  void PreSubclassWindow() override;

 private:
  CNumberEdit m_edit;
};

// Binds a combo box window of a dialog as a CNumberComboBox owned by the
// window (freed when it is destroyed). Null is ignored.
void SubclassNumberComboBox(CWnd* combo);
// Binds an edit window of a dialog as a CNumberEdit owned by the window.
void SubclassNumberEdit(CWnd* edit);
