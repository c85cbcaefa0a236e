// Running sums of the rows' heights (a Fenwick tree), so that the pixel
// offset of a row and the row at an offset are found without walking every
// row. Appending and changing a height are cheap; inserting or removing in
// the middle rebuilds the sums once, at the next question.
#pragma once

#include <cstddef>
#include <vector>

class SECListHeightIndex {
 public:
  int Count() const { return static_cast<int>(m_heights.size()); }
  void Append(int height);
  void Insert(int row, int height);
  void Erase(int first, int count);
  void Clear();
  void Set(int row, int height);
  int Get(int row) const { return m_heights[static_cast<size_t>(row)]; }
  // Sum of the heights of rows 0..row-1.
  long long Before(int row) const;
  // The first row whose bottom lies past offset (Count() when none does).
  int RowAt(long long offset) const;

 private:
  void Rebuild() const;
  void EnsureBuilt() const {
    if (m_stale) Rebuild();
  }
  std::vector<int> m_heights;
  mutable std::vector<long long> m_tree = std::vector<long long>(1, 0);  // 1-based Fenwick sums
  mutable bool m_stale = false;                                          // the sums wait for a rebuild
};
