// CSplitterWnd: panes in rows and columns with splitter bars between them;
// static (all panes made at once) or dynamic (panes made on demand).
#pragma once

#include <vector>

#include "platform/afx/afxdefs.h"

struct CCreateContext;

class CSplitterWnd : public CWnd {
  DECLARE_DYNAMIC(CSplitterWnd)
 public:
  CSplitterWnd();
  ~CSplitterWnd() override;

  BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                    UINT nID = AFX_IDW_PANE_FIRST);
  virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                          CCreateContext* pContext);
  BOOL Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
              DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);

  int GetRowCount() const { return m_nRows; }
  int GetColumnCount() const { return m_nCols; }
  int GetMaxRowCount() const { return m_nMaxRows; }
  int GetMaxColumnCount() const { return m_nMaxCols; }
  void GetRowInfo(int row, int& cyCur, int& cyMin) const;
  void SetRowInfo(int row, int cyIdeal, int cyMin);
  void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
  void SetColumnInfo(int col, int cxIdeal, int cxMin);

  CWnd* GetPane(int row, int col) const;
  int IdFromRowCol(int row, int col) const { return AFX_IDW_PANE_FIRST + row * 16 + col; }
  BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
  virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
  virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);

  virtual BOOL SplitRow(int cyBefore);
  virtual BOOL SplitColumn(int cxBefore);
  virtual void DeleteRow(int rowDelete);
  virtual void DeleteColumn(int colDelete);
  virtual void RecalcLayout();

  // A pane scrolled: the panes sharing that axis follow it.
  void SyncScroll(CWnd* pPane, BOOL bHorz, BOOL bVert);

  // Splitter bars: which one is under a point (-1 none), and a modal drag.
  int HitTestBar(CPoint pt, BOOL* pVertical) const;
  BOOL TrackBar(int bar, BOOL vertical, CPoint start);

  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  void OnLButtonDown(UINT nFlags, CPoint point);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

  int m_cxSplitter = 7, m_cySplitter = 7;  // bar thickness
  int m_cxSplitterGap = 7, m_cySplitterGap = 7;

 protected:
  struct CRowColInfo {
    int nMinSize = 0;
    int nIdealSize = 0;
    int nCurSize = 0;
  };
  BOOL CreateCommon(CWnd* pParentWnd, SIZE sizeMin, DWORD dwStyle, UINT nID);
  BOOL AddPanes(bool row, int sizeBefore);
  void RemovePanes(bool row, int index);
  CRuntimeClass* m_pDynamicViewClass = nullptr;
  int m_nMaxRows = 1, m_nMaxCols = 1;
  int m_nRows = 1, m_nCols = 1;
  BOOL m_bHasHScroll = FALSE, m_bHasVScroll = FALSE;
  std::vector<CRowColInfo> m_pColInfo, m_pRowInfo;
  BOOL m_bDynamic = FALSE;
  DECLARE_MESSAGE_MAP()
};
