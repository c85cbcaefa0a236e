#include "ytn1/trace_error_dialog.h"

namespace ytn1 {

namespace {
constexpr UINT kTraceTemplate = 130;
}

BEGIN_MESSAGE_MAP(CTraceErrorDialog, CDialog)
ON_WM_CLOSE()
END_MESSAGE_MAP()

CTraceErrorDialog::CTraceErrorDialog() : CDialog(kTraceTemplate) {}

void CTraceErrorDialog::Open() {
  auto* dialog = new CTraceErrorDialog;
  if (!dialog->Create(kTraceTemplate, nullptr)) delete dialog;
}

BOOL CTraceErrorDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  TraceList::Instance().Open(this);
  return TRUE;
}

void CTraceErrorDialog::OnTraceLine(const std::string& line) {
  SendDlgItemMessage(kTraceLines, LB_ADDSTRING, 0, LPARAM(line.c_str()));
}

// OK and "Abbrechen" end the window like its close box: a hidden window
// would keep collecting lines nobody sees.
void CTraceErrorDialog::OnOK() { DestroyWindow(); }
void CTraceErrorDialog::OnCancel() { DestroyWindow(); }
void CTraceErrorDialog::OnClose() { DestroyWindow(); }

void CTraceErrorDialog::PostNcDestroy() {
  if (TraceList::Instance().IsShownBy(this)) TraceList::Instance().Close();
  delete this;
}

}  // namespace ytn1
