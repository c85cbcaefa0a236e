// The selected rows of a list as an ascending array of row indices without
// duplicates. Lookups scan short arrays and bisect longer ones.
#pragma once

#include <vector>

#include "platform/afx/afx.h"

class SECListSelection {
 public:
  // Arrays of up to this many entries are scanned instead of bisected.
  static constexpr int kScanLimit = 6;

  struct Position {
    int index;   // where the row is, or where it would be inserted
    bool found;  // the entry at index equals the row
  };
  Position Find(DWORD row) const;
  bool Contains(DWORD row) const { return Find(row).found; }
  // Both report whether the array changed.
  bool Add(DWORD row);
  bool Remove(DWORD row);

  // Rows at or after `first` move by delta (insertion: +1).
  void ShiftFrom(DWORD first, int delta);
  // Drops the rows first..last and moves the later ones down by the count.
  void RemoveRange(DWORD first, DWORD last);
  void Clear() { m_rows.clear(); }

  int GetSize() const { return static_cast<int>(m_rows.size()); }
  DWORD operator[](int i) const { return m_rows[static_cast<size_t>(i)]; }
  const std::vector<DWORD>& Rows() const { return m_rows; }

 private:
  std::vector<DWORD> m_rows;
};
