// CTextDisplay: a read-only multi-line edit that keeps its whole text and
// takes appended lines. The Build pane's double click opens the file and
// line a compiler message names.
#pragma once

#include <string>

#include "platform/ui/afxctrl.h"

class CMainFrame;

// What a double click does.
enum class TextDisplayKind : WORD {
  kPlain = 0,  // nothing
  kBuild = 1,  // parses compiler messages
  kDebug = 2,  // the edit's word selection
};

class CTextDisplay : public CEdit {
  DECLARE_DYNAMIC(CTextDisplay)
 public:
  explicit CTextDisplay(TextDisplayKind kind = TextDisplayKind::kPlain) : m_kind(kind) {}

  // Line feeds become CR LF; the text and a final CR LF are appended.
  void AppendText(const char* text);
  void Clear();
  const std::string& GetStoredText() const { return m_text; }
  TextDisplayKind GetKind() const { return m_kind; }
  void SetOwner(CMainFrame* owner) { m_pOwner = owner; }
  // Scrolls so that the last line comes into view.
  void ScrollToEnd();

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnLButtonDblClk(UINT nFlags, CPoint point);

 protected:
  void OpenMessageAt(int selectionStart);

  TextDisplayKind m_kind;
  CMainFrame* m_pOwner = nullptr;
  std::string m_text;

  DECLARE_MESSAGE_MAP()
};
