// The Borland-style toolchain's settings plug-in: its one export.
#include "plugins/common/project_settings.h"
#include "plugins/tbcopt/tbc_pages.h"

extern "C" int ProjectSettings(ProjectSettingsData* current, int* defaultsSet, ProjectSettingsData* defaults,
                               int noBoardPages, HWND parent) {
  return RunProjectSettings(TbcOptPlugin(), current, defaultsSet, defaults, noBoardPages, parent);
}
