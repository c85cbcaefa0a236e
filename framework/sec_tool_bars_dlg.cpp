#include "framework/sec_tool_bars_dlg.h"

#include "framework/sec_tool_bar_manager.h"
#include "framework/sec_tool_bars_dlg_res.h"
#include "platform/ui/ui.h"

namespace {
// Tells the floating frames of a frame's bars that the dialog (de)activated.
void SECToolBarsTellFloating(CFrameWnd* frame, WPARAM status) {
  for (POSITION pos = frame->m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CControlBar*>(frame->m_listControlBars.GetNext(pos));
    if (bar && bar->m_hWnd && bar->IsFloating())
      if (CFrameWnd* floating = bar->GetParentFrame()) floating->SendMessage(WM_FLOATSTATUS, status);
  }
}
}  // namespace

BEGIN_MESSAGE_MAP(SECToolBarsDlg, CDialog)
ON_CONTROL(LBN_SELCHANGE, IDC_SEC_TOOLBAR_LIST, OnSelChange)
ON_CONTROL(CCheckListBox::CLBN_CHKCHANGE, IDC_SEC_TOOLBAR_LIST, OnCheckChange)
ON_CONTROL(EN_KILLFOCUS, IDC_SEC_TOOLBAR_NAME, OnNameKillFocus)
ON_COMMAND(IDC_SEC_TOOLBAR_NEW, OnNew)
ON_COMMAND(IDC_SEC_TOOLBAR_RESET, OnReset)
ON_COMMAND(IDC_SEC_TOOLBAR_CUSTOMIZE, OnCustomize)
ON_COMMAND(IDC_SEC_TOOLTIPS, OnSettingClicked)
ON_COMMAND(IDC_SEC_COOLLOOK, OnSettingClicked)
ON_COMMAND(IDC_SEC_LARGEBUTTONS, OnSettingClicked)
END_MESSAGE_MAP()

SECToolBarsDlg::SECToolBarsDlg(CWnd* pParent, SECToolBarManager* pManager)
    : CDialog(IDD_SEC_TOOLBARS, pParent), SECToolBarsBase(pManager) {}

INT_PTR SECRunToolBarsDialog(SECToolBarManager* pManager) {
  SECToolBarsDlg dlg(pManager->GetFrame(), pManager);
  return dlg.DoModal();
}

BOOL SECToolBarsDlg::OnInitDialog() {
  InitBase(this);
  CDialog::OnInitDialog();
  CenterWindow();
  FillList();
  m_pManager->DisableOtherWindows();
  m_pManager->SetCustomizeMode(TRUE);
  m_pManager->SetCustomizeDialog(this);
  m_pManager->AddNotifyWindow(this);
  return TRUE;
}

void SECToolBarsDlg::DoDataExchange(CDataExchange* pDX) { ExchangeChecks(pDX); }

void SECToolBarsDlg::OnSettingClicked() {
  UpdateData(TRUE);
  ApplyChecks();
}

void SECToolBarsDlg::OnNew() {
  if (NewToolBar()) Finish(IDC_SEC_CUSTOMIZE_RESULT);
}

void SECToolBarsDlg::OnOK() {
  RenameSelectedBar();  // a name typed just before Close
  if (!UpdateData(TRUE)) return;
  Finish(IDOK);
}

void SECToolBarsDlg::OnCancel() { Finish(IDCANCEL); }

void SECToolBarsDlg::Finish(int nResult) {
  m_pManager->EnableOtherWindows();
  m_pManager->SetCustomizeMode(FALSE);
  m_pManager->RemoveNotifyWindow(this);
  m_pManager->SetCustomizeDialog(nullptr);
  if (nResult != IDCANCEL) ApplyChecks();
  EndDialog(nResult);
}

LRESULT SECToolBarsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SECGetBarNotifyMessage()) {
    OnBarNotify(static_cast<UINT>(wParam), static_cast<int>(lParam));
    return 0;
  }
  if (message == WM_FLOATSTATUS && (wParam & (FS_ACTIVATE | FS_DEACTIVATE))) {
    SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) ? 1 : 0);
    return 0;
  }
  const LRESULT result = CDialog::WindowProc(message, wParam, lParam);
  if (message == WM_ACTIVATE && m_pManager->GetFrame()) {
    CFrameWnd* top = m_pManager->GetFrame()->GetTopLevelFrame();
    if (top) SECToolBarsTellFloating(top, LOWORD(wParam) ? FS_ACTIVATE : FS_DEACTIVATE);
  }
  return result;
}
