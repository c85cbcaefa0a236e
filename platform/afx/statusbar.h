// CStatusBar: a bar of text panes along the frame's bottom, drawn by the
// layer; the first pane shows prompts, the others indicators.
#pragma once

#include <vector>

#include "platform/afx/controlbar.h"

#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS 0x0100
#define SBPS_POPOUT 0x0200
#define SBPS_OWNERDRAW 0x1000
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar();

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
              UINT nID = AFX_IDW_STATUS_BAR);
  // Each non-zero id's string is the pane's first text and sets its width.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const;
  BOOL SetPaneText(int nIndex, LPCSTR lpszNewText, BOOL bUpdate = TRUE);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void DoPaint(CDC* pDC) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  struct Pane {
    UINT id = 0;
    UINT style = SBPS_NORMAL;
    int width = 0;
    CString text;
  };
  std::vector<Pane> m_panes;
  void LayoutPanes(std::vector<CRect>* out) const;
  int TextWidth(LPCSTR text) const;
  void OnSize(UINT nType, int cx, int cy);
  DECLARE_MESSAGE_MAP()
};
