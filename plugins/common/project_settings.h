// The body of each plug-in's ProjectSettings export.
#pragma once

#include "plugins/common/plugin_spec.h"
#include "plugins/common/project_settings_data.h"

int RunProjectSettings(const PluginSpec& spec, ProjectSettingsData* current, int* defaultsSet,
                       ProjectSettingsData* defaults, int noBoardPages, HWND parent);
