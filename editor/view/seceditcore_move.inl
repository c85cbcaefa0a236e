// Editor core: caret movement and selection commands, scrolling and caret
// placement.
#pragma once

#include <algorithm>

#include "editor/view/seceditcore.h"

template <class TBase>
void SECEditCore<TBase>::ScrollRows(int rows) {
  if (this->m_hWnd == nullptr || rows == 0) return;
  this->ScrollWindow(0, -rows * m_nLineHeight, nullptr, nullptr);
  if (rows > 0) {
    RepaintRow(Rows() - 1);
  } else {
    RepaintRow(0);
  }
  UpdateScrollInfo(SB_VERT, m_nTopLine - 1, TRUE);
}

template <class TBase>
void SECEditCore<TBase>::RepaintRow(int row) {
  if (this->m_hWnd == nullptr || row < 0) return;
  CRect rc(0, row * m_nLineHeight, m_rcClient.right, (row + 1) * m_nLineHeight);
  this->InvalidateRect(&rc, FALSE);
  this->UpdateWindow();
}

template <class TBase>
void SECEditCore<TBase>::RepaintFromRow(int row) {
  if (this->m_hWnd == nullptr) return;
  CRect rc(0, std::max(row, 0) * m_nLineHeight, m_rcClient.right, m_rcClient.bottom);
  this->InvalidateRect(&rc, FALSE);
  this->UpdateWindow();
}

template <class TBase>
void SECEditCore<TBase>::RepaintAll(BOOL erase) {
  if (this->m_hWnd == nullptr) return;
  this->Invalidate(erase);
  this->UpdateWindow();
}

