// The main frame's project commands, builds, settings and installs.
#include <strings.h>
#include <unistd.h>

#include <string>

#include "app/build_commands.h"
#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "app/install_commands.h"
#include "app/main_frame.h"
#include "app/make_process.h"
#include "app/makefile_host.h"
#include "app/makefile_names.h"
#include "app/main_source_generator.h"
#include "app/makefile_writer.h"
#include "app/mirt2_app.h"
#include "app/new_project_dialog.h"
#include "app/new_project_values.h"
#include "app/project_control_bar.h"
#include "app/project_settings_command.h"
#include "debugger/breakpoint_list.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/ui/afxcommdlg.h"
#include "platform/ui/message.h"
#include "platform/ui/test_hook.h"

namespace {

// How long a new build waits for the one before it: 300 polls 100 ms apart.
constexpr DWORD kMfProjectBuildWaitMs = 300 * 100;
constexpr DWORD kMfProjectInsertBufferSize = 2048;

constexpr const char* kMfProjectOpenFilter = "MIRT projects *.kpj|*.kpj|All Files *.*|*.*||";
constexpr const char* kMfProjectInsertFilter =
    "C sources *.c|*.c|C++ sources *.cpp|*.cpp|C/C++ Header *.h|*.h|i386 Assembler Source Files *.asm|*.asm|"
    "ARM Assembler Source Files *.s|*.s|Pascal sources *.pas|*.pas|Libraries *.lib|*.lib|"
    "Object Files *.obj|*.obj|All Files *.*|*.*||";

std::string MfProjectText(const char* s) { return s ? s : ""; }

bool MfProjectIsOpen() { return g_project.filePath && *g_project.filePath; }

// The frame's side of the project tree and bar.
class CMfProjectTreeOwner : public CProjectTreeOwner {
 public:
  explicit CMfProjectTreeOwner(CMainFrame* frame) : m_frame(frame) {}
  void AddFileToProject(const char* path) override { m_frame->AddFileToProject(path); }
  void OpenProjectFile(const char* name) override { m_frame->OpenFileAtLine(name, -1); }
  void RemoveFileFromProject(const char* name) override { m_frame->RemoveFileFromProject(name); }

 private:
  CMainFrame* m_frame;
};

// The frame's side of the makefile writer.
class CMfProjectMakefileHost : public CMakefileHost {
 public:
  explicit CMfProjectMakefileHost(CMainFrame* frame) : m_frame(frame) {}
  void SaveModifiedDocuments() override {
    for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments())
      if (doc->GetEditBuffer().IsModified()) doc->DoFileSave();
  }
  void ClearBuildPane() override { m_frame->GetOutputBar().ClearBuild(); }

 private:
  CMainFrame* m_frame;
};

// Paths equal ignoring letter case and the kind of separator.
bool MfProjectSameFile(const char* a, const char* b) {
  return strcasecmp(plat::NormalizeSeparators(MfProjectText(a)).c_str(),
                    plat::NormalizeSeparators(MfProjectText(b)).c_str()) == 0;
}

// The project directory made current; FALSE when it cannot be.
BOOL MfProjectEnterDirectory() {
  return g_project.projectDir && SetCurrentDirectory(g_project.projectDir) ? TRUE : FALSE;
}

// For a person's tests on a real display: where the tool bar's buttons and
// the visible project tree items are on the screen, how the Build pane
// ends and how many builds have ended.
void MfProjectReportState(std::string& out) {
  CMainFrame* frame = g_pMainFrame;
  if (!frame || !::IsWindow(frame->m_hWnd)) return;
  auto line = [&out](const char* key, CRect r, const std::string& what) {
    out += std::string(key) + " " + std::to_string(r.left) + " " + std::to_string(r.top) + " " +
           std::to_string(r.Width()) + " " + std::to_string(r.Height()) + " " + what + "\n";
  };
  SECCustomToolBar& bar = frame->GetToolBar();
  if (::IsWindow(bar.m_hWnd) && bar.IsWindowVisible())
    for (int i = 0; i < bar.GetBtnCount(); ++i) {
      if (bar.GetBtn(i)->m_nID == 0) continue;
      CRect r;
      bar.GetItemRect(i, &r);
      bar.ClientToScreen(&r);
      line("toolbar-button", r, std::to_string(bar.GetBtn(i)->m_nID));
    }
  out += "builds-ended " + std::to_string(frame->m_nBuildsEnded) + "\n";
  // The Build pane's last line.
  const std::string& build = frame->GetOutputBar().GetBuildPane().GetStoredText();
  size_t end = build.find_last_not_of("\r\n");
  if (end != std::string::npos) {
    size_t start = build.find_last_of("\r\n", end);
    out += "build-pane-last-line " +
           build.substr(start == std::string::npos ? 0 : start + 1,
                        end + 1 - (start == std::string::npos ? 0 : start + 1)) +
           "\n";
  }
  CProjectTree* tree = frame->GetProjectTree();
  if (!tree || !::IsWindow(tree->m_hWnd) || !tree->IsWindowVisible()) return;
  for (HTREEITEM i = tree->GetFirstVisibleItem(); i; i = tree->GetNextVisibleItem(i)) {
    CRect r;
    if (!tree->GetItemRect(i, &r, TRUE)) continue;
    tree->ClientToScreen(&r);
    line("project-tree-item", r, static_cast<const char*>(tree->GetItemText(i)));
  }
}

}  // namespace

