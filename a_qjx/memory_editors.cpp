#include "a_qjx/memory_editors.h"

#include <string>

#include "a_qjx/memory_view.h"
#include "a_qjx/tool_ids.h"
#include "platform/afx/afxres.h"
#include "ytn1/address_conversion.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

constexpr int kSaveMemoryMaxLine = 65535;
constexpr const char* kMemoryBytesRefused =
    "Please enter 1 to 8 bytes as hex numbers of 1 or 2 digits, separated by blanks.";

}  // namespace

void ShowMemoryHelp() { ShowHelpFile("ytn32.chm", "ytn32_help_memory.htm", 0); }

BEGIN_MESSAGE_MAP(CMemoryEditorDialog, CDialog)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CMemoryEditorDialog::CMemoryEditorDialog(const CString& start, const CString& text, CWnd* parent)
    : CDialog(IDD_MEMORY_EDITOR, parent), byteText(text), startText(start) {}

void CMemoryEditorDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_MEMORY_BYTES, byteText);
  DDX_Text(dx, IDC_MEMORY_START, startText);
}

void CMemoryEditorDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  if (!ParseMemoryBytes(byteText, bytes, &byteCount)) {
    ytn1::ShowMessage(kMemoryBytesRefused, A_QJX_BOX_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    GotoDlgCtrl(GetDlgItem(IDC_MEMORY_BYTES));
    return;
  }
  EndDialog(IDOK);
}

void CMemoryEditorDialog::OnHelp() { ShowMemoryHelp(); }

BEGIN_MESSAGE_MAP(CSaveMemoryDialog, CDialog)
ON_CONTROL(BN_CLICKED, IDC_SAVE_BROWSE, OnBrowse)
ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CSaveMemoryDialog::CSaveMemoryDialog(CWnd* parent) : CDialog(IDD_SAVE_MEMORY, parent) {}

void CSaveMemoryDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_SAVE_FILE, fileName);
  DDX_Text(dx, IDC_SAVE_START, startText);
  DDX_Text(dx, IDC_SAVE_STOP, stopText);
  DDX_Text(dx, IDC_SAVE_LINE_SIZE, lineSize);
  DDV_MinMaxInt(dx, lineSize, 1, kSaveMemoryMaxLine);
  DDX_Check(dx, IDC_SAVE_ADDRESS, saveAddress);
}

void CSaveMemoryDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  request.start = ytn1::ReadHexText(startText);
  request.stop = ytn1::ReadHexText(stopText);
  if (request.stop < request.start) {
    ytn1::ShowMessage("Stop address must be larger than start address!", A_QJX_BOX_CAPTION, MB_OK);
    return;
  }
  request.lineSize = lineSize;
  request.addresses = saveAddress ? DumpAddresses::Write : DumpAddresses::Omit;
  EndDialog(IDOK);
}

void CSaveMemoryDialog::OnBrowse() {
  std::string path;
  if (ytn1::AskFileName(false, "*.*", "All files (*.*) |*.*||", &path))
    SetDlgItemText(IDC_SAVE_FILE, path.c_str());
}

void CSaveMemoryDialog::OnHelp() { ShowMemoryHelp(); }
