#include "debugger/ui/hex_numeric_edit.h"

#include "platform/ui/message.h"

BEGIN_MESSAGE_MAP(CHexNumericEdit, CEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {

bool HexEditIsDigit(UINT ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

bool HexEditIsSuffix(UINT ch) { return ch == 'h' || ch == 'H'; }

}  // namespace

bool CHexNumericEdit::AcceptsChar(const CString& text, int caret, UINT ch) {
  const int length = text.GetLength();
  if (HexEditIsDigit(ch)) return true;
  if (HexEditIsSuffix(ch))
    return caret == length && (length == 0 || !HexEditIsSuffix(UINT(BYTE(text[length - 1]))));
  if (ch == '$') return caret == 0;
  if (ch == 'x' || ch == 'X') return caret == 1 && length >= 1 && text[0] == '0';
  return false;
}

void CHexNumericEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_BACK) {
    Default();
    return;
  }
  if (!AcceptsChar(m_text, m_caret, nChar)) return;
  m_text.Insert(m_caret, char(nChar));
  ++m_caret;
  Default();
}

void CHexNumericEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_BACK:
      if (m_caret > 0) m_text.Delete(--m_caret);
      break;
    case VK_LEFT:
      if (m_caret > 0) --m_caret;
      break;
    case VK_RIGHT:
      if (m_caret < m_text.GetLength()) ++m_caret;
      break;
    case VK_DELETE:
      if (m_caret < m_text.GetLength()) m_text.Delete(m_caret);
      break;
  }
  Default();
}