// ---- Project bar ----

SECControlBar* CMainFrame::NewProjectBar() {
  static const bool reporting = [] {
    mirt_ui::AddTestStateReporter(MfProjectReportState);
    return true;
  }();
  (void)reporting;
  auto* bar = new CProjectControlBar;
  bar->AdoptOwner(std::make_unique<CMfProjectTreeOwner>(this));
  return bar;
}

CProjectTree* CMainFrame::GetProjectTree() {
  auto* bar = static_cast<CProjectControlBar*>(m_pProjectBar.get());
  return bar ? &bar->Tree() : nullptr;
}

void CMainFrame::AddProjectTreeItem(ProjectFileGroup group, const char* name) {
  CProjectTree* tree = GetProjectTree();
  if (!tree) return;
  switch (group) {
    case ProjectFileGroup::kSource:
      tree->AddSourceItem(name);
      break;
    case ProjectFileGroup::kHeader:
      tree->AddHeaderItem(name);
      break;
    case ProjectFileGroup::kInstallation:
      tree->AddInstallationItem(name);
      break;
    default:
      tree->AddLibraryItem(name);
      break;
  }
}

void CMainFrame::FillProjectTree() {
  CProjectTree* tree = GetProjectTree();
  if (!tree) return;
  tree->ClearTree();
  tree->SetProjectItem(MfProjectText(g_project.exeFile).c_str());
  for (g_project.BeginSources(); !g_project.AtEndSources(); g_project.NextSource())
    tree->AddSourceItem(g_project.GetSource());
  for (g_project.BeginHeaders(); !g_project.AtEndHeaders(); g_project.NextHeader())
    tree->AddHeaderItem(g_project.GetHeader());
  for (g_project.BeginLibs(); !g_project.AtEndLibs(); g_project.NextLib())
    tree->AddLibraryItem(g_project.GetLib());
  for (g_project.BeginObjs(); !g_project.AtEndObjs(); g_project.NextObj())
    tree->AddLibraryItem(g_project.GetObj());
  if (g_project.insFile && *g_project.insFile) tree->AddInstallationItem(g_project.insFile);
}

// ---- Builds ----

void CMainFrame::OnMake() { Build(BuildKind::kMake); }

void CMainFrame::OnBuildAll() { Build(BuildKind::kBuildAll); }

void CMainFrame::Build(BuildKind kind) {
  PrepareSourceViews();
  if (g_project.kind != kProjectKindMake) {
    BuildPascalProject();
    return;
  }
  CMfProjectMakefileHost host(this);
  CMakefileWriter writer(g_project, host);
  writer.WriteMakefile(MakefilePathOf(g_project).c_str());
  StartMakeProcess(MakeCommandLine(g_project, kind).c_str());
}

void CMainFrame::BuildPascalProject() {
  CMfProjectMakefileHost host(this);
  host.SaveModifiedDocuments();
  host.ClearBuildPane();
  std::vector<std::string> lines = PascalCommandLines(g_project);
  BuildToolSetup setup;
  setup.outputFile = MfProjectText(g_project.projectDir) + "/" + kPascalOutputFile;
  setup.series = std::make_shared<CBuildSeries>(static_cast<int>(lines.size()));
  for (const std::string& line : lines) {
    m_wndOutputBar.AppendBuildText(("Executing " + line + "\n").c_str());
    StartBuildProcess(line.c_str(), setup);
    setup.outputMode = OutputFileMode::kAppend;
  }
  m_wndOutputBar.AppendBuildText(kPascalBuildRule);
}

DWORD CMainFrame::StartMakeProcess(const char* commandLine) { return StartBuildProcess(commandLine, {}); }

