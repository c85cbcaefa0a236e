// SECToolBarsBase: the state and logic shared by the tool bar dialog and
// property page: the check list of the frame's tool bars, renaming, new,
// reset or delete, and the three global settings.
#pragma once

#include "platform/afx/afx.h"
#include "platform/ui/afxctrl.h"

class SECCustomToolBar;
class SECToolBarManager;

class SECToolBarsBase {
 public:
  explicit SECToolBarsBase(SECToolBarManager* pManager);
  virtual ~SECToolBarsBase() = default;

  // Attaches to the dialog or page window once it exists.
  void InitBase(CWnd* pOwner);
  void FillList();
  void UpdateNameField();
  void ShowSelectedBar();
  void RenameSelectedBar();
  // TRUE when a tool bar was made.
  BOOL NewToolBar();
  void ResetOrDeleteSelectedBar();
  void OnBarNotify(UINT nBarID, int nEvent);
  // The three check values given to the manager.
  void ApplyChecks();
  void ApplySaved();
  // The check values to and from the check boxes.
  void ExchangeChecks(CDataExchange* pDX);
  // The bar of the selected list item, or null.
  SECCustomToolBar* GetSelectedBar() const;

  int m_bToolTips = TRUE;
  int m_bCoolLook = FALSE;
  int m_bLargeButtons = FALSE;
  int m_bSavedToolTips = TRUE;
  int m_bSavedCoolLook = FALSE;
  int m_bSavedLargeButtons = FALSE;
  SECToolBarManager* m_pManager;
  CCheckListBox m_list;
  CWnd* m_pOwner = nullptr;
};
