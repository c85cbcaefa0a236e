#include "plugins/common/number_combo_box.h"

#include "platform/base/winuser.h"

BEGIN_MESSAGE_MAP(CNumberEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {
constexpr int kNumberComboEditId = 1001;
constexpr UINT kNumberEditBackspace = 8;

// Frees the combo object when its window goes.
class COwnedNumberComboBox : public CNumberComboBox {
 protected:
  void PostNcDestroy() override { delete this; }
};
class COwnedNumberEdit : public CNumberEdit {
 protected:
  void PostNcDestroy() override { delete this; }
};
}  // namespace

void CNumberEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if ((nChar >= '0' && nChar <= '9') || nChar == kNumberEditBackspace) CEdit::OnChar(nChar, nRepCnt, nFlags);
}

CNumberComboBox::~CNumberComboBox() = default;

void CNumberComboBox::PreSubclassWindow() {
  CComboBox::PreSubclassWindow();
  if (HWND edit = ::GetDlgItem(m_hWnd, kNumberComboEditId)) m_edit.SubclassWindow(edit);
}

void SubclassNumberComboBox(CWnd* combo) {
  if (!combo || !combo->m_hWnd || CWnd::FromHandlePermanent(combo->m_hWnd)) return;
  auto* box = new COwnedNumberComboBox;
  if (!box->SubclassWindow(combo->m_hWnd)) delete box;
}

void SubclassNumberEdit(CWnd* edit) {
  if (!edit || !edit->m_hWnd || CWnd::FromHandlePermanent(edit->m_hWnd)) return;
  auto* box = new COwnedNumberEdit;
  if (!box->SubclassWindow(edit->m_hWnd)) delete box;
}
