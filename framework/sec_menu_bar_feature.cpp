#include "framework/sec_menu_bar_feature.h"

#include <cstdarg>
#include <vector>

#include "framework/sec_menu_bar.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(SECMenuBarFeature, SECBmpMenuPlugIn)

BOOL SECMenuBarFeature::SetMenus(UINT nCount, UINT nID, ...) {
  if (!m_pMenuBar || nCount == 0) return FALSE;
  std::vector<UINT> ids{nID};
  va_list args;
  va_start(args, nID);
  for (UINT i = 1; i < nCount; ++i) ids.push_back(va_arg(args, UINT));
  va_end(args);
  return m_pMenuBar->SetMenus(nCount, ids.data());
}

BOOL SECMenuBarFeature::SetMenuBits(UINT nCount, const UINT* lpIDBitPairs) {
  if (!m_pMenuBar || !lpIDBitPairs) return FALSE;
  m_pMenuBar->SetMenuBits(nCount, lpIDBitPairs);
  return TRUE;
}

BOOL SECMenuBarFeature::PreTranslateMessage(MSG* pMsg) {
  if (!m_bAttached) return FALSE;
  m_bHandled = SECMenuBarMessages::PreTranslateMessage(pMsg);
  return m_bHandled;
}

BOOL SECMenuBarFeature::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (!m_bAttached) return FALSE;
  LRESULT result = 0;
  BOOL handled = FALSE;
  if (message == WM_SEC_MENUPROD) {
    OnMenuProd();
    handled = TRUE;
  } else if (message == WM_NOTIFY) {
    handled = SECMenuBarMessages::OnNotify(wParam, lParam, &result);
  } else if (message == WM_SYSCOMMAND) {
    handled = SECMenuBarMessages::OnSysCommand(static_cast<UINT>(wParam), lParam);
  } else if (message == WM_CANCELMODE) {
    SECMenuBarMessages::OnCancelMode();
  } else if (message == WM_NCACTIVATE) {
    SECMenuBarMessages::OnNcActivate(static_cast<BOOL>(wParam));
  } else if (message == WM_MENUSELECT) {
    OnMenuSelect(HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
  } else if (message == WM_INITMENUPOPUP && !HIWORD(lParam)) {
    SECMenuBarMessages::OnInitMenuPopup();
  }
  if (handled) {
    m_bHandled = TRUE;
    if (pResult) *pResult = result;
    return TRUE;
  }
  // The rest, WM_INITMENUPOPUP included, is the bitmap menus'.
  return SECBmpMenuPlugIn::OnWndMsg(message, wParam, lParam, pResult);
}
