// CMainFrame: the IDE's top-level window, a tabbed MDI frame with the
// output, call stack, registers, variable and project bars, the tool bar
// and the status bar. Builds, the debugger and the views reach the open
// documents through its operations.
#pragma once

#include <memory>

#include "app/frame_session_port.h"
#include "app/output_control_bar.h"
#include "app/project_file_route.h"
#include "app/session_source_port.h"
#include "app/text_display_control_bar.h"
#include "app/variable_control_bar.h"
#include "debugger/ui/go_to_dialog.h"
#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_tool_bar_manager.h"
#include "framework/sec_workbook.h"
#include "platform/afx/recentfilelist.h"
#include "platform/afx/statusbar.h"

class CAddr;
class CDisview0Doc;
class CMakeProcess;
class CProjectTree;
enum class BuildKind;
struct BuildToolSetup;
struct NewProjectValues;
class CView;
class SECControlBar;

// Profile section and entries of the frame's placement.
constexpr const char* kWindowSizeSection = "Window size";
// Profile name of the saved bar layout ("Layout-Summary", "Layout-Bar<n>").
constexpr const char* kBarLayoutProfile = "Layout";

class CMainFrame : public SECWorkbook, public CGoToTarget {
  DECLARE_DYNAMIC(CMainFrame)
 public:
  CMainFrame();
  ~CMainFrame() override;

  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  // Marks and documents.
  void ClearExecutionMarkers();
  // Asks the message loop for an idle pass (command states of the bars):
  // the debugger's and the build's reports arrive as messages sent from
  // other threads, which by themselves start none.
  void RequestIdleUpdate();
  void PrepareSourceViews();
  // Asks the debugger for the value and queues the request in the Variable bar.
  void RequestWatchValue(const char* expression, HTREEITEM node);
  const char* GetSourceLineText(const char* fileName, int line);
  CView* OpenFileAtLine(const char* path, int line);
  void MarkStopLine(const char* path, int line);
  void MarkStopAddress(const CAddr& address);
  void ShowStopLocation(const char* path, int line, const CAddr& address);
  void AddFileToProject(const char* path);
  void RemoveFileFromProject(const char* name);
  void GoToLineOrAddress(CView* view, DWORD number) override;
  CView* GetActiveMDIView();
  void OpenFileWithDialog();
  void ShowDisassembly();

  COutputControlBar& GetOutputBar() { return m_wndOutputBar; }
  CTextDisplayControlBar& GetCallStackBar() { return m_wndCallStackBar; }
  SECControlBar* GetProjectBar() { return m_pProjectBar.get(); }
  CVariableControlBar* GetVariableBar() { return m_pVariableBar.get(); }
  CVariableControlBar* GetRegistersBar() { return m_pRegistersBar.get(); }
  CStatusBar& GetStatusBar() { return m_wndStatusBar; }
  SECCustomToolBar& GetToolBar() { return m_wndToolBar; }
  CRecentFileList* GetRecentProjects() { return m_pRecentProjects.get(); }
  BOOL GetDocumentTabs() const { return m_bDocumentTabs; }

  BOOL m_bSessionActive = FALSE;
  int m_nBuildsEnded = 0;  // builds whose closing line stands in the Build pane
  CDisview0Doc* m_pDisassemblyDoc = nullptr;
  WORD m_nUntitled = 1;

  // ---- Project commands, builds, settings and installs. ----
  // The project side owns this block and app/main_frame_project.cpp.
  void OnMake();
  void OnBuildAll();
  DWORD StartMakeProcess(const char* commandLine);
  void OnProjectSettings();
  void OnInstall();
  WORD RunInstallationFile();
  WORD InstallDebugKernel();
  void OnOpenProject();
  void OnInsertFileIntoProject();
  void OnCloseProject();
  void OnNewProject();
  void OnRecentProject(UINT nID);  // 32808..32811: entry nID - 32808
  void OpenProjectFile(const char* path);
  BOOL CanCloseProject();
  // The project bar: created by the frame's creation, owned by the frame.
  SECControlBar* NewProjectBar();
  // Adds a file's item to the project tree.
  void AddProjectTreeItem(ProjectFileGroup group, const char* name);
  CMakeProcess* m_pMakeProcess = nullptr;
  BOOL m_bProjectBarWasVisible = TRUE;
  // Deletes the build process (the frame's destruction calls it).
  void DeleteBuildProcess();
  // The tree of the project bar, or null before the bar exists.
  CProjectTree* GetProjectTree();
  // Fills the tree from g_project: root EXE, sources, headers, libraries,
  // object files and the installation file.
  void FillProjectTree();
  void Build(BuildKind kind);
  void BuildPascalProject();
  // StartMakeProcess with the tool's output file and series (Pascal).
  DWORD StartBuildProcess(const char* commandLine, const BuildToolSetup& setup);
  // The two halves of CanCloseProject: the questions (FALSE: cancelled),
  // then forgetting the project file.
  BOOL AskCloseProject();
  void DropProject();
  // Marks every breakpoint of g_breakpointList in the open source views.
  void MarkProjectBreakpoints();
  // New Project after its dialog: the project from the environment's
  // template, its folder, its main source. FALSE when nothing was made.
  BOOL CreateNewProject(const NewProjectValues& values);
  // ---- End of the project side's block. ----

