// Members of SECEditViewOver; a view's source file instantiates them.
#pragma once

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/pagelayout.h"
#include "editor/view/seceditview.h"

namespace seceditview_detail {
// Whether the next activation is the first of any editor view.
inline bool g_firstActivation = true;
}  // namespace seceditview_detail

template <class TCore>
SECEditViewOver<TCore>::SECEditViewOver() {
  m_pageSetup.LoadSettings();
}

template <class TCore>
SECEditViewOver<TCore>::~SECEditViewOver() {
  if (m_hOwnedPrintFont != nullptr) ::DeleteObject(m_hOwnedPrintFont);
}

template <class TCore>
BOOL SECEditViewOver<TCore>::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  BOOL handled = TCore::OnWndMsg(message, wParam, lParam, pResult);
  if (message == WM_CREATE && (pResult == nullptr || *pResult != -1)) m_dropTarget.Register(this);
  if (message == WM_DESTROY) m_dropTarget.Revoke();
  // Each pane has its own scroll bars: a scrolled pane takes its row and
  // column along.
  if ((message == WM_VSCROLL || message == WM_HSCROLL) && m_pSplitter != nullptr) {
    UpdateViews(this, HINT_SCROLLED, nullptr);
  }
  return handled;
}

template <class TCore>
BOOL SECEditViewOver<TCore>::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nID == ID_EDIT_PAGE_SETUP && (nCode == CN_COMMAND || nCode == static_cast<int>(CN_UPDATE_COMMAND_UI))) {
    if (nCode == CN_COMMAND && pHandlerInfo == nullptr) {
      OnPageSetup();
    } else if (nCode != CN_COMMAND && pExtra != nullptr) {
      static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
    }
    return TRUE;
  }
  return TCore::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

template <class TCore>
void SECEditViewOver<TCore>::OnPageSetup() {
  m_pageSetup.LoadSettings();
  if (m_pageSetup.DoModal() == IDOK) m_pageSetup.SaveSettings();
}

template <class TCore>
void SECEditViewOver<TCore>::OnDragLeave() {
  this->DestroyCaretHere();
  CView::OnDragLeave();
}

// Panes hold their own line records where the lines are made per view:
// lines are taken over by number.
template <class TCore>
void SECEditViewOver<TCore>::TakeLinesOf(SECEditViewOver* pane) {
  this->m_pTopLine = this->LineAt(pane->m_nTopLine);
  this->m_nTopLine = pane->m_nTopLine;
  this->m_pCaretLine = this->LineAt(pane->m_nCaretLine);
  this->m_nCaretLine = pane->m_nCaretLine;
}

template <class TCore>
void SECEditViewOver<TCore>::OnInitialUpdate() {
  CView::OnInitialUpdate();
  this->InitView();
  CWnd* parent = this->GetParent();
  auto* splitter = dynamic_cast<CSplitterWnd*>(parent);
  if (splitter == nullptr || !splitter->IsChildPane(this, &m_nSplitRow, &m_nSplitCol)) return;
  m_pSplitter = splitter;
  if (m_nSplitRow == 0 && m_nSplitCol == 0) return;
  if (dynamic_cast<SECEditViewOver*>(splitter->GetPane(0, 0)) == nullptr) return;
  if (m_nSplitRow > 0) {
    if (auto* above = dynamic_cast<SECEditViewOver*>(splitter->GetPane(0, m_nSplitCol))) {
      this->m_nLeftColumn = above->m_nLeftColumn;
      TCore::UpdateScrollInfo(SB_HORZ, this->m_nLeftColumn, TRUE);
    }
  }
  if (m_nSplitCol > 0) {
    if (auto* left = dynamic_cast<SECEditViewOver*>(splitter->GetPane(m_nSplitRow, 0))) {
      TakeLinesOf(left);
      TCore::UpdateScrollInfo(SB_VERT, this->m_nTopLine - 1, TRUE);
    }
  }
}

template <class TCore>
void SECEditViewOver<TCore>::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  if (seceditview_detail::g_firstActivation && activate) {
    this->MakeCaretVisible();
    seceditview_detail::g_firstActivation = false;
  }
  CView::OnActivateView(activate, activateView, deactiveView);
}

