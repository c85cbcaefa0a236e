#include "debugger/ui/go_to_dialog.h"

#include "app/core/number_text.h"
#include "debugger/ui/help_request.h"

CString g_goToEntry;
CString g_goToLabel = "Memory Address";

BEGIN_MESSAGE_MAP(CGoToDialog, CDialog)
ON_COMMAND(CGoToDialog::kGoTo, OnGoTo)
ON_COMMAND(IDCLOSE, OnClose)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

namespace {

// Help ids of the dialog's controls: control id, help id; a zero pair ends
// the table.
const DWORD kGoToHelpIds[] = {
    CGoToDialog::kEntry, CGoToDialog::kEntry, CGoToDialog::kGoTo, CGoToDialog::kGoTo, 0, 0};
constexpr auto kGoToHelpTopic = "zeduvodo.chm::/gotohelp.txt";

}  // namespace

CGoToDialog::CGoToDialog(CGoToTarget* target, CView* view, CWnd* parent)
    : CDialog(kTemplate, parent), m_target(target), m_view(view) {}

BOOL CGoToDialog::OnInitDialog() {
  m_edit.SubclassDlgItem(kEntry, this);
  CDialog::OnInitDialog();
  return TRUE;
}

void CGoToDialog::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, kEntry, g_goToEntry);
  DDX_Text(pDX, kLabel, g_goToLabel);
}

void CGoToDialog::OnGoTo() {
  UpdateData(TRUE);
  DWORD number = ParseNumberText(g_goToEntry);
  if (m_target) m_target->GoToLineOrAddress(m_view, number);
}

void CGoToDialog::OnClose() { OnCancel(); }

BOOL CGoToDialog::OnHelpInfo(void* info) {
  if (ShowControlHelp(info, kGoToHelpTopic, kGoToHelpIds)) return TRUE;
  return CDialog::OnHelpInfo(info);
}
