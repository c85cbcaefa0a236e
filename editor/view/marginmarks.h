// The debugger's margin marks of the editor windows: the program's bitmaps
// for the execution line, a breakpoint, both on one line, and the message
// line, each held in its own memory device context and copied with SRCAND
// (black pixels darken the margin, white ones leave it).
#pragma once

#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"

// Margin bitmaps.
enum SourceMarkBitmap : UINT {
  IDB_EXEC_LINE = 131,
  IDB_BREAKPOINT = 132,
  IDB_BREAKPOINT_EXEC = 133,
  IDB_MESSAGE_LINE = 155,
};

enum class MarginMark { kNone, kExecution, kBreakpoint, kBreakpointExecution, kMessage };

// The mark of a line from its state; the message mark comes first.
MarginMark MarginMarkOf(bool message, bool breakpoint, bool execution);

class MarginMarks {
 public:
  MarginMarks();
  ~MarginMarks();
  MarginMarks(const MarginMarks&) = delete;
  MarginMarks& operator=(const MarginMarks&) = delete;

  // Copies the mark's bitmap over the rectangle from its origin.
  void Draw(CDC* dc, const CRect& rect, MarginMark mark);

 private:
  static constexpr int kMarks = 4;
  CDC m_dcs[kMarks];
  CBitmap m_bitmaps[kMarks];
  CBitmap* m_oldBitmaps[kMarks] = {};
};