template <class TBase>
int SECEditCore<TBase>::LineDown(BOOL redraw) {
  EditLine* next = m_pCaretLine != nullptr ? NextLine(m_pCaretLine) : nullptr;
  if (next == nullptr) return EDIT_END_OF_FILE;
  if (redraw) MakeCaretVisible();
  m_pCaretLine = next;
  EditLine* nextTop = NextLine(m_pTopLine);
  if (m_nCaretLine == m_nTopLine + Rows() - 1 && nextTop != nullptr) {
    m_pTopLine = nextTop;
    ++m_nTopLine;
    if (redraw) ScrollRows(1);
  }
  ++m_nCaretLine;
  m_nCaretColumn = SnapColumn(m_pCaretLine, m_nCaretColumn);
  if (redraw) MakeCaretVisible();
  UpdateViews(this, HINT_SCROLLED, nullptr);
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::LineUp(BOOL redraw) {
  EditLine* prev = m_pCaretLine != nullptr ? PrevLine(m_pCaretLine) : nullptr;
  if (prev == nullptr) return EDIT_TOP_OF_FILE;
  if (redraw) MakeCaretVisible();
  m_pCaretLine = prev;
  EditLine* prevTop = PrevLine(m_pTopLine);
  if (m_nCaretLine == m_nTopLine && prevTop != nullptr) {
    m_pTopLine = prevTop;
    --m_nTopLine;
    if (redraw) ScrollRows(-1);
  }
  --m_nCaretLine;
  m_nCaretColumn = SnapColumn(m_pCaretLine, m_nCaretColumn);
  if (redraw) MakeCaretVisible();
  UpdateViews(this, HINT_SCROLLED, nullptr);
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::CharLeft(BOOL redraw) {
  EditBuffer* buf = Buf();
  if (m_pCaretLine == nullptr || buf == nullptr) return 0;
  if (m_nCaretColumn == 0) {
    if (PrevLine(m_pCaretLine) == nullptr) return 0;
    LineUp(redraw);
    m_nCaretColumn = EndColumn(m_pCaretLine);
  } else {
    int column = m_nCaretColumn - 1;
    int tab = std::max(buf->m_nTabSize, 1);
    int offset = ColumnOffset(m_pCaretLine, column);
    if (offset < buf->ContentLength(m_pCaretLine) && m_pCaretLine->text[offset] == '\t' &&
        column % tab != 0) {
      column = buf->OffsetToColumn(m_pCaretLine, offset);
    }
    m_nCaretColumn = column;
  }
  if (redraw) MakeCaretVisible();
  UpdateViews(this, HINT_SCROLLED, nullptr);
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::CharRight(BOOL redraw) {
  EditBuffer* buf = Buf();
  if (m_pCaretLine == nullptr || buf == nullptr) return 0;
  if (m_nCaretColumn >= kMaxColumn) return EDIT_LINE_TOO_LONG;
  int tab = std::max(buf->m_nTabSize, 1);
  int offset = ColumnOffset(m_pCaretLine, m_nCaretColumn);
  int column;
  if (offset < buf->ContentLength(m_pCaretLine) && m_pCaretLine->text[offset] == '\t') {
    int first = buf->OffsetToColumn(m_pCaretLine, offset);
    column = (first / tab + 1) * tab;
  } else {
    column = m_nCaretColumn + 1;
  }
  column = AdjustColumn(column);
  if (column == m_nCaretColumn && NextLine(m_pCaretLine) != nullptr) {
    LineDown(redraw);
    column = 0;
  }
  m_nCaretColumn = column;
  if (redraw) MakeCaretVisible();
  UpdateViews(this, HINT_SCROLLED, nullptr);
  return 0;
}

template <class TBase>
void SECEditCore<TBase>::MoveHome(BOOL redraw) {
  m_nCaretColumn = 0;
  if (redraw) MakeCaretVisible();
}

template <class TBase>
void SECEditCore<TBase>::MoveEnd(BOOL redraw) {
  m_nCaretColumn = EndColumn(m_pCaretLine);
  if (redraw) MakeCaretVisible();
}

template <class TBase>
int SECEditCore<TBase>::MoveCaretToLineStart(BOOL redraw) {
  MoveHome(redraw);
  return 0;
}

template <class TBase>
void SECEditCore<TBase>::MoveTopOfFile(BOOL redraw) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || (m_nCaretLine == 1 && m_nCaretColumn == 0)) return;
  SyncLineCount();
  m_pCaretLine = m_pTopLine = FirstLine();
  m_nCaretLine = m_nTopLine = 1;
  m_nCaretColumn = m_nLeftColumn = 0;
  if (redraw) {
    this->Invalidate(FALSE);
    MakeCaretVisible();
  }
}

template <class TBase>
void SECEditCore<TBase>::MoveBottomOfFile(BOOL redraw) {
  EditBuffer* buf = Buf();
  if (buf == nullptr) return;
  SyncLineCount();
  EditLine* last = LastLine();
  if (last == nullptr) return;
  m_pCaretLine = m_pTopLine = last;
  m_nCaretLine = m_nTopLine = last->lineNumber;
  for (int i = 0; i < Rows() - 1 && PrevLine(m_pTopLine) != nullptr; ++i) {
    m_pTopLine = PrevLine(m_pTopLine);
    --m_nTopLine;
  }
  m_nLeftColumn = 0;
  m_nCaretColumn = EndColumn(last);
  if (redraw) {
    this->Invalidate(FALSE);
    MakeCaretVisible();
  }
}

template <class TBase>
void SECEditCore<TBase>::MovePageDown(BOOL redraw) {
  if (m_pCaretLine == nullptr || NextLine(m_pCaretLine) == nullptr) return;
  for (int i = 0; i < Rows() && NextLine(m_pCaretLine) != nullptr; ++i) {
    m_pCaretLine = NextLine(m_pCaretLine);
    ++m_nCaretLine;
    if (EditLine* top = NextLine(m_pTopLine)) {
      m_pTopLine = top;
      ++m_nTopLine;
    }
  }
  if (redraw) {
    RepaintAll(FALSE);
    MakeCaretVisible();
  }
  UpdateViews(this, HINT_SCROLLED, nullptr);
}

template <class TBase>
void SECEditCore<TBase>::MovePageUp(BOOL redraw) {
  if (m_pCaretLine == nullptr || PrevLine(m_pCaretLine) == nullptr) return;
  if (redraw) MakeCaretVisible();
  bool topMoved = false;
  for (int i = 0; i < Rows(); ++i) {
    if (EditLine* top = PrevLine(m_pTopLine)) {
      m_pTopLine = top;
      --m_nTopLine;
      m_pCaretLine = PrevLine(m_pCaretLine);
      --m_nCaretLine;
      topMoved = true;
    } else if (EditLine* caret = PrevLine(m_pCaretLine)) {
      m_pCaretLine = caret;
      --m_nCaretLine;
    }
  }
  if (redraw) {
    if (topMoved) RepaintAll(FALSE);
    MakeCaretVisible();
  }
  UpdateViews(this, HINT_SCROLLED, nullptr);
}

template <class TBase>
void SECEditCore<TBase>::MoveWordLeft(BOOL redraw) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return;
  if (m_nCaretColumn == 0) {
    if (PrevLine(m_pCaretLine) == nullptr) return;
    LineUp(redraw);
    m_nCaretColumn = EndColumn(m_pCaretLine);
  }
  EditLine* line = m_pCaretLine;
  int n = buf->ContentLength(line);
  if (n == 0) {
    m_nCaretColumn = 0;
  } else {
    auto word = [&](char c) { return buf->IsWordChar(c) || c == '_' || c == '.'; };
    int i = std::min(ColumnOffset(line, m_nCaretColumn), n);
    while (i > 1 && !word(line->text[i - 1])) --i;
    while (i > 1 && word(line->text[i - 1])) --i;
    bool blankStart = line->text[0] == ' ' || line->text[0] == '\t';
    if (i <= 1 && blankStart) {
      if (PrevLine(line) != nullptr) {
        LineUp(redraw);
        m_nCaretColumn = EndColumn(m_pCaretLine);
      }
    } else {
      m_nCaretColumn = i <= 1 ? 0 : buf->OffsetToColumn(line, i);
    }
  }
  if (m_nLeftColumn > m_nCaretColumn) {
    m_nLeftColumn = m_nCaretColumn;
    if (redraw) this->Invalidate(FALSE);
  }
  if (redraw) MakeCaretVisible();
}

