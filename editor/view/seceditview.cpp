#include "editor/view/seceditview.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/pagelayout.h"

IMPLEMENT_DYNCREATE(SECEditView, CView)

namespace {
// Whether the next activation is the first of any editor view.
bool g_firstActivation = true;
}  // namespace

SECEditView::SECEditView() { m_pageSetup.LoadSettings(); }

SECEditView::~SECEditView() {
  if (m_hOwnedPrintFont != nullptr) ::DeleteObject(m_hOwnedPrintFont);
}

BOOL SECEditView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  BOOL handled = SECEditCore<CView>::OnWndMsg(message, wParam, lParam, pResult);
  if (message == WM_CREATE && (pResult == nullptr || *pResult != -1)) m_dropTarget.Register(this);
  if (message == WM_DESTROY) m_dropTarget.Revoke();
  // Each pane has its own scroll bars: a scrolled pane takes its row and
  // column along.
  if ((message == WM_VSCROLL || message == WM_HSCROLL) && m_pSplitter != nullptr) {
    UpdateViews(this, HINT_SCROLLED, nullptr);
  }
  return handled;
}

BOOL SECEditView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (nID == ID_EDIT_PAGE_SETUP && (nCode == CN_COMMAND || nCode == static_cast<int>(CN_UPDATE_COMMAND_UI))) {
    if (nCode == CN_COMMAND && pHandlerInfo == nullptr) {
      OnPageSetup();
    } else if (nCode != CN_COMMAND && pExtra != nullptr) {
      static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
    }
    return TRUE;
  }
  return SECEditCore<CView>::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void SECEditView::OnPageSetup() {
  m_pageSetup.LoadSettings();
  if (m_pageSetup.DoModal() == IDOK) m_pageSetup.SaveSettings();
}

void SECEditView::OnDragLeave() {
  DestroyCaretHere();
  CView::OnDragLeave();
}

void SECEditView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  InitView();
  CWnd* parent = GetParent();
  auto* splitter = dynamic_cast<CSplitterWnd*>(parent);
  if (splitter == nullptr || !splitter->IsChildPane(this, &m_nSplitRow, &m_nSplitCol)) return;
  m_pSplitter = splitter;
  if (m_nSplitRow == 0 && m_nSplitCol == 0) return;
  if (dynamic_cast<SECEditView*>(splitter->GetPane(0, 0)) == nullptr) return;
  if (m_nSplitRow > 0) {
    if (auto* above = dynamic_cast<SECEditView*>(splitter->GetPane(0, m_nSplitCol))) {
      m_nLeftColumn = above->m_nLeftColumn;
      SECEditCore<CView>::UpdateScrollInfo(SB_HORZ, m_nLeftColumn, TRUE);
    }
  }
  if (m_nSplitCol > 0) {
    if (auto* left = dynamic_cast<SECEditView*>(splitter->GetPane(m_nSplitRow, 0))) {
      m_pTopLine = left->m_pTopLine;
      m_nTopLine = left->m_nTopLine;
      m_pCaretLine = left->m_pCaretLine;
      m_nCaretLine = left->m_nCaretLine;
      SECEditCore<CView>::UpdateScrollInfo(SB_VERT, m_nTopLine - 1, TRUE);
    }
  }
}

void SECEditView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  if (g_firstActivation && activate) {
    MakeCaretVisible();
    g_firstActivation = false;
  }
  CView::OnActivateView(activate, activateView, deactiveView);
}

SECEditView* SECEditView::HintSender(CView* sender) {
  if (sender == nullptr && m_pSplitter != nullptr)
    sender = dynamic_cast<CView*>(m_pSplitter->GetActivePane());
  auto* view = dynamic_cast<SECEditView*>(sender);
  return view != this ? view : nullptr;
}

void SECEditView::OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) {
  if (hint == HINT_SCROLLED) {
    if (m_pSplitter == nullptr) {
      if (m_bRedraw) Invalidate(FALSE);
      return;
    }
    SECEditView* from = HintSender(sender);
    if (from == nullptr || from->m_pSplitter != m_pSplitter) return;
    if (from->m_nSplitCol == m_nSplitCol && from->m_nLeftColumn != m_nLeftColumn) {
      m_nLeftColumn = from->m_nLeftColumn;
      SECEditCore<CView>::UpdateScrollInfo(SB_HORZ, m_nLeftColumn, TRUE);
      Invalidate(FALSE);
    }
    if (from->m_nSplitRow == m_nSplitRow && from->m_nTopLine != m_nTopLine) {
      m_pTopLine = from->m_pTopLine;
      m_nTopLine = from->m_nTopLine;
      m_pCaretLine = from->m_pCaretLine;
      m_nCaretLine = from->m_nCaretLine;  // the number follows its line
      SECEditCore<CView>::UpdateScrollInfo(SB_VERT, m_nTopLine - 1, TRUE);
      Invalidate(FALSE);
    }
    return;
  }
  ApplyHint(hint, hintObject);
}

CFrameWnd* SECEditView::GetActiveEditFrame() {
  CWnd* main = AfxGetMainWnd();
  auto* frame = dynamic_cast<CFrameWnd*>(main);
  if (frame == nullptr) return nullptr;
  CFrameWnd* active = frame->GetActiveFrame();
  return active != nullptr ? active : frame;
}

void SECEditView::UpdateViews(CView* sender, LPARAM hint, CObject* hintObject) {
  if (GetDocument() != nullptr) {
    GetDocument()->UpdateAllViews(sender, hint, hintObject);
  } else {
    SECEditCore<CView>::UpdateViews(sender, hint, hintObject);
  }
}

