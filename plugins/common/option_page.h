// An option page: a child dialog whose members and switches come from an
// OptionPageTable. Its values live in the page object, so they can be set
// and read before the window exists and after it is gone.
#pragma once

#include "platform/ui/afxdlg.h"
#include "plugins/common/option_values.h"
#include "plugins/common/plugin_tables.h"

class COptionPage : public CPropertyPage {
 public:
  explicit COptionPage(const PageEntry& entry);

  void ParseOptions(const char* options);
  CString BuildOptions();
  // Whether a word of an option string is one of this page's switches.
  bool OwnsSwitch(const CString& word) const;

  const PageEntry& Entry() const { return m_entry; }
  OptionValues& Values() { return m_values; }

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;

 protected:
  void OnDestroy();
  void OnShowWindow(BOOL bShow, UINT nStatus);
  DECLARE_MESSAGE_MAP()

 private:
  void FillCombo(const OptionMember& member, const CString& text);

  const PageEntry& m_entry;
  OptionValues m_values;
};
