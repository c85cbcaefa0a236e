// The editor core over the framework's view, and what the core shares
// with every instantiation.
#include "editor/view/seceditcore.h"

#include <algorithm>
#include <cstring>

#include "editor/view/seceditcore_clip.inl"
#include "editor/view/seceditcore_drag.inl"
#include "editor/view/seceditcore_edit.inl"
#include "editor/view/seceditcore_find.inl"
#include "editor/view/seceditcore_move.inl"
#include "editor/view/seceditcore_select.inl"
#include "editor/view/seceditcore_view.inl"

IMPLEMENT_DYNCREATE(SECEditHint, CObject)

template class SECEditCore<CView>;

const char* ColumnBlockText(const char* text, int length, int* blockLength, const char* marker) {
  int markerLength = static_cast<int>(std::strlen(marker));
  if (text == nullptr || length < markerLength || std::memcmp(text, marker, markerLength) != 0) {
    return nullptr;
  }
  // A marker without the line end after it carries an empty block.
  constexpr int kLineEndBytes = 2;
  int skip = std::min(length, markerLength + kLineEndBytes);
  if (blockLength != nullptr) *blockLength = length - skip;
  return text + skip;
}

HACCEL CreateEditAccelerators() {
  // Legend: V virtual key, C Ctrl, S Shift, A Alt.
  constexpr BYTE V = FVIRTKEY, C = FCONTROL, S = FSHIFT, A = FALT;
  static ACCEL kKeys[] = {
      {V | C, 'A', ID_EDIT_SELECT_ALL_TEXT},
      {V | C, 'C', ID_EDIT_COPY_TEXT},
      {V | C, VK_INSERT, ID_EDIT_COPY_TEXT},
      {V | C, 'F', ID_EDIT_FIND_TEXT},
      {V | C, 'H', ID_EDIT_REPLACE_TEXT},
      {V | C, 'V', ID_EDIT_PASTE_TEXT},
      {V | S, VK_INSERT, ID_EDIT_PASTE_TEXT},
      {V, VK_BACK, ID_EDIT_BACKSPACE},
      {V | S, VK_BACK, ID_EDIT_BACKSPACE},
      {V | A, VK_BACK, ID_EDIT_UNDO_TEXT},
      {V | C, 'Z', ID_EDIT_UNDO_TEXT},
      {V | C | S, 'Z', ID_EDIT_REDO_TEXT},
      {V, VK_DELETE, ID_EDIT_ERASE},
      {V | S, VK_DELETE, ID_EDIT_CUT_TEXT},
      {V | C, 'X', ID_EDIT_CUT_TEXT},
      {V, VK_DOWN, ID_EDIT_DOWN},
      {V | S, VK_DOWN, ID_EDIT_SELECT_DOWN},
      {V, VK_UP, ID_EDIT_UP},
      {V | S, VK_UP, ID_EDIT_SELECT_UP},
      {V, VK_LEFT, ID_EDIT_LEFT},
      {V | S, VK_LEFT, ID_EDIT_SELECT_LEFT},
      {V, VK_RIGHT, ID_EDIT_RIGHT},
      {V | S, VK_RIGHT, ID_EDIT_SELECT_RIGHT},
      {V | C, VK_LEFT, ID_EDIT_WORD_LEFT},
      {V | C | S, VK_LEFT, ID_EDIT_SELECT_WORD_LEFT},
      {V | C, VK_RIGHT, ID_EDIT_WORD_RIGHT},
      {V | C | S, VK_RIGHT, ID_EDIT_SELECT_WORD_RIGHT},
      {V, VK_HOME, ID_EDIT_HOME},
      {V | S, VK_HOME, ID_EDIT_SELECT_HOME},
      {V, VK_END, ID_EDIT_END},
      {V | S, VK_END, ID_EDIT_SELECT_END},
      {V | C, VK_HOME, ID_EDIT_TOP},
      {V | C | S, VK_HOME, ID_EDIT_SELECT_TOP},
      {V | C, VK_END, ID_EDIT_BOTTOM},
      {V | C | S, VK_END, ID_EDIT_SELECT_BOTTOM},
      {V, VK_PRIOR, ID_EDIT_PAGE_UP},
      {V | S, VK_PRIOR, ID_EDIT_SELECT_PAGE_UP},
      {V, VK_NEXT, ID_EDIT_PAGE_DOWN},
      {V | S, VK_NEXT, ID_EDIT_SELECT_PAGE_DOWN},
      {V, VK_F2, ID_EDIT_NEXT_BOOKMARK},
      {V | C, VK_F2, ID_EDIT_TOGGLE_BOOKMARK},
      {V, VK_F3, ID_EDIT_FIND_NEXT},
      {V, VK_INSERT, ID_EDIT_OVERWRITE},
      {V, VK_TAB, ID_EDIT_TAB},
      {V | S, VK_TAB, ID_EDIT_BACKTAB},
  };
  return ::CreateAcceleratorTable(kKeys, static_cast<int>(sizeof(kKeys) / sizeof(kKeys[0])));
}
