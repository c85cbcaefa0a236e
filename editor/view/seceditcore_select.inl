// Editor core: state, positions, selection, inverted display and mouse.
#pragma once

#include <algorithm>
#include <cstring>

#include "editor/view/seceditcore.h"

template <class TBase>
BOOL SECEditCore<TBase>::s_bMouseMoveBusy = FALSE;

template <class TBase>
SECEditCore<TBase>::SECEditCore() = default;

template <class TBase>
SECEditCore<TBase>::~SECEditCore() {
  if (m_hAccel != nullptr) ::DestroyAcceleratorTable(m_hAccel);
  CloseFindDialog();
}

template <class TBase>
CellGeometry SECEditCore<TBase>::Geometry() const {
  return {m_nCharWidth, m_nLineHeight, m_nMarginWidth, m_rcClient.bottom};
}

template <class TBase>
int SECEditCore<TBase>::EndColumn(EditLine* line) {
  EditBuffer* buf = Buf();
  if (line == nullptr || buf == nullptr) return 0;
  return buf->OffsetToColumn(line, buf->ContentLength(line));
}

template <class TBase>
int SECEditCore<TBase>::ColumnOffset(EditLine* line, int column) {
  EditBuffer* buf = Buf();
  int end = EndColumn(line);
  if (column >= end) return buf->ContentLength(line) + (column - end);
  return buf->ColumnToOffset(line, column);
}

template <class TBase>
EditLine* SECEditCore<TBase>::LineAtRow(int row) {
  EditLine* line = m_pTopLine;
  for (int i = 0; i < row && line != nullptr && NextLine(line) != nullptr; ++i) line = NextLine(line);
  return line;
}

template <class TBase>
void SECEditCore<TBase>::GetLineText(CString& text, int n) {
  EditLine* line = LineAt(n);
  text = line != nullptr && line->text != nullptr ? CString(line->text) : CString();
}

template <class TBase>
void SECEditCore<TBase>::GetCaretLineText(CString& text) {
  text = m_pCaretLine != nullptr && m_pCaretLine->text != nullptr ? CString(m_pCaretLine->text) : CString();
}

template <class TBase>
void SECEditCore<TBase>::SyncLineCount() {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->m_pLines == nullptr) return;
  int count = CountLines();
  buf->m_nLineCount = count;
  if (count != m_nKnownLineCount) {
    m_nKnownLineCount = count;
    SetScrollRange(SB_VERT, 0, count - 1, m_bRedraw);
  }
}

template <class TBase>
void SECEditCore<TBase>::RefreshLineCount() {
  EditBuffer* buf = Buf();
  if (buf == nullptr) return;
  if (buf->m_nLineCount != m_nKnownLineCount) {
    m_nKnownLineCount = buf->m_nLineCount;
    SetScrollRange(SB_VERT, 0, buf->m_nLineCount - 1, m_bRedraw);
  }
}

template <class TBase>
int SECEditCore<TBase>::SnapColumn(EditLine* line, int column) {
  EditBuffer* buf = Buf();
  if (line == nullptr || buf == nullptr) return 0;
  int tab = std::max(buf->m_nTabSize, 1);
  int content = buf->ContentLength(line);
  if (content == 0) return (m_bFreeCursor || (m_bSelection && m_nSelMode == SEL_COLUMN)) ? column : 0;
  int offset = buf->ColumnToOffset(line, column);
  if (offset < content && line->text[offset] == '\t' && column % tab != 0) {
    column = buf->OffsetToColumn(line, offset);
  }
  if (!m_bFreeCursor && !(m_bSelection && m_nSelMode == SEL_COLUMN))
    column = std::min(column, EndColumn(line));
  return column;
}

template <class TBase>
int SECEditCore<TBase>::AdjustColumn(int column) {
  return SnapColumn(m_pCaretLine, column);
}

template <class TBase>
void SECEditCore<TBase>::CaretTo(EditLine* line, int column) {
  m_pCaretLine = line;
  m_nCaretLine = line->lineNumber;
  m_nCaretColumn = column;
}

// ---- selection ----

template <class TBase>
void SECEditCore<TBase>::MarkInvert(EditLine* line, int column, UINT mark) {
  if (line == nullptr) return;
  InvertMark& kept = mark == LINE_INVERT_FROM ? m_invertFrom : m_invertTo;
  kept.line = line;
  kept.column = std::clamp(column, 0, kMaxColumn);
  line->flags |= mark;
}

template <class TBase>
int SECEditCore<TBase>::MarkedColumn(const EditLine* line, UINT mark) const {
  const InvertMark& kept = mark == LINE_INVERT_FROM ? m_invertFrom : m_invertTo;
  return line == kept.line ? kept.column : 0;
}