template <class TCore>
SECEditViewOver<TCore>* SECEditViewOver<TCore>::HintSender(CView* sender) {
  if (sender == nullptr && m_pSplitter != nullptr) sender = dynamic_cast<CView*>(m_pSplitter->GetActivePane());
  auto* view = dynamic_cast<SECEditViewOver*>(sender);
  return view != this ? view : nullptr;
}

template <class TCore>
void SECEditViewOver<TCore>::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) {
  if (hint == HINT_SCROLLED) {
    if (m_pSplitter == nullptr) {
      if (this->m_bRedraw) this->Invalidate(FALSE);
      return;
    }
    SECEditViewOver* from = HintSender(sender);
    if (from == nullptr || from->m_pSplitter != m_pSplitter) return;
    if (from->m_nSplitCol == m_nSplitCol && from->m_nLeftColumn != this->m_nLeftColumn) {
      this->m_nLeftColumn = from->m_nLeftColumn;
      TCore::UpdateScrollInfo(SB_HORZ, this->m_nLeftColumn, TRUE);
      this->Invalidate(FALSE);
    }
    if (from->m_nSplitRow == m_nSplitRow && from->m_nTopLine != this->m_nTopLine) {
      TakeLinesOf(from);
      TCore::UpdateScrollInfo(SB_VERT, this->m_nTopLine - 1, TRUE);
      this->Invalidate(FALSE);
    }
    return;
  }
  this->ApplyHint(hint, hintObject);
}

template <class TCore>
CFrameWnd* SECEditViewOver<TCore>::GetActiveEditFrame() {
  CWnd* main = AfxGetMainWnd();
  auto* frame = dynamic_cast<CFrameWnd*>(main);
  if (frame == nullptr) return nullptr;
  CFrameWnd* active = frame->GetActiveFrame();
  return active != nullptr ? active : frame;
}

template <class TCore>
void SECEditViewOver<TCore>::UpdateViews(CView* sender, LPARAM hint, CObject* hintObject) {
  if (this->GetDocument() != nullptr) {
    this->GetDocument()->UpdateAllViews(sender, hint, hintObject);
  } else {
    TCore::UpdateViews(sender, hint, hintObject);
  }
}

template <class TCore>
void SECEditViewOver<TCore>::UpdateScrollInfo(int bar, int position, BOOL redraw) {
  TCore::UpdateScrollInfo(bar, position, redraw);
  if (m_pSplitter != nullptr && !this->m_bScrolling && m_pSplitter->GetActivePane() == this) {
    UpdateViews(this, HINT_SCROLLED, nullptr);
  }
}

// ---- printing ----

template <class TCore>
BOOL SECEditViewOver<TCore>::OnPreparePrinting(CPrintInfo* info) {
  // The print dialog here offers no choice of range: a selection, when
  // there is one, is what gets printed.
  m_bPrintSelection = m_bAllowSelectionPrint && this->m_bSelection && this->m_pSelStartLine != nullptr;
  return this->DoPreparePrinting(info);
}

template <class TCore>
std::string SECEditViewOver<TCore>::PrintedText(EditLine* line) {
  EditBuffer* buf = this->Buf();
  std::string out;
  int tab = std::max(buf->m_nTabSize, 1);
  int column = 0;
  int n = buf->ContentLength(line);
  for (int i = 0; i < n; ++i) {
    char c = line->text[i];
    if (c == '\t') {
      int w = tab - column % tab;
      for (int k = 0; k < w; ++k) out.push_back(k == 0 && buf->m_bShowTabs ? '\xBB' : ' ');
      column += w;
    } else if (c == '\r' || c == '\n') {
      out.push_back(c);
      column = 0;
    } else {
      out.push_back(c);
      ++column;
    }
  }
  return out;
}

