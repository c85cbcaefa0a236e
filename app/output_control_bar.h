// COutputControlBar: the docking bar with the tabbed Build and Debug panes.
#pragma once

#include <string>

#include "app/text_display.h"
#include "controls/sec_tab_wnd.h"
#include "framework/sec_control_bar.h"

// Tabs of the output bar.
constexpr int kOutputTabBuild = 0;
constexpr int kOutputTabDebug = 1;

class COutputControlBar : public SECControlBar {
  DECLARE_DYNAMIC(COutputControlBar)
 public:
  COutputControlBar();
  ~COutputControlBar() override;

  void SelectTab(int index);
  // Complete lines go to the Build pane; a piece without a final line feed
  // waits for the rest of its line.
  void AppendBuildText(const char* text);
  void AppendDebugText(const char* text);
  void ScrollBuildToEnd();
  void ScrollDebugToEnd();
  void ClearBuild();

  CTextDisplay& GetBuildPane() { return m_wndBuild; }
  CTextDisplay& GetDebugPane() { return m_wndDebug; }
  SECTabWnd& GetTabWnd() { return m_wndTabs; }
  const std::string& GetPendingBuildText() const { return m_pendingBuild; }

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnSize(UINT nType, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* pDC);
  void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);

 protected:
  SECTabWnd m_wndTabs;
  CTextDisplay m_wndBuild;
  CTextDisplay m_wndDebug;
  std::string m_pendingBuild;

  DECLARE_MESSAGE_MAP()
};
