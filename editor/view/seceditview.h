// The editor view: the editor core over the framework's view, with the
// document's views kept in step, splitter panes that follow each other,
// drops of text, and printing with a header and a footer.
#pragma once

#include <ctime>
#include <vector>

#include "editor/view/oepagesetupdlg.h"
#include "editor/view/seceditcore.h"

class SECEditView : public SECEditCore<CView> {
  DECLARE_DYNCREATE(SECEditView)
 public:
  SECEditView();
  ~SECEditView() override;

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
  OEPageSetupDlg m_pageSetup;

 protected:
  // The other pane of the splitter that a scroll hint came from.
  SECEditView* HintSender(CView* sender);
  void OnPageSetup();
};
