// SECDialogBar: a framework bar whose controls come from a dialog template;
// dockable, floatable and sizable, with its controls resized in proportion.
#pragma once

#include "framework/sec_control_bar.h"

class SECDialogBar : public SECControlBar {
  DECLARE_DYNCREATE(SECDialogBar)
 public:
  SECDialogBar() = default;
  ~SECDialogBar() override;

  // Made from a dialog template: the bar's own Create by window name does not apply.
  BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, DWORD dwStyle, DWORD dwExStyle, UINT nID);
  BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, DWORD dwStyle, DWORD dwExStyle, UINT nID) {
    return Create(pParentWnd, MAKEINTRESOURCE(nIDTemplate), dwStyle, dwExStyle, nID);
  }
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  void GetBarInfo(SECControlBarInfo* pInfo) override;

  CSize m_sizeDefault{0, 0};  // the template's size in pixels
  LPCSTR m_lpszTemplateName = nullptr;

 private:
  CString m_strTemplateName;  // a named template, kept while the bar lives
};
