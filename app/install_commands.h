// Install and the debug-kernel installation: a board object for the
// project's card class, the board started, and the project's installation
// file run by the board tools library; progress goes to the Debug pane.
#pragma once

#include <functional>

#include "platform/base/windef.h"

class ProjectData;

// Writes one line of progress text to the Debug pane.
using DebugPaneWriter = std::function<void(const char* text)>;

class CInstaller {
 public:
  CInstaller(ProjectData& project, DebugPaneWriter writeDebugPane)
      : m_project(project), m_writeDebugPane(std::move(writeDebugPane)) {}

  // The Install command: makes g_pBoard, starts the board, runs the
  // installation file, and deletes the board again.
  void Install();
  // Needs g_pBoard. 0 = success.
  WORD RunInstallationFile();
  // Needs g_pBoard. 0 = success.
  WORD InstallDebugKernel();

  // The board tools library's installer, bound once by name; null (after a
  // stop box) when the library is missing.
  using InstallProc = WORD(WINAPI*)(LPCSTR file, WORD flags);
  static InstallProc BoardToolsInstaller();

 private:
  // Makes g_pBoard for the card class; FALSE (after a box) for an unknown one.
  BOOL CreateBoard();

  ProjectData& m_project;
  DebugPaneWriter m_writeDebugPane;
};
