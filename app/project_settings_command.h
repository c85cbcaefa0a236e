// The Project Settings command: the environment's settings plug-in edits
// the project's values in its dialog; confirmed values go back into the
// project, which is saved, and values the user keeps as defaults go into
// the environment's project template.
#pragma once

#include <string>

#include "platform/base/windef.h"

class ProjectData;
class CProjectTree;

class CProjectSettingsCommand {
 public:
  // installDir: the folder of the environment's project template.
  CProjectSettingsCommand(ProjectData& project, std::string installDir)
      : m_project(project), m_installDir(std::move(installDir)) {}

  // noBoardPages: non-zero while a debug session runs. tree (may be null):
  // loses its installation-file item when the project has none afterwards.
  void Run(BOOL noBoardPages, HWND parent, CProjectTree* tree);

  // The project key of the first text longer than the plug-in's fields
  // take, or null when every text fits.
  static const char* TooLongValue(const ProjectData& project);

 private:
  // FALSE when the plug-in could not be called.
  BOOL CallPlugin(HMODULE library, BOOL noBoardPages, HWND parent);

  ProjectData& m_project;
  std::string m_installDir;
};