template <class TBase>
void SECEditCore<TBase>::MarkStretch(EditLine* oldLine, int oldColumn) {
  bool later = m_pCaretLine->lineNumber > oldLine->lineNumber ||
               (m_pCaretLine == oldLine && m_nCaretColumn >= oldColumn);
  if (later) {
    MarkInvert(oldLine, oldColumn, LINE_INVERT_FROM);
    MarkInvert(m_pCaretLine, m_nCaretColumn, LINE_INVERT_TO);
  } else {
    MarkInvert(m_pCaretLine, m_nCaretColumn, LINE_INVERT_FROM);
    MarkInvert(oldLine, oldColumn, LINE_INVERT_TO);
  }
}

template <class TBase>
void SECEditCore<TBase>::StartSelection(int mode) {
  EditBuffer* buf = Buf();
  if (!m_bReplaceDialogOpen && buf != nullptr) {
    for (EditLine* l = buf->m_pLines; l != nullptr; l = l->next) l->flags &= ~LINE_INVERT_MASK;
    m_invertFrom = m_invertTo = InvertMark{};
  }
  m_pSelOriginLine = m_pSelStartLine = m_pSelEndLine = m_pCaretLine;
  m_nSelOriginColumn = m_nSelStartColumn = m_nSelEndColumn = m_nCaretColumn;
  m_nSelMode = mode;
  m_bSelection = TRUE;
  DestroyCaretHere();
}

template <class TBase>
int SECEditCore<TBase>::ClearSelection(BOOL redraw) {
  m_bSelection = FALSE;
  if (!m_bCaretCreated && this->m_hWnd != nullptr && ::GetFocus() == this->m_hWnd) ShowCaretHere();
  if (m_nTimerId != 0) {
    this->KillTimer(kAutoScrollTimer);
    m_nTimerId = 0;
  }
  if (this->m_hWnd != nullptr && ::GetCapture() == this->m_hWnd) ::ReleaseCapture();
  m_bMouseSelecting = FALSE;
  if (m_pSelStartLine == nullptr || m_pSelEndLine == nullptr) return EDIT_NO_TEXT;
  if (redraw) {
    m_bSelection = TRUE;  // the span rules need the selection once more
    InvertSelection();
    m_bSelection = FALSE;
  }
  m_pSelStartLine = m_pSelEndLine = nullptr;
  m_nSelStartColumn = m_nSelEndColumn = 0;
  m_nSelMode = SEL_STREAM;
  return 0;
}

template <class TBase>
BOOL SECEditCore<TBase>::GetLineSelectionSpan(EditLine* line, int lineEndColumn, int* start, int* width) {
  if (!m_bSelection || line == nullptr || m_pSelStartLine == nullptr || m_pSelEndLine == nullptr)
    return FALSE;
  int n = line->lineNumber;
  int a = m_pSelStartLine->lineNumber;
  int b = m_pSelEndLine->lineNumber;
  LineSpan span;
  bool any;
  if (m_nSelMode == SEL_COLUMN) {
    if (n < std::min(a, b) || n > std::max(a, b)) return FALSE;
    any = ColumnLineSpan(m_nSelStartColumn, m_nSelEndColumn, &span);
  } else {
    SpanRole role = SpanRole::Outside;
    if (n == a && n == b) {
      role = SpanRole::StartAndEnd;
    } else if (n == a) {
      role = SpanRole::Start;
    } else if (n == b) {
      role = SpanRole::End;
    } else if (n > a && n < b) {
      role = SpanRole::Inside;
    }
    any = StreamLineSpan(role, m_nSelStartColumn, m_nSelEndColumn, lineEndColumn, &span);
  }
  *start = span.start;
  *width = span.width;
  return any ? TRUE : FALSE;
}

template <class TBase>
BOOL SECEditCore<TBase>::IsPointOnSelection(CPoint point) {
  if (!m_bSelection || m_nLineHeight <= 0 || m_nCharWidth <= 0) return FALSE;
  if ((point.y / m_nLineHeight + 1) * m_nLineHeight > m_rcClient.bottom) return FALSE;
  int row = point.y / m_nLineHeight;
  EditLine* line = m_pTopLine;
  for (int i = 0; i < row && line != nullptr; ++i) line = NextLine(line);
  if (line == nullptr) return FALSE;
  LineSpan span;
  if (!GetLineSelectionSpan(line, EndColumn(line), &span.start, &span.width)) return FALSE;
  int column = m_nLeftColumn + HitTestCell(Geometry(), point.x, point.y).screenColumn;
  if (m_nSelMode == SEL_COLUMN) return ColumnOnSpan(SpanRole::StartAndEnd, column, span, SpanEnd::Closed);
  int n = line->lineNumber;
  int a = m_pSelStartLine->lineNumber;
  int b = m_pSelEndLine->lineNumber;
  SpanRole role = n == a && n == b ? SpanRole::StartAndEnd
                  : n == a         ? SpanRole::Start
                  : n == b         ? SpanRole::End
                                   : SpanRole::Inside;
  return ColumnOnSpan(role, column, span, SpanEnd::Open);
}

