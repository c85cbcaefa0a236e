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

BOOL SECOfferToPlugIn(SECWndPlugIn* pPlugIn, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!pPlugIn || !pPlugIn->IsAttached()) return FALSE;
  LRESULT answer = 0;
  pPlugIn->OnWndMsg(message, wParam, lParam, &answer);
  if (!pPlugIn->m_bHandled) return FALSE;
  pPlugIn->m_bHandled = FALSE;
  result = answer;
  return TRUE;
}

BOOL SECOfferPreTranslate(SECWndPlugIn* pPlugIn, MSG* pMsg) {
  if (!pPlugIn || !pPlugIn->IsAttached()) return FALSE;
  pPlugIn->PreTranslateMessage(pMsg);
  if (!pPlugIn->m_bHandled) return FALSE;
  pPlugIn->m_bHandled = FALSE;
  return TRUE;
}

BOOL SECOfferCommand(CWnd* pPlugInWnd, UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo,
                     BOOL& bResult) {
  if (!pPlugInWnd || !pPlugInWnd->IsKindOf(RUNTIME_CLASS(SECWndPlugIn))) return FALSE;
  auto* plugIn = static_cast<SECWndPlugIn*>(pPlugInWnd);
  const BOOL done = plugIn->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
  if (!plugIn->m_bHandled) return FALSE;
  plugIn->m_bHandled = FALSE;
  bResult = done;
  return TRUE;
}