template <class TBase>
void SECEditCore<TBase>::MoveWordRight(BOOL redraw) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || m_pCaretLine == nullptr) return;
  EditLine* line = m_pCaretLine;
  int n = buf->ContentLength(line);
  auto toNextLine = [&] {
    LineDown(redraw);
    m_nCaretColumn = 0;
  };
  if (m_nCaretColumn >= EndColumn(line)) {
    if (NextLine(line) != nullptr) {
      toNextLine();
    } else {
      m_nCaretColumn = EndColumn(line);
    }
  } else {
    auto word = [&](char c) { return buf->IsWordChar(c) || c == '_' || c == '.'; };
    int i = ColumnOffset(line, m_nCaretColumn);
    if (!word(line->text[i])) {
      while (i < n && !word(line->text[i])) ++i;
    } else {
      while (i < n && word(line->text[i])) ++i;
      while (i < n && !word(line->text[i])) ++i;
    }
    if (i < n) {
      m_nCaretColumn = buf->OffsetToColumn(line, i);
    } else if (NextLine(line) != nullptr) {
      toNextLine();
    } else {
      m_nCaretColumn = EndColumn(line);
    }
  }
  if (redraw) MakeCaretVisible();
}

template <class TBase>
void SECEditCore<TBase>::SelectAll(BOOL redraw) {
  EditBuffer* buf = Buf();
  if (buf == nullptr) return;
  if (m_bSelection) ClearSelection(redraw);
  SyncLineCount();
  // From the first to the last line of a whole-text walk.
  EditLine* first = PrepareWalk();
  if (first == nullptr) return;
  EditLine* last = buf->GetTail(first);
  m_pCaretLine = m_pTopLine = first;
  m_nCaretLine = m_nTopLine = first->lineNumber;
  m_nCaretColumn = m_nLeftColumn = 0;
  StartSelection(SEL_STREAM);
  m_pCaretLine = m_pTopLine = last;
  m_nCaretLine = m_nTopLine = last->lineNumber;
  for (int i = 0; i < Rows() - 1 && m_pTopLine->prev != nullptr; ++i) {
    m_pTopLine = m_pTopLine->prev;
    --m_nTopLine;
  }
  m_nCaretColumn = EndColumn(last);
  UpdateSelection(FALSE);
  if (redraw) {
    RepaintAll(FALSE);
    MakeCaretVisible();
  }
}