template <class TBase>
void SECEditCore<TBase>::InvertCells(EditLine* line, int row, int from, int to) {
  int end = EndColumn(line);
  if (m_nSelMode != SEL_COLUMN) {
    from = std::min(from, end);
    to = std::min(to, end);
  }
  from -= m_nLeftColumn;
  to -= m_nLeftColumn;
  from = std::max(from, 0);
  if (to <= from) return;
  CClientDC dc(this);
  dc.PatBlt(m_nMarginWidth + from * m_nCharWidth, row * m_nLineHeight, (to - from) * m_nCharWidth,
            m_nLineHeight, DSTINVERT);
}

// Turns the shown block (start to the old end) into the current one.
template <class TBase>
void SECEditCore<TBase>::InvertColumnChange(int oldEndNumber, int oldEndColumn) {
  int start = m_pSelStartLine->lineNumber;
  int end = m_pSelEndLine->lineNumber;
  auto within = [start](int n, int e) { return n >= std::min(start, e) && n <= std::max(start, e); };
  int rows = Rows();
  EditLine* line = m_pTopLine;
  int s = m_nSelStartColumn;
  for (int row = 0; row < rows && line != nullptr; ++row, line = NextLine(line)) {
    int n = line->lineNumber;
    bool wasIn = within(n, oldEndNumber);
    bool isIn = within(n, end);
    auto invert = [&](int a, int b) {
      if (a != b) InvertCells(line, row, std::min(a, b), std::max(a, b));
    };
    if (wasIn && isIn) {
      invert(oldEndColumn, m_nSelEndColumn);
    } else if (wasIn) {
      invert(s, oldEndColumn);
    } else if (isIn) {
      invert(s, m_nSelEndColumn);
    }
  }
}

template <class TBase>
void SECEditCore<TBase>::UpdateSelection(BOOL redraw) {
  if (!m_bSelection || m_pSelOriginLine == nullptr) return;
  EditLine* oldEnd = m_pSelEndLine;
  int oldEndColumn = m_nSelEndColumn;
  if (m_nSelMode == SEL_COLUMN) {
    m_pSelStartLine = m_pSelOriginLine;
    m_nSelStartColumn = m_nSelOriginColumn;
    m_pSelEndLine = m_pCaretLine;
    m_nSelEndColumn = m_nCaretColumn;
  } else {
    bool originFirst = m_pSelOriginLine == m_pCaretLine
                           ? m_nSelOriginColumn <= m_nCaretColumn
                           : m_pSelOriginLine->lineNumber < m_pCaretLine->lineNumber;
    m_pSelStartLine = originFirst ? m_pSelOriginLine : m_pCaretLine;
    m_nSelStartColumn = originFirst ? m_nSelOriginColumn : m_nCaretColumn;
    m_pSelEndLine = originFirst ? m_pCaretLine : m_pSelOriginLine;
    m_nSelEndColumn = originFirst ? m_nCaretColumn : m_nSelOriginColumn;
  }
  EditBuffer* buf = Buf();
  bool live = redraw && this->m_hWnd != nullptr && buf != nullptr;
  if (live && m_nSelMode == SEL_COLUMN && oldEnd != nullptr) {
    InvertColumnChange(oldEnd->lineNumber, oldEndColumn);
  }
  EditLine* from = nullptr;
  EditLine* to = nullptr;
  if (buf != nullptr) {
    // The marks sit near the caret: look from the top line both ways.
    for (EditLine* l = m_pTopLine; l != nullptr && (from == nullptr || to == nullptr); l = l->next) {
      if (from == nullptr && (l->flags & LINE_INVERT_FROM)) from = l;
      if (to == nullptr && (l->flags & LINE_INVERT_TO)) to = l;
    }
    for (EditLine* l = m_pTopLine; l != nullptr && (from == nullptr || to == nullptr); l = l->prev) {
      if (from == nullptr && (l->flags & LINE_INVERT_FROM)) from = l;
      if (to == nullptr && (l->flags & LINE_INVERT_TO)) to = l;
    }
  }
  if (from == nullptr || to == nullptr) return;
  if (live && m_nSelMode != SEL_COLUMN) {
    int rows = Rows();
    EditLine* line = m_pTopLine;
    for (int row = 0; row < rows && line != nullptr; ++row, line = NextLine(line)) {
      int n = line->lineNumber;
      if (n < from->lineNumber || n > to->lineNumber) continue;
      int a = line == from ? MarkedColumn(from, LINE_INVERT_FROM) : 0;
      int b = line == to ? MarkedColumn(to, LINE_INVERT_TO) : kMaxColumn;
      InvertCells(line, row, a, b);
    }
  }
  for (EditLine* l = from; l != nullptr; l = l->next) {
    l->flags &= ~LINE_INVERT_MASK;
    if (l == to) break;
  }
  to->flags &= ~LINE_INVERT_MASK;
}

