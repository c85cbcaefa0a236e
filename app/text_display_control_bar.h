// CTextDisplayControlBar: a docking bar showing one CTextDisplay (the Call
// Stack bar).
#pragma once

#include "app/text_display.h"
#include "framework/sec_control_bar.h"

class CTextDisplayControlBar : public SECControlBar {
  DECLARE_DYNAMIC(CTextDisplayControlBar)
 public:
  void AppendText(const char* text) { m_wndDisplay.AppendText(text); }
  void Clear() { m_wndDisplay.Clear(); }
  CTextDisplay& GetDisplay() { return m_wndDisplay; }

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnSize(UINT nType, int cx, int cy);
  BOOL OnEraseBkgnd(CDC* pDC);

 protected:
  CTextDisplay m_wndDisplay;

  DECLARE_MESSAGE_MAP()
};
