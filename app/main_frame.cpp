#include "app/main_frame.h"

#include "app/command_ids.h"
#include "app/debug_state_report.h"
#include "app/document_state_report.h"
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "app/mirt2_app.h"
#include "app/placement_text.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/registry.h"
#include "platform/ui/help.h"

IMPLEMENT_DYNAMIC(CMainFrame, SECWorkbook)

CMainFrame* g_pMainFrame = nullptr;

BEGIN_MESSAGE_MAP(CMainFrame, SECWorkbook)
ON_MESSAGE(WM_OUTPUT_TEXT, OnOutputText)
ON_MESSAGE(WM_DEBUG_FINISHED, OnDebuggingFinished)
ON_MESSAGE(WM_CALLSTACK_TEXT, OnCallStackText)
ON_MESSAGE(WM_STOP_LOCATION, OnStopLocation)
ON_MESSAGE(WM_WATCH_VALUE, OnWatchValue)
ON_MESSAGE(WM_REGISTER_TEXT, OnRegisterText)
ON_MESSAGE(WM_PROGRAM_END, OnProgramEnd)
ON_MESSAGE(WM_WATCH_SELECTION, OnWatchSelection)
ON_MESSAGE(WM_DISASSEMBLY_UPDATE, OnDisassemblyUpdate)
ON_MESSAGE(WM_DEBUG_ERROR_REQUEST, OnDebugErrorRequest)
ON_MESSAGE(WM_RUN_TO_CURSOR, OnRunToCursor)
ON_MESSAGE(WM_KERNEL_NO_ANSWER, OnKernelNoAnswer)
ON_MESSAGE(WM_BUILD_OK, OnBuildOk)
ON_MESSAGE(WM_BUILD_UP_TO_DATE, OnBuildUpToDate)
ON_MESSAGE(WM_BUILD_FAILED, OnBuildFailed)
ON_MESSAGE(WM_SYSTEM_CRASHED, OnSystemCrashed)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_DROPFILES()
ON_COMMAND(ID_APP_EXIT, OnClose)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_EDIT_GOTO, OnGoTo)
ON_COMMAND(ID_HELP_MIRT, OnHelp)
ON_COMMAND(ID_OPTIONS, OnOptions)
ON_COMMAND(ID_FILE_CLOSE_ALL, OnCloseAll)
ON_COMMAND(ID_EDIT_DELETE_LINE, OnDeleteLine)
ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateClipboard)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateClipboard)
ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateClipboard)
ON_COMMAND(ID_VIEW_PROJECT_TREE, OnViewProjectTree)
ON_COMMAND(ID_VIEW_CALLSTACK, OnViewCallStack)
ON_COMMAND(ID_VIEW_OUTPUT, OnViewOutput)
ON_COMMAND(ID_VIEW_VARIABLES, OnViewVariables)
ON_COMMAND(ID_VIEW_DISASSEMBLY, OnViewDisassembly)
ON_COMMAND(ID_VIEW_MEMORY, OnViewMemory)
ON_COMMAND(ID_VIEW_REGISTERS, OnViewRegisters)
ON_COMMAND(ID_VIEW_TOOLBAR, OnViewToolBar)
ON_COMMAND(ID_VIEW_STATUS_BAR, OnViewStatusBar)
ON_COMMAND(ID_VIEW_DOCUMENT_TABS, OnViewDocumentTabs)
ON_COMMAND(ID_PROJECT_MAKE, OnMake)
ON_COMMAND(ID_PROJECT_BUILD_ALL, OnBuildAll)
ON_COMMAND(ID_PROJECT_SETTINGS, OnProjectSettings)
ON_COMMAND(ID_PROJECT_INSTALL, OnInstall)
ON_COMMAND(ID_PROJECT_OPEN, OnOpenProject)
ON_COMMAND(ID_PROJECT_INSERT_FILE, OnInsertFileIntoProject)
ON_COMMAND(ID_PROJECT_CLOSE, OnCloseProject)
ON_COMMAND(ID_PROJECT_NEW, OnNewProject)
ON_COMMAND(ID_DEBUG_START, OnDebugStart)
ON_COMMAND(ID_DEBUG_GO, OnDebugGo)
ON_COMMAND(ID_DEBUG_TRACE_INTO, OnDebugTraceInto)
ON_COMMAND(ID_DEBUG_STEP_OVER, OnDebugStepOver)
ON_COMMAND(ID_DEBUG_STEP_OUT, OnDebugStepOut)
ON_COMMAND(ID_DEBUG_BREAK, OnDebugBreak)
ON_COMMAND(ID_DEBUG_END, OnDebugEnd)
ON_COMMAND(ID_DEBUG_SET_IP, OnDebugSetIP)
ON_COMMAND(ID_DEBUG_RUN_TO_CURSOR, OnDebugRunToCursor)
ON_COMMAND(ID_DEBUG_RESET, OnDebugReset)
ON_COMMAND(ID_DEBUG_WATCH_EXPRESSION, OnDebugWatchExpression)
ON_COMMAND(ID_DEBUG_IO_PORTS, OnDebugIOPorts)
ON_COMMAND(ID_DEBUG_OPEN_DEBUGEE, OnDebugOpenDebugee)
ON_COMMAND(ID_DEBUG_NOTHING, OnDebugNothing)
ON_COMMAND(ID_DEBUG_EDIT_BREAKPOINTS, OnEditBreakpoints)
ON_COMMAND_RANGE(ID_RECENT_PROJECT_FIRST, ID_RECENT_PROJECT_LAST, OnRecentProject)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_LINE, OnUpdateLinePane)
ON_UPDATE_COMMAND_UI_RANGE(32771, 32831, OnUpdateCommandRange)
ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_SAVE, ID_FILE_PRINT_PREVIEW, OnUpdateCommandRange)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, OnUpdateCommandRange)
END_MESSAGE_MAP()

