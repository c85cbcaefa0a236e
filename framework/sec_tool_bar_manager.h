// SECToolBarManager: manages a frame's custom tool bars and menu bar: one
// shared bitmap store and drawing resources, the global ToolTips, CoolLook
// and LargeButtons settings, default tool bars, user tool bars, customise
// mode and WM_BARNOTIFY to interested windows.
#pragma once

#include <memory>
#include <vector>

#include "framework/sec_btn_draw_data.h"
#include "framework/sec_control_bar_manager.h"
#include "framework/sec_custom_tool_bar.h"

class SECBmpMgr;
class SECMenuBar;

// Type ids of saved bars.
#define SEC_TYPEID_CUSTOMTOOLBAR 14946
#define SEC_TYPEID_MENUBAR 14947

// Styles of every tool bar the manager makes.
#define SEC_TOOLBAR_STYLE (WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_SIZE_DYNAMIC)
#define SEC_COOLLOOK_BITS 0x300L

// The registered message "WM_BARNOTIFY": wParam the bar id, lParam the event.
UINT SECGetBarNotifyMessage();

// One default tool bar.
struct SECDefaultToolBar {
  UINT nBarID = 0;
  CString strTitle;
  std::vector<UINT> buttons;
  DWORD dwAlignAllowed = CBRS_ALIGN_ANY;
  UINT nDockBarID = AFX_IDW_DOCKBAR_TOP;
  UINT nNeighborID = 0;
  BOOL bDocked = TRUE;
  BOOL bVisible = TRUE;
};

class SECToolBarManager : public SECControlBarManager {
  DECLARE_DYNAMIC(SECToolBarManager)
 public:
  SECToolBarManager();
  SECToolBarManager(CFrameWnd* pFrame, CWnd* pOwner = nullptr);
  ~SECToolBarManager() override;