template <class TBase>
void SECEditCore<TBase>::InvertSelection() {
  if (this->m_hWnd == nullptr || !m_bSelection) return;
  if (m_nSelMode == SEL_COLUMN) {
    this->Invalidate(FALSE);
    return;
  }
  int rows = Rows();
  EditLine* line = m_pTopLine;
  for (int row = 0; row < rows && line != nullptr; ++row, line = NextLine(line)) {
    int start, width;
    if (GetLineSelectionSpan(line, EndColumn(line), &start, &width))
      InvertCells(line, row, start, start + width);
  }
}

// ---- mouse ----

template <class TBase>
int SECEditCore<TBase>::PlaceCaretAtPoint(int x, int y) {
  if (m_pTopLine == nullptr) return EDIT_NO_TEXT;
  HitCell cell = HitTestCell(Geometry(), x, y);
  if (cell.inMargin && m_nLeftColumn > 0) {
    --m_nLeftColumn;
    this->Invalidate(FALSE);
  }
  EditLine* line = LineAtRow(cell.row);
  int column = std::min(m_nLeftColumn + cell.screenColumn, kMaxColumn);
  CaretTo(line, SnapColumn(line, column));
  MakeCaretVisible();
  return 0;
}

template <class TBase>
void SECEditCore<TBase>::OnLButtonDown(UINT flags, CPoint point) {
  if (m_pTopLine == nullptr) return;
  bool shift = (flags & MK_SHIFT) != 0;
  auto beginMouse = [&] {
    if (::GetCapture() != this->m_hWnd) this->SetCapture();
    m_ptLastMouse = point;
    m_bMouseSelecting = TRUE;
    m_nTimerId = this->SetTimer(kAutoScrollTimer, kAutoScrollInterval, nullptr);
    m_bSkipTimerTick = TRUE;
  };
  if (!m_bSelection) {
    int mode = (::GetKeyState(VK_MENU) < 0 || m_nSelMode == SEL_COLUMN) ? SEL_COLUMN : SEL_STREAM;
    if (shift) {
      StartSelection(mode);
      EditLine* oldLine = m_pCaretLine;
      int oldColumn = m_nCaretColumn;
      PlaceCaretAtPoint(point.x, point.y);
      MarkStretch(oldLine, oldColumn);
      UpdateSelection(m_bRedraw);
    } else {
      PlaceCaretAtPoint(point.x, point.y);
      StartSelection(mode);
    }
    beginMouse();
    return;
  }
  if (!shift) {
    if (IsPointOnSelection(point)) {
      if (BeginDrag() != DROPEFFECT_NONE) return;
      ClearSelection(m_bRedraw);
      PlaceCaretAtPoint(point.x, point.y);
      return;
    }
    int mode = m_nSelMode;
    ClearSelection(m_bRedraw);
    PlaceCaretAtPoint(point.x, point.y);
    StartSelection(mode);
    beginMouse();
    return;
  }
  EditLine* oldLine = m_pCaretLine;
  int oldColumn = m_nCaretColumn;
  PlaceCaretAtPoint(point.x, point.y);
  MarkStretch(oldLine, oldColumn);
  UpdateSelection(m_bRedraw);
}