namespace {

// Status bar: message, line pane, OVR, CAPS, NUM, SCRL.
constexpr UINT kMainFrameIndicators[] = {ID_SEPARATOR,      ID_INDICATOR_LINE, ID_INDICATOR_OVR,
                                         ID_INDICATOR_CAPS, ID_INDICATOR_NUM,  ID_INDICATOR_SCRL};
constexpr int kMainFrameLinePane = 1;
constexpr DWORD kMainFrameBarExStyle = 0xF31;
constexpr DWORD kMainFrameSideBarStyle =
    WS_CHILD | WS_VISIBLE | CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
constexpr float kMainFrameSideShare = 0.33f;
constexpr int kMainFrameSideLength = 200;
constexpr int kMainFrameProjectLength = 150;
constexpr const char* kMainFrameRecentSection = "Recent Project List";

}  // namespace

CMainFrame::CMainFrame()
    : m_pRecentProjects(std::make_unique<CRecentFileList>(ID_RECENT_PROJECT_FIRST, kMainFrameRecentSection,
                                                          "project%d", 4, 30)) {
  m_pRecentProjects->ReadList();
}

CMainFrame::~CMainFrame() {
  DeleteDebugger();
  DeleteBuildProcess();
  m_pRecentProjects->WriteList();
  if (g_pMainFrame == this) g_pMainFrame = nullptr;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  CString text = AfxGetApp()->GetProfileString(kWindowSizeSection, "Rect");
  AfxGetApp()->GetProfileInt(kWindowSizeSection, "status", 0);
  RECT rect{};
  if (ParsePlacementRect(text, rect)) {
    RECT work{};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.x = std::min<int>(rect.left + work.left, GetSystemMetrics(SM_CXSCREEN) - GetSystemMetrics(SM_CXICON));
    cs.y = std::min<int>(rect.top + work.top, GetSystemMetrics(SM_CYSCREEN) - GetSystemMetrics(SM_CYICON));
  }
  cs.style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE | WS_MAXIMIZE;
  return SECWorkbook::PreCreateWindow(cs);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  m_bSessionActive = FALSE;
  if (SECWorkbook::OnCreate(lpCreateStruct) == -1) return -1;
  EnableDocking(CBRS_ALIGN_ANY);
  m_pToolBarManager = std::make_unique<SECToolBarManager>(this);
  SetControlBarManager(m_pToolBarManager.get());
  if (!CreateBars()) return -1;
  LoadSavedBarLayout();
  ApplyBarVisibility();
  AddDebugStateReport();
  AddDocumentStateReport();
  DragAcceptFiles(TRUE);
  CMirt2App* app = GetMirt2App();
  if (app && !app->m_projectToOpen.IsEmpty()) {
    OpenProjectFile(app->m_projectToOpen);
    if (!app->m_barVisible[kBarProject]) ShowControlBar(m_pProjectBar.get(), FALSE, FALSE);
  }
  return 0;
}

