#include "framework/sec_wnd_plug_in.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxmenu.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(SECWndPlugIn, CWnd)

SECWndPlugIn::~SECWndPlugIn() { m_hWnd = nullptr; }

void SECWndPlugIn::SetResult(LRESULT lResult) {
  m_bResultSet = TRUE;
  m_lResult = lResult;
}

BOOL SECWndPlugIn::PlugInTo(CWnd* pWnd) {
  if (!pWnd) return FALSE;
  m_hWnd = pWnd->m_hWnd;
  m_bAttached = TRUE;
  return TRUE;
}

void SECWndPlugIn::UnPlug() {
  m_bAttached = FALSE;
  m_hWnd = nullptr;
}

BOOL SECWndPlugIn::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (!m_bAttached) return FALSE;
  m_bHandled = FALSE;
  m_bCallDefault = FALSE;
  BOOL done = CWnd::OnWndMsg(message, wParam, lParam, pResult);
  if (m_bResultSet) {
    m_bResultSet = FALSE;
    if (pResult) *pResult = m_lResult;
  }
  return done;
}

BOOL SECWndPlugIn::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return m_bAttached ? CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo) : FALSE;
}

LRESULT SECWndPlugIn::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_bAttached && m_bCallDefault ? CWnd::DefWindowProc(message, wParam, lParam) : 0;
}
