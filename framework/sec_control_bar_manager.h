// SECControlBarManager: the neutral base of a frame's bar manager. It names
// each bar's type for the saved layout, makes the extension record of a
// bar's saved entry and re-creates bars a saved layout needs.
#pragma once

#include "platform/afx/afx.h"

class SECControlBarInfo;
class SECControlBarInfoEx;
class SECPersistentTreeNode;
class SECPTNFactory;

class SECControlBarManager : public CObject {
  DECLARE_DYNAMIC(SECControlBarManager)
 public:
  explicit SECControlBarManager(CFrameWnd* pFrame = nullptr) : m_pFrameWnd(pFrame) {}
  ~SECControlBarManager() override = default;

  virtual CFrameWnd* GetFrame() const { return m_pFrameWnd; }
  virtual BOOL LoadStateFromTree(SECPersistentTreeNode* pNode) { return pNode != nullptr; }
  virtual void LoadStateFromProfile(LPCSTR lpszProfileName) {}
  virtual BOOL SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pNode) {
    return pNode != nullptr;
  }
  virtual void SaveStateToProfile(LPCSTR lpszProfileName) {}
  virtual UINT GetBarTypeID(CControlBar* pBar) { return 0; }
  virtual SECControlBarInfoEx* CreateControlBarInfoEx(SECControlBarInfo* pInfo) { return nullptr; }
  virtual CControlBar* CreateControlBar(SECControlBarInfo* pInfo) { return nullptr; }

 protected:
  CFrameWnd* m_pFrameWnd;
};
