#include "plugins/common/project_settings.h"

#include <cstring>

#include "platform/afx/modulestate.h"
#include "plugins/common/settings_tree_dialog.h"

void CopySettingText(char* buffer, const char* text) {
  if (!buffer) return;
  if (!text) text = "";
  size_t n = std::strlen(text);
  if (n > kSettingsTextSize - 1) n = kSettingsTextSize - 1;
  std::memcpy(buffer, text, n);
  buffer[n] = '\0';
}

int RunProjectSettings(const PluginTables& table, ProjectSettingsData* current, int* defaultsSet,
                       ProjectSettingsData* defaults, int noBoardPages, HWND parent) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (defaultsSet) *defaultsSet = 0;
  if (!current) return 0;
  CSettingsTreeDialog dialog(table, noBoardPages ? BoardPages::kLeftOut : BoardPages::kShown,
                             CWnd::FromHandle(parent));
  dialog.LoadSettings(*current);
  dialog.SetDefaultsRecord(defaults);
  INT_PTR result = dialog.DoModal();
  dialog.WriteSettings(current);
  if (defaultsSet) *defaultsSet = dialog.DefaultsWereSet() ? 1 : 0;
  return result == IDOK ? 1 : 0;
}
