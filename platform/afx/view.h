// CView: a window showing a document; CCreateContext: what a frame needs
// to make its views.
#pragma once

#include "platform/afx/afxdefs.h"
#include "platform/ui/afxole.h"

class CDocument;
class CDocTemplate;
class CFrameWnd;
class CPrintInfo;
class CView;

struct CCreateContext {
  CRuntimeClass* m_pNewViewClass = nullptr;
  CDocument* m_pCurrentDoc = nullptr;
  CDocTemplate* m_pNewDocTemplate = nullptr;
  CView* m_pLastView = nullptr;
  CFrameWnd* m_pCurrentFrame = nullptr;
};

// A view takes drops once a COleDropTarget is registered for it: the
// target's default handlers call the view's drop callbacks.
class CView : public CWnd, public CDropHandler {
  DECLARE_DYNAMIC(CView)
 public:
  CView();
  ~CView() override;

  CDocument* GetDocument() const { return m_pDocument; }
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  void PostNcDestroy() override;

  virtual void OnDraw(CDC* pDC) = 0;
  virtual void OnInitialUpdate();
  virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
  virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
  virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
  virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
  virtual BOOL IsSelected(const CObject* pDocItem) const;

  // Printing.
  virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
  BOOL DoPreparePrinting(CPrintInfo* pInfo);
  virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
  virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CView* pView);

  // Drop target.
  DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  void OnDragLeave() override;
  BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

  void OnFilePrint();
  void OnFilePrintPreview();
  // Puts a preview view in place of pPrintView in its frame.
  BOOL DoPrintPreview(UINT nIDResource, CView* pPrintView, CRuntimeClass* pPreviewViewClass, void* pState);

  int OnCreate(LPCREATESTRUCT lpcs);
  void OnDestroy();
  void OnPaint();
  int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
  LRESULT OnInitialUpdateMsg(WPARAM, LPARAM);

  CDocument* m_pDocument = nullptr;

 protected:
  DECLARE_MESSAGE_MAP()
  friend class CDocument;
};
