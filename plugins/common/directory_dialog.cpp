#include "plugins/common/directory_dialog.h"

BEGIN_MESSAGE_MAP(CDirectoryDialog, CPropertyPage)
ON_WM_DESTROY()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CDirectoryDialog::CDirectoryDialog(PascalFields pascal, const char* includePrefix)
    : CPropertyPage(IDD), m_pascal(pascal), m_prefix(includePrefix) {}

CString CDirectoryDialog::BuildIncludeOptions() const {
  CString out;
  if (m_includes.IsEmpty()) return out;
  int start = 0;
  for (int semi = m_includes.Find(';'); semi >= 0; semi = m_includes.Find(';', start)) {
    out += m_prefix + m_includes.Mid(start, semi - start) + " ";
    start = semi + 1;
  }
  out += m_prefix + m_includes.Mid(start) + " ";
  return out;
}

bool CDirectoryDialog::OwnsSwitch(const CString& word) const {
  return word.Left(m_prefix.GetLength()) == m_prefix;
}

void CDirectoryDialog::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, 1000, m_includes);
  DDX_Text(pDX, 1001, m_libraries);
  if (m_pascal == PascalFields::kShown) DDX_Text(pDX, 1002, m_units);
}

void CDirectoryDialog::OnDestroy() {
  CPropertyPage::OnDestroy();
  UpdateData(TRUE);
}

void CDirectoryDialog::OnShowWindow(BOOL bShow, UINT nStatus) {
  CPropertyPage::OnShowWindow(bShow, nStatus);
  if (!bShow) UpdateData(TRUE);
}
