// The About box (dialog 100).
#include "app/command_ids.h"
#include "app/mirt2_app.h"
#include "platform/ui/afxdlg.h"

namespace {

constexpr const char* kAboutProduct = "MIRT - Integrated development environment";
constexpr const char* kAboutVersion = "Version 2.0";
constexpr const char* kAboutMaker = "KALVEN";

class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_ABOUT_TEXT1, kAboutProduct);
    SetDlgItemText(IDC_ABOUT_VERSION, CString(kAboutVersion) + " " + __DATE__);
    SetDlgItemText(IDC_ABOUT_TEXT3, kAboutMaker);
    return TRUE;
  }
};

}  // namespace

void CMirt2App::OnAppAbout() {
  CAboutDlg dialog;
  dialog.DoModal();
}
