#include "framework/sec_tool_bars_dlg_base.h"

#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_new_tool_bar.h"
#include "framework/sec_res.h"
#include "framework/sec_tool_bar_manager.h"
#include "framework/sec_tool_bars_dlg_res.h"
#include "platform/ui/ui.h"

namespace {
// A new bar floats this far right of and below the top dock bar's corner.
constexpr int kSECNewBarOffset = 5;

BOOL SECToolBarsIsUserBar(UINT id) { return id >= SEC_IDW_FIRST_USER_TOOLBAR && id != SEC_IDW_MENUBAR; }
}  // namespace

SECToolBarsBase::SECToolBarsBase(SECToolBarManager* pManager) : m_pManager(pManager) {
  m_bToolTips = m_bSavedToolTips = pManager->IsToolTips();
  m_bCoolLook = m_bSavedCoolLook = pManager->IsCoolLook();
  m_bLargeButtons = m_bSavedLargeButtons = pManager->IsLargeButtons();
}

void SECToolBarsBase::InitBase(CWnd* pOwner) {
  m_pOwner = pOwner;
  m_list.SubclassDlgItem(IDC_SEC_TOOLBAR_LIST, pOwner);
}

void SECToolBarsBase::ExchangeChecks(CDataExchange* pDX) {
  DDX_Check(pDX, IDC_SEC_TOOLTIPS, m_bToolTips);
  DDX_Check(pDX, IDC_SEC_COOLLOOK, m_bCoolLook);
  DDX_Check(pDX, IDC_SEC_LARGEBUTTONS, m_bLargeButtons);
}

void SECToolBarsBase::ApplyChecks() {
  m_pManager->SetToolTips(m_bToolTips);
  m_pManager->SetCoolLook(m_bCoolLook, SEC_COOLLOOK_BITS);
  m_pManager->SetLargeButtons(m_bLargeButtons);
}

void SECToolBarsBase::ApplySaved() {
  m_pManager->SetToolTips(m_bSavedToolTips);
  m_pManager->SetCoolLook(m_bSavedCoolLook, SEC_COOLLOOK_BITS);
  m_pManager->SetLargeButtons(m_bSavedLargeButtons);
}

void SECToolBarsBase::FillList() {
  m_list.ResetContent();
  for (SECCustomToolBar* bar : m_pManager->GetToolBars()) {
    CString title;
    bar->GetWindowText(title);
    const int item = m_list.AddString(title);
    m_list.SetItemData(item, bar->GetDlgCtrlID());
    m_list.SetCheck(item, bar->IsWindowVisible() ? 1 : 0);
  }
  m_list.SetCurSel(0);
  UpdateNameField();
}

SECCustomToolBar* SECToolBarsBase::GetSelectedBar() const {
  const int sel = m_list.GetCurSel();
  return sel < 0 ? nullptr : m_pManager->FindToolBar(static_cast<UINT>(m_list.GetItemData(sel)));
}

void SECToolBarsBase::UpdateNameField() {
  CWnd* edit = m_pOwner->GetDlgItem(IDC_SEC_TOOLBAR_NAME);
  CWnd* label = m_pOwner->GetDlgItem(IDC_SEC_TOOLBAR_NAME_LABEL);
  CWnd* reset = m_pOwner->GetDlgItem(IDC_SEC_TOOLBAR_RESET);
  if (!edit) return;
  edit->SetWindowText("");
  SECCustomToolBar* bar = GetSelectedBar();
  BOOL user = FALSE;
  if (bar) {
    CString title;
    bar->GetWindowText(title);
    edit->SetWindowText(title);
    user = SECToolBarsIsUserBar(bar->GetDlgCtrlID());
  }
  edit->EnableWindow(user);
  if (label) label->EnableWindow(user);
  if (reset) reset->SetWindowText(SECLoadString(user ? IDS_SEC_TOOLBAR_DELETE : IDS_SEC_TOOLBAR_RESET));
  edit->SendMessage(EM_SETMODIFY, FALSE);
}

void SECToolBarsBase::ShowSelectedBar() {
  const int sel = m_list.GetCurSel();
  SECCustomToolBar* bar = GetSelectedBar();
  CFrameWnd* frame = m_pManager->GetFrame();
  if (!bar || !frame) return;
  if (bar->GetDlgCtrlID() == SEC_IDW_MENUBAR) {
    m_list.SetCheck(sel, 1);  // the menu bar always shows
    return;
  }
  frame->ShowControlBar(bar, m_list.GetCheck(sel) != 0, FALSE);
  frame->RecalcLayout();
}