DWORD CMainFrame::StartBuildProcess(const char* commandLine, const BuildToolSetup& setup) {
  if (m_pMakeProcess) {
    // The previous tool's output is still taken while we wait for it.
    CMakeProcess* previous = m_pMakeProcess;
    WaitServingMessages([previous] { return !previous->IsRunning() && previous->ReaderDone(); },
                        kMfProjectBuildWaitMs);
    DeleteBuildProcess();
  }
  m_pMakeProcess = new CMakeProcess(commandLine, nullptr, g_project.projectDir);
  m_pMakeProcess->SetCompilerNames(CompilerNamesOf(g_project));
  if (!setup.outputFile.empty()) m_pMakeProcess->RedirectOutput(setup.outputFile, setup.outputMode);
  if (setup.series) m_pMakeProcess->JoinSeries(setup.series);
  m_pMakeProcess->m_hOwner = m_hWnd;
  return m_pMakeProcess->ResumeReader();
}

void CMainFrame::DeleteBuildProcess() {
  delete m_pMakeProcess;
  m_pMakeProcess = nullptr;
}

// ---- Settings and installs ----

void CMainFrame::OnProjectSettings() {
  CMirt2App* app = GetMirt2App();
  std::string installDir = app ? std::string(app->m_programDir) : plat::ProgramDir();
  CProjectSettingsCommand(g_project, installDir).Run(m_bSessionActive, m_hWnd, GetProjectTree());
}

namespace {

DebugPaneWriter MfProjectDebugPane(CMainFrame* frame) {
  return [frame](const char* text) {
    frame->SendMessage(WM_OUTPUT_TEXT, kOutputPaneDebug, reinterpret_cast<LPARAM>(text));
  };
}

}  // namespace

void CMainFrame::OnInstall() {
  BeginWaitCursor();
  CInstaller(g_project, MfProjectDebugPane(this)).Install();
  EndWaitCursor();
}

WORD CMainFrame::RunInstallationFile() {
  return CInstaller(g_project, MfProjectDebugPane(this)).RunInstallationFile();
}

WORD CMainFrame::InstallDebugKernel() {
  return CInstaller(g_project, MfProjectDebugPane(this)).InstallDebugKernel();
}

// ---- Opening and closing ----

void CMainFrame::OnOpenProject() {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kMfProjectOpenFilter,
                     this);
  dialog.m_ofn.lpstrTitle = "Open Project Workspace";
  if (dialog.DoModal() != IDOK) return;
  OpenProjectFile(dialog.GetPathName());
  MarkProjectBreakpoints();
}

void CMainFrame::MarkProjectBreakpoints() {
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    for (POSITION bp = g_breakpointList.GetHeadPosition(); bp;) {
      const CBreakpoint& b = g_breakpointList.GetNext(bp);
      if (!MfProjectSameFile(b.file, doc->GetPathName())) continue;
      for (POSITION v = doc->GetFirstViewPosition(); v;)
        if (auto* view = dynamic_cast<CMirt2View*>(doc->GetNextView(v))) view->MarkBreakpointLine(b.line);
    }
  }
}

void CMainFrame::OpenProjectFile(const char* path) {
  std::string file = MfProjectText(path);
  g_project.Clear();
  g_project.SetFilePath(file.c_str());
  if (!g_project.Load(kProjectFile)) {
    g_project.SetFilePath(nullptr);
    return;
  }
  g_project.MarkSaved();
  FillProjectTree();
  m_pRecentProjects->Add(file.c_str());
  if (!MfProjectEnterDirectory())
    ::MessageBox(m_hWnd, "Project Directory could not be set properly", "Error", MB_OK | MB_ICONEXCLAMATION);
  if (m_bProjectBarWasVisible && m_pProjectBar) ShowControlBar(m_pProjectBar.get(), TRUE, FALSE);
  RecalcLayout();
  g_breakpointList.LoadBreakpoints(file.c_str());
}

void CMainFrame::OnRecentProject(UINT nID) {
  int index = static_cast<int>(nID - ID_RECENT_PROJECT_FIRST);
  if (index < 0 || index >= m_pRecentProjects->GetSize()) return;
  CString path = (*m_pRecentProjects)[index];
  if (!path.IsEmpty()) OpenProjectFile(path);
}

BOOL CMainFrame::AskCloseProject() {
  if (m_bSessionActive) {
    if (::MessageBox(m_hWnd, "This command will stop the debugger", "alert", MB_OKCANCEL) == IDCANCEL)
      return FALSE;
    OnDebuggingFinished(0, reinterpret_cast<LPARAM>(""));
  }
  if (!MfProjectIsOpen()) return TRUE;
  if (g_project.IsDirty()) {
    switch (::MessageBox(m_hWnd, "save changes made to the project?", "MIRT", MB_YESNOCANCEL)) {
      case IDCANCEL:
        return FALSE;
      case IDYES:
        if (g_project.Save(kProjectFile)) g_project.MarkSaved();
        break;
      default:
        break;
    }
  }
  return TRUE;
}

void CMainFrame::DropProject() {
  if (!MfProjectIsOpen()) return;
  g_breakpointList.SaveBreakpoints(g_project.filePath);
  m_bProjectBarWasVisible = m_pProjectBar && m_pProjectBar->IsWindowVisible();
  g_project.SetFilePath(nullptr);
}

