// SECWndPlugIn: a message handler a window offers each message before handling
// it itself. The plug-in borrows the host's handle while attached (it never
// owns or destroys the window) and handles messages through its own map; a
// handler sets m_bHandled to consume the message, SetResult gives the result.
#pragma once

#include "platform/afx/afx.h"

class SECWndPlugIn : public CWnd {
  DECLARE_DYNAMIC(SECWndPlugIn)
 public:
  SECWndPlugIn() = default;
  ~SECWndPlugIn() override;

  virtual void SetResult(LRESULT lResult);
  virtual BOOL PlugInTo(CWnd* pWnd);
  virtual void UnPlug();
  virtual BOOL IsAttached() const { return m_bAttached; }

  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  BOOL m_bHandled = FALSE;
  BOOL m_bCallDefault = FALSE;

 protected:
  BOOL m_bResultSet = FALSE;
  LRESULT m_lResult = 0;
  BOOL m_bAttached = FALSE;
};

// Offers a message to a host's plug-in: TRUE, with the plug-in's result, when
// the plug-in consumed it.
BOOL SECOfferToPlugIn(SECWndPlugIn* pPlugIn, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Offers a message before translation: TRUE when the plug-in consumed it.
BOOL SECOfferPreTranslate(SECWndPlugIn* pPlugIn, MSG* pMsg);
// Offers a command to a second plug-in window: TRUE, with the result in
// `bResult`, when that window set its handled flag (cleared again here).
BOOL SECOfferCommand(CWnd* pPlugInWnd, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo,
                     BOOL& bResult);