template <class TBase>
void SECEditCore<TBase>::GoToLine(int n) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->m_pLines == nullptr) return;
  n = std::clamp(n, 1, std::max(buf->m_nLineCount, 1));
  int oldTop = m_nTopLine;
  int rows = std::max(Rows(), 1);
  if (n < m_nTopLine) {
    SetTopLine(n, FALSE);
  } else if (n > m_nTopLine + rows - 1) {
    SetTopLine(n - rows + 1, FALSE);
  }
  if (m_nTopLine != oldTop) PositionCaret();
  EditLine* line = LineAt(n);
  CaretTo(line, 0);
  if (m_bSelection) ClearSelection(FALSE);
  MakeCaretVisible();
  if (m_nTopLine != oldTop) RepaintAll(TRUE);
}

// The movement commands as data: id, movement, and whether it extends
// the selection (and then which way it goes through the text).
template <class TBase>
void SECEditCore<TBase>::RunMove(UINT id) {
  enum Way { Plain, Forward, Backward };
  struct Move {
    UINT id;
    int op;
    Way way;
  };
  // op: 0 down, 1 up, 2 left, 3 right, 4 page up, 5 page down, 6 home,
  // 7 end, 8 top, 9 bottom, 10 word left, 11 word right.
  static const Move kMoves[] = {
      {ID_EDIT_DOWN, 0, Plain},
      {ID_EDIT_UP, 1, Plain},
      {ID_EDIT_LEFT, 2, Plain},
      {ID_EDIT_RIGHT, 3, Plain},
      {ID_EDIT_PAGE_UP, 4, Plain},
      {ID_EDIT_PAGE_DOWN, 5, Plain},
      {ID_EDIT_HOME, 6, Plain},
      {ID_EDIT_END, 7, Plain},
      {ID_EDIT_TOP, 8, Plain},
      {ID_EDIT_BOTTOM, 9, Plain},
      {ID_EDIT_WORD_LEFT, 10, Plain},
      {ID_EDIT_WORD_RIGHT, 11, Plain},
      {ID_EDIT_SELECT_DOWN, 0, Forward},
      {ID_EDIT_SELECT_UP, 1, Backward},
      {ID_EDIT_SELECT_LEFT, 2, Backward},
      {ID_EDIT_SELECT_RIGHT, 3, Forward},
      {ID_EDIT_SELECT_PAGE_UP, 4, Backward},
      {ID_EDIT_SELECT_PAGE_DOWN, 5, Forward},
      {ID_EDIT_SELECT_HOME, 6, Backward},
      {ID_EDIT_SELECT_END, 7, Forward},
      {ID_EDIT_SELECT_TOP, 8, Backward},
      {ID_EDIT_SELECT_BOTTOM, 9, Forward},
      {ID_EDIT_SELECT_WORD_LEFT, 10, Backward},
      {ID_EDIT_SELECT_WORD_RIGHT, 11, Forward},
  };
  const Move* move = nullptr;
  for (const Move& m : kMoves) {
    if (m.id == id) move = &m;
  }
  if (move == nullptr || m_pCaretLine == nullptr) return;
  BOOL redraw = m_bRedraw;
  if (move->way == Plain) {
    if (m_bSelection) ClearSelection(redraw);
  } else if (!m_bSelection) {
    StartSelection(m_nSelMode);
  }
  EditLine* oldLine = m_pCaretLine;
  int oldColumn = m_nCaretColumn;
  int oldNumber = m_nCaretLine;
  switch (move->op) {
    case 0:
      LineDown(redraw);
      break;
    case 1:
      LineUp(redraw);
      break;
    case 2:
      CharLeft(redraw);
      break;
    case 3:
      CharRight(redraw);
      break;
    case 4:
      MovePageUp(redraw);
      break;
    case 5:
      MovePageDown(redraw);
      break;
    case 6:
      MoveHome(redraw);
      break;
    case 7:
      MoveEnd(redraw);
      break;
    case 8:
      if (move->way == Plain || m_nCaretLine != 1 || m_nCaretColumn != 0) MoveTopOfFile(redraw);
      break;
    case 9:
      MoveBottomOfFile(redraw);
      break;
    case 10:
      MoveWordLeft(redraw);
      break;
    case 11:
      MoveWordRight(redraw);
      break;
  }
  if (move->way == Plain) {
    if (m_nCaretLine != oldNumber) UpdateViews(this, HINT_SCROLLED, nullptr);
    return;
  }
  if (move->way == Forward) {
    MarkInvert(oldLine, oldColumn, LINE_INVERT_FROM);
    MarkInvert(m_pCaretLine, m_nCaretColumn, LINE_INVERT_TO);
  } else {
    MarkInvert(m_pCaretLine, m_nCaretColumn, LINE_INVERT_FROM);
    MarkInvert(oldLine, oldColumn, LINE_INVERT_TO);
  }
  UpdateSelection(m_bRedraw);
}

