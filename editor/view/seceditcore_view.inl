// Editor core: view set-up, painting, focus and caret, errors, context
// menu, hints and the window's message dispatch.
#pragma once

#include <algorithm>
#include <cstring>

#include "editor/view/seceditcore.h"
#include "editor/view/seceditcore_find.inl"

template <class TBase>
void SECEditCore<TBase>::InitView() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || FirstLine() == nullptr) return;
  m_pCaretLine = m_pTopLine = FirstLine();
  m_nTopLine = m_nCaretLine = m_pTopLine->lineNumber;
  m_nCaretColumn = m_nLeftColumn = 0;
  buf->m_nBookmarks = 0;
  for (EditLine* l = buf->m_pLines; l != nullptr; l = l->next) {
    if (l->flags & LINE_BOOKMARK) ++buf->m_nBookmarks;
  }
  m_nSelMode = SEL_STREAM;
  m_bSelection = FALSE;
  m_pSelStartLine = m_pSelEndLine = m_pSelOriginLine = nullptr;
  m_bMouseSelecting = FALSE;
  m_nTimerId = 0;
  m_bSkipTimerTick = FALSE;
  if (this->m_hWnd != nullptr) this->GetClientRect(&m_rcClient);
  m_bCaretCreated = FALSE;
  m_rcFindDialog.SetRectEmpty();
  m_bRedraw = TRUE;
  m_hPrintFont = nullptr;

  LOGFONT lf{};
  CClientDC screen(nullptr);
  lf.lfHeight = ::MulDiv(-buf->m_nFontSize, screen.GetDeviceCaps(LOGPIXELSY), 72);
  lf.lfWeight = buf->m_nFontWeight;
  lf.lfItalic = static_cast<BYTE>(buf->m_bFontItalic);
  lf.lfCharSet = static_cast<BYTE>(buf->m_nCharSet);
  lf.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  std::strncpy(lf.lfFaceName, static_cast<LPCSTR>(buf->m_strFontName), LF_FACESIZE - 1);
  m_font.DeleteObject();
  m_font.CreateFontIndirect(&lf);
  CFont* old = screen.SelectObject(&m_font);
  TEXTMETRIC tm{};
  screen.GetTextMetrics(&tm);
  screen.SelectObject(old);
  m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
  m_nMarginWidth = m_nLineHeight;
  m_nCharWidth = tm.tmAveCharWidth;

  m_nKnownLineCount = buf->m_nLineCount;
  SetScrollRange(SB_VERT, 0, buf->m_nLineCount - 1, m_bRedraw);
  SetScrollRange(SB_HORZ, 0, kMaxColumn, m_bRedraw);
  if (m_hAccel != nullptr) ::DestroyAcceleratorTable(m_hAccel);
  m_hAccel = CreateEditAccelerators();
  static const WORD kChecker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  CBitmap pattern;
  pattern.CreateBitmap(8, 8, 1, 1, kChecker);
  m_marginBrush.DeleteObject();
  m_marginBrush.CreatePatternBrush(&pattern);
  if (m_nTopLine != 0) UpdateScrollInfo(SB_VERT, m_nTopLine - 1, TRUE);
}

template <class TBase>
int SECEditCore<TBase>::DoError(int code, const char* argument, BOOL show) {
  const char* text = EditResultText(code);
  if (show && text != nullptr) {
    char message[1024];
    ::wsprintf(message, text, argument != nullptr ? argument : "");
    ::AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
  }
  return code;
}

template <class TBase>
int SECEditCore<TBase>::DoError(int code, BOOL show) {
  const char* text = EditResultText(code);
  if (show && text != nullptr) ::AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
  return code;
}

template <class TBase>
void SECEditCore<TBase>::DrawLineMarker(CDC* dc, CRect* rect, EditLine* line) {
  if (line == nullptr || !(line->flags & LINE_BOOKMARK)) return;
  CBrush blue(RGB(0, 0, 255));
  CBrush* old = dc->SelectObject(&blue);
  int even = 2 * (m_nMarginWidth / 2);
  int d = even - 4;
  int top = rect->top + (rect->Height() / 2 - d / 2);
  dc->Ellipse(2, top, even - 2, top + d);
  dc->SelectObject(old);
  if (Buf() != nullptr) dc->SetBkColor(Buf()->m_crBackground);
}