void SECEditView::UpdateScrollInfo(int bar, int position, BOOL redraw) {
  SECEditCore<CView>::UpdateScrollInfo(bar, position, redraw);
  if (m_pSplitter != nullptr && !m_bScrolling && m_pSplitter->GetActivePane() == this) {
    UpdateViews(this, HINT_SCROLLED, nullptr);
  }
}

// ---- printing ----

BOOL SECEditView::OnPreparePrinting(CPrintInfo* info) {
  // The print dialog here offers no choice of range: a selection, when
  // there is one, is what gets printed.
  m_bPrintSelection = m_bAllowSelectionPrint && m_bSelection && m_pSelStartLine != nullptr;
  return DoPreparePrinting(info);
}

std::string SECEditView::PrintedText(EditLine* line) {
  EditBuffer* buf = Buf();
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

void SECEditView::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->m_pLines == nullptr) return;
  m_pageSetup.LoadSettings();
  CString path = GetDocument() != nullptr ? GetDocument()->GetPathName() : CString();
  std::time_t now = std::time(nullptr);
  std::time_t fileTime = now;
  struct stat st {};
  bool untitled = path.Find('.') < 0;
  if (!untitled && ::stat(static_cast<LPCSTR>(path), &st) == 0) fileTime = st.st_mtime;
  m_timeHeader = (m_pageSetup.m_nHeaderTime == PAGE_SYSTEM_TIME || untitled) ? now : fileTime;
  m_timeFooter = (m_pageSetup.m_nFooterTime == PAGE_SYSTEM_TIME || untitled) ? now : fileTime;

  if (m_hPrintFont == nullptr) {
    LOGFONT lf{};
    m_font.GetLogFont(&lf);
    CClientDC screen(nullptr);
    lf.lfHeight = ::MulDiv(lf.lfHeight, dc->GetDeviceCaps(LOGPIXELSY), screen.GetDeviceCaps(LOGPIXELSY));
    lf.lfWidth = ::MulDiv(lf.lfWidth, dc->GetDeviceCaps(LOGPIXELSX), screen.GetDeviceCaps(LOGPIXELSX));
    m_hPrintFont = ::CreateFontIndirect(&lf);
    m_hOwnedPrintFont = m_hPrintFont;
  }
  HGDIOBJ old = ::SelectObject(dc->GetSafeHdc(), m_hPrintFont);
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

  EditLine* first = m_bPrintSelection ? m_pSelStartLine : buf->m_pLines;
  EditLine* last = m_bPrintSelection ? m_pSelEndLine : nullptr;
  if (m_bPrintSelection && m_pSelEndLine->lineNumber < m_pSelStartLine->lineNumber) std::swap(first, last);
  std::vector<PrintLine> lines;
  for (EditLine* l = first; l != nullptr; l = l->next) {
    lines.push_back({l->lineNumber, static_cast<int>(PrintedText(l).size())});
    if (l == last) break;
  }
  m_pageStarts.clear();
  for (int start : ComputePageStarts(lines, charsPerRow, m_nLinesPerPage)) m_pageStarts.push_back(start);
  info->SetMaxPage(static_cast<UINT>(std::max<size_t>(m_pageStarts.size(), 1)));
  ::SelectObject(dc->GetSafeHdc(), old);
}

void SECEditView::OnPrint(CDC* dc, CPrintInfo* info) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pageStarts.empty() || info->m_nCurPage > m_pageStarts.size()) {
    info->m_bContinuePrinting = FALSE;
    return;
  }
  CString path = GetDocument() != nullptr ? GetDocument()->GetPathName() : CString();
  if (path.IsEmpty() && GetDocument() != nullptr) path = GetDocument()->GetTitle();
  int page = static_cast<int>(info->m_nCurPage);
  CString header, footer;
  m_pageSetup.FormatHeader(header, m_timeHeader, static_cast<LPCSTR>(path), page);
  m_pageSetup.FormatFooter(footer, m_timeFooter, static_cast<LPCSTR>(path), page);
  int firstLine = static_cast<int>(m_pageStarts[page - 1]);
  bool lastPage = page == static_cast<int>(m_pageStarts.size());
  int lastLine = lastPage ? buf->m_nLineCount : static_cast<int>(m_pageStarts[page]) - 1;
  HGDIOBJ old = m_hPrintFont != nullptr ? ::SelectObject(dc->GetSafeHdc(), m_hPrintFont) : nullptr;
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
  EditLine* line = buf->GetLine(firstLine);
  EditLine* selEnd = nullptr;
  int selEndColumn = 0;
  if (m_bPrintSelection && m_pSelStartLine != nullptr) {
    bool forward = m_pSelEndLine->lineNumber >= m_pSelStartLine->lineNumber;
    selEnd = forward ? m_pSelEndLine : m_pSelStartLine;
    selEndColumn = forward ? m_nSelEndColumn : m_nSelStartColumn;
  }
  for (; line != nullptr && line->lineNumber <= lastLine; line = line->next) {
    if (selEnd != nullptr && line == selEnd && selEndColumn == 0 && line != m_pSelStartLine) {
      info->m_bContinuePrinting = FALSE;
      break;
    }
    std::string text = PrintedText(line);
    if (text.empty()) {
      y += lh;
    } else {
      for (size_t at = 0; at < text.size() && y < bottom; at += perRow) {
        int count = static_cast<int>(std::min<size_t>(perRow, text.size() - at));
        dc->TextOut(rc.left, y, text.c_str() + at, count);
        y += lh;
      }
    }
    if (selEnd != nullptr && line == selEnd) {
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

void SECEditView::OnEndPrinting(CDC*, CPrintInfo*) {
  if (m_hOwnedPrintFont != nullptr && m_hOwnedPrintFont == m_hPrintFont) {
    ::DeleteObject(m_hOwnedPrintFont);
    m_hOwnedPrintFont = nullptr;
    m_hPrintFont = nullptr;
  }
}
