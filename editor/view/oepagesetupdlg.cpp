#include "editor/view/oepagesetupdlg.h"

#include "editor/pagelayout.h"
#include "platform/sys/profile.h"

IMPLEMENT_DYNAMIC(OEPageSetupDlg, CDialog)

namespace {
constexpr const char* kSection = "PageSetup";
constexpr int kFooterEdit = 107;
constexpr int kHeaderEdit = 104;
constexpr int kFooterTimeFirst = 111;
constexpr int kHeaderTimeFirst = 109;
}  // namespace

OEPageSetupDlg::OEPageSetupDlg() : CDialog(IDD, nullptr) {}

void OEPageSetupDlg::LoadSettings() {
  auto& profile = plat::Profile::App();
  m_strHeader = profile.GetProfileString(kSection, "Header", "&f %c");
  m_strFooter = profile.GetProfileString(kSection, "Footer", "Page: &p");
  m_nHeaderTime = static_cast<int>(profile.GetProfileInt(kSection, "HeaderTime", PAGE_FILE_TIME));
  m_nFooterTime = static_cast<int>(profile.GetProfileInt(kSection, "FooterTime", PAGE_FILE_TIME));
}

void OEPageSetupDlg::SaveSettings() {
  auto& profile = plat::Profile::App();
  profile.WriteProfileString(kSection, "Header", m_strHeader);
  profile.WriteProfileString(kSection, "Footer", m_strFooter);
  profile.WriteProfileInt(kSection, "HeaderTime", m_nHeaderTime);
  profile.WriteProfileInt(kSection, "FooterTime", m_nFooterTime);
}

void OEPageSetupDlg::FormatHeader(CString& out, std::time_t time, const char* fileName, int page) {
  out = FormatPageText(m_strHeader, fileName, page, time);
}

void OEPageSetupDlg::FormatFooter(CString& out, std::time_t time, const char* fileName, int page) {
  out = FormatPageText(m_strFooter, fileName, page, time);
}

void OEPageSetupDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, kFooterEdit, m_strFooter);
  DDX_Text(pDX, kHeaderEdit, m_strHeader);
  DDX_Radio(pDX, kFooterTimeFirst, m_nFooterTime);
  DDX_Radio(pDX, kHeaderTimeFirst, m_nHeaderTime);
}