BOOL CMainFrame::CreateBars() {
  if (!m_wndOutputBar.Create(
          this, "Output Window",
          WS_CHILD | WS_VISIBLE | CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC,
          kMainFrameBarExStyle, ID_OUTPUT_BAR))
    return FALSE;
  m_wndOutputBar.GetBuildPane().SetOwner(this);
  m_wndOutputBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBarEx(&m_wndOutputBar, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.25f, kMainFrameSideLength);

  if (!m_wndCallStackBar.Create(this, "Call Stack", kMainFrameSideBarStyle, kMainFrameBarExStyle,
                                ID_CALLSTACK_BAR))
    return FALSE;
  m_wndCallStackBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBarEx(&m_wndCallStackBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, kMainFrameSideShare,
                   kMainFrameSideLength);

  // The watch bars: named "Register" and "Variable" for their settings.
  m_pRegistersBar = std::make_unique<CVariableControlBar>(WatchRefresh::kNone, WatchAssign::kRegisters);
  m_pRegistersBar->SetName("Register");
  if (!m_pRegistersBar->Create(this, "Registers", kMainFrameSideBarStyle, kMainFrameBarExStyle,
                               ID_REGISTERS_BAR))
    return FALSE;
  m_pRegistersBar->EnableDocking(CBRS_ALIGN_ANY);
  DockControlBarEx(m_pRegistersBar.get(), AFX_IDW_DOCKBAR_RIGHT, 0, 0, kMainFrameSideShare,
                   kMainFrameSideLength);
  m_pVariableBar = std::make_unique<CVariableControlBar>(WatchRefresh::kAfterEdit, WatchAssign::kEvaluator);
  m_pVariableBar->SetName("Variable");
  if (!m_pVariableBar->Create(this, "Variable Window", kMainFrameSideBarStyle, kMainFrameBarExStyle,
                              ID_VARIABLE_BAR))
    return FALSE;
  m_pVariableBar->EnableDocking(CBRS_ALIGN_ANY);
  DockControlBarEx(m_pVariableBar.get(), AFX_IDW_DOCKBAR_RIGHT, 0, 0, kMainFrameSideShare,
                   kMainFrameSideLength);

  if (!m_wndStatusBar.Create(this) ||
      !m_wndStatusBar.SetIndicators(kMainFrameIndicators, static_cast<int>(std::size(kMainFrameIndicators))))
    return FALSE;
  m_wndStatusBar.SetPaneText(kMainFrameLinePane, "bla");
  // Laid out first, so it keeps the bottom edge below the docked bars.
  ::SetWindowPos(m_wndStatusBar.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  m_wndToolBar.SetManager(m_pToolBarManager.get());
  m_wndToolBar.SetBmpMgr(m_pToolBarManager->GetBmpMgr());
  if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR) ||
      !m_wndToolBar.LoadToolBar(IDR_MAINFRAME))
    return FALSE;
  m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
  m_wndToolBar.EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndToolBar);

  m_pProjectBar.reset(NewProjectBar());
  if (!m_pProjectBar || !m_pProjectBar->Create(this, "Project Window", kMainFrameSideBarStyle,
                                               kMainFrameBarExStyle, ID_PROJECT_BAR))
    return FALSE;
  m_pProjectBar->EnableDocking(CBRS_ALIGN_ANY);
  DockControlBarEx(m_pProjectBar.get(), AFX_IDW_DOCKBAR_LEFT, 0, 0, 1.0f, kMainFrameProjectLength);
  return TRUE;
}

