// The page setup dialog: header and footer texts and which time they
// show, kept in the profile section "PageSetup".
#pragma once

#include <ctime>

#include "platform/ui/afxdlg.h"

class OEPageSetupDlg : public CDialog {
  DECLARE_DYNAMIC(OEPageSetupDlg)
 public:
  enum { IDD = 22702 };
  OEPageSetupDlg();

  void LoadSettings();
  // Written only when the user confirmed a change (the page setup
  // command), so closing a view never undoes another view's change.
  void SaveSettings();
  void FormatHeader(CString& out, std::time_t time, const char* fileName, int page);
  void FormatFooter(CString& out, std::time_t time, const char* fileName, int page);

  void DoDataExchange(CDataExchange* pDX) override;

  CString m_strFooter;
  CString m_strHeader;
  int m_nFooterTime = -1;
  int m_nHeaderTime = -1;
};

// Time choices of header and footer.
enum PageTime { PAGE_FILE_TIME = 0, PAGE_SYSTEM_TIME = 1 };