template <class TBase>
void SECEditCore<TBase>::SetBookmark(EditLine* line, BOOL set) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || line == nullptr || ((line->flags & LINE_BOOKMARK) != 0) == (set != FALSE)) return;
  line->flags ^= LINE_BOOKMARK;
  buf->m_nBookmarks += set ? 1 : -1;
}

template <class TBase>
const char* SECEditCore<TBase>::ColumnBlockMarker() const {
  return kColumnBlockMarker;
}

template <class TBase>
void SECEditCore<TBase>::UpdateViews(CView*, LPARAM hint, CObject* hintObject) {
  ApplyHint(hint, hintObject);
}

template <class TBase>
void SECEditCore<TBase>::ApplyHint(LPARAM hint, CObject* hintObject) {
  if (hint == HINT_LINES_REMOVED) {
    auto* h = dynamic_cast<SECEditHint*>(hintObject);
    RevalidateAfterRemoval(h != nullptr ? h->line : nullptr);
  }
  if (hint != HINT_SCROLLED && m_bRedraw && this->m_hWnd != nullptr) this->Invalidate(FALSE);
}

template <class TBase>
void SECEditCore<TBase>::RevalidateAfterRemoval(EditLine* hintLine) {
  RevalidateTopLine(hintLine);
}

// ---- painting ----

template <class TBase>
void SECEditCore<TBase>::PaintWindow() {
  CPaintDC dc(this);
  EditBuffer* buf = Buf();
  CFrameWnd* frame = GetActiveEditFrame();
  if (buf == nullptr || m_pTopLine == nullptr || m_nLineHeight <= 0 || m_nCharWidth <= 0) return;
  CFont* oldFont = dc.SelectObject(&m_font);
  dc.SetBkColor(buf->m_crBackground);
  dc.SetTextColor(buf->m_crText);
  CRect update = dc.m_ps.rcPaint;
  EditLine* line = m_pTopLine;
  bool showSelection = m_bSelection && GetActiveEditFrame() == frame && buf->m_pActiveView == this;
  for (int y = 0; y < update.bottom; y += m_nLineHeight) {
    EditLine* shown = line;
    if (line != nullptr) line = NextLine(line);
    if (y + m_nLineHeight <= update.top) continue;
    if (shown == nullptr) {
      CRect margin(0, y, m_nMarginWidth, y + m_nLineHeight);
      COLORREF text = dc.SetTextColor(GetMarginColor());
      dc.FillRect(&margin, &m_marginBrush);
      dc.SetTextColor(text);
      CRect rest(m_nMarginWidth, y, m_rcClient.right, y + m_nLineHeight);
      dc.ExtTextOut(0, 0, ETO_OPAQUE, &rest, "", 0, nullptr);
      continue;
    }
    PaintRow(dc, *buf, shown, y);
    if (showSelection) {
      int start, width;
      int n = m_paint.VisibleLength(buf->m_szLineEnd, buf->m_nLineEndLength);
      if (GetLineSelectionSpan(shown, n, &start, &width)) {
        start -= m_nLeftColumn;
        if (start < 0) {
          width += start;
          start = 0;
        }
        if (width > 0) {
          dc.PatBlt(m_nCharWidth * start + m_nMarginWidth, y, m_nCharWidth * width, m_nLineHeight, DSTINVERT);
        }
      }
    }
  }
  dc.SelectObject(oldFont);
}

