// Whether lines begin inside a block comment of one kind, known for one run
// of consecutive line numbers: filled as lines are asked about, cut back
// when a line above the run's end changes.
#pragma once

#include <cstdint>
#include <vector>

class BlockStateRun {
 public:
  // False when the line's state is not known.
  bool Get(int line, bool* inside) const {
    if (line < m_first || line - m_first >= static_cast<int>(m_inside.size())) return false;
    *inside = m_inside[line - m_first] != 0;
    return true;
  }
  // A line that does not continue the run (or lie in it) starts a new one.
  void Put(int line, bool inside);
  // The states of the lines after `line` are no longer known (0: none is).
  void ForgetAfter(int line);
  void Clear() { m_inside.clear(); }

 private:
  int m_first = 1;
  std::vector<uint8_t> m_inside;  // of lines m_first, m_first + 1, ...
};
