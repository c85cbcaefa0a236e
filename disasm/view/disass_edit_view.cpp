#include "disasm/view/disass_edit_view.h"

#include <cstdlib>

#include "disasm/disass_print.h"
#include "disasm/mem_addr_list.h"
#include "editor/textcolumns.h"
#include "editor/view/seceditview.inl"

template class SECEditViewOver<DisassEditCore<CView>>;

IMPLEMENT_DYNCREATE(DisassEditHint, CObject)
IMPLEMENT_DYNCREATE(DisassEditView, CView)

std::vector<PrintLine> DisassEditView::PrintLayoutLines(int) {
  DisassPrintSelection selection;
  if (m_bPrintSelection && m_pSelStartLine != nullptr && m_pSelEndLine != nullptr) {
    bool forward = m_pSelEndLine->lineNumber >= m_pSelStartLine->lineNumber;
    selection.startLine = m_pSelStartLine->lineNumber;
    selection.endLine = m_pSelEndLine->lineNumber;
    selection.endColumn = forward ? m_nSelEndColumn : m_nSelStartColumn;
  }
  DisassPrintScope scope = m_bPrintSelection ? DisassPrintScope::kSelection : DisassPrintScope::kAll;
  DisassLineRange range = DisassPrintRange(g_pMemAddrList, scope, selection, m_nCaretLine);
  return DisassPrintLines(g_pMemAddrList, range);
}

std::string DisassEditView::PrintedLineText(int n) {
  std::string text = DisassEdit::LineText(n);
  int length = 0;
  char* expanded = textcols::ExpandTabs(text.data(), static_cast<int>(text.size()), m_window.m_nTabSize,
                                        m_window.m_nLineEndLength, &length);
  if (expanded == nullptr) return std::string();
  std::string out(expanded, length);
  std::free(expanded);
  return out;
}

void DisassEditView::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) {
  // Every positive line of the line source is valid: a changed-lines hint
  // leaves the caret where it is and repaints.
  if (hint == kDisassHintLinesChanged) {
    if (m_bRedraw) Invalidate(FALSE);
    return;
  }
  SECEditViewOver<DisassEditCore<CView>>::OnUpdate(sender, hint, hintObject);
}
