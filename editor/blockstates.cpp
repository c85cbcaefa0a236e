#include "editor/blockstates.h"

void BlockStateRun::Put(int line, bool inside) {
  int size = static_cast<int>(m_inside.size());
  if (size == 0 || line < m_first || line > m_first + size) {
    m_first = line;
    m_inside.assign(1, inside ? 1 : 0);
  } else if (line == m_first + size) {
    m_inside.push_back(inside ? 1 : 0);
  } else {
    m_inside[line - m_first] = inside ? 1 : 0;
  }
}

void BlockStateRun::ForgetAfter(int line) {
  if (line < m_first) {
    m_inside.clear();
  } else if (line - m_first + 1 < static_cast<int>(m_inside.size())) {
    m_inside.resize(line - m_first + 1);
  }
}
