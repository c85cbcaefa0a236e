// SECTabControl: the flat strip of the tab windows. Trapezoid tabs hang from
// the top edge and overlap their neighbours by kSECTabOverlap pixels; up to
// four scroll buttons sit at the left end; Ctrl and Shift clicks select
// several tabs. Holding previous or next repeats its step on the layer's
// timers (first after kSECTabRepeatFirstMs, then every kSECTabRepeatMs).
#pragma once

#include "controls/sec_tab_control_base.h"
#include "platform/ui/gdiobj.h"

// Scroll button bits of m_dwButtons, m_dwDisabledButtons, m_nPressedButton.
enum : DWORD {
  kSECTabButtonFirst = 1,
  kSECTabButtonPrev = 2,
  kSECTabButtonNext = 4,
  kSECTabButtonLast = 8,
};
// Tab states indexing the drawing objects.
enum : int { kSECTabStateNormal = 0, kSECTabStateSelected = 1, kSECTabStateActive = 2 };

constexpr int kSECTabOverlap = 5;        // neighbours share this many pixels
constexpr int kSECTabSlant = 6;          // horizontal run of each slanted edge
constexpr int kSECTabLabelPadding = 20;  // tab width = label width + this
constexpr int kSECTabScrollMargin = 20;  // gap left by ScrollToTab
constexpr int kSECTabScrollStep = 10;    // pixels per previous/next step
constexpr UINT kSECTabRepeatFirstMs = 300;
constexpr UINT kSECTabRepeatMs = 20;
constexpr UINT_PTR kSECTabRepeatTimer = 1;

class SECTabControl : public SECTabControlBase {
  DECLARE_DYNAMIC(SECTabControl)
 public:
  SECTabControl() = default;
  ~SECTabControl() override;

  void Initialize(DWORD dwStyle) override;
  void RecalcLayout() override;
  void DestroyGDIObjects() override;
  SECTab* InsertTab(int nIndex, LPCSTR lpszLabel, CObject* pClient = nullptr, DWORD dwData1 = 0,
                    DWORD dwData2 = 0) override;
  SECTab* AddTab(LPCSTR lpszLabel, CObject* pClient = nullptr, DWORD dwData1 = 0, DWORD dwData2 = 0) override;
  void ScrollToTab(int nIndex) override;
  void InvalidateTab(int nIndex) override;
  virtual void DrawTab(CDC* pDC, int nIndex, CRgn* pRgn);
  virtual BOOL SetTabFont(CFont* pFont, int nState, BOOL bRedraw = TRUE);

  // Geometry, in client coordinates.
  CRect GetButtonRect(DWORD dwButton) const;
  CRect GetTabsArea() const;
  CRect GetButtonsArea() const;
  int GetTabLeft(int nIndex) const;
  BOOL GetTabRgn(int nIndex, CRgn& rgn) const;
  CRect GetTabBox(int nIndex) const;   // bounding box of the tab's region
  int HitTestTab(CPoint point) const;  // lowest index wins; -1 for none
  DWORD HitTestButton(CPoint point) const;

  int GetScrollOffset() const { return m_nScrollOffset; }
  DWORD GetButtons() const { return m_dwButtons; }
  DWORD GetDisabledButtons() const { return m_dwDisabledButtons; }
  DWORD GetPressedButton() const { return m_nPressedButton; }
  void SetMultiSelect(BOOL bMultiSelect) { m_bMultiSelect = bMultiSelect; }

 protected:
  int ShownButtonsBelow(DWORD dwButton) const;
  void UpdateScrollButtons();
  void SetButtonsEnabled(DWORD dwButtons, BOOL bEnable);
  void ScrollTabsBy(int nOldOffset);
  void StepButton(DWORD dwButton);
  void StopRepeat();
  void ClickTab(UINT nFlags, int nTab);
  void DrawButton(CDC* pDC, DWORD dwButton);
  void DrawTopLine(CDC* pDC, const CRect& area);
  void SelectState(CDC* pDC, int nState);

  void OnDestroy();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnSize(UINT nType, int cx, int cy);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnTimer(UINT_PTR nIDEvent);
  void OnCaptureChanged(CWnd* pWnd);
  DECLARE_MESSAGE_MAP()

  int m_nScrollOffset = 0;
  int m_nTabHeight = 0;
  BOOL m_bMultiSelect = TRUE;
  CFont m_fonts[3];
  CPen m_pens[3];
  CPen m_penShadow;
  CBrush m_brushes[3];
  COLORREF m_clrText[3] = {};
  DWORD m_dwButtons = 0;
  DWORD m_nPressedButton = 0;
  DWORD m_dwDisabledButtons = 0;
  int m_cxButton = 0;
  int m_cyButton = 0;
  BOOL m_bRepeating = FALSE;
};
