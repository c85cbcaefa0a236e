#include "framework/sec_menu_bar_messages.h"

#include <utility>

#include "framework/sec_mdi_frame_wnd.h"
#include "framework/sec_menu_bar.h"
#include "framework/sec_std_btn_menu.h"
#include "framework/sec_wnd_plug_in.h"
#include "platform/base/charcase.h"
#include "platform/ui/hooks.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui.h"

const UINT WM_SEC_MENUPROD = ::RegisterWindowMessage("WM_SEC_MENUPROD");

namespace {

// The system command of a click on the system-menu icon.
constexpr UINT kSECMenuBarSysMenuClick = 0xF093;
// The key-release bit of a keyboard hook's lParam.
constexpr LPARAM kSECMenuBarKeyUp = LPARAM{1} << 31;
// Popup position that names the MDI child's system menu.
constexpr int kSECMenuBarSysMenuPos = -1;

// What the tracker does after the open popup returns.
enum class SECMenuBarQueued { kNone, kMove, kOpen };
struct SECMenuBarRequest {
  SECMenuBarQueued kind = SECMenuBarQueued::kNone;
  int nValue = 0;  // kMove: +1 / -1; kOpen: the button index
};

// One menu bar tracks at a time.
struct SECMenuBarTrackState {
  POINT ptLastMouse{-1, -1};
  SECMenuBarMessages* pActive = nullptr;
  HWND hWndBarOpen = nullptr;  // the bar whose popup is open
  BOOL bSysMenu = FALSE;
  CRect rcSysIcon;  // the system-menu icon while the system menu is open
  SECMenuBarRequest queued;
  HHOOK hKeyboard = nullptr;
  HHOOK hMouse = nullptr;
  HHOOK hFilter = nullptr;
};
SECMenuBarTrackState g_secMenuBarTrack;

LRESULT SECMenuBarKeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
  SECMenuBarMessages* t = g_secMenuBarTrack.pActive;
  if (code == HC_ACTION && t && t->OnHookKey(wParam, lParam)) return 1;
  return ::CallNextHookEx(g_secMenuBarTrack.hKeyboard, code, wParam, lParam);
}

LRESULT SECMenuBarMouseProc(int code, WPARAM wParam, LPARAM lParam) {
  SECMenuBarMessages* t = g_secMenuBarTrack.pActive;
  if (code == HC_ACTION && t && lParam) {
    const auto* info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    if (wParam == WM_MOUSEMOVE) {
      t->OnHookMouseMove(info->pt);
    } else if (wParam == WM_LBUTTONDOWN || wParam == WM_RBUTTONDOWN || wParam == WM_MBUTTONDOWN ||
               wParam == WM_NCLBUTTONDOWN || wParam == WM_NCRBUTTONDOWN) {
      t->Cancel();
    }
  }
  return ::CallNextHookEx(g_secMenuBarTrack.hMouse, code, wParam, lParam);
}

LRESULT SECMenuBarFilterProc(int code, WPARAM wParam, LPARAM lParam) {
  SECMenuBarMessages* t = g_secMenuBarTrack.pActive;
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_MENU && t && msg) {
    // A pointer move the loop did not see as a message (made while popups switched).
    POINT cursor;
    SECMenuBarTrackState& s = g_secMenuBarTrack;
    if (msg->message != WM_MOUSEMOVE && ::GetCursorPos(&cursor) &&
        (cursor.x != s.ptLastMouse.x || cursor.y != s.ptLastMouse.y)) {
      MSG move{};
      move.message = WM_MOUSEMOVE;
      move.lParam = MAKELPARAM(cursor.x, cursor.y);
      t->OnMenuMouse(&move);
    }
    if (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST && t->OnMenuMouse(msg)) return 1;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) && t->OnMenuKey(msg)) return 1;
  }
  return ::CallNextHookEx(g_secMenuBarTrack.hFilter, code, wParam, lParam);
}

BOOL SECMenuBarIsMenuButton(const SECStdBtn* btn) {
  return btn && !(btn->m_nStyle & TBBS_HIDDEN) &&
         (btn->m_nType == SECBtnMenu || btn->m_nType == SECBtnChildSysMenu);
}