  // SECControlBarManager.
  BOOL LoadStateFromTree(SECPersistentTreeNode* pNode) override;
  void LoadStateFromProfile(LPCSTR lpszProfileName) override;
  BOOL SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode) override;
  void SaveStateToProfile(LPCSTR lpszProfileName) override;
  UINT GetBarTypeID(CControlBar* pBar) override;
  SECControlBarInfoEx* CreateControlBarInfoEx(SECControlBarInfo* pInfo) override;
  CControlBar* CreateControlBar(SECControlBarInfo* pInfo) override;

  virtual SECCustomToolBar* FindToolBarAt(const CRect& rcScreen) const;
  virtual SECCustomToolBar* FindToolBar(UINT nBarID) const;
  virtual void CreateDefaultToolBars();
  virtual void ApplyButtonSize();
  virtual void AttachToolBars();

  void DefineDefaultToolBar(UINT nBarID, LPCSTR lpszTitle, int nCount, const UINT* lpIDs,
                            DWORD dwAlignAllowed = CBRS_ALIGN_ANY, UINT nDockBarID = AFX_IDW_DOCKBAR_TOP,
                            UINT nNeighborID = 0, BOOL bDocked = TRUE, BOOL bVisible = TRUE);
  // The same from a tool bar resource, whose images the store registers.
  BOOL DefineDefaultToolBar(UINT nBarID, LPCSTR lpszTitle, UINT nIDResource,
                            DWORD dwAlignAllowed = CBRS_ALIGN_ANY, UINT nDockBarID = AFX_IDW_DOCKBAR_TOP,
                            UINT nNeighborID = 0, BOOL bDocked = TRUE, BOOL bVisible = TRUE);
  BOOL FindDefaultToolBar(UINT nBarID, int& nCount, const UINT*& lpIDs) const;
  void SetMenuBarButtons(int nCount, const UINT* lpIDs);
  void GetMenuBarButtons(int& nCount, const UINT*& lpIDs) const;
  SECCustomToolBar* CreateNewToolBar(LPCSTR lpszName = nullptr);
  // Every custom tool bar of the frame, in the frame's bar order.
  std::vector<SECCustomToolBar*> GetToolBars() const;

  // Global settings.
  void SetToolTips(BOOL b);
  BOOL IsToolTips() const { return m_bToolTips; }
  void SetCoolLook(BOOL b, DWORD dwBits = SEC_COOLLOOK_BITS);
  BOOL IsCoolLook() const { return m_bCoolLook; }
  void SetLargeButtons(BOOL b);
  BOOL IsLargeButtons() const { return m_bLargeButtons; }
  void SetFlyBy(BOOL b) { m_bFlyBy = b; }

  // Customise mode.
  void SetCustomizeMode(BOOL b);
  BOOL IsCustomizeMode() const { return m_bCustomize; }
  void DisableOtherWindows();
  void EnableOtherWindows();
  void SetCustomizeDialog(CWnd* pWnd) { m_pCustomizeDlg = pWnd; }
  CWnd* GetCustomizeDialog() const { return m_pCustomizeDlg; }
  void GetCustomizeDialogRect(CRect& rect) const;
  // The bar that holds the customise selection (one in the whole manager).
  SECCustomToolBar* GetSelectedBar() const { return m_pSelectedBar; }
  void SetSelectedBar(SECCustomToolBar* pBar) { m_pSelectedBar = pBar; }

  // Notification of bar events.
  void AddNotifyWindow(CWnd* pWnd);
  void RemoveNotifyWindow(CWnd* pWnd);
  void Notify(UINT nBarID, int nEvent);
  // The screen rectangle of the button whose command is being posted (empty when none).
  void SetPressedButtonRect(const CRect& rect) { m_rcPressed = rect; }
  CRect GetPressedButtonRect() const { return m_rcPressed; }

  // Shared resources of the managed bars.
  SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
  SECBtnDrawData* GetDrawData();
  const SECBtnMapEntry* GetButtonMap() const { return m_pBtnMap; }
  const SECBtnMapEntry* GetButtonMap2() const { return m_pBtnMap2; }
  void SetButtonMaps(const SECBtnMapEntry* pMap, const SECBtnMapEntry* pMap2 = nullptr);
  void SetToolBarClass(CRuntimeClass* pClass) { m_pToolBarClass = pClass; }
  CWnd* GetOwnerWnd() const { return m_pOwner; }
  // Sets up a tool bar the manager makes; FALSE when its window fails.
  BOOL SetupToolBar(SECCustomToolBar* pBar, UINT nID, LPCSTR lpszTitle, DWORD dwAlign = CBRS_ALIGN_ANY);
  // The frame's menu bar set up as the manager's bar "Menu bar", or null
  // when the frame is not in menu-bar mode (or its bar exists already).
  SECMenuBar* SetupMenuBar(DWORD dwAlign);

 protected:
  SECMenuBar* CreateFrameMenuBar();
  void ApplySettings(BOOL bToolTips, BOOL bCoolLook, BOOL bLargeButtons);
  UINT NextUserBarID() const;

  std::vector<HWND> m_disabled;
  std::vector<std::unique_ptr<SECDefaultToolBar>> m_defaults;
  std::vector<CWnd*> m_notify;
  CWnd* m_pCustomizeDlg = nullptr;
  BOOL m_bWindowsDisabled = FALSE;
  BOOL m_bCustomize = FALSE;
  BOOL m_bToolTips = TRUE;
  BOOL m_bFlyBy = TRUE;
  BOOL m_bCoolLook = FALSE;
  BOOL m_bLargeButtons = FALSE;
  const SECBtnMapEntry* m_pBtnMap = nullptr;
  const SECBtnMapEntry* m_pBtnMap2 = nullptr;
  CRect m_rcPressed{0, 0, 0, 0};
  std::vector<UINT> m_menuBarButtons;
  SECBmpMgr* m_pBmpMgr = nullptr;
  std::unique_ptr<SECBtnDrawData> m_pDrawData;
  CWnd* m_pOwner = nullptr;
  CRuntimeClass* m_pToolBarClass = nullptr;
  SECCustomToolBar* m_pSelectedBar = nullptr;
};
