// SECMenuBarMessages: the keyboard and mouse behaviour of a menu bar. It
// opens the popups of the bar's buttons, moves between them with the arrow
// keys or by hovering while one is open, runs the bar's menu mode (Alt alone)
// and Alt+letter mnemonics, and shows a maximised MDI child's system menu.
// While a bar is in menu mode the thread's keyboard and mouse hooks watch the
// input; while a popup is open a message-filter hook watches the menu loop.
// Only one menu bar tracks at a time.
#pragma once

#include "platform/afx/afx.h"

class SECMenuBar;
class SECWndPlugIn;

// Posted to the frame to open the next menu once the current input is handled.
extern const UINT WM_SEC_MENUPROD;

class SECMenuBarMessages {
 public:
  SECMenuBarMessages() = default;
  SECMenuBarMessages(const SECMenuBarMessages&) = delete;
  SECMenuBarMessages& operator=(const SECMenuBarMessages&) = delete;
  virtual ~SECMenuBarMessages();

  // Posts a move to the next (or previous) menu button.
  virtual void MoveMenu(BOOL bNext);
  // Leaves menu mode and closes an open popup.
  virtual void Cancel();
  // Shows the buttons of a menu id on the bar, then lays the frame out.
  virtual BOOL ActivateMenu(UINT nID);
  // Leaves menu mode and opens the menu-mode button (or the system menu).
  virtual void DropDownCurrent();
  // Menu mode: hot-tracks the button under a screen point.
  virtual void OnHookMouseMove(POINT pt);
  // Alt was pressed while a popup was open.
  virtual void OnHookAlt();
  // The filter hook's mouse messages while a popup is open; TRUE takes one.
  virtual BOOL OnMenuMouse(MSG* pMsg);
  // The plug-in whose window (the frame) the tracker works for.
  virtual SECWndPlugIn* GetPlugIn() = 0;
  // Opens the popup of button `nIndex` (menu id and popup position; position
  // -1 is the MDI child's system menu) and the menus a move asks for after it.
  virtual void TrackButtonMenu(int nIndex, UINT nMenuID, int nPos);
  // Shows the MDI active child's system menu below a screen rectangle.
  virtual void TrackSystemMenu(const CRect& rcButton);
  virtual void SetMsgFilterHook(BOOL bSet);
  virtual void SetKeyboardMouseHooks(BOOL bSet);
  // The frame's PreTranslateMessage: Alt alone, Alt+letter; TRUE swallows.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual void OnCancelMode();
  virtual void OnMenuProd();
  // WM_NOTIFY from the bar: TRUE when the code was the bar's own.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual void OnInitMenuPopup();
  // TRUE when the system command was the tracker's.
  virtual BOOL OnSysCommand(UINT nID, LPARAM lParam);
  virtual void OnNcActivate(BOOL bActive);
  // WM_MENUSELECT while a popup is open: whether Left/Right belong to a sub-menu.
  void OnMenuSelect(UINT nFlags, HMENU hMenu);

  void SetMenuBar(SECMenuBar* pBar) { m_pMenuBar = pBar; }
  SECMenuBar* GetMenuBar() const { return m_pMenuBar; }
  BOOL IsTracking() const;
  // The keyboard hook's work (wParam the key, lParam with bit 31 for a release): TRUE swallows.
  BOOL OnHookKey(WPARAM wParam, LPARAM lParam);
  // The filter hook's key messages while a popup is open: TRUE takes one.
  BOOL OnMenuKey(MSG* pMsg);

 protected:
  // Opens button `nIndex` as the keyboard does (its first item highlighted).
  void OpenFromKeyboard(int nIndex);
  // The MDI active child when the frame is an MDI frame whose child is maximised.
  CMDIChildWnd* MaximisedChild() const;
  HWND FrameHandle();
  void StopTracking();

  SECMenuBar* m_pMenuBar = nullptr;
  BOOL m_bKeyboardOpen = FALSE;
  BOOL m_bCancelled = FALSE;
  // +1 / -1: move to the next / previous button; 0: open m_nPendingIndex.
  int m_nPendingDir = 0;
  int m_nPendingIndex = -1;
  BOOL m_bAltAlone = FALSE;
  // The open popup and whether its highlighted item opens a sub-menu.
  HMENU m_hMenuOpen = nullptr;
  HMENU m_hMenuSelected = nullptr;
  BOOL m_bSelectedPopup = FALSE;
};
