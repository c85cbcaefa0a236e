#include "controls/list_height_index.h"

#include <bit>

namespace {
size_t HeightIndexLowBit(size_t i) { return i & (~i + 1); }
}  // namespace

void SECListHeightIndex::Append(int height) {
  m_heights.push_back(height);
  if (m_stale) return;
  const size_t i = m_heights.size();  // 1-based position of the new row
  // The new node sums the rows (i - lowbit(i), i]: its own height plus the
  // nodes that cover the rows before it within that range.
  long long sum = height;
  const size_t stop = i - HeightIndexLowBit(i);
  for (size_t j = i - 1; j > stop; j -= HeightIndexLowBit(j)) sum += m_tree[j];
  m_tree.push_back(sum);
}

void SECListHeightIndex::Insert(int row, int height) {
  if (row >= Count()) {
    Append(height);
    return;
  }
  m_heights.insert(m_heights.begin() + row, height);
  m_stale = true;
}

void SECListHeightIndex::Erase(int first, int count) {
  m_heights.erase(m_heights.begin() + first, m_heights.begin() + first + count);
  m_stale = true;
}

void SECListHeightIndex::Clear() {
  m_heights.clear();
  m_tree.assign(1, 0);
  m_stale = false;
}

void SECListHeightIndex::Set(int row, int height) {
  const long long delta = static_cast<long long>(height) - m_heights[static_cast<size_t>(row)];
  if (delta == 0) return;
  m_heights[static_cast<size_t>(row)] = height;
  if (m_stale) return;
  for (size_t i = static_cast<size_t>(row) + 1; i < m_tree.size(); i += HeightIndexLowBit(i))
    m_tree[i] += delta;
}

long long SECListHeightIndex::Before(int row) const {
  EnsureBuilt();
  long long sum = 0;
  for (size_t i = static_cast<size_t>(row); i > 0; i -= HeightIndexLowBit(i)) sum += m_tree[i];
  return sum;
}

int SECListHeightIndex::RowAt(long long offset) const {
  EnsureBuilt();
  // Finds the largest prefix whose sum is <= offset.
  size_t pos = 0;
  long long rest = offset;
  for (size_t step = std::bit_floor(m_tree.size()); step > 0; step >>= 1) {
    const size_t next = pos + step;
    if (next < m_tree.size() && m_tree[next] <= rest) {
      pos = next;
      rest -= m_tree[next];
    }
  }
  return static_cast<int>(pos);
}

void SECListHeightIndex::Rebuild() const {
  m_stale = false;
  m_tree.assign(m_heights.size() + 1, 0);
  for (size_t i = 1; i < m_tree.size(); ++i) {
    m_tree[i] += m_heights[i - 1];
    const size_t parent = i + HeightIndexLowBit(i);
    if (parent < m_tree.size()) m_tree[parent] += m_tree[i];
  }
}