void SECToolBarsBase::RenameSelectedBar() {
  CWnd* edit = m_pOwner->GetDlgItem(IDC_SEC_TOOLBAR_NAME);
  SECCustomToolBar* bar = GetSelectedBar();
  if (!edit || !bar || !edit->IsWindowEnabled() || !edit->SendMessage(EM_GETMODIFY)) return;
  CString text;
  edit->GetWindowText(text);
  if (text.GetLength() > kSECToolBarNameMax) {
    text = text.Left(kSECToolBarNameMax);
    edit->SetWindowText(text);
  }
  bar->SetWindowText(text);
  if (bar->IsFloating()) {
    if (CFrameWnd* floating = bar->GetParentFrame()) floating->SetWindowText(text);
    if (CFrameWnd* docking = bar->GetDockingFrame(); docking && docking != m_pManager->GetFrame())
      docking->SetWindowText(text);
  }
  edit->SendMessage(EM_SETMODIFY, FALSE);
  const int sel = m_list.GetCurSel();
  const int check = m_list.GetCheck(sel);
  const DWORD_PTR data = m_list.GetItemData(sel);
  m_list.DeleteString(sel);
  m_list.InsertString(sel, text);
  m_list.SetCheck(sel, check);
  m_list.SetItemData(sel, data);
  m_list.SetCurSel(sel);
}

BOOL SECToolBarsBase::NewToolBar() {
  m_pManager->EnableOtherWindows();
  SECNewToolBar dlg(m_pOwner);
  const INT_PTR result = dlg.DoModal();
  m_pManager->DisableOtherWindows();
  if (result != IDOK) return FALSE;
  SECCustomToolBar* bar = m_pManager->CreateNewToolBar(dlg.m_strName);
  CFrameWnd* frame = m_pManager->GetFrame();
  if (!bar || !frame) return bar != nullptr;
  CRect anchor;
  if (CWnd* top = frame->GetDlgItem(AFX_IDW_DOCKBAR_TOP)) {
    top->GetWindowRect(&anchor);
  } else {
    frame->GetClientRect(&anchor);
    frame->ClientToScreen(&anchor);
    anchor.bottom = anchor.top;
  }
  frame->FloatControlBar(bar, CPoint(anchor.left + kSECNewBarOffset, anchor.bottom + kSECNewBarOffset),
                         CBRS_ALIGN_TOP);
  return TRUE;
}

void SECToolBarsBase::ResetOrDeleteSelectedBar() {
  SECCustomToolBar* bar = GetSelectedBar();
  if (!bar) return;
  const UINT id = bar->GetDlgCtrlID();
  if (id < SEC_IDW_FIRST_USER_TOOLBAR) {
    int count = 0;
    const UINT* ids = nullptr;
    if (!m_pManager->FindDefaultToolBar(id, count, ids)) return;
    bar->SetButtons(ids, count);
    if (CFrameWnd* frame = bar->GetParentFrame()) frame->RecalcLayout();
    bar->Invalidate();
    return;
  }
  if (id == SEC_IDW_MENUBAR) return;  // the menu bar resets itself
  bar->DestroyWindow();
}

void SECToolBarsBase::OnBarNotify(UINT nBarID, int nEvent) {
  int item = -1;
  for (int i = 0; i < m_list.GetCount(); ++i)
    if (m_list.GetItemData(i) == nBarID) item = i;
  switch (nEvent) {
    case SECTBEventShown:
    case SECTBEventHidden:
      if (item >= 0) m_list.SetCheck(item, nEvent == SECTBEventShown ? 1 : 0);
      break;
    case SECTBEventCreated: {
      SECCustomToolBar* bar = m_pManager->FindToolBar(nBarID);
      if (!bar || item >= 0) break;
      int at = 0;
      while (at < m_list.GetCount() && m_list.GetItemData(at) <= nBarID) ++at;
      CString title;
      bar->GetWindowText(title);
      at = m_list.InsertString(at, title);
      m_list.SetItemData(at, nBarID);
      m_list.SetCheck(at, 1);
      break;
    }
    case SECTBEventDestroyed: {
      if (item < 0) break;
      const BOOL selected = m_list.GetCurSel() == item;
      m_list.DeleteString(item);
      if (selected && m_list.GetCount() > 0) {
        m_list.SetCurSel(std::min(item, m_list.GetCount() - 1));
        UpdateNameField();
      }
      break;
    }
    default:
      break;
  }
}
