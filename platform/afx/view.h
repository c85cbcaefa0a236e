// CView: a window showing a document; CCreateContext: what a frame needs
// to make its views.
#pragma once

#include "platform/afx/afxdefs.h"

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

// Drop effects for the drop-target callbacks.
#ifndef DROPEFFECT_NONE
#define DROPEFFECT_NONE 0
#define DROPEFFECT_COPY 1
#define DROPEFFECT_MOVE 2
#define DROPEFFECT_LINK 4
#endif
class COleDataObject;

class CView : public CWnd {
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
  virtual DWORD OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual DWORD OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
  virtual void OnDragLeave();
  virtual BOOL OnDrop(COleDataObject* pDataObject, DWORD dropEffect, CPoint point);

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