// ---- scrolling ----

template <class TBase>
void SECEditCore<TBase>::MakeCaretVisible() {
  EditBuffer* buf = Buf();
  if (m_nCharWidth == 0 || m_nLineHeight == 0 || buf == nullptr || m_pCaretLine == nullptr) return;
  if (m_nCaretColumn < 0) m_nCaretColumn = 0;
  int end = EndColumn(m_pCaretLine);
  if (m_nCaretColumn < end) {
    m_nCaretColumn = buf->OffsetToColumn(m_pCaretLine, buf->ColumnToOffset(m_pCaretLine, m_nCaretColumn));
  }
  int cols = std::max(m_rcClient.right / m_nCharWidth, 0);
  int rows = Rows();
  if (cols == 0 || rows == 0) return;
  int oldTop = m_nTopLine;
  int oldLeft = m_nLeftColumn;
  int tab = std::max(buf->m_nTabSize, 1);
  while (m_nLeftColumn > m_nCaretColumn) m_nLeftColumn -= std::min(tab, m_nLeftColumn);
  while (m_nCaretColumn - m_nLeftColumn >= cols - 1 && m_nLeftColumn < kMaxColumn) m_nLeftColumn += tab;
  if (m_nCaretLine < m_nTopLine || m_nCaretLine - m_nTopLine >= rows) {
    m_pTopLine = m_pCaretLine;
    m_nTopLine = m_nCaretLine;
  }
  if (!m_rcFindDialog.IsRectEmpty() && this->m_hWnd != nullptr) {
    CRect dialog = m_rcFindDialog;
    this->ScreenToClient(&dialog);
    int caretY = (m_nCaretLine - m_nTopLine) * m_nLineHeight;
    if (caretY > dialog.top && caretY + m_nLineHeight < dialog.bottom) {
      if (dialog.top / m_nLineHeight > (m_rcClient.bottom - dialog.bottom) / m_nLineHeight) {
        m_pTopLine = m_pCaretLine;
        m_nTopLine = m_nCaretLine;
      } else {
        while ((m_nCaretLine - m_nTopLine) * m_nLineHeight < dialog.bottom && PrevLine(m_pTopLine) != nullptr) {
          m_pTopLine = PrevLine(m_pTopLine);
          --m_nTopLine;
        }
      }
    }
    m_rcFindDialog.SetRectEmpty();
  }
  if (!m_bRedraw || this->m_hWnd == nullptr) return;
  if (m_nTopLine != oldTop || m_nLeftColumn != oldLeft) this->Invalidate(FALSE);
  // The bar holds the range in steps of the scroll factor: compare in them,
  // or a text of more lines than a bar step can count resets the bar at
  // every caret move.
  int low, high;
  GetScrollRange(SB_VERT, &low, &high);
  const int factor = VScrollFactor(buf->m_nLineCount);
  const int steppedHigh = (buf->m_nLineCount - 1) / factor * factor;
  if ((factor != m_nVScrollFactor || high != steppedHigh) && !(buf->m_nLineCount <= 1 && high <= 1)) {
    SetScrollRange(SB_VERT, 0, buf->m_nLineCount - 1, TRUE);
  }
  if (GetScrollPosition(SB_HORZ) != m_nLeftColumn) UpdateScrollInfo(SB_HORZ, m_nLeftColumn, TRUE);
  UpdateScrollInfo(SB_VERT, m_nTopLine - 1, TRUE);
  PositionCaret();
  CaretMoved();
}