template <class TCore>
std::vector<PrintLine> SECEditViewOver<TCore>::PrintLayoutLines(int) {
  EditBuffer* buf = this->Buf();
  EditLine* first = m_bPrintSelection ? this->m_pSelStartLine : buf->m_pLines;
  EditLine* last = m_bPrintSelection ? this->m_pSelEndLine : nullptr;
  if (m_bPrintSelection && this->m_pSelEndLine->lineNumber < this->m_pSelStartLine->lineNumber)
    std::swap(first, last);
  std::vector<PrintLine> lines;
  for (EditLine* l = first; l != nullptr; l = l->next) {
    lines.push_back({l->lineNumber, static_cast<int>(PrintedText(l).size())});
    if (l == last) break;
  }
  return lines;
}

template <class TCore>
std::string SECEditViewOver<TCore>::PrintedLineText(int n) {
  EditLine* line = m_pPrintCursor;
  if (line == nullptr || line->lineNumber > n) line = this->LineAt(n);
  while (line != nullptr && line->lineNumber < n) line = line->next;
  m_pPrintCursor = line;
  return line != nullptr && line->lineNumber == n ? PrintedText(line) : std::string();
}

template <class TCore>
void SECEditViewOver<TCore>::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
  EditBuffer* buf = this->Buf();
  if (buf == nullptr || buf->m_pLines == nullptr) return;
  m_pPrintCursor = nullptr;
  m_pageSetup.LoadSettings();
  CString path = this->GetDocument() != nullptr ? this->GetDocument()->GetPathName() : CString();
  std::time_t now = std::time(nullptr);
  std::time_t fileTime = now;
  struct stat st {};
  bool untitled = path.Find('.') < 0;
  if (!untitled && ::stat(static_cast<LPCSTR>(path), &st) == 0) fileTime = st.st_mtime;
  m_timeHeader = (m_pageSetup.m_nHeaderTime == PAGE_SYSTEM_TIME || untitled) ? now : fileTime;
  m_timeFooter = (m_pageSetup.m_nFooterTime == PAGE_SYSTEM_TIME || untitled) ? now : fileTime;

  if (this->m_hPrintFont == nullptr) {
    LOGFONT lf{};
    this->m_font.GetLogFont(&lf);
    CClientDC screen(nullptr);
    lf.lfHeight = ::MulDiv(lf.lfHeight, dc->GetDeviceCaps(LOGPIXELSY), screen.GetDeviceCaps(LOGPIXELSY));
    lf.lfWidth = ::MulDiv(lf.lfWidth, dc->GetDeviceCaps(LOGPIXELSX), screen.GetDeviceCaps(LOGPIXELSX));
    this->m_hPrintFont = ::CreateFontIndirect(&lf);
    m_hOwnedPrintFont = this->m_hPrintFont;
  }
  HGDIOBJ old = ::SelectObject(dc->GetSafeHdc(), this->m_hPrintFont);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  int w = dc->GetDeviceCaps(HORZRES);
  int h = dc->GetDeviceCaps(VERTRES);
  m_nPrintLineHeight = std::max<int>(tm.tmHeight + tm.tmExternalLeading, 1);
  int charsPerRow = std::max<int>(w / std::max<int>(tm.tmAveCharWidth, 1) - 1, 1);
  CString header, footer;
  const char* name = static_cast<LPCSTR>(path);
  m_pageSetup.FormatHeader(header, m_timeHeader, name, 1);
  m_pageSetup.FormatFooter(footer, m_timeFooter, name, 1);
  int band = m_nPrintLineHeight + 2 * (m_nPrintLineHeight / 4);
  if (!header.IsEmpty()) h -= band;
  if (!footer.IsEmpty()) h -= band;
  m_nLinesPerPage = std::max(h / m_nPrintLineHeight, 1);

  std::vector<PrintLine> lines = PrintLayoutLines(charsPerRow);
  m_nPrintLastLine = lines.empty() ? 0 : lines.back().number;
  m_pageStarts.clear();
  for (int start : ComputePageStarts(lines, charsPerRow, m_nLinesPerPage)) m_pageStarts.push_back(start);
  info->SetMaxPage(static_cast<UINT>(std::max<size_t>(m_pageStarts.size(), 1)));
  ::SelectObject(dc->GetSafeHdc(), old);
}

