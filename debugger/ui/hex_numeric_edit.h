// An edit that takes decimal or hexadecimal numbers ("1F", "0x1F", "$1F",
// "1Fh"): typed characters that cannot belong to such a number are
// swallowed. The filter works on its own copy of the typed text and caret,
// which follows typed characters and Backspace, Left, Right and Delete.
#pragma once

#include "platform/ui/afxctrl.h"

class CHexNumericEdit : public CEdit {
 public:
  // Whether `ch` may be typed at `caret` into `text`.
  static bool AcceptsChar(const CString& text, int caret, UINT ch);

  const CString& MirrorText() const { return m_text; }
  int MirrorCaret() const { return m_caret; }

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  DECLARE_MESSAGE_MAP()

 private:
  CString m_text;
  int m_caret = 0;
};