// The screen point of a mouse message of the menu loop.
POINT SECMenuBarMessagePoint(const MSG& msg) {
  POINT pt{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.hwnd) ::ClientToScreen(msg.hwnd, &pt);
  return pt;
}

}  // namespace

SECMenuBarMessages::~SECMenuBarMessages() {
  if (g_secMenuBarTrack.pActive == this) StopTracking();
}

BOOL SECMenuBarMessages::IsTracking() const { return g_secMenuBarTrack.pActive == this; }

HWND SECMenuBarMessages::FrameHandle() {
  SECWndPlugIn* plugIn = GetPlugIn();
  return plugIn ? plugIn->m_hWnd : nullptr;
}

CMDIChildWnd* SECMenuBarMessages::MaximisedChild() const {
  auto* self = const_cast<SECMenuBarMessages*>(this);
  CWnd* frame = CWnd::FromHandlePermanent(self->FrameHandle());
  auto* mdi = dynamic_cast<CMDIFrameWnd*>(frame);
  BOOL maximised = FALSE;
  CMDIChildWnd* child = mdi ? mdi->MDIGetActive(&maximised) : nullptr;
  return child && maximised ? child : nullptr;
}

void SECMenuBarMessages::StopTracking() {
  SetMsgFilterHook(FALSE);
  SetKeyboardMouseHooks(FALSE);
  if (g_secMenuBarTrack.pActive == this) g_secMenuBarTrack.pActive = nullptr;
  g_secMenuBarTrack.queued = {};
  g_secMenuBarTrack.hWndBarOpen = nullptr;
}

// ---- Hooks ----

void SECMenuBarMessages::SetKeyboardMouseHooks(BOOL bSet) {
  SECMenuBarTrackState& s = g_secMenuBarTrack;
  if (bSet) {
    s.pActive = this;
    s.ptLastMouse = {-1, -1};
    if (!s.hKeyboard) s.hKeyboard = ::SetWindowsHookEx(WH_KEYBOARD, SECMenuBarKeyboardProc, nullptr, 0);
    if (!s.hMouse) s.hMouse = ::SetWindowsHookEx(WH_MOUSE, SECMenuBarMouseProc, nullptr, 0);
    return;
  }
  if (s.hKeyboard) ::UnhookWindowsHookEx(std::exchange(s.hKeyboard, nullptr));
  if (s.hMouse) ::UnhookWindowsHookEx(std::exchange(s.hMouse, nullptr));
}

void SECMenuBarMessages::SetMsgFilterHook(BOOL bSet) {
  SECMenuBarTrackState& s = g_secMenuBarTrack;
  if (bSet) {
    s.pActive = this;
    if (!s.hFilter) s.hFilter = ::SetWindowsHookEx(WH_MSGFILTER, SECMenuBarFilterProc, nullptr, 0);
    return;
  }
  if (s.hFilter) ::UnhookWindowsHookEx(std::exchange(s.hFilter, nullptr));
}

// ---- Menu mode (no popup open) ----

BOOL SECMenuBarMessages::OnHookKey(WPARAM wParam, LPARAM lParam) {
  if (!m_pMenuBar || !m_pMenuBar->IsInMenuMode() || g_secMenuBarTrack.hWndBarOpen) return FALSE;
  if (wParam == VK_MENU) return FALSE;  // Alt passes: its release leaves menu mode
  if (lParam & kSECMenuBarKeyUp) return TRUE;
  switch (wParam) {
    case VK_ESCAPE:
      Cancel();
      return TRUE;
    case VK_LEFT:
    case VK_RIGHT:
      MoveMenu(wParam == VK_RIGHT);
      return TRUE;
    case VK_DOWN:
    case VK_UP:
    case VK_RETURN:
      DropDownCurrent();
      return TRUE;
    default:
      break;
  }
  // Any other key is a mnemonic.
  const int index = m_pMenuBar->FindMnemonic(mirt::ToLower1252(static_cast<unsigned char>(wParam)));
  if (index >= 0) {
    m_pMenuBar->ExitMenuMode();
    OpenFromKeyboard(index);
  }
  return TRUE;
}

