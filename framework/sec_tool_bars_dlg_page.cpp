#include "framework/sec_tool_bars_dlg_page.h"

#include "framework/sec_tool_bar_manager.h"
#include "framework/sec_tool_bars_dlg_res.h"
#include "platform/ui/ui.h"

namespace {
constexpr WPARAM kSECStyleLargeButtons = 1;
constexpr WPARAM kSECStyleCoolLook = 2;
}  // namespace

UINT SECGetToolBarStyleChangingMessage() {
  static const UINT msg = ::RegisterWindowMessage("WM_TOOLBARSTYLECHANGING");
  return msg;
}

BEGIN_MESSAGE_MAP(SECToolBarsPage, CPropertyPage)
ON_CONTROL(LBN_SELCHANGE, IDC_SEC_TOOLBAR_LIST, OnSelChange)
ON_CONTROL(CCheckListBox::CLBN_CHKCHANGE, IDC_SEC_TOOLBAR_LIST, OnCheckChange)
ON_CONTROL(EN_KILLFOCUS, IDC_SEC_TOOLBAR_NAME, OnNameKillFocus)
ON_COMMAND(IDC_SEC_TOOLBAR_NEW, OnNew)
ON_COMMAND(IDC_SEC_TOOLBAR_RESET, OnResetBar)
ON_COMMAND(IDC_SEC_TOOLTIPS, OnToolTips)
ON_COMMAND(IDC_SEC_COOLLOOK, OnCoolLook)
ON_COMMAND(IDC_SEC_LARGEBUTTONS, OnLargeButtons)
END_MESSAGE_MAP()

SECToolBarsPage::SECToolBarsPage(SECToolBarManager* pManager)
    : CPropertyPage(IDD_SEC_TOOLBARS_PAGE), SECToolBarsBase(pManager) {}

SECToolBarsPage::~SECToolBarsPage() {
  m_pManager->RemoveNotifyWindow(this);
  m_pManager->SetCustomizeDialog(nullptr);
}

BOOL SECToolBarsPage::OnInitDialog() {
  InitBase(this);
  CPropertyPage::OnInitDialog();
  FillList();
  m_pManager->AddNotifyWindow(this);
  return TRUE;
}

void SECToolBarsPage::DoDataExchange(CDataExchange* pDX) { ExchangeChecks(pDX); }

BOOL SECToolBarsPage::OnSetActive() {
  m_pManager->SetCustomizeMode(TRUE);
  m_pManager->DisableOtherWindows();
  m_pManager->SetCustomizeDialog(GetParent());
  return CPropertyPage::OnSetActive();
}

BOOL SECToolBarsPage::OnKillActive() {
  m_pManager->SetCustomizeMode(FALSE);
  m_pManager->EnableOtherWindows();
  if (CWnd* sheet = GetParent()) sheet->EnableWindow(TRUE);
  return CPropertyPage::OnKillActive();
}

void SECToolBarsPage::OnOK() {
  CPropertyPage::OnOK();
  ApplyChecks();
}

void SECToolBarsPage::OnCancel() {
  CPropertyPage::OnCancel();
  ApplySaved();
}

void SECToolBarsPage::OnReset() {
  m_pManager->SetCustomizeMode(FALSE);
  m_pManager->EnableOtherWindows();
  m_pManager->SetCustomizeDialog(nullptr);
  CPropertyPage::OnReset();
}

BOOL SECToolBarsPage::IsChecked(UINT nID) const {
  CWnd* box = GetDlgItem(nID);
  return box && box->SendMessage(BM_GETCHECK) == BST_CHECKED;
}

void SECToolBarsPage::OnToolTips() {
  m_bToolTips = IsChecked(IDC_SEC_TOOLTIPS);
  m_pManager->SetToolTips(m_bToolTips);
}

void SECToolBarsPage::OnCoolLook() {
  m_bCoolLook = IsChecked(IDC_SEC_COOLLOOK);
  m_pManager->SetCoolLook(m_bCoolLook);
  Broadcast(kSECStyleCoolLook);
}

void SECToolBarsPage::OnLargeButtons() {
  m_bLargeButtons = IsChecked(IDC_SEC_LARGEBUTTONS);
  m_pManager->SetLargeButtons(m_bLargeButtons);
  Broadcast(kSECStyleLargeButtons);
}

void SECToolBarsPage::Broadcast(WPARAM nWhat) {
  CWnd* parent = GetParent();
  if (!parent) return;
  for (CWnd* page = parent->GetWindow(GW_CHILD); page; page = page->GetWindow(GW_HWNDNEXT))
    if (page != this && dynamic_cast<CPropertyPage*>(page))
      page->SendMessage(SECGetToolBarStyleChangingMessage(), nWhat, 0);
}

LRESULT SECToolBarsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SECGetBarNotifyMessage()) {
    OnBarNotify(static_cast<UINT>(wParam), static_cast<int>(lParam));
    return 0;
  }
  return CPropertyPage::WindowProc(message, wParam, lParam);
}
