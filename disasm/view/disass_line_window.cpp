#include "disasm/view/disass_line_window.h"

#include <cstring>

#include "debugger/segoff.h"
#include "disasm/disass_edit.h"
#include "disasm/disass_neighbours.h"
#include "disasm/mem_addr_list.h"

DisassLineWindow::DisassLineWindow() {
  // The buffer's own empty line gives way to the line source's.
  FreeLines(m_pLines);
  m_pLines = nullptr;
  SetReadOnly(TRUE);
  m_nLineCount = Count();
}

DisassLineWindow::~DisassLineWindow() {
  Release();
  // The stretch is the buffer's list, freed with it.
}

void DisassLineWindow::TakeSettings(const DisassEdit& model) {
  m_nTabSize = model.m_nTabSize;
  m_bShowTabs = model.m_bShowTabs;
  SetLineEndType(model.m_nLineEndType);
  m_strFontName = model.m_strFontName;
  m_nFontSize = model.m_nFontSize;
  m_nFontWeight = model.m_nFontWeight;
  m_bFontItalic = model.m_bFontItalic;
  m_nCharSet = model.m_nCharSet;
  m_crText = model.m_crText;
  m_crBackground = model.m_crBackground;
  m_crKeyword = model.m_crKeyword;
  m_crComment = model.m_crComment;
  m_crQuote = model.m_crQuote;
  m_crSQuote = model.m_crSQuote;
  // Lines are coloured by kind, not by keywords.
  m_bChroma = FALSE;
  std::memcpy(m_wordChars, model.m_wordChars, sizeof(m_wordChars));
  std::memcpy(m_terminatorChars, model.m_terminatorChars, sizeof(m_terminatorChars));
  std::memcpy(m_startChars, model.m_startChars, sizeof(m_startChars));
}

int DisassLineWindow::Count() const {
  return g_pMemAddrList != nullptr ? g_pMemAddrList->GetLineCount() : kEmptyLineCount;
}

// A line of the line source with the buffer's line end; blank without one.
EditLine* DisassLineWindow::Make(int n) {
  DisassLine record;
  if (g_pMemAddrList != nullptr) g_pMemAddrList->GetLine(n, record);
  int length = record.text != nullptr ? record.length : 0;
  EditLine* line = CreateLine(length + m_nLineEndLength);
  if (line == nullptr) {
    delete[] record.text;
    return nullptr;
  }
  if (length > 0) std::memcpy(line->text, record.text, length);
  std::memcpy(line->text + length, m_szLineEnd, m_nLineEndLength);
  line->text[length + m_nLineEndLength] = '\0';
  line->length = length + m_nLineEndLength;
  line->lineNumber = n;
  line->next = line->prev = nullptr;
  line->flags = 0;
  if (record.flags & kLineSource) line->flags |= LINE_SOURCE_TEXT;
  if (record.flags & kLineBreakpoint) line->flags |= LINE_BREAKPOINT;
  delete[] record.text;
  ++made;
  if (onMade != nullptr) onMade(onMadeContext, line);
  return line;
}

void DisassLineWindow::Relink() {
  ForgetBlockStatesAfter(0);
  m_pLines = m_lines.empty() ? nullptr : m_lines.front();
  m_nLineCount = Count();
}

EditLine* DisassLineWindow::Line(int n) {
  if (n < 1 || n > Count()) return nullptr;
  if (m_lines.empty()) return Restart(n);
  if (Holds(n)) return m_lines[n - m_first];
  if (n < First() - kReach || n > Last() + kReach) return nullptr;
  // The line source goes on down from the line it made last: when that is
  // not the end of the stretch (another view or a walk up made one since),
  // the end is made again first.
  if (n > Last() && g_pMemAddrList != nullptr && g_pMemAddrList->CachedLine() != Last()) {
    DisassLine again;
    g_pMemAddrList->GetLine(Last(), again);
    delete[] again.text;
  }
  while (n > Last()) {
    EditLine* line = Make(Last() + 1);
    if (line == nullptr) return nullptr;
    EditLine* tail = m_lines.back();
    tail->next = line;
    line->prev = tail;
    m_lines.push_back(line);
  }
  while (n < First()) {
    EditLine* line = Make(First() - 1);
    if (line == nullptr) return nullptr;
    EditLine* head = m_lines.front();
    head->prev = line;
    line->next = head;
    m_lines.push_front(line);
    --m_first;
  }
  Relink();
  return m_lines[n - m_first];
}

EditLine* DisassLineWindow::Restart(int n) {
  if (n < 1 || n > Count()) return nullptr;
  EditLine* line = Make(n);
  if (line == nullptr) return nullptr;
  for (EditLine* old : m_lines) m_retired.push_back(old);
  m_lines.clear();
  m_lines.push_back(line);
  m_first = n;
  m_source = SourceSerial();
  Relink();
  return line;
}

void DisassLineWindow::TrimTo(int first, int last) {
  if (m_lines.empty() || first > last) return;
  while (m_lines.size() > 1 && First() < first) {
    FreeLine(m_lines.front());
    m_lines.pop_front();
    ++m_first;
  }
  while (m_lines.size() > 1 && Last() > last) {
    FreeLine(m_lines.back());
    m_lines.pop_back();
  }
  m_lines.front()->prev = nullptr;
  m_lines.back()->next = nullptr;
  Relink();
}

void DisassLineWindow::Release() {
  for (EditLine* line : m_retired) FreeLine(line);
  m_retired.clear();
}

// Asks the breakpoint list about the line's instruction (no line is made).
void DisassLineWindow::RefreshFlags(EditLine* line) {
  if (line == nullptr || g_pMemAddrList == nullptr || (line->flags & LINE_SOURCE_TEXT)) return;
  line->flags &= ~LINE_BREAKPOINT;
  if (g_pDisassBreakpoints == nullptr) return;
  CMemAddrEntry entry;
  g_pMemAddrList->GetEntry(line->lineNumber, entry);
  if (entry.Kind() == 0) return;
  CAddr at;
  LinearToSegOff(at, entry.address);
  if (g_pDisassBreakpoints->IsBreakpointSet(&at)) line->flags |= LINE_BREAKPOINT;
}
