// The body of each plug-in's ProjectSettings export.
#pragma once

#include "plugins/common/plugin_tables.h"
#include "plugins/common/project_settings_data.h"

int RunProjectSettings(const PluginTables& table, ProjectSettingsData* current, int* defaultsSet,
                       ProjectSettingsData* defaults, int noBoardPages, HWND parent);
