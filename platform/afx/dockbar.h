// CDockBar: the strip along a frame side (or inside a floating frame) that
// holds docked bars in rows. m_arrBars starts with NULL; each row is a run
// of bars ended by NULL; a hidden bar that left its place keeps a
// placeholder (its control id, a value below 0x10000).
#pragma once

#include "platform/afx/controlbar.h"

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
 public:
  explicit CDockBar(BOOL bFloating = FALSE);
  ~CDockBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
  BOOL IsDockBar() const override { return TRUE; }

  int GetDockedCount() const;
  virtual int GetDockedVisibleCount() const;
  int FindBar(CControlBar* pBar, int nPosExclude = -1);
  CControlBar* GetDockedControlBar(int nPos) const;
  static BOOL IsPlaceholder(void* entry) { return entry && reinterpret_cast<UINT_PTR>(entry) < 0x10000; }

  // Virtual so that derived dock bars place bars by their own rules.
  virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  virtual void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
  // nAddPlaceHolder: 1 leaves a placeholder, 0 also removes old ones, -1 keeps them.
  virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
  void RemovePlaceHolder(CControlBar* pBar);
  BOOL ShowAll(BOOL bShow);
  // Takes a bar being destroyed out of the array, without further effects.
  void ForgetBar(CControlBar* pBar);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

  void GetDockBarInfo(CControlBarInfo* pInfo);
  void SetDockBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

  BOOL m_bFloating;
  CPtrArray m_arrBars;
  BOOL m_bLayoutQuery = FALSE;
  CRect m_rectLayout;

 protected:
  // The index where a bar dropped at rect (client coordinates) goes.
  int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);
  void AttachBar(CControlBar* pBar, BOOL bShowAgain);
  void TakeStyle(CControlBar* pBar);
  DECLARE_MESSAGE_MAP()
};
