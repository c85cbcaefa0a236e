#include "a_qjx/modeless_tool_dialog.h"

BEGIN_MESSAGE_MAP(CModelessToolDialog, CDialog)
ON_WM_CLOSE()
ON_CONTROL(BN_CLICKED, kToolExitButton, OnExit)
END_MESSAGE_MAP()

CModelessToolDialog::CModelessToolDialog(UINT templateId, ToolWindow tool, CBoardFamily& family)
    : CDialog(templateId), family_(family), templateId_(templateId), tool_(tool) {}

HWND CModelessToolDialog::Show(CModelessToolDialog* dialog, LPCSTR title) {
  if (!dialog->Create(dialog->templateId_, nullptr)) {
    delete dialog;
    return nullptr;
  }
  dialog->SetWindowText(title);
  return dialog->m_hWnd;
}

void CModelessToolDialog::OnOK() { DestroyWindow(); }
void CModelessToolDialog::OnCancel() { DestroyWindow(); }
void CModelessToolDialog::OnClose() { DestroyWindow(); }
void CModelessToolDialog::OnExit() { DestroyWindow(); }

void CModelessToolDialog::PostNcDestroy() {
  ToolWindowClosed(tool_);
  delete this;
}