template <class TBase>
void SECEditCore<TBase>::PositionCaret() {
  if (this->m_hWnd == nullptr || !m_bCaretCreated) return;
  int x = (m_nCaretColumn - m_nLeftColumn) * m_nCharWidth + m_nMarginWidth;
  if (x < m_nMarginWidth) x = -10;
  int y = (m_nCaretLine - m_nTopLine) * m_nLineHeight;
  ::SetCaretPos(x, y);
}

template <class TBase>
void SECEditCore<TBase>::SetScrollRange(int bar, int low, int high, BOOL redraw) {
  EditBuffer* buf = Buf();
  if (this->m_hWnd == nullptr) return;
  m_nVScrollFactor = VScrollFactor(buf != nullptr ? buf->m_nLineCount : 1);
  int factor = bar == SB_VERT ? m_nVScrollFactor : 1;
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  if (bar == SB_VERT) {
    if (high == 0) high = 1;
    int rows = Rows();
    info.nPage = rows;
    if (rows == 0) {
      info.nPage = 1;
      high = 2;
    }
    if (m_nTopLine > 1 && buf != nullptr && rows >= buf->m_nLineCount) {
      m_pTopLine = FirstLine();
      m_nTopLine = 1;
      this->Invalidate(TRUE);
      PositionCaret();
    }
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
  } else {
    info.nPage = 32;
    info.fMask = SIF_RANGE | SIF_PAGE;
  }
  info.nMin = low;
  info.nMax = high / factor;
  info.nPage /= factor;
  this->SetScrollInfo(bar, &info, redraw);
}

template <class TBase>
void SECEditCore<TBase>::UpdateScrollInfo(int bar, int position, BOOL redraw) {
  if (this->m_hWnd == nullptr) return;
  int factor = bar == SB_VERT ? m_nVScrollFactor : 1;
  this->SetScrollPos(bar, position / factor, redraw);
}

template <class TBase>
int SECEditCore<TBase>::GetScrollPosition(int bar) {
  if (this->m_hWnd == nullptr) return 0;
  return this->GetScrollPos(bar) * (bar == SB_VERT ? m_nVScrollFactor : 1);
}

template <class TBase>
void SECEditCore<TBase>::GetScrollRange(int bar, int* low, int* high) {
  *low = *high = 0;
  if (this->m_hWnd == nullptr) return;
  TBase::GetScrollRange(bar, low, high);
  *high *= bar == SB_VERT ? m_nVScrollFactor : 1;
}

template <class TBase>
void SECEditCore<TBase>::SetTopLine(int n, BOOL redraw) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || buf->m_pLines == nullptr) return;
  EditLine* line = LineAt(std::max(n, 1));
  if (line == nullptr) return;
  m_pTopLine = line;
  m_nTopLine = line->lineNumber;
  if (redraw) RepaintAll(FALSE);
  PositionCaret();
}

