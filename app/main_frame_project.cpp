// The main frame's project commands, builds, settings and installs.
#include "app/main_frame.h"
#include "framework/sec_control_bar.h"

void CMainFrame::OnMake() {}
void CMainFrame::OnBuildAll() {}
DWORD CMainFrame::StartMakeProcess(const char*) { return 0; }
void CMainFrame::OnProjectSettings() {}
void CMainFrame::OnInstall() {}
WORD CMainFrame::RunInstallationFile() { return 0; }
WORD CMainFrame::InstallDebugKernel() { return 0; }
void CMainFrame::OnOpenProject() {}
void CMainFrame::OnInsertFileIntoProject() {}
void CMainFrame::OnCloseProject() {}
void CMainFrame::OnNewProject() {}
void CMainFrame::OnRecentProject(UINT) {}
void CMainFrame::OpenProjectFile(const char*) {}
BOOL CMainFrame::CanCloseProject() { return TRUE; }
SECControlBar* CMainFrame::NewProjectBar() { return new SECControlBar; }
void CMainFrame::AddProjectTreeItem(ProjectFileGroup, const char*) {}
