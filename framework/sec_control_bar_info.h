// SECControlBarInfo: the saved state of one bar with the framework's keys;
// SECControlBarInfoEx: the base of an extension record a bar type attaches.
// Each reads and writes the profile form, the setting-tree form and the
// archive form (with the dock state).
#pragma once

#include "platform/afx/afx.h"

class SECControlBarManager;
class SECDockState;
class SECPersistentTreeNode;
class SECPTNFactory;

class SECControlBarInfoEx : public CObject {
  DECLARE_DYNCREATE(SECControlBarInfoEx)
 public:
  SECControlBarInfoEx() = default;
  ~SECControlBarInfoEx() override = default;
  virtual void Serialize(CArchive& ar, SECDockState* pDockState) {}
  virtual BOOL LoadStateFromTree(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
  virtual BOOL LoadStateFromProfile(LPCSTR lpszSection, SECDockState* pDockState) { return FALSE; }
  virtual BOOL SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode) {
    return pNode != nullptr;
  }
  virtual BOOL SaveStateToProfile(LPCSTR lpszSection) { return FALSE; }
};

class SECControlBarInfo : public CControlBarInfo {
 public:
  explicit SECControlBarInfo(SECControlBarManager* pManager = nullptr) : m_pManager(pManager) {}
  ~SECControlBarInfo() override { delete m_pBarInfoEx; }
  SECControlBarInfo(const SECControlBarInfo&) = delete;
  SECControlBarInfo& operator=(const SECControlBarInfo&) = delete;

  virtual BOOL LoadStateFromTree(SECPersistentTreeNode* pNode, SECDockState* pDockState);
  virtual BOOL LoadStateFromProfile(LPCSTR lpszProfileName, int nIndex, SECDockState* pDockState);
  virtual BOOL SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pParent, int nIndex);
  virtual BOOL SaveStateToProfile(LPCSTR lpszProfileName, int nIndex);
  virtual BOOL LoadBaseKeysFromTree(SECPersistentTreeNode* pNode, SECDockState* pDockState);
  virtual BOOL LoadExtKeysFromTree(SECPersistentTreeNode* pNode);
  virtual BOOL SaveBaseKeysToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode);
  virtual BOOL SaveExtKeysToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode);
  // The archive form of one record (the dock state's Serialize calls it).
  void Serialize(CArchive& ar, SECDockState* pDockState);
  // A dock bar with nothing of its own to say is not saved.
  BOOL IsWorthSaving() const;

  CSize m_szMRUHorzDock{0, 0};
  CSize m_szUnused{0, 0};
  CSize m_szMRUVertDock{0, 0};
  CSize m_szMRUFloat{0, 0};
  DWORD m_dwMRUDockingState = 0;
  DWORD m_dwDockStyle = 0;
  double m_dblPctWidth = 0.0;
  DWORD m_dwStyle = 0;
  DWORD m_dwExStyle = 0;
  BOOL m_bPrevFloating = FALSE;
  BOOL m_bMDIChild = FALSE;
  WINDOWPLACEMENT m_wpMDIChild{};
  CString m_strClassName;
  CString m_strWindowName;
  UINT m_nResourceID = 0;                       // the dialog template of a dialog bar
  SECControlBarInfoEx* m_pBarInfoEx = nullptr;  // owned
  UINT m_nTypeID = 0;
  SECControlBarManager* m_pManager = nullptr;

 private:
  // The manager's extension record for the loaded type, before it reads its keys.
  void MakeBarInfoEx();
};

// The largest number of bar records and bar ids a saved layout may hold;
// larger counts are damaged and read as this many.
constexpr int kSECMaxSavedBars = 1024;