template <class TBase>
void SECEditCore<TBase>::RevalidateTopLine(EditLine* line) {
  EditBuffer* buf = Buf();
  if (buf == nullptr) return;
  bool caretAlive = false;
  if (line != nullptr) {
    for (EditLine* l = buf->GetHead(line); l != nullptr; l = l->next) {
      if (l == m_pCaretLine) {
        caretAlive = true;
        break;
      }
    }
  }
  if (caretAlive) {
    m_nCaretLine = m_pCaretLine->lineNumber;
    for (EditLine* l = m_pCaretLine; l != nullptr; l = l->prev) {
      if (l == m_pTopLine) {
        m_nTopLine = l->lineNumber;
        return;
      }
    }
    m_pTopLine = m_pCaretLine;
    m_nTopLine = m_nCaretLine;
    return;
  }
  EditLine* caret = buf->GetLine(m_nCaretLine);
  m_pCaretLine = m_pTopLine = caret;
  m_nCaretLine = m_nTopLine = caret != nullptr ? caret->lineNumber : 1;
}

template <class TBase>
int SECEditCore<TBase>::ScrollLineUp(BOOL redraw) {
  EditLine* prev = m_pTopLine != nullptr ? PrevLine(m_pTopLine) : nullptr;
  if (prev == nullptr) return EDIT_TOP_OF_FILE;
  m_pTopLine = prev;
  --m_nTopLine;
  if (redraw) ScrollRows(-1);
  return 0;
}

template <class TBase>
int SECEditCore<TBase>::ScrollLineDown(BOOL redraw) {
  EditLine* next = m_pTopLine != nullptr ? NextLine(m_pTopLine) : nullptr;
  if (next == nullptr) return EDIT_END_OF_FILE;
  m_pTopLine = next;
  ++m_nTopLine;
  if (redraw) ScrollRows(1);
  return 0;
}

template <class TBase>
void SECEditCore<TBase>::OnVScrollCode(UINT code, UINT position) {
  if (m_pTopLine == nullptr) return;
  m_bScrolling = TRUE;
  switch (code) {
    case SB_LINEUP:
      ScrollLineUp(m_bRedraw);
      break;
    case SB_LINEDOWN:
      ScrollLineDown(m_bRedraw);
      break;
    case SB_PAGEUP:
    case SB_PAGEDOWN: {
      bool up = code == SB_PAGEUP;
      for (int i = 0; i < Rows(); ++i) {
        EditLine* next = up ? PrevLine(m_pTopLine) : NextLine(m_pTopLine);
        if (next == nullptr) break;
        m_pTopLine = next;
        m_nTopLine += up ? -1 : 1;
      }
      RepaintAll(FALSE);
      if (up) UpdateViews(this, HINT_SCROLLED, nullptr);
      PositionCaret();
      UpdateScrollInfo(SB_VERT, m_nTopLine - 1, m_bRedraw);
      break;
    }
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
      int target = m_nVScrollFactor * static_cast<int>(position & 0xFFFF);
      SetTopLine(target + 1, m_bRedraw);
      UpdateScrollInfo(SB_VERT, m_nTopLine - 1, m_bRedraw);
      break;
    }
    default:
      break;
  }
  m_bScrolling = FALSE;
}

template <class TBase>
void SECEditCore<TBase>::OnHScrollCode(UINT code, UINT position) {
  m_bScrolling = TRUE;
  int left = m_nLeftColumn;
  switch (code) {
    case SB_LINELEFT:
      if (left > 0) --left;
      break;
    case SB_LINERIGHT:
      if (left < kMaxColumn) ++left;
      break;
    case SB_PAGELEFT:
      left = std::max(left - 32, 0);
      break;
    case SB_PAGERIGHT:
      left = std::min(left + 32, kMaxColumn);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      left = static_cast<int>(position & 0xFFFF);
      break;
    case SB_ENDSCROLL:
      UpdateScrollInfo(SB_HORZ, m_nLeftColumn, TRUE);
      break;
    default:
      break;
  }
  if (left != m_nLeftColumn) {
    m_nLeftColumn = left;
    UpdateScrollInfo(SB_HORZ, m_nLeftColumn, TRUE);
    this->Invalidate(TRUE);
    PositionCaret();
  }
  m_bScrolling = FALSE;
}