void SECMenuBarMessages::OnHookMouseMove(POINT pt) {
  SECMenuBarTrackState& s = g_secMenuBarTrack;
  if (pt.x == s.ptLastMouse.x && pt.y == s.ptLastMouse.y) return;
  s.ptLastMouse = pt;
  if (!m_pMenuBar || !m_pMenuBar->IsInMenuMode() || !m_pMenuBar->m_hWnd) return;
  CPoint client = pt;
  m_pMenuBar->ScreenToClient(&client);
  const int hit = m_pMenuBar->HitTestButton(client.x, client.y);
  if (hit >= 0 && hit != m_pMenuBar->GetDropDownButton() && SECMenuBarIsMenuButton(m_pMenuBar->GetBtn(hit)))
    m_pMenuBar->EnterMenuMode(hit);
}

void SECMenuBarMessages::Cancel() {
  if (m_pMenuBar && m_pMenuBar->IsInMenuMode()) m_pMenuBar->ExitMenuMode();
  if (g_secMenuBarTrack.hWndBarOpen) {
    g_secMenuBarTrack.queued = {};
    ::EndMenu();
  }
}

void SECMenuBarMessages::MoveMenu(BOOL bNext) {
  m_nPendingDir = bNext ? 1 : -1;
  if (HWND frame = FrameHandle()) ::PostMessage(frame, WM_SEC_MENUPROD, 0, 0);
}

void SECMenuBarMessages::DropDownCurrent() {
  if (!m_pMenuBar) return;
  const int index = m_pMenuBar->GetDropDownButton();
  m_pMenuBar->ExitMenuMode();
  OpenFromKeyboard(index);
}

void SECMenuBarMessages::OpenFromKeyboard(int nIndex) {
  // Opened from the posted message, not inside the hook that saw the key.
  m_nPendingDir = 0;
  m_nPendingIndex = nIndex;
  if (HWND frame = FrameHandle()) ::PostMessage(frame, WM_SEC_MENUPROD, 0, 0);
}

void SECMenuBarMessages::OnMenuProd() {
  if (!m_pMenuBar || !m_pMenuBar->m_hWnd) return;
  if (m_bCancelled) {
    m_bCancelled = FALSE;
    return;
  }
  m_bKeyboardOpen = TRUE;
  int index = m_nPendingIndex;
  if (m_nPendingDir != 0) {
    index = m_pMenuBar->GetNextMenuButton(m_nPendingDir > 0);
    // Past either end the move wraps around.
    if (index < 0)
      index = m_nPendingDir > 0 ? m_pMenuBar->GetFirstMenuButton() : m_pMenuBar->GetLastMenuButton();
  }
  m_nPendingDir = 0;
  m_nPendingIndex = -1;
  if (m_pMenuBar->IsInMenuMode()) {
    m_pMenuBar->EnterMenuMode(index);
    m_bKeyboardOpen = FALSE;
    return;
  }
  if (index < 0) {
    CRect r(0, 0, 0, 0);
    TrackSystemMenu(r);
    return;
  }
  m_pMenuBar->DropDownButton(index);
}

void SECMenuBarMessages::OnInitMenuPopup() {
  if (!m_bKeyboardOpen) return;
  m_bKeyboardOpen = FALSE;
  if (HWND frame = FrameHandle()) ::PostMessage(frame, WM_KEYDOWN, VK_DOWN, 0);
}

// ---- Popups ----

void SECMenuBarMessages::OnMenuSelect(UINT nFlags, HMENU hMenu) {
  m_hMenuSelected = hMenu;
  m_bSelectedPopup = (nFlags & MF_POPUP) != 0 && nFlags != 0xFFFF;
}

BOOL SECMenuBarMessages::OnMenuKey(MSG* pMsg) {
  if (pMsg->wParam == VK_MENU) {
    OnHookAlt();
    return FALSE;
  }
  if (pMsg->wParam != VK_LEFT && pMsg->wParam != VK_RIGHT) return FALSE;
  // Inside a sub-menu Left closes it; on an item with a sub-menu Right opens it.
  const BOOL inSub = m_hMenuSelected && m_hMenuSelected != m_hMenuOpen;
  if (pMsg->wParam == VK_LEFT && inSub) return FALSE;
  if (pMsg->wParam == VK_RIGHT && m_bSelectedPopup) return FALSE;
  g_secMenuBarTrack.queued = {SECMenuBarQueued::kMove, pMsg->wParam == VK_RIGHT ? 1 : -1};
  ::EndMenu();
  return TRUE;
}

