// SECDockState: the saved arrangement of a frame's framework bars, in the
// profile, a persistent setting tree or an archive. Bars missing from the
// frame are created from their stored class name (only classes of framework
// bars); damaged layouts are read within fixed limits.
#pragma once

#include "framework/sec_control_bar_info.h"
#include "platform/afx/afx.h"

class SECDockState : public CDockState {
  DECLARE_DYNCREATE(SECDockState)
 public:
  explicit SECDockState(SECControlBarManager* pManager = nullptr) : m_pManager(pManager) {}
  ~SECDockState() override;

  void Serialize(CArchive& ar) override;
  virtual BOOL SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pParent);
  virtual void SaveStateToProfile(LPCSTR lpszProfileName);
  virtual BOOL LoadStateFromTree(SECPersistentTreeNode* pParent);
  virtual void LoadStateFromProfile(LPCSTR lpszProfileName);
  virtual BOOL GetState(CFrameWnd* pFrame);
  virtual BOOL SetState(CFrameWnd* pFrame);
  virtual SECControlBarInfo* CreateBarInfo(SECControlBarManager* pManager);
  virtual void CreateBars(CFrameWnd* pFrame, BOOL bMDI);
  virtual void RestoreBars();
  virtual void RestoreMDIChildPlacements(CFrameWnd* pFrame);
  virtual CControlBar* CreateControlBar(LPCSTR lpszClassName, CFrameWnd* pFrame, SECControlBarInfo* pInfo);
  virtual CRuntimeClass* FindRuntimeClass(LPCSTR lpszClassName);
  // Before saving: hidden-bar marks of other records and repeated ids become 0,
  // trailing zeros go, and a non-empty list ends with one 0.
  void CleanBarIDLists();
  void ClearRecords();

  SECControlBarInfo* Record(int i) const { return static_cast<SECControlBarInfo*>(m_arrBarInfo[i]); }
  int RecordCount() const { return static_cast<int>(m_arrBarInfo.GetSize()); }

  SECControlBarManager* m_pManager;
  CPtrList* m_pCreatedBars = nullptr;  // bars made on load, when set
};
