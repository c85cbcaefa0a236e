#include "a_qjx/hex_mask_edit.h"

BEGIN_MESSAGE_MAP(CHexMaskEdit, CEdit)
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CHexMaskEdit::SetMask(LPCSTR mask, LPCSTR) {
  mask_.SetMask(mask);
  SetWindowText(mask_.Display());
}

void CHexMaskEdit::SetValue(LPCSTR value) {
  mask_.SetValue(value);
  SetWindowText(mask_.Display());
}

void CHexMaskEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  lastWasDelete_ = key == VK_DELETE;
  lastWasBackspace_ = key == VK_BACK;
  CEdit::OnKeyDown(key, repeat, flags);
}

BOOL CHexMaskEdit::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_UPDATE) {
    OnUpdate();
    return TRUE;
  }
  return CEdit::OnChildNotify(message, wParam, lParam, result);
}

void CHexMaskEdit::ShowDisplay(int caret) {
  SetWindowText(mask_.Display());
  SetSel(caret, caret);
}

void CHexMaskEdit::OnUpdate() {
  int start = 0, end = 0;
  GetSel(start, end);
  CString shown;
  GetWindowText(shown);
  if (shown == mask_.Display()) return;
  if (lastWasBackspace_) {
    mask_.ClearAt(start);
    ShowDisplay(mask_.NextCaretPos(start, HexMask::LastKey::Backspace));
  } else if (lastWasDelete_) {
    mask_.ClearAt(start);
    ShowDisplay(mask_.NextCaretPos(start + 1, HexMask::LastKey::Other));
  } else if (start > 0) {
    char taken = 0;
    if (mask_.AcceptChar(start - 1, start - 1 < shown.GetLength() ? shown[start - 1] : '\0', &taken))
      mask_.SetAt(start - 1, taken);
    ShowDisplay(mask_.NextCaretPos(start, HexMask::LastKey::Other));
  }
  SendMessage(EM_SCROLLCARET);
}
