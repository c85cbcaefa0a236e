#include "controls/list_selection.h"

#include <algorithm>

SECListSelection::Position SECListSelection::Find(DWORD row) const {
  const int count = GetSize();
  int low = 0;
  if (count > kScanLimit) {
    int high = count - 1;
    while (high - low > 1) {
      const int mid = low + (high - low) / 2;
      const DWORD value = m_rows[static_cast<size_t>(mid)];
      if (value == row) return {mid, true};
      if (value < row)
        low = mid;
      else
        high = mid;
    }
  }
  while (low < count && m_rows[static_cast<size_t>(low)] < row) ++low;
  return {low, low < count && m_rows[static_cast<size_t>(low)] == row};
}

bool SECListSelection::Add(DWORD row) {
  if (m_rows.empty() || row > m_rows.back()) {
    m_rows.push_back(row);
    return true;
  }
  const Position pos = Find(row);
  if (pos.found) return false;
  m_rows.insert(m_rows.begin() + pos.index, row);
  return true;
}

bool SECListSelection::Remove(DWORD row) {
  const Position pos = Find(row);
  if (!pos.found) return false;
  m_rows.erase(m_rows.begin() + pos.index);
  return true;
}

void SECListSelection::ShiftFrom(DWORD first, int delta) {
  for (DWORD& r : m_rows)
    if (r >= first) r = static_cast<DWORD>(static_cast<int>(r) + delta);
}

void SECListSelection::RemoveRange(DWORD first, DWORD last) {
  const DWORD count = last - first + 1;
  std::erase_if(m_rows, [&](DWORD r) { return r >= first && r <= last; });
  for (DWORD& r : m_rows)
    if (r > last) r -= count;
}
