#include "editor/view/marginmarks.h"

namespace {
// Legend: the bitmap of each mark, in the order of MarginMark after kNone.
constexpr UINT kMarginMarkBitmaps[] = {IDB_EXEC_LINE, IDB_BREAKPOINT, IDB_BREAKPOINT_EXEC, IDB_MESSAGE_LINE};
}  // namespace

MarginMark MarginMarkOf(bool message, bool breakpoint, bool execution) {
  if (message) return MarginMark::kMessage;
  if (breakpoint && execution) return MarginMark::kBreakpointExecution;
  if (breakpoint) return MarginMark::kBreakpoint;
  if (execution) return MarginMark::kExecution;
  return MarginMark::kNone;
}

MarginMarks::MarginMarks() {
  for (int i = 0; i < kMarks; ++i) {
    m_dcs[i].CreateCompatibleDC(nullptr);
    if (m_bitmaps[i].LoadBitmap(kMarginMarkBitmaps[i]))
      m_oldBitmaps[i] = m_dcs[i].SelectObject(&m_bitmaps[i]);
  }
}

MarginMarks::~MarginMarks() {
  for (int i = 0; i < kMarks; ++i) {
    if (m_oldBitmaps[i] != nullptr) m_dcs[i].SelectObject(m_oldBitmaps[i]);
    m_dcs[i].DeleteDC();
  }
}

void MarginMarks::Draw(CDC* dc, const CRect& rect, MarginMark mark) {
  if (mark == MarginMark::kNone) return;
  CDC& source = m_dcs[static_cast<int>(mark) - 1];
  dc->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &source, 0, 0, SRCAND);
}