void SECMenuBarMessages::OnHookAlt() { m_bAltAlone = FALSE; }

BOOL SECMenuBarMessages::OnMenuMouse(MSG* pMsg) {
  SECMenuBarTrackState& s = g_secMenuBarTrack;
  const POINT pt = SECMenuBarMessagePoint(*pMsg);
  s.ptLastMouse = pt;
  const BOOL down = pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONDBLCLK;
  if (s.bSysMenu && (down || pMsg->message == WM_LBUTTONUP) && s.rcSysIcon.PtInRect(pt)) {
    // A click on the icon closes the system menu; a double click runs its default command.
    if (pMsg->message == WM_LBUTTONDBLCLK) {
      if (CMDIChildWnd* child = MaximisedChild()) {
        const UINT def = ::GetMenuDefaultItem(::GetSystemMenu(child->m_hWnd, FALSE), FALSE, 0);
        if (def != static_cast<UINT>(-1)) child->PostMessage(WM_SYSCOMMAND, def, 0);
      }
    }
    if (down) {
      s.queued = {};
      ::EndMenu();
    }
    return TRUE;
  }
  if (!m_pMenuBar || !m_pMenuBar->m_hWnd || ::WindowFromPoint(pt) != m_pMenuBar->m_hWnd) return FALSE;
  if (pMsg->message != WM_MOUSEMOVE && !down) return pMsg->message == WM_LBUTTONUP;
  CPoint client = pt;
  m_pMenuBar->ScreenToClient(&client);
  const int hit = m_pMenuBar->HitTestButton(client.x, client.y);
  const int open = m_pMenuBar->GetDropDownButton();
  if (pMsg->message == WM_MOUSEMOVE) {
    if (hit < 0 || hit == open || !SECMenuBarIsMenuButton(m_pMenuBar->GetBtn(hit))) return TRUE;
    s.queued = {SECMenuBarQueued::kOpen, hit};
    ::EndMenu();
    return TRUE;
  }
  // A press on the open button closes its popup; on another menu button it switches.
  s.queued = {};
  if (hit >= 0 && hit != open && SECMenuBarIsMenuButton(m_pMenuBar->GetBtn(hit)))
    s.queued = {SECMenuBarQueued::kOpen, hit};
  ::EndMenu();
  return TRUE;
}

void SECMenuBarMessages::TrackSystemMenu(const CRect& rcButton) {
  CMDIChildWnd* child = MaximisedChild();
  if (!child) return;
  HMENU menu = ::GetSystemMenu(child->m_hWnd, FALSE);
  if (!menu) return;
  if (::GetMenuDefaultItem(menu, FALSE, 0) == static_cast<UINT>(-1))
    ::SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
  SECMenuBarTrackState& s = g_secMenuBarTrack;
  // The child's icon: its window origin inside the frame border.
  CRect wr;
  child->GetWindowRect(&wr);
  const CPoint icon(wr.left + ::GetSystemMetrics(SM_CXFRAME), wr.top + ::GetSystemMetrics(SM_CYFRAME));
  s.rcSysIcon = rcButton.IsRectEmpty()
                    ? CRect(icon, CSize(::GetSystemMetrics(SM_CXSIZE), ::GetSystemMetrics(SM_CYSIZE)))
                    : rcButton;
  const CPoint at = rcButton.IsRectEmpty() ? CPoint(s.rcSysIcon.left, s.rcSysIcon.bottom)
                                           : CPoint(rcButton.left, rcButton.bottom);
  s.bSysMenu = TRUE;
  s.pActive = this;
  SetMsgFilterHook(TRUE);
  TPMPARAMS tpm{sizeof(TPMPARAMS), s.rcSysIcon};
  const UINT cmd = static_cast<UINT>(::TrackPopupMenuEx(menu, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_VERTICAL,
                                                        at.x, at.y, FrameHandle(), &tpm));
  SetMsgFilterHook(FALSE);
  s.bSysMenu = FALSE;
  if (cmd && ::IsWindow(child->m_hWnd)) child->PostMessage(WM_SYSCOMMAND, cmd, 0);
}

