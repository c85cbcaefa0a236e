// Editor core: drag and drop of text within and between editor windows.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/view/seceditcore.h"
#include "editor/view/seceditcore_edit.inl"

namespace seceditcore_detail {
// The editor window whose selection is being dragged (null otherwise).
inline CWnd* g_pDragSource = nullptr;
}  // namespace seceditcore_detail

template <class TBase>
COleDataSource* SECEditCore<TBase>::CreateDataSource() {
  return new COleDataSource;
}

template <class TBase>
BOOL SECEditCore<TBase>::CacheDragData(COleDataSource* source, UINT format, HGLOBAL block) {
  source->CacheGlobalData(static_cast<CLIPFORMAT>(format), block);
  return TRUE;
}

template <class TBase>
DROPEFFECT SECEditCore<TBase>::BeginDrag() {
  if (!m_bSelection) return DROPEFFECT_NONE;
  std::string text = SelectionClipText();
  if (text.empty()) return DROPEFFECT_NONE;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, text.size() + 1);
  if (block == nullptr) return DROPEFFECT_NONE;
  std::memcpy(::GlobalLock(block), text.c_str(), text.size());
  ::GlobalUnlock(block);
  COleDataSource* source = CreateDataSource();
  DROPEFFECT effect = DROPEFFECT_NONE;
  if (CacheDragData(source, CF_TEXT, block)) {
    seceditcore_detail::g_pDragSource = this;
    effect = source->DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
    seceditcore_detail::g_pDragSource = nullptr;
  }
  delete source;
  return effect;
}

template <class TBase>
DROPEFFECT SECEditCore<TBase>::OnDragEnter(COleDataObject* data, DWORD keyState, CPoint) {
  if (!data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
  this->CreateSolidCaret(2, m_nLineHeight);
  this->ShowCaret();
  m_bCaretCreated = TRUE;
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

template <class TBase>
DROPEFFECT SECEditCore<TBase>::OnDragOver(COleDataObject* data, DWORD keyState, CPoint point) {
  if (!data->IsDataAvailable(CF_TEXT) || Buf() == nullptr || Buf()->IsReadOnly()) return DROPEFFECT_NONE;
  if (m_nCharWidth > 0 && m_nLineHeight > 0) {
    HitCell cell = HitTestCell(Geometry(), point.x, point.y);
    ::SetCaretPos(m_nCharWidth * cell.screenColumn + m_nMarginWidth, m_nLineHeight * cell.row);
  }
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

template <class TBase>
void SECEditCore<TBase>::MoveCaretToPoint(CPoint point) {
  if (m_pTopLine == nullptr || m_nCharWidth <= 0 || m_nLineHeight <= 0) return;
  HitCell cell = HitTestCell(Geometry(), point.x, point.y);
  if (cell.inMargin && m_nLeftColumn > 0) {
    --m_nLeftColumn;
    this->Invalidate(FALSE);
  }
  EditLine* line = LineAtRow(cell.row);
  m_pCaretLine = line;
  m_nCaretLine = line->lineNumber;
  m_nCaretColumn = AdjustColumn(std::min(m_nLeftColumn + cell.screenColumn, kMaxColumn));
  MakeCaretVisible();
}

template <class TBase>
BOOL SECEditCore<TBase>::OnDrop(COleDataObject* data, DROPEFFECT effect, CPoint point) {
  EditBuffer* buf = Buf();
  if (buf == nullptr || (effect != DROPEFFECT_COPY && effect != DROPEFFECT_MOVE)) return TRUE;
  // Text is never dropped into itself.
  if (m_bSelection && IsPointOnSelection(point)) return FALSE;
  // The data first: a move whose data cannot be had removes nothing.
  HGLOBAL block = data->GetGlobalData(CF_TEXT);
  if (block == nullptr) return FALSE;
  MoveCaretToPoint(point);
  seceditcore_detail::UndoGroup group(buf);
  auto* source = dynamic_cast<SECEditCore<TBase>*>(seceditcore_detail::g_pDragSource);
  if (source != nullptr && effect == DROPEFFECT_MOVE && source->m_bSelection) {
    EditLine* dropLine = m_pCaretLine;
    int o = ColumnOffset(dropLine, m_nCaretColumn);
    bool startFirst = source->m_pSelStartLine->lineNumber < source->m_pSelEndLine->lineNumber ||
                      (source->m_pSelStartLine == source->m_pSelEndLine &&
                       source->m_nSelStartColumn <= source->m_nSelEndColumn);
    EditLine* first = startFirst ? source->m_pSelStartLine : source->m_pSelEndLine;
    EditLine* last = startFirst ? source->m_pSelEndLine : source->m_pSelStartLine;
    int firstColumn = startFirst ? source->m_nSelStartColumn : source->m_nSelEndColumn;
    int lastColumn = startFirst ? source->m_nSelEndColumn : source->m_nSelStartColumn;
    if (source == this) CaretTo(first, firstColumn);
    if (source->m_nSelMode != SEL_COLUMN && dropLine == last) {
      // The removal takes bytes off this line: count them as bytes, so
      // that tabs before the drop point do not shift it.
      int startOffset = std::min(source->ColumnOffset(first, firstColumn), buf->ContentLength(first));
      int endOffset = std::min(source->ColumnOffset(last, lastColumn), buf->ContentLength(last));
      if (first == last) {
        if (o > endOffset) o -= endOffset - startOffset;
      } else {
        dropLine = first;
        o = o - endOffset + startOffset;
      }
    }
    source->DeleteSelection(FALSE, TRUE);
    m_pCaretLine = dropLine;
    m_nCaretLine = dropLine->lineNumber;
    m_nCaretColumn = buf->OffsetToColumn(dropLine, o);
    if (source != this && source->m_hWnd != nullptr) source->Invalidate(FALSE);
  }
  const char* text = static_cast<const char*>(::GlobalLock(block));
  int result = EDIT_NO_TEXT;
  if (text != nullptr) result = InsertClipText(text, static_cast<int>(strnlen(text, ::GlobalSize(block))));
  ::GlobalUnlock(block);
  ::GlobalFree(block);
  SyncLineCount();
  RepaintAll(FALSE);
  MakeCaretVisible();
  UpdateViews(this, HINT_TEXT_CHANGED, nullptr);
  if (result != 0) DoError(result, m_bRedraw);
  return TRUE;
}
