// SECDockBar: the framework's dock bar. Bars in rows share each row's length
// by their shares (kept normalised); 6-pixel splitters between bars and
// beside rows resize them; bars drop in by their drop point or at a saved
// placement; one bar of a row can be expanded over the others.
#pragma once

#include "framework/sec_dock_row.h"
#include "platform/afx/afx.h"

class SECControlBar;

// A saved place of a bar in a dock bar: row, position in the row, flags.
struct SECDockPlacement {
  enum Flags { fromLastRow = 1, fromRowEnd = 2, newRow = 4 };
  int nRow = 0;
  int nCol = 0;
  DWORD dwFlags = 0;
};

class SECDockBar : public CDockBar {
  DECLARE_DYNCREATE(SECDockBar)
 public:
  // A splitter of the current layout.
  class Splitter : public CObject {
   public:
    enum Type { horizontal = 0, vertical = 1 };  // dragged up/down, left/right
    enum Kind { row = 0, betweenBars = 1 };
    virtual void Draw(CDC* pDC);
    int m_nType = horizontal;
    int m_nKind = row;
    CRect m_rect;
    int m_nIndex = 0;  // the row's start, or the bar before the splitter
    BOOL m_bLive = TRUE;
    int m_nLower = 0, m_nUpper = 0;
    CRect m_rectDrag;
    CSize m_sizeDrag{0, 0};
    BOOL m_bDrawn = FALSE;
    BOOL m_bFinished = FALSE;
  };
  // A thin edge line of the current layout.
  class ClientEdge : public CObject {
   public:
    virtual void Draw(CDC* pDC);
    int m_nType = 0;  // 0 horizontal, 1 vertical
    CRect m_rect;
    BOOL m_bLive = TRUE;
  };
  enum ExpandMode { expand = 1, contract = 2 };

  explicit SECDockBar(BOOL bFloating = FALSE, BOOL bMDIChild = FALSE);
  ~SECDockBar() override;

  using CDockBar::Create;
  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExtraStyle, UINT nID);

  virtual BOOL IsBarExpanded(CControlBar* pBar);
  virtual BOOL IsBarAlone(CControlBar* pBar);
  virtual void DockControlBar(CControlBar* pBar, const SECDockPlacement& placement);
  virtual void DockControlBarAt(CControlBar* pBar, int nRow, int nCol);
  virtual BOOL GetRowBars(CPtrList& list, CControlBar* pBar);
  virtual void ExpandBar(CControlBar* pBar, int nMode);
  virtual void OnBarShown(CControlBar* pBar);
  virtual void RepaintBars();
  virtual int TrackSplitter(Splitter* pSplitter, CPoint point);
  virtual Splitter* AddSplitter(int nKind, int nType, const CRect& rect, int nIndex);
  virtual void PrepareSplitter(Splitter* pSplitter);
  virtual ClientEdge* AddClientEdge(int nType, const CRect& rect);
  virtual void RepaintRowToolBars(CControlBar* pBar);
  virtual void NormalizeRow(int nRowStart, CControlBar* pKeptBar, int* pnStretchable = nullptr,
                            int* pnFixed = nullptr);
  virtual void ComputeMinimumShare();
  virtual float AddShare(float fDelta, CControlBar* pBar);
  virtual int InsertBarByPoint(CControlBar* pBar, const CRect& rect, CPoint ptMid);
  virtual int InsertBarByPlacement(CControlBar* pBar, const SECDockPlacement& placement);
  virtual int InsertBarAtRowColumn(CControlBar* pBar, int nRow, int nCol);
  virtual int InsertRowFirst(CControlBar* pBar);
  virtual int InsertBarAt(int nIndex, CControlBar* pBar);
  virtual BOOL CalcDropRect(CRect& rectDrop, CControlBar* pBar, const CRect& rectDrag, CPoint point,
                            int& nLastRow, CRect& rectLast, CPoint& ptLast);
  virtual void DockControlBarByRect(CControlBar* pBar, LPCRECT lpRect);
  virtual BOOL RemoveBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
  virtual void ApplySplitterMove(Splitter* pSplitter, int nDelta);

  // CDockBar.
  void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr) override {
    DockControlBarByRect(pBar, lpRect);
  }
  void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr) override;
  BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0) override {
    return RemoveBar(pBar, nPosExclude, nAddPlaceHolder);
  }
  int GetDockedVisibleCount() const override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // Neighbours and places.
  CControlBar* GetPrevBarInRow(CControlBar* pBar);
  CControlBar* GetNextBarInRow(CControlBar* pBar);
  // Row (counted from 0) and column of a bar; the row's thickness, or -1 when the bar is not here.
  int GetBarPlacement(CControlBar* pBar, int& nRow, int& nCol);
  int RowStart(int nIndex) const;
  int RowEnd(int nIndex) const;
  int RowLength() const;
  sec_dock::Side GetSide() const;
  BOOL IsHorzDock() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
  void RemoveFromRepaintList(CControlBar* pBar);
  void AddToRepaintList(CControlBar* pBar);
  void RepaintFrom(int nIndex);
  Splitter* SplitterAt(CPoint point);
  void DelayLayout();

  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  int OnCreate(LPCREATESTRUCT lpcs);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnDestroy();
  void OnLButtonDown(UINT nFlags, CPoint point);

  CPtrArray m_arrRepaint;
  CObArray m_arrEdges;
  CObArray m_arrSplitters;
  BOOL m_bMDIChild;
  DWORD m_dwExtraStyle = 0;
  AFX_SIZEPARENTPARAMS* m_pLayout = nullptr;
  CControlBar* m_pLastShown = nullptr;
  BOOL m_bRepaintPending = FALSE;
  BOOL m_bNewRow = FALSE;
  float m_fMinShare = sec_dock::kDefaultMinShare;

 protected:
  // Bars of the row that starts at nRowStart (1 past its null), in order.
  void CollectRow(int nRowStart, CPtrArray& bars) const;
  void TakeDockStyle(CControlBar* pBar);
  void FinishDock(CControlBar* pBar, CDockBar* pOld, int nKeptRowStart);
  int LayoutRow(int nStart, int nRowLength, int nOffset, HDWP* phDWP, BOOL* pbThicker);
  DECLARE_MESSAGE_MAP()
};

// The shares of framework bars, and the fixed-size flag, are read through these.
float SECBarShare(CControlBar* pBar);
void SECSetBarShare(CControlBar* pBar, float fShare);
BOOL SECBarIsFixed(CControlBar* pBar);
BOOL SECBarOwnsRow(CControlBar* pBar);