template <class TBase>
void SECEditCore<TBase>::OnMouseMove(UINT, CPoint point) {
  if (!m_bMouseSelecting || m_pCaretLine == nullptr) return;
  EditLine* oldLine = m_pCaretLine;
  int oldColumn = m_nCaretColumn;
  if (point.y >= m_rcClient.bottom || point.y <= m_rcClient.top) {
    bool down = point.y >= m_rcClient.bottom;
    int result = down ? LineDown(m_bRedraw) : LineUp(m_bRedraw);
    if (result == 0) UpdateViews(this, HINT_SCROLLED, nullptr);
  } else {
    if (s_bMouseMoveBusy) return;
    s_bMouseMoveBusy = TRUE;
    PlaceCaretAtPoint(point.x, point.y);
    s_bMouseMoveBusy = FALSE;
    if (oldLine == m_pCaretLine && oldColumn == m_nCaretColumn) {
      m_ptLastMouse = point;
      return;
    }
  }
  MarkStretch(oldLine, oldColumn);
  UpdateSelection(m_bRedraw);
  m_ptLastMouse = point;
}

template <class TBase>
void SECEditCore<TBase>::OnTimer(UINT_PTR id) {
  if (id != kAutoScrollTimer) return;
  if (m_bSkipTimerTick) {
    m_bSkipTimerTick = FALSE;
    return;
  }
  CPoint point;
  ::GetCursorPos(&point);
  this->ScreenToClient(&point);
  if (point == m_ptLastMouse && point.y > m_rcClient.top && point.y < m_rcClient.bottom &&
      point.x > m_rcClient.left && point.x < m_rcClient.right) {
    return;
  }
  m_ptLastMouse = point;
  OnMouseMove(0, point);
}

template <class TBase>
void SECEditCore<TBase>::OnLButtonUp(UINT, CPoint point) {
  EditBuffer* buf = Buf();
  if (m_nTimerId != 0) {
    this->KillTimer(kAutoScrollTimer);
    m_nTimerId = 0;
  }
  if (m_bMouseSelecting) {
    m_bMouseSelecting = FALSE;
    if (::GetCapture() == this->m_hWnd) ::ReleaseCapture();
    if (m_bSelection && m_pSelStartLine == m_pSelEndLine && buf != nullptr) {
      EditLine* l = m_pSelStartLine;
      int content = buf->ContentLength(l);
      if (m_nSelStartColumn == m_nSelEndColumn || content == 0 ||
          ColumnOffset(l, m_nSelStartColumn) >= content) {
        ClearSelection(m_bRedraw);
      }
    }
  }
  if (!m_bSelection && m_pCaretLine != nullptr && point.x <= m_nMarginWidth - m_nCharWidth / 2) {
    m_nCaretColumn = 0;
    StartSelection(SEL_STREAM);
    MarkInvert(m_pCaretLine, 0, LINE_INVERT_FROM);
    if (NextLine(m_pCaretLine) != nullptr) {
      LineDown(m_bRedraw);
      m_nCaretColumn = AdjustColumn(0);
      UpdateViews(this, HINT_SCROLLED, nullptr);
    } else {
      m_nCaretColumn = EndColumn(m_pCaretLine);
    }
    MarkInvert(m_pCaretLine, m_nCaretColumn, LINE_INVERT_TO);
    UpdateSelection(m_bRedraw);
  }
}

template <class TBase>
void SECEditCore<TBase>::OnLButtonDblClk(UINT, CPoint) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return;
  if (m_bSelection) ClearSelection(m_bRedraw);
  EditLine* line = m_pCaretLine;
  int n = buf->ContentLength(line);
  if (line->length <= 1) n = line->length;
  int i = ColumnOffset(line, m_nCaretColumn);
  auto word = [&](unsigned char c) { return buf->IsWordChar(static_cast<char>(c)) || c == '_'; };
  const unsigned char* t = reinterpret_cast<const unsigned char*>(line->text);
  if (!(n >= i + 1 && word(t[i]))) return;
  while (i > 0 && !buf->m_terminatorChars[t[i - 1]] && word(t[i - 1])) --i;
  m_nCaretColumn = buf->OffsetToColumn(line, i);
  StartSelection(SEL_STREAM);
  MarkInvert(line, m_nCaretColumn, LINE_INVERT_FROM);
  while (i < n && !buf->m_startChars[t[i]] && word(t[i])) ++i;
  m_nCaretColumn = buf->OffsetToColumn(line, i);
  MarkInvert(line, m_nCaretColumn, LINE_INVERT_TO);
  MakeCaretVisible();
  UpdateSelection(m_bRedraw);
}

template <class TBase>
BOOL SECEditCore<TBase>::OnSetCursor(UINT hitTest) {
  if (hitTest != HTCLIENT) return FALSE;
  CPoint point;
  ::GetCursorPos(&point);
  this->ScreenToClient(&point);
  if (point.x > m_nMarginWidth - m_nCharWidth / 2) {
    if (m_bSelection && IsPointOnSelection(point)) {
      ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
      return TRUE;
    }
    return FALSE;
  }
  ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}
