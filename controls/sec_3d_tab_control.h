// SEC3DTabControl: tabs drawn as raised buttons along one edge of the
// control (top, bottom, left or right; text turned on the side edges), with
// icons, labels shortened with "..." to fit, tool tips with the full label,
// disabled tabs the arrow keys and clicks pass over, and dragging the
// active tab to another place. Shares the tab list, activation and the
// parent messages with the flat strip (SECTabControlBase).
#pragma once

#include "controls/sec_3d_tab.h"
#include "controls/sec_tab_control_base.h"
#include "platform/ui/gdiobj.h"

// Window style bits of the strip.
enum : DWORD {
  kSEC3DTabTop = 0x0010,
  kSEC3DTabBottom = 0x0020,
  kSEC3DTabRight = 0x0040,  // text turned by 90 degrees
  kSEC3DTabLeft = 0x0080,   // text turned by -90 degrees
  kSEC3DTabEdges = 0x00F0,
  kSEC3DTabNoEnlarge = 0x0100,     // the active tab keeps its size
  kSEC3DTabNarrowBorder = 0x0200,  // borders one pixel in at the far side
  kSEC3DTabNoBaseLines = 0x0400,   // the two outer base lines are left out
  kSEC3DTabDragMove = 0x0800,      // capture while pressed; dragging moves the active tab
};

inline constexpr int kSEC3DTabEnlarge = 3;    // the active tab grows by this on its sides
inline constexpr int kSEC3DTabFitSlack = 12;  // room the labels leave in the strip
inline constexpr int kSEC3DTabPadding = 6;    // before the icon or label, and after the label
inline constexpr int kSEC3DTabIconSpan = 19;  // an icon and its gap
inline constexpr int kSEC3DTabIconSize = 16;
inline constexpr char kSEC3DTabEllipsis[] = "...";

class SEC3DTabControl : public SECTabControlBase {
  DECLARE_DYNAMIC(SEC3DTabControl)
 public:
  SEC3DTabControl() = default;
  ~SEC3DTabControl() override;

  void Initialize(DWORD dwStyle) override;
  SECTab* CreateNewTab() override { return new SEC3DTab; }
  void RecalcLayout() override;
  void OnActivateTab(int nIndex) override;
  void DestroyGDIObjects() override;
  SECTab* InsertTab(int nIndex, LPCSTR lpszLabel, CObject* pClient = nullptr, DWORD dwData1 = 0,
                    DWORD dwData2 = 0) override;
  SECTab* AddTab(LPCSTR lpszLabel, CObject* pClient = nullptr, DWORD dwData1 = 0, DWORD dwData2 = 0) override;
  void SetTabIcon(int nIndex, LPCSTR lpszResourceName, int cx, int cy) override;
  void SetTabIcon(int nIndex, UINT nIDResource, int cx, int cy) override;
  void SetTabIcon(int nIndex, HICON hIcon) override;
  void RenameTab(int nIndex, LPCSTR lpszLabel) override;
  void InvalidateTab(int nIndex) override;
  INT_PTR OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  virtual void CreateFonts(DWORD dwStyle);
  virtual void EnableTab(int nIndex, BOOL bEnable);
  virtual BOOL IsTabEnabled(int nIndex) const;
  virtual BOOL ModifyTabStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
  virtual void FitLabels(int cxFull, int cxMin, int cxAvail);
  virtual BOOL SetTabFont(CFont* pFont, int nState, BOOL bRedraw = TRUE);
  virtual void GetTabRect(int nIndex, LPRECT lpRect) const;
  virtual void LayoutTab(int nIndex, int x, int y, DWORD dwStyle);
  virtual void DrawTab(CDC* pDC, int nIndex);
  virtual void FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF clr);
  virtual void DrawTabBorderTop(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
  virtual void DrawTabBorderBottom(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
  virtual void DrawTabBorderRight(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
  virtual void DrawTabBorderLeft(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
  virtual void DrawTabContents(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
  virtual void DrawDisabledBitmap(CDC* pDC, int cx, int cy);

  SEC3DTab* Get3DTab(int nIndex) const { return static_cast<SEC3DTab*>(GetTab(nIndex)); }
  BOOL IsHorizontal() const;
  BOOL AreLabelsShown() const { return m_bShowLabels; }
  void SetFitLabels(BOOL bFit) { m_bFitLabels = bFit; }
  // The index of the first tab whose rectangle holds the point, or -1.
  int HitTestTab(CPoint point) const;

 protected:
  // Summed tab lengths along the strip with the full or the shown labels.
  enum class LabelSet { kFull, kShown };
  void Measure(LabelSet labels, int* pcxFull, int* pcxMin) const;
  int LabelWidth(const SEC3DTab* pTab, LabelSet labels) const;
  // The tab with the widest shown label (the first of equals), among those
  // the filter accepts; -1 for none.
  int WidestShownLabel(bool (*accept)(const SEC3DTab*)) const;
  void ShowFullLabels();
  void RelayToToolTip(UINT message, UINT nFlags, CPoint point);
  BOOL ParentHasTabStop() const;
  void MoveActiveTab(int nIndex);
  void DrawDisabledPiece(CDC* pDC, const CRect& area, SEC3DTab* pTab, const CPoint& iconAt,
                         const CPoint& textAt, bool icon);

  void OnDestroy();
  void OnPaint();
  BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  void OnSize(UINT nType, int cx, int cy);
  void OnLButtonDown(UINT nFlags, CPoint point);
  void OnLButtonUp(UINT nFlags, CPoint point);
  void OnLButtonDblClk(UINT nFlags, CPoint point);
  void OnMouseMove(UINT nFlags, CPoint point);
  void OnRButtonDown(UINT nFlags, CPoint point);
  void OnRButtonUp(UINT nFlags, CPoint point);
  void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  void OnSetFocus(CWnd* pOldWnd);
  void OnKillFocus(CWnd* pNewWnd);
  DECLARE_MESSAGE_MAP()

  BOOL m_bFitLabels = TRUE;
  int m_cyTab = 22;
  int m_cxTab = 22;
  int m_cxMargin = 7;
  int m_cyMargin = 7;
  CFont m_fonts[2];
  CPen m_pens[2];
  CPen m_penShadow;
  CPen m_penHilight;
  CBrush m_brushes[2];
  COLORREF m_clrText[2] = {};
  BOOL m_bShowLabels = TRUE;
};
