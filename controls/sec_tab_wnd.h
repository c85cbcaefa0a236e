// SECTabWnd: the tab window with the flat strip along its bottom, one
// horizontal and one vertical scroll bar shared by the clients (each tab
// keeps its own bar state, swapped in when the tab becomes active) and the
// sizer between the strip and the horizontal bar.
#pragma once

#include "controls/sec_tab_wnd_base.h"
#include "platform/base/afxcoll.h"

// Strip styles given to Create (also as bits of the window style).
constexpr DWORD kSECTabWndTwoButtons = 1;
constexpr DWORD kSECTabWndFourButtons = 2;
constexpr int kSECTabWndSizerRoom = 60;  // first sizer place: this far from the right
constexpr UINT kSECTabWndSizerCursor = 30980;

class SECTabWnd : public SECTabWndBase {
  DECLARE_DYNCREATE(SECTabWnd)
 public:
  SECTabWnd() = default;
  ~SECTabWnd() override;

  using SECTabWndBase::ActivateTab;
  using SECTabWndBase::Create;
  using SECTabWndBase::InsertTab;
  using SECTabWndBase::RemoveTab;
  BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID) override;
  BOOL CreateTabCtrl(DWORD dwStyle, UINT nID) override;
  SECTab* InsertTab(CWnd* pWnd, int nIndex, LPCSTR lpszLabel) override;
  void SetScrollStyle(int nTab, DWORD dwStyle) override;
  void RemoveTab(int nIndex) override;
  void ActivateTab(CWnd* pWnd, int nIndex) override;
  void GetInsideRect(LPRECT lpRect) const override;
  void RecalcLayout() override;
  virtual CWnd* GetScrollBar(int nBar, const CWnd* pWnd = nullptr) const;

  DWORD GetScrollStyle(int nTab) const;  // 0 for an index out of range
  CRect GetSizerRect() const;
  int GetSizerPos() const { return m_nSizerPos; }
  int GetButtonStyle() const { return m_nButtonStyle; }
  BOOL IsTracking() const { return m_bTracking; }

 protected:
  DWORD ActiveScrollStyle() const;
  void SaveScrollState(int nTab);
  void LoadScrollState(int nTab);
  void PlaceChild(HDWP& hdwp, CWnd* pWnd, const CRect& rect, BOOL bScrollBar);
  void FreeScrollRecords();

  BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
  void OnSize(UINT nType, int cx, int cy);
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  LRESULT OnHScrollForward(WPARAM wParam, LPARAM lParam);
  LRESULT OnVScrollForward(WPARAM wParam, LPARAM lParam);
  LRESULT OnTabSelForward(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  int m_nSizerPos = 0;
  int m_cyTabCtrl = 0;
  int m_cxVScroll = 0;
  int m_cyHScroll = 0;
  int m_cxSizer = 5;
  int m_nDragOffset = 0;
  BOOL m_bTracking = FALSE;
  BOOL m_bOverSizer = FALSE;
  BOOL m_bFirstSize = TRUE;
  HCURSOR m_hSizerCursor = nullptr;
  HCURSOR m_hArrowCursor = nullptr;
  int m_nButtonStyle = 0;
  CPtrArray m_arrHScrollInfo;
  CPtrArray m_arrVScrollInfo;
  CDWordArray m_arrScrollStyle;
};

// A SECTabWnd under its own class name.
class SEC2DTabWnd : public SECTabWnd {
  DECLARE_DYNCREATE(SEC2DTabWnd)
 public:
  SEC2DTabWnd() = default;
};