template <class TCore>
void SECEditViewOver<TCore>::OnPrint(CDC* dc, CPrintInfo* info) {
  EditBuffer* buf = this->Buf();
  if (buf == nullptr || m_pageStarts.empty() || info->m_nCurPage > m_pageStarts.size()) {
    info->m_bContinuePrinting = FALSE;
    return;
  }
  CString path = this->GetDocument() != nullptr ? this->GetDocument()->GetPathName() : CString();
  if (path.IsEmpty() && this->GetDocument() != nullptr) path = this->GetDocument()->GetTitle();
  int page = static_cast<int>(info->m_nCurPage);
  CString header, footer;
  m_pageSetup.FormatHeader(header, m_timeHeader, static_cast<LPCSTR>(path), page);
  m_pageSetup.FormatFooter(footer, m_timeFooter, static_cast<LPCSTR>(path), page);
  int firstLine = static_cast<int>(m_pageStarts[page - 1]);
  bool lastPage = page == static_cast<int>(m_pageStarts.size());
  int lastLine = lastPage ? m_nPrintLastLine : static_cast<int>(m_pageStarts[page]) - 1;
  HGDIOBJ old = this->m_hPrintFont != nullptr ? ::SelectObject(dc->GetSafeHdc(), this->m_hPrintFont) : nullptr;
  dc->SetBkMode(TRANSPARENT);
  CRect rc = info->m_rectDraw;
  int lh = m_nPrintLineHeight;
  int y = rc.top;
  if (!header.IsEmpty()) {
    dc->TextOut(rc.left, rc.top, header);
    int rule = rc.top + lh + lh / 4;
    dc->MoveTo(rc.left, rule);
    dc->LineTo(rc.right, rule);
    y = rule + lh / 4;
  }
  int bottom = rc.bottom;
  if (!footer.IsEmpty()) bottom -= lh + 2 * (lh / 4);
  TEXTMETRIC tm{};
  dc->GetTextMetrics(&tm);
  int perRow = std::max<int>(rc.right / std::max<int>(tm.tmAveCharWidth, 1), 1);
  int selStart = 0;
  int selEnd = 0;
  int selEndColumn = 0;
  if (m_bPrintSelection && this->m_pSelStartLine != nullptr) {
    bool forward = this->m_pSelEndLine->lineNumber >= this->m_pSelStartLine->lineNumber;
    selStart = forward ? this->m_pSelStartLine->lineNumber : this->m_pSelEndLine->lineNumber;
    selEnd = forward ? this->m_pSelEndLine->lineNumber : this->m_pSelStartLine->lineNumber;
    selEndColumn = forward ? this->m_nSelEndColumn : this->m_nSelStartColumn;
  }
  for (int n = firstLine; n <= lastLine; ++n) {
    if (selEnd != 0 && n == selEnd && selEndColumn == 0 && n != selStart) {
      info->m_bContinuePrinting = FALSE;
      break;
    }
    std::string text = PrintedLineText(n);
    if (text.empty()) {
      y += lh;
    } else {
      for (size_t at = 0; at < text.size() && y < bottom; at += perRow) {
        int count = static_cast<int>(std::min<size_t>(perRow, text.size() - at));
        dc->TextOut(rc.left, y, text.c_str() + at, count);
        y += lh;
      }
    }
    if (selEnd != 0 && n == selEnd) {
      info->m_bContinuePrinting = FALSE;
      break;
    }
  }
  if (!footer.IsEmpty()) {
    int fy = bottom + lh / 2;
    dc->MoveTo(rc.left, fy - lh / 4);
    dc->LineTo(rc.right, fy - lh / 4);
    dc->TextOut(rc.left, fy, footer);
  }
  if (old != nullptr) ::SelectObject(dc->GetSafeHdc(), old);
}

template <class TCore>
void SECEditViewOver<TCore>::OnEndPrinting(CDC*, CPrintInfo*) {
  if (m_hOwnedPrintFont != nullptr && m_hOwnedPrintFont == this->m_hPrintFont) {
    ::DeleteObject(m_hOwnedPrintFont);
    m_hOwnedPrintFont = nullptr;
    this->m_hPrintFont = nullptr;
  }
}