BOOL CMainFrame::CanCloseProject() {
  if (!AskCloseProject()) return FALSE;
  DropProject();
  return TRUE;
}

void CMainFrame::OnCloseProject() {
  if (!AskCloseProject()) return;
  // Every document's own save question comes before anything is closed:
  // Cancel there keeps the project and all documents open.
  std::vector<CMirt2Doc*> documents = CMirt2Doc::OpenDocuments();
  for (CMirt2Doc* doc : documents)
    if (!doc->SaveModified()) return;
  DropProject();
  g_project.Clear();
  if (CProjectTree* tree = GetProjectTree()) tree->ClearTree();
  if (m_pProjectBar) ShowControlBar(m_pProjectBar.get(), FALSE, FALSE);
  RecalcLayout();
  for (CMirt2Doc* doc : documents) {
    for (POSITION v = doc->GetFirstViewPosition(); v;)
      if (auto* view = dynamic_cast<CMirt2View*>(doc->GetNextView(v))) view->ClearBreakpointMarks();
  }
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    // Answered above: closing asks nothing more.
    doc->SetModifiedFlag(FALSE);
    doc->GetEditBuffer().SetModified(FALSE);
  }
  std::vector<CMirt2Doc*> closing = CMirt2Doc::OpenDocuments();
  for (CMirt2Doc* doc : closing) doc->OnCloseDocument();
}

void CMainFrame::OnInsertFileIntoProject() {
  std::string names(kMfProjectInsertBufferSize, '\0');
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                     kMfProjectInsertFilter, this);
  dialog.m_ofn.lpstrTitle = "Insert File Into Project";
  dialog.m_ofn.lpstrFile = names.data();
  dialog.m_ofn.nMaxFile = kMfProjectInsertBufferSize;
  if (dialog.DoModal() == IDOK)
    for (POSITION pos = dialog.GetStartPosition(); pos;) AddFileToProject(dialog.GetNextPathName(pos));
  MfProjectEnterDirectory();
}

void CMainFrame::OnNewProject() {
  CNewProjectDialog dialog(this);
  if (dialog.DoModal() != IDC_NEWPROJ_CREATE || dialog.m_type.IsEmpty()) return;
  NewProjectValues values;
  values.name = static_cast<const char*>(dialog.m_name);
  values.location = static_cast<const char*>(dialog.m_location);
  values.environment = static_cast<const char*>(dialog.m_type);
  values.programNumber = static_cast<const char*>(dialog.m_programNumber);
  values.taskType = dialog.m_nTaskType;
  CreateNewProject(values);
}

BOOL CMainFrame::CreateNewProject(const NewProjectValues& values) {
  if (!CanCloseProject()) return FALSE;
  if (m_bProjectBarWasVisible && m_pProjectBar) ShowControlBar(m_pProjectBar.get(), TRUE, FALSE);
  RecalcLayout();
  NewProjectPlan plan = PlanNewProject(values);
  g_project.Clear();
  g_project.InitNewProject(values.name.c_str(), plan.folder.c_str(), values.environment.c_str());
  CMirt2App* app = GetMirt2App();
  std::string installDir = app ? std::string(app->m_programDir) : plat::ProgramDir();
  std::string templatePath = installDir + "/" + MfProjectText(g_project.environment.defaultProject);
  g_project.SetFilePath(templatePath.c_str());
  if (!g_project.Load(kProjectTemplate)) {
    g_project.SetFilePath(nullptr);
    return FALSE;
  }
  g_project.SetFilePath(plan.projectFile.c_str());
  if (!SetCurrentDirectory(plan.folder.c_str()) &&
      (!CreateDirectory(plan.folder.c_str(), nullptr) || !SetCurrentDirectory(plan.folder.c_str())))
    ::MessageBox(m_hWnd, "Project directory could not be created", "error", MB_OK);
  if (CProjectTree* tree = GetProjectTree()) {
    tree->ClearTree();
    tree->SetProjectItem(MfProjectText(g_project.exeFile).c_str());
  }
  if (GetFileAttributes(plan.mainSource.c_str()) != INVALID_FILE_ATTRIBUTES) {
    AddFileToProject(plan.mainSource.c_str());
  } else if (plan.board != MainSourceTemplate::kNone) {
    std::string boardTemplate = installDir + "/" + MainSourceTemplateFile(plan.board);
    if (GenerateMainSource(boardTemplate, plan.mainSource, plan.board, values.taskType, plan.programNumber,
                           plan.miniBoard) == MainSourceResult::kWritten)
      AddFileToProject(plan.mainSource.c_str());
  }
  FillProjectTree();
  return TRUE;
}