void SECMenuBarMessages::TrackButtonMenu(int nIndex, UINT nMenuID, int nPos) {
  SECMenuBarTrackState& s = g_secMenuBarTrack;
  SECMenuBar* bar = m_pMenuBar;
  HWND frame = FrameHandle();
  if (!bar || !bar->m_hWnd || !frame) return;
  m_bCancelled = FALSE;
  for (;;) {
    CRect r;
    bar->GetItemRect(nIndex, &r);
    bar->ClientToScreen(&r);
    s.pActive = this;
    s.hWndBarOpen = bar->m_hWnd;
    s.queued = {};
    if (nPos == kSECMenuBarSysMenuPos) {
      TrackSystemMenu(r);
    } else {
      HMENU popup = reinterpret_cast<HMENU>(::SendMessage(frame, WM_SECGETMENU, nMenuID, nPos));
      if (!popup) break;
      m_hMenuOpen = popup;
      if (!::GetCursorPos(&s.ptLastMouse)) s.ptLastMouse = {-1, -1};
      m_hMenuSelected = nullptr;
      m_bSelectedPopup = FALSE;
      SetMsgFilterHook(TRUE);
      TPMPARAMS tpm{sizeof(TPMPARAMS), r};
      ::TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, r.left, r.bottom, frame, &tpm);
      SetMsgFilterHook(FALSE);
      m_hMenuOpen = nullptr;
    }
    // A queued request runs in this loop once the popup has returned.
    const SECMenuBarRequest next = std::exchange(s.queued, {});
    int index = -1;
    if (next.kind == SECMenuBarQueued::kMove) {
      index = bar->GetNextMenuButton(next.nValue > 0);
      if (index < 0) index = next.nValue > 0 ? bar->GetFirstMenuButton() : bar->GetLastMenuButton();
    } else if (next.kind == SECMenuBarQueued::kOpen) {
      // The pointer may have moved on while the popup closed: the button under it now.
      index = next.nValue;
      POINT cursor;
      if (::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == bar->m_hWnd) {
        bar->ScreenToClient(&cursor);
        const int hit = bar->HitTestButton(cursor.x, cursor.y);
        if (hit >= 0 && SECMenuBarIsMenuButton(bar->GetBtn(hit))) index = hit;
      }
    }
    bar->DropDownClosed();
    if (index < 0 || m_bCancelled || !bar->m_hWnd || !SECMenuBarIsMenuButton(bar->GetBtn(index))) break;
    auto* btn = static_cast<SECTBMenuBtn*>(bar->GetBtn(index));
    m_bKeyboardOpen = next.kind == SECMenuBarQueued::kMove;
    btn->m_nStyle |= TBBS_PRESSED;
    bar->m_nDropBtn = index;
    bar->InvalidateButton(index);
    bar->UpdateWindow();
    nIndex = index;
    nMenuID = btn->m_dwValue1;
    nPos = static_cast<int>(btn->m_dwValue2);
  }
  s.hWndBarOpen = nullptr;
  m_bKeyboardOpen = FALSE;
  if (!bar->IsInMenuMode()) StopTracking();
}

// ---- Frame messages ----

