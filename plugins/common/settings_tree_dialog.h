// The "Project Settings" dialog: a tree of pages on the left, the chosen
// page on the right, OK, Cancel and "Set As Default". It owns every page
// and moves the record's values into the pages and back.
#pragma once

#include <memory>
#include <vector>

#include "platform/ui/afxcmn.h"
#include "platform/ui/afxdlg.h"
#include "plugins/common/connection_dialog.h"
#include "plugins/common/directory_dialog.h"
#include "plugins/common/general_dialog.h"
#include "plugins/common/option_page.h"
#include "plugins/common/plugin_tables.h"
#include "plugins/common/project_settings_data.h"
#include "plugins/common/tool_dialog.h"

enum class BoardPages : uint8_t { kShown, kLeftOut };

class CSettingsTreeDialog : public CDialog {
 public:
  enum { IDD = 129 };
  CSettingsTreeDialog(const PluginTables& table, BoardPages boardPages, CWnd* parent);
  ~CSettingsTreeDialog() override;

  // Sets every page from the record (null texts are skipped).
  void LoadSettings(const ProjectSettingsData& data);
  // Writes every page into the record.
  void WriteSettings(ProjectSettingsData* data);
  void SetDefaultsRecord(ProjectSettingsData* defaults) { m_defaults = defaults; }
  bool DefaultsWereSet() const { return m_setAsDefault != 0; }

  // The page objects in tree order (null for left-out board pages).
  CPropertyPage* Page(size_t index) const { return m_pages[index]; }
  size_t PageCount() const { return m_pages.size(); }
  COptionPage* OptionPage(int templateId) const;
  CGeneralDialog* General() const { return m_general.get(); }
  CConnectionDialog* Connection() const { return m_connection.get(); }
  CToolDialog& Tools() { return m_tools; }
  CDirectoryDialog& Directories() { return m_directories; }
  CTreeCtrl& Tree() { return m_tree; }

  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 protected:
  void OnSetAsDefault();
  void OnSelChangingTree(NMHDR* pNMHDR, LRESULT* pResult);
  void OnSelChangedTree(NMHDR* pNMHDR, LRESULT* pResult);
  void OnItemExpandedTree(NMHDR* pNMHDR, LRESULT* pResult);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  void BuildTree();
  void CreatePages();
  void ShowItemPage(HTREEITEM item, int show);
  void SelectPage(size_t index);
  CString ComposeFlags(const FlagsRecipe& recipe, OptionString which);
  CString WithoutIncludeSwitches(OptionString which, const char* options) const;
  void KeepUnknownSwitches(OptionString which, const CString& options);
  bool SomePageOwns(OptionString which, const CString& word) const;
  const FlagsRecipe& RecipeOf(OptionString which) const;

  const PluginTables& m_tables;
  BoardPages m_boardPages;
  CTreeCtrl m_tree;
  int m_initialized = 0;
  std::unique_ptr<CImageList> m_images;
  ProjectSettingsData* m_defaults = nullptr;
  int m_setAsDefault = 0;

  std::unique_ptr<CGeneralDialog> m_general;
  std::unique_ptr<CConnectionDialog> m_connection;
  CToolDialog m_tools;
  CDirectoryDialog m_directories;
  std::vector<std::unique_ptr<COptionPage>> m_options;
  std::vector<CPropertyPage*> m_pages;
  std::vector<HTREEITEM> m_items;
  // Switches of the stored strings that no page knows, kept in their order.
  CString m_unknown[4];
};