void CMainFrame::LoadSavedBarLayout() {
  CString summary(kBarLayoutProfile);
  summary += "-Summary";
  if (AfxGetApp()->GetProfileInt(summary, "Bars", 0) > 0) LoadBarState(kBarLayoutProfile);
}

void CMainFrame::ApplyBarVisibility() {
  CMirt2App* app = GetMirt2App();
  const BOOL* visible = app ? app->m_barVisible : nullptr;
  if (visible && !visible[kBarStatusBar]) ShowControlBar(&m_wndStatusBar, FALSE, FALSE);
  if (visible && !visible[kBarToolBar]) ShowControlBar(&m_wndToolBar, FALSE, FALSE);
  if (visible && !visible[kBarOutput]) ShowControlBar(&m_wndOutputBar, FALSE, FALSE);
  m_bDocumentTabs = visible ? visible[kBarDocumentTabs] : TRUE;
  SetWorkbookMode(m_bDocumentTabs);
  ShowControlBar(m_pProjectBar.get(), FALSE, FALSE);
  ShowControlBar(&m_wndCallStackBar, FALSE, FALSE);
  ShowControlBar(m_pRegistersBar.get(), FALSE, FALSE);
  ShowControlBar(m_pVariableBar.get(), FALSE, FALSE);
}

void CMainFrame::SavePlacement() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(&placement);
  AfxGetApp()->WriteProfileString(kWindowSizeSection, "Rect",
                                  FormatPlacementRect(placement.rcNormalPosition));
  AfxGetApp()->WriteProfileInt(kWindowSizeSection, "status", static_cast<int>(placement.showCmd));
}

void CMainFrame::OnClose() {
  {
    plat::RegistryWriteBatch batch;
    SaveCloseState();
  }
  if (!CanCloseProject()) return;
  SECWorkbook::OnClose();
}

void CMainFrame::SaveCloseState() {
  SavePlacement();
  SaveBarState(kBarLayoutProfile);
  if (CMirt2App* app = GetMirt2App()) {
    app->m_barVisible[kBarOutput] = m_wndOutputBar.IsWindowVisible();
    app->m_barVisible[kBarToolBar] = m_wndToolBar.IsWindowVisible();
    app->m_barVisible[kBarStatusBar] = m_wndStatusBar.IsWindowVisible();
    app->m_barVisible[kBarDocumentTabs] = m_bDocumentTabs;
    app->SaveOpenFiles();
    app->SaveOpenProject();
  }
}

void CMainFrame::OnDropFiles(HDROP hDropInfo) {
  UINT count = DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH] = {};
    DragQueryFile(hDropInfo, i, path, MAX_PATH);
    AfxGetApp()->OpenDocumentFile(path);
  }
  DragFinish(hDropInfo);
}

void CMainFrame::OnFileNew() {
  CMirt2App* app = GetMirt2App();
  if (!app || !app->m_pSourceTemplate) return;
  CDocument* doc = app->m_pSourceTemplate->OpenDocumentFile(nullptr);
  if (!doc) return;
  CString title;
  title.Format("untitled %d", static_cast<int>(m_nUntitled));
  doc->SetTitle(title);
  ++m_nUntitled;
}

void CMainFrame::OnFileOpen() { OpenFileWithDialog(); }

void CMainFrame::OnHelp() {
  CMirt2App* app = GetMirt2App();
  CString file = (app ? app->m_programDir : CString()) + "/zeduvodo.chm";
  if (!HtmlHelp(m_hWnd, file, HH_DISPLAY_TOPIC, 0))
    ::MessageBox(m_hWnd, "IE4 is necessary for help display", "Alert", MB_OK);
}

void CMainFrame::OnUpdateClipboard(CCmdUI*) {}
