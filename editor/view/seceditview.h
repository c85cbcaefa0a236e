// The editor view: an editor core over the framework's view, with the
// document's views kept in step, splitter panes that follow each other,
// drops of text, and printing with a header and a footer. TCore is the
// core it builds on (SECEditCore<CView> for the source editor, the
// disassembly's core for the disassembly); the members are in
// seceditview.inl, instantiated by each view's source file.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "editor/pagelayout.h"
#include "editor/view/oepagesetupdlg.h"
#include "editor/view/seceditcore.h"

template <class TCore>
class SECEditViewOver : public TCore {
 public:
  SECEditViewOver();
  ~SECEditViewOver() override;

  void OnDragLeave() override;
  void OnInitialUpdate() override;
  void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  BOOL OnPreparePrinting(CPrintInfo* info) override;
  void OnBeginPrinting(CDC* dc, CPrintInfo* info) override;
  void OnPrint(CDC* dc, CPrintInfo* info) override;
  void OnEndPrinting(CDC* dc, CPrintInfo* info) override;
  CFrameWnd* GetActiveEditFrame() override;
  void UpdateViews(CView* sender, LPARAM hint, CObject* hintObject) override;
  void UpdateScrollInfo(int bar, int position, BOOL redraw) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // The printed text of one line: tabs expanded, line end dropped.
  std::string PrintedText(EditLine* line);

  // ---- what printing reads; a view over a line source overrides these ----
  // The lines a print job lays out: the selection's when it prints the
  // selection, else all.
  virtual std::vector<PrintLine> PrintLayoutLines(int charsPerRow);
  // The printed text of line n (lines are asked in ascending order).
  virtual std::string PrintedLineText(int n);

  CSplitterWnd* m_pSplitter = nullptr;
  int m_nSplitRow = 0;
  int m_nSplitCol = 0;
  HFONT m_hOwnedPrintFont = nullptr;
  int m_nLinesPerPage = 0;
  int m_nPrintLineHeight = 0;
  std::time_t m_timeHeader = 0;
  std::time_t m_timeFooter = 0;
  BOOL m_bPrintSelection = FALSE;
  COleDropTarget m_dropTarget;
  BOOL m_bAllowSelectionPrint = TRUE;
  std::vector<unsigned> m_pageStarts;
  int m_nPrintLastLine = 0;  // the last line the print job covers
  OEPageSetupDlg m_pageSetup;

 protected:
  // The other pane of the splitter that a scroll hint came from.
  SECEditViewOver* HintSender(CView* sender);
  // Takes the first visible line and the caret line of another pane.
  void TakeLinesOf(SECEditViewOver* pane);
  void OnPageSetup();

 private:
  EditLine* m_pPrintCursor = nullptr;  // the line PrintedLineText read last
};

class SECEditView : public SECEditViewOver<SECEditCore<CView>> {
  DECLARE_DYNCREATE(SECEditView)
 public:
  SECEditView() = default;
};
