// Editor core: drag and drop of text within and between editor windows.
#pragma once

#include "editor/view/seceditcore.h"

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
  return DROPEFFECT_NONE;
}

template <class TBase>
DROPEFFECT SECEditCore<TBase>::OnDragEnter(COleDataObject*, DWORD, CPoint) {
  return DROPEFFECT_NONE;
}

template <class TBase>
DROPEFFECT SECEditCore<TBase>::OnDragOver(COleDataObject*, DWORD, CPoint) {
  return DROPEFFECT_NONE;
}

template <class TBase>
BOOL SECEditCore<TBase>::OnDrop(COleDataObject*, DROPEFFECT, CPoint) {
  return FALSE;
}
