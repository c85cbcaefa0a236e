// The view of a source document: the editor view plus the debugger's
// marks in the margin (execution line, breakpoints, the message line)
// and the debugger commands of the editor window.
#pragma once

#include "editor/view/cmirt2doc.h"
#include "editor/view/marginmarks.h"
#include "editor/view/seceditview.h"

// Commands of the source view.
enum SourceViewCommand : UINT {
  ID_TOGGLE_BREAKPOINT = 32777,
  ID_SET_IP_TO_CURSOR = 32785,
  ID_WATCH_SELECTION = 32822,
  ID_RUN_TO_CURSOR = 32824,
};

class CMirt2View : public SECEditView {
  DECLARE_DYNCREATE(CMirt2View)
 public:
  CMirt2View() = default;

  CMirt2Doc* GetDocument() const { return static_cast<CMirt2Doc*>(m_pDocument); }
  void OnDraw(CDC*) override {}
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void DrawLineMarker(CDC* dc, CRect* rect, EditLine* line) override;
  BOOL BuildContextMenu(CMenu* menu) override;
  EditBuffer* GetEditBuffer() override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  void MarkExecutionLine(BOOL set);
  void MarkMessageLine(BOOL set);
  void MarkBreakpointLine(WORD line);
  void ClearBreakpointMarks();
  void ClearMessageMarks();
  void GetCursorLocation(CString& path, WORD& line);
  void GetSelectedText(CString& text, BOOL* column);

  void OnToggleBreakpoint();
  void OnSetIPToCursor();
  void OnRunToCursor();
  void OnWatchSelection();

  CString m_strUnused1;
  CString m_strUnused2;
  EditLine* m_pExecLine = nullptr;

 private:
  void RepaintLineRow(EditLine* line);
  void ClearFlagEverywhere(UINT flag);
  MarginMarks m_marks;
};
