// The Directories page: include, library and unit folders (";"-separated)
// and the include switches it makes of them.
#pragma once

#include "platform/ui/afxdlg.h"
#include "plugins/common/plugin_tables.h"

class CDirectoryDialog : public CPropertyPage {
 public:
  enum { IDD = 134 };
  CDirectoryDialog(PascalFields pascal, const char* includePrefix);

  CString m_includes, m_libraries, m_units;

  // One include switch per folder, each followed by a blank.
  CString BuildIncludeOptions() const;
  // Whether a word of an option string is one of the include switches.
  bool OwnsSwitch(const CString& word) const;

  void DoDataExchange(CDataExchange* pDX) override;

 protected:
  void OnDestroy();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  PascalFields m_pascal;
  CString m_prefix;
};
