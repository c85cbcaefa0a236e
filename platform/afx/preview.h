// Print preview: a view that takes the place of the printed view in its
// frame and shows one page at a time, drawn by the printed view's OnPrint
// at the printer's proportions. Page Down / Page Up turn pages, Escape
// closes; the commands AFX_ID_PREVIEW_* do the same.
#pragma once

#include "platform/afx/printinfo.h"
#include "platform/afx/view.h"

class CPreviewView : public CView {
  DECLARE_DYNCREATE(CPreviewView)
 public:
  CPreviewView();
  ~CPreviewView() override;

  // Prepares the job (OnPreparePrinting, OnBeginPrinting); FALSE stops.
  virtual BOOL SetPrintView(CView* pPrintView);
  void OnDraw(CDC* pDC) override;
  // The page as it will be printed, scaled to the size given.
  void RenderPage(CDC* pDC, UINT nPage, const CRect& rect);
  BOOL PageExists(UINT nPage);
  UINT GetCurrentPage() const { return m_nCurrentPage; }
  CView* GetPrintView() const { return m_pPrintView; }
  void SetCurrentPage(UINT nPage);

  void OnPreviewClose();
  void OnNextPage();
  void OnPrevPage();
  void OnPreviewPrint();
  void OnUpdateNextPage(CCmdUI* pCmdUI);
  void OnUpdatePrevPage(CCmdUI* pCmdUI);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  BOOL OnEraseBkgnd(CDC* pDC);

  CPrintInfo* m_pPreviewInfo = nullptr;

 protected:
  void ShowPageText();
  CView* m_pPrintView = nullptr;
  CFrameWnd* m_pFrame = nullptr;
  UINT m_nCurrentPage = 1;
  BOOL m_bClosed = FALSE;
  DECLARE_MESSAGE_MAP()
  friend class CView;
};