BOOL SECMenuBarMessages::PreTranslateMessage(MSG* pMsg) {
  if (!m_pMenuBar || !m_pMenuBar->m_hWnd || !m_pMenuBar->IsWindowVisible()) return FALSE;
  const UINT msg = pMsg->message;
  if (msg == WM_SYSKEYDOWN && pMsg->wParam == VK_MENU) {
    // Repeats of a held Alt keep it alone.
    if (!(pMsg->lParam & (LPARAM{1} << 30))) m_bAltAlone = TRUE;
    return FALSE;
  }
  if (msg == WM_SYSKEYUP && pMsg->wParam == VK_MENU) {
    const BOOL alone = std::exchange(m_bAltAlone, FALSE);
    if (!alone) return FALSE;
    if (m_pMenuBar->IsInMenuMode())
      m_pMenuBar->ExitMenuMode();
    else
      m_pMenuBar->EnterMenuMode(m_pMenuBar->GetFirstDropButton());
    return TRUE;
  }
  int key = -1;
  if (msg == WM_SYSKEYDOWN) {
    m_bAltAlone = FALSE;
    key = static_cast<int>(pMsg->wParam);
  } else if (msg == WM_SYSCOMMAND && (pMsg->wParam & 0xFFF0) == SC_KEYMENU && pMsg->lParam) {
    key = static_cast<int>(pMsg->lParam);
  }
  if (key < 0) return FALSE;
  if (key == VK_SPACE || key == '-' || key == VK_SUBTRACT) {
    if (!MaximisedChild()) return FALSE;
    if (m_pMenuBar->IsInMenuMode()) m_pMenuBar->ExitMenuMode();
    m_nPendingDir = 0;
    m_nPendingIndex = -1;
    m_bKeyboardOpen = TRUE;
    CRect r(0, 0, 0, 0);
    TrackSystemMenu(r);
    return TRUE;
  }
  const int index = m_pMenuBar->FindMnemonic(mirt::ToLower1252(static_cast<unsigned char>(key)));
  if (index < 0) return FALSE;
  if (m_pMenuBar->IsInMenuMode()) m_pMenuBar->ExitMenuMode();
  OpenFromKeyboard(index);
  return TRUE;
}

BOOL SECMenuBarMessages::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) {
  const auto* note = reinterpret_cast<const SECBtnNotify*>(lParam);
  if (!note || !m_pMenuBar || note->hdr.hwndFrom != m_pMenuBar->m_hWnd) return FALSE;
  if (pResult) *pResult = 0;
  switch (static_cast<int>(note->hdr.code)) {
    case SEC_TBN_MENUDROPDOWN:
      TrackButtonMenu(note->nIndex, note->dwValue1, static_cast<int>(note->dwValue2));
      return TRUE;
    case SEC_TBN_MENUCLOSE:
      if (g_secMenuBarTrack.hWndBarOpen) ::EndMenu();
      return TRUE;
    case SEC_TBN_MENUMODEON:
      m_bCancelled = FALSE;
      SetKeyboardMouseHooks(TRUE);
      return TRUE;
    case SEC_TBN_MENUMODEOFF:
      SetKeyboardMouseHooks(FALSE);
      if (!g_secMenuBarTrack.hWndBarOpen && g_secMenuBarTrack.pActive == this)
        g_secMenuBarTrack.pActive = nullptr;
      return TRUE;
    default:
      return FALSE;
  }
}

void SECMenuBarMessages::OnCancelMode() { m_bCancelled = TRUE; }

BOOL SECMenuBarMessages::OnSysCommand(UINT nID, LPARAM lParam) {
  if ((nID & 0xFFF0) == kSECMenuBarSysMenuClick) {
    CRect r(0, 0, 0, 0);
    TrackSystemMenu(r);
    return TRUE;
  }
  if ((nID & 0xFFF0) == SC_KEYMENU) {
    MSG msg{};
    msg.hwnd = FrameHandle();
    msg.message = WM_SYSCOMMAND;
    msg.wParam = nID;
    msg.lParam = lParam;
    return PreTranslateMessage(&msg);
  }
  return FALSE;
}

void SECMenuBarMessages::OnNcActivate(BOOL bActive) {
  if (bActive || !IsTracking()) return;
  Cancel();
}

BOOL SECMenuBarMessages::ActivateMenu(UINT nID) {
  if (!m_pMenuBar || !m_pMenuBar->SelectMenu(nID)) return FALSE;
  CWnd* frame = CWnd::FromHandlePermanent(FrameHandle());
  if (auto* f = dynamic_cast<CFrameWnd*>(frame)) f->RecalcLayout(TRUE);
  if (m_pMenuBar->m_hWnd) m_pMenuBar->Invalidate();
  return TRUE;
}