template <class TBase>
void SECEditCore<TBase>::PaintRow(CDC& dc, EditBuffer& buf, EditLine* line, int y) {
  int right = m_rcClient.right;
  int runLimit = std::max(right / m_nCharWidth - 1, 0);
  int x0 = m_rcClient.left + m_nMarginWidth;
  m_paint.Expand(line->text != nullptr ? line->text : "", line->length, buf.m_nTabSize,
                 buf.m_bShowTabs ? TabMarks::Shown : TabMarks::Hidden, buf.m_nLineEndLength);
  int visible = m_paint.VisibleLength(buf.m_szLineEnd, buf.m_nLineEndLength);
  int n = visible - m_nLeftColumn;

  CRect margin(0, y, m_nMarginWidth, y + m_nLineHeight);
  COLORREF text = dc.SetTextColor(GetMarginColor());
  dc.FillRect(&margin, &m_marginBrush);
  dc.SetTextColor(text);
  DrawLineMarker(&dc, &margin, line);

  const char* cells = m_paint.Text();
  if (n < 1) {
    CRect rest(m_nMarginWidth, y, right, y + m_nLineHeight);
    dc.ExtTextOut(0, 0, ETO_OPAQUE, &rest, "", 0, nullptr);
    return;
  }
  if (!buf.m_bChroma) {
    COLORREF ink = dc.SetTextColor(LineTextColor(line));
    dc.ExtTextOut(x0, y, 0, nullptr, cells + m_nLeftColumn, std::min(n, runLimit), nullptr);
    dc.SetTextColor(ink);
  } else {
    m_paint.MarkComments(buf, line);
    m_paint.MarkQuotes();
    // Keyword spans: looked up in order; the lookup sets the colour.
    const char* pos = cells;
    int start = 0, end = 0;
    while (*pos != '\0' && pos < cells + visible && buf.NextKeywordSpan(&pos, &start, &end)) {
      int from = static_cast<int>(pos - cells);
      int to = std::min(from + (end - start), visible);
      m_paint.MarkKeyword(from, to);
      int shownFrom = std::max(from, m_nLeftColumn);
      if (to > shownFrom && m_paint.ClassAt(shownFrom) == PAINT_KEYWORD) {
        dc.SetTextColor(buf.m_crKeyword);
        int x = x0 + dc.GetTextExtent(cells + m_nLeftColumn, shownFrom - m_nLeftColumn).cx;
        dc.ExtTextOut(x, y, 0, nullptr, cells + shownFrom, std::min(to - shownFrom, runLimit), nullptr);
      }
      pos = cells + to;
      if (to >= visible) break;
    }
    auto colourOf = [&](PaintAttr a) {
      return a == PAINT_COMMENT ? buf.m_crComment : a == PAINT_QUOTE ? buf.m_crQuote : buf.m_crText;
    };
    int x = x0;
    int runStart = m_nLeftColumn;
    for (int i = m_nLeftColumn + 1; i <= visible; ++i) {
      PaintAttr a = m_paint.ClassAt(runStart);
      if (i < visible && m_paint.ClassAt(i) == a) continue;
      int count = i - runStart;
      // Keyword runs inside the text were drawn with their own colour.
      if (a != PAINT_KEYWORD) {
        dc.SetTextColor(colourOf(a));
        dc.ExtTextOut(x, y, 0, nullptr, cells + runStart, std::min(count, runLimit), nullptr);
      }
      x += dc.GetTextExtent(cells + runStart, count).cx;
      runStart = i;
    }
    dc.SetTextColor(buf.m_crText);
  }
  int x = m_nCharWidth * n + m_nMarginWidth;
  if (x < right) {
    CRect rest(x, y, right, y + m_nLineHeight);
    dc.ExtTextOut(0, 0, ETO_OPAQUE, &rest, "", 0, nullptr);
  }
}

// ---- caret and focus ----

template <class TBase>
void SECEditCore<TBase>::ShowCaretHere() {
  if (this->m_hWnd == nullptr) return;
  this->CreateSolidCaret(2, m_nLineHeight);
  this->ShowCaret();
  m_bCaretCreated = TRUE;
  PositionCaret();
}

template <class TBase>
void SECEditCore<TBase>::DestroyCaretHere() {
  if (!m_bCaretCreated) return;
  ::DestroyCaret();
  m_bCaretCreated = FALSE;
}