  // ---- Debug sessions and their commands (main_frame_debug.cpp). ----
  // Starts a session on the program; TRUE when it is up.
  BOOL StartDebugger(const char* path, int* pSessionActive, int* pSpare, DWORD startFlag);
  // The board's stop handshake and the debug bars' bookkeeping.
  void StopDebugSession();
  CDebugSession& DebugSession() { return m_debugSession; }
  // Deletes the current debugger: the session is over.
  void DeleteDebugger();
  void OnDebugStart();
  void OnDebugGo();
  void OnDebugTraceInto();
  void OnDebugStepOver();
  void OnDebugStepOut();
  void OnDebugBreak();
  void OnDebugEnd();
  void OnDebugSetIP();
  void OnDebugRunToCursor();
  // The caret of the active view: a source line or, in the disassembly, an
  // instruction's address (none on an unlisted line or another view).
  struct CaretPlace {
    enum class Kind { kNone, kLine, kAddress } kind = Kind::kNone;
    CString file;
    WORD line = 0;
    DWORD address = 0;
  };
  CaretPlace ActiveCaretPlace();
  void OnDebugReset();
  void OnDebugWatchExpression();
  void OnDebugIOPorts();
  void OnDebugOpenDebugee();
  void OnDebugNothing() {}
  void OnEditBreakpoints();

  // Frame messages.
  LRESULT OnOutputText(WPARAM wParam, LPARAM lParam);
  LRESULT OnDebuggingFinished(WPARAM wParam, LPARAM lParam);
  LRESULT OnCallStackText(WPARAM wParam, LPARAM lParam);
  LRESULT OnStopLocation(WPARAM wParam, LPARAM lParam);
  LRESULT OnWatchValue(WPARAM wParam, LPARAM lParam);
  LRESULT OnRegisterText(WPARAM wParam, LPARAM lParam);
  LRESULT OnProgramEnd(WPARAM wParam, LPARAM lParam);
  LRESULT OnWatchSelection(WPARAM wParam, LPARAM lParam);
  LRESULT OnDisassemblyUpdate(WPARAM wParam, LPARAM lParam);
  LRESULT OnDebugErrorRequest(WPARAM wParam, LPARAM lParam);
  LRESULT OnRunToCursor(WPARAM wParam, LPARAM lParam);
  LRESULT OnKernelNoAnswer(WPARAM wParam, LPARAM lParam);
  LRESULT OnBuildOk(WPARAM wParam, LPARAM lParam);
  LRESULT OnBuildUpToDate(WPARAM wParam, LPARAM lParam);
  LRESULT OnBuildFailed(WPARAM wParam, LPARAM lParam);
  LRESULT OnSystemCrashed(WPARAM wParam, LPARAM lParam);

  // Window and command handlers.
  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnClose();
  void OnDropFiles(HDROP hDropInfo);
  void OnFileNew();
  void OnFileOpen();
  void OnGoTo();
  void OnHelp();
  void OnOptions();
  void OnCloseAll();
  void OnDeleteLine();
  void OnUpdateClipboard(CCmdUI* pCmdUI);
  void OnViewProjectTree();
  void OnViewCallStack();
  void OnViewOutput();
  void OnViewVariables();
  void OnViewDisassembly();
  void OnViewMemory();
  void OnViewRegisters();
  void OnViewToolBar();
  void OnViewStatusBar();
  void OnViewDocumentTabs();
  void OnUpdateCommand(CCmdUI* pCmdUI);
  void OnUpdateCommandRange(CCmdUI* pCmdUI, UINT) { OnUpdateCommand(pCmdUI); }
  void OnUpdateLinePane(CCmdUI* pCmdUI);

 protected:
  void AppendBuildResult(const char* text);
  void CopyPascalOutput();
  void SavePlacement();
  // Placement, bar states, open files and project, as the close saves them.
  void SaveCloseState();
  BOOL CreateBars();
  void ApplyBarVisibility();
  // The bar layout of the last close, when one was saved.
  void LoadSavedBarLayout();
  void ToggleBar(CControlBar* bar);

  CStatusBar m_wndStatusBar;
  // Customises the tool bar (Alt+drag of a button) and keeps its buttons
  // in the saved layout; outlives the bars.
  std::unique_ptr<SECToolBarManager> m_pToolBarManager;
  SECCustomToolBar m_wndToolBar;
  COutputControlBar m_wndOutputBar;
  std::unique_ptr<CVariableControlBar> m_pVariableBar;
  CTextDisplayControlBar m_wndCallStackBar;
  std::unique_ptr<CVariableControlBar> m_pRegistersBar;
  std::unique_ptr<SECControlBar> m_pProjectBar;
  std::unique_ptr<CRecentFileList> m_pRecentProjects;
  BOOL m_bDocumentTabs = TRUE;
  CFrameSessionPort m_sessionPort{*this};
  CDebugSession m_debugSession{m_sessionPort};
  CSessionSourcePort m_sourcePort;

  DECLARE_MESSAGE_MAP()

 private:
  // The program of the project: "<project folder>/<executable>".
  CString ProjectProgramPath() const;
  // Marks the session up: the source views reach its debugger.
  void SessionStarted();
  // Trace Into and Step Over: a session first when there is none.
  void StepCommand(int (CDebugger::*step)(uint8_t));
};

extern CMainFrame* g_pMainFrame;
