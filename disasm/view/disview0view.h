// The disassembly window: the disassembly editor view with the debugger's
// marks in the margin (execution line, breakpoints), a context menu and
// the debugger's Set IP / Toggle Breakpoint / Run To Cursor at the caret
// line's address through the session's front end (g_pCurrentDebugger).
// Without a session (no line source) it stays open and shows blank lines.
#pragma once

#include "disasm/view/disass_edit_view.h"
#include "disasm/view/disview0doc.h"
#include "editor/view/marginmarks.h"

// Command ids of the view.
constexpr UINT ID_DISASS_SET_IP = 32785;
constexpr UINT ID_DISASS_TOGGLE_BREAKPOINT = 32777;
constexpr UINT ID_DISASS_RUN_TO_CURSOR = 32824;

class CDisview0View : public DisassEditView {
  DECLARE_DYNCREATE(CDisview0View)
 public:
  CDisview0View() = default;

  CDisview0Doc* GetDocument() const { return static_cast<CDisview0Doc*>(m_pDocument); }
  DisassEdit* GetDisassEdit() override;
  void OnDraw(CDC*) override {}
  void DrawLineMarker(CDC* dc, CRect* rect, EditLine* line) override;
  BOOL BuildContextMenu(CMenu* menu) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // The caret line's address; FALSE (and *address untouched) when the
  // line source has not listed the line or there is no session.
  BOOL CursorLineAddress(DWORD* address);
  // The caret line becomes the execution line (set), or there is none.
  void MarkExecutionLine(BOOL set);
  // Repaints the row of an address's instruction line when it is shown.
  void RedrawAddressLine(DWORD linear);

  void OnSetIPToCursor();
  void OnToggleBreakpoint();
  void OnRunToCursor();

  int m_nExecutionLine = 0;

 private:
  void RepaintLine(int line);
  MarginMarks m_marks;
};