template <class TBase>
void SECEditCore<TBase>::OnSetFocus() {
  if (Buf() != nullptr) Buf()->m_pActiveView = this;
  if (!m_bCaretCreated) {
    if (m_bSelection) {
      this->Invalidate(FALSE);
    } else {
      ShowCaretHere();
    }
  }
  PositionCaret();
}

template <class TBase>
void SECEditCore<TBase>::OnKillFocus() {
  DestroyCaretHere();
  if (m_bSelection) this->Invalidate(FALSE);
}

template <class TBase>
void SECEditCore<TBase>::OnSize(UINT, int cx, int cy) {
  m_rcClient.SetRect(0, 0, cx, cy);
  EditBuffer* buf = Buf();
  if (buf == nullptr) return;
  SetScrollRange(SB_VERT, 0, buf->m_nLineCount - 1, TRUE);
  if (m_nTopLine != 0) UpdateScrollInfo(SB_VERT, m_nTopLine - 1, TRUE);
}

// ---- context menu ----

template <class TBase>
BOOL SECEditCore<TBase>::BuildContextMenu(CMenu* menu) {
  EditBuffer* buf = Buf();
  if (buf == nullptr) return FALSE;
  auto grey = [](bool off) { return off ? MF_GRAYED : 0u; };
  bool canPaste = false;
  if (::OpenClipboard(this->m_hWnd)) {
    canPaste = ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
    ::CloseClipboard();
  }
  menu->AppendMenu(MF_STRING | grey(!buf->CanUndo()), ID_EDIT_UNDO_TEXT, "&Undo");
  menu->AppendMenu(MF_STRING | grey(!buf->CanRedo()),
                   ID_EDIT_REDO_TEXT, "&Redo");
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING | grey(!m_bSelection || buf->IsReadOnly()), ID_EDIT_CUT_TEXT, "Cu&t");
  menu->AppendMenu(MF_STRING | grey(!m_bSelection), ID_EDIT_COPY_TEXT, "&Copy");
  menu->AppendMenu(MF_STRING | grey(!canPaste || buf->IsReadOnly()), ID_EDIT_PASTE_TEXT, "&Paste");
  menu->AppendMenu(MF_SEPARATOR);
  menu->AppendMenu(MF_STRING, ID_EDIT_TOGGLE_BOOKMARK, "Toggle &Bookmark");
  return TRUE;
}

template <class TBase>
void SECEditCore<TBase>::ShowContextMenu(CPoint point) {
  CMenu menu;
  if (!menu.CreatePopupMenu()) return;
  if (point.x != -1 || point.y != -1) {
    this->ScreenToClient(&point);
    MoveCaretToPoint(point);
  } else {
    point = CPoint(5, 5);
  }
  CPoint screen = point;
  this->ClientToScreen(&screen);
  if (m_bCaretCreated) this->HideCaret();
  if (BuildContextMenu(&menu)) menu.TrackPopupMenu(TPM_RIGHTBUTTON, screen.x, screen.y, this);
  if (m_bCaretCreated) this->ShowCaret();
  menu.DestroyMenu();
}

template <class TBase>
BOOL SECEditCore<TBase>::GetWordAtCaret(CString& text) {
  text.Empty();
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return FALSE;
  if (m_bSelection && m_pSelStartLine != nullptr && m_pSelStartLine == m_pSelEndLine &&
      m_nSelEndColumn < kMaxColumn) {
    EditLine* l = m_pSelStartLine;
    int a = std::min(ColumnOffset(l, std::min(m_nSelStartColumn, m_nSelEndColumn)), buf->ContentLength(l));
    int b = std::min(ColumnOffset(l, std::max(m_nSelStartColumn, m_nSelEndColumn)), buf->ContentLength(l));
    text = CString(l->text + a, b - a);
    return TRUE;
  }
  EditLine* l = m_pCaretLine;
  int n = buf->ContentLength(l);
  int i = ColumnOffset(l, m_nCaretColumn);
  auto word = [&](char c) { return buf->IsWordChar(c) || c == '_'; };
  if (i >= n || !word(l->text[i])) return FALSE;
  int a = i, b = i;
  while (a > 0 && word(l->text[a - 1])) --a;
  while (b < n && word(l->text[b])) ++b;
  text = CString(l->text + a, b - a);
  return TRUE;
}

