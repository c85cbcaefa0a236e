#include "app/text_display.h"

#include "app/compiler_message.h"
#include "app/core/project_data.h"
#include "app/main_frame.h"
#include "editor/view/cmirt2view.h"

IMPLEMENT_DYNAMIC(CTextDisplay, CEdit)

BEGIN_MESSAGE_MAP(CTextDisplay, CEdit)
ON_WM_CREATE()
ON_WM_CHAR()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
constexpr int kTextDisplayMaxLine = 511;
}

void CTextDisplay::AppendText(const char* text) {
  // A line feed already behind a carriage return is a line end as it is.
  const size_t before = m_text.size();
  for (const char* p = text ? text : ""; *p; ++p) {
    if (*p == '\n' && (p == text || p[-1] != '\r')) m_text += '\r';
    m_text += *p;
  }
  m_text += "\r\n";
  if (!m_hWnd) return;
  // The window holds the stored text; only the new piece goes in, at the
  // end, so a long build log costs each append no more than its own bytes.
  if (GetWindowTextLength() != static_cast<int>(before)) {
    SetWindowText(m_text.c_str());
    return;
  }
  SetSel(static_cast<int>(before), static_cast<int>(before), TRUE);
  ReplaceSel(m_text.c_str() + before);
}

int CTextDisplay::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  if (CEdit::OnCreate(lpCreateStruct) == -1) return -1;
  SetLimitText(0);  // no limit: a pane keeps its whole text
  return 0;
}

void CTextDisplay::Clear() {
  m_text.clear();
  if (m_hWnd) SetWindowText("");
}

void CTextDisplay::ScrollToEnd() {
  // The last line shown at the bottom of the pane (scrolling by the line
  // count alone would leave only the empty line after the last line end).
  if (!m_hWnd) return;
  const int end = static_cast<int>(m_text.size());
  SetSel(end, end);
  SendMessage(EM_SCROLLCARET);
}

void CTextDisplay::OnChar(UINT, UINT, UINT) {}

void CTextDisplay::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_kind == TextDisplayKind::kDebug) {
    CEdit::OnLButtonDblClk(nFlags, point);
    return;
  }
  if (m_kind != TextDisplayKind::kBuild) return;
  int start = 0, end = 0;
  GetSel(start, end);
  OpenMessageAt(start);
}

void CTextDisplay::OpenMessageAt(int selectionStart) {
  size_t limit = std::min(static_cast<size_t>(std::max(selectionStart, 0)), m_text.size());
  int lineIndex = 0;
  for (size_t i = 0; i < limit; ++i)
    if (m_text[i] == '\n') ++lineIndex;
  char buffer[kTextDisplayMaxLine + 1] = {};
  int length = GetLine(lineIndex, buffer, kTextDisplayMaxLine);
  std::string line(buffer, static_cast<size_t>(std::max(length, 0)));
  CompilerMessageLocation location;
  if (!ParseCompilerMessage(line, g_project.kind, location)) return;
  size_t found = m_text.find(line);
  if (found != std::string::npos) {
    SetSel(static_cast<int>(found), static_cast<int>(found + line.size()));
  }
  if (!m_pOwner) return;
  CView* view = m_pOwner->OpenFileAtLine(location.file.c_str(), location.line);
  if (auto* source = dynamic_cast<CMirt2View*>(view)) source->MarkMessageLine(TRUE);
}
