#include "debugger/ui/hex_numeric_combo.h"

void CHexNumericComboBox::PreSubclassWindow() {
  CComboBox::PreSubclassWindow();
  if (::GetDlgItem(m_hWnd, kEditFieldId)) m_edit.SubclassDlgItem(kEditFieldId, this);
}

void CHexNumericComboBox::AddIfNew(const CString& text) {
  if (FindStringExact(-1, text) == CB_ERR) AddString(text);
}
