// SECSubItemTextStorage: the sub-item texts of tree nodes, by node handle;
// text n of a node sits at index n - 1 of its array.
#pragma once

#include <unordered_map>

#include "platform/afx/afx.h"

class SECSubItemTextStorage {
 public:
  SECSubItemTextStorage() = default;
  virtual ~SECSubItemTextStorage();
  SECSubItemTextStorage(const SECSubItemTextStorage&) = delete;
  SECSubItemTextStorage& operator=(const SECSubItemTextStorage&) = delete;

  // Copies at most size bytes (terminated within them) into the buffer.
  BOOL GetSubItemText(HTREEITEM hItem, int n, char* buffer, int size) const;
  BOOL SetSubItemText(HTREEITEM hItem, int n, LPCSTR text);
  BOOL MoveSubItemText(HTREEITEM hItem, int nFrom, int nTo);
  void RemoveItem(HTREEITEM hItem);

 private:
  std::unordered_map<HTREEITEM, CStringArray*> m_texts;
};