template <class TBase>
void SECEditCore<TBase>::SelectRange(EditPos at, int length, BOOL redraw) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || at.line == nullptr) return;
  if (m_bSelection) ClearSelection(redraw);
  CaretTo(at.line, buf->OffsetToColumn(at.line, at.offset));
  StartSelection(SEL_STREAM);
  MarkInvert(m_pCaretLine, m_nCaretColumn, LINE_INVERT_FROM);
  int startColumn = m_nCaretColumn;
  m_nCaretColumn = buf->OffsetToColumn(at.line, at.offset + length);
  if (m_nCharWidth > 0) {
    int v = (m_rcClient.Width() - m_nMarginWidth) / m_nCharWidth;
    int left = m_nLeftColumn;
    if (m_nCaretColumn + 3 < v) {
      left = 0;
    } else if (startColumn < m_nLeftColumn) {
      left = std::max(startColumn - 10, 0);
    } else if (m_nCaretColumn >= m_nLeftColumn + v) {
      left = std::max(m_nCaretColumn - v + 10, 0);
    }
    if (left != m_nLeftColumn) {
      m_nLeftColumn = left;
      if (redraw) this->Invalidate(FALSE);
    }
  }
  if (redraw) MakeCaretVisible();
  MarkInvert(m_pCaretLine, m_nCaretColumn, LINE_INVERT_TO);
  UpdateSelection(redraw);
  if (redraw) MakeCaretVisible();
}

// ---- message dispatch ----

template <class TBase>
BOOL SECEditCore<TBase>::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  auto point = [lParam] { return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); };
  auto done = [pResult](LRESULT r) {
    if (pResult != nullptr) *pResult = r;
    return TRUE;
  };
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST && m_hAccel != nullptr) {
    MSG msg{};
    msg.hwnd = this->m_hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    if (::TranslateAccelerator(this->m_hWnd, m_hAccel, &msg)) return done(0);
  }
  if (message == seceditcore_detail::FindReplaceMessage()) return done(OnFindReplace(wParam, lParam));
  switch (message) {
    case WM_PAINT:
      PaintWindow();
      return done(0);
    case WM_ERASEBKGND:
      return done(1);
    case WM_CHAR:
      ProcessChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      return done(0);
    case WM_LBUTTONDOWN:
      OnLButtonDown(static_cast<UINT>(wParam), point());
      return done(0);
    case WM_LBUTTONUP:
      OnLButtonUp(static_cast<UINT>(wParam), point());
      return done(0);
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wParam), point());
      return done(0);
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk(static_cast<UINT>(wParam), point());
      return done(0);
    case WM_TIMER:
      OnTimer(wParam);
      return done(0);
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;  // the default handling runs too
    case WM_VSCROLL:
      OnVScrollCode(LOWORD(wParam), HIWORD(wParam));
      return done(0);
    case WM_HSCROLL:
      OnHScrollCode(LOWORD(wParam), HIWORD(wParam));
      return done(0);
    case WM_SETFOCUS:
      TBase::OnWndMsg(message, wParam, lParam, pResult);
      OnSetFocus();
      return done(0);
    case WM_KILLFOCUS:
      TBase::OnWndMsg(message, wParam, lParam, pResult);
      OnKillFocus();
      return done(0);
    case WM_CONTEXTMENU:
      ShowContextMenu(point());
      return done(0);
    case WM_SETCURSOR:
      if (OnSetCursor(LOWORD(lParam))) return done(1);
      break;
    case WM_MOUSEWHEEL:
      return done(1);
    default:
      break;
  }
  return TBase::OnWndMsg(message, wParam, lParam, pResult);
}
