// A combo box whose edit field takes only decimal or hexadecimal numbers
// (CHexNumericEdit on the field, control 1001 inside the combo).
#pragma once

#include "debugger/ui/hex_numeric_edit.h"
#include "platform/ui/afxctrl.h"

class CHexNumericComboBox : public CComboBox {
 public:
  static const UINT kEditFieldId = 1001;

  CHexNumericEdit& Edit() { return m_edit; }
  // Adds `text` to the list unless an entry equals it (letter case aside).
  void AddIfNew(const CString& text);

 protected:
  void PreSubclassWindow() override;

 private:
  CHexNumericEdit m_edit;
};
