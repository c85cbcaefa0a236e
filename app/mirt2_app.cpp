#include "app/mirt2_app.h"

#include <strings.h>

#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/core/text_helpers.h"
#include "app/debugger_gdb.h"
#include "app/main_frame.h"
#include "app/placement_text.h"
#include "app/text_view.h"
#include "debugger/breakpoint_list.h"
#include "disasm/view/disview0doc.h"
#include "disasm/view/disview0view.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/sys/file.h"
#include "platform/sys/registry.h"

BEGIN_MESSAGE_MAP(CMirt2App, CWinApp)
ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
ON_COMMAND(ID_FILE_NEW, OnFileNewDocument)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_PAGE_SETUP, OnFilePrintSetup)
END_MESSAGE_MAP()

namespace {

constexpr const char* kMirtAppRegistryKey = "KALVEN";
constexpr const char* kMirtAppInvisible = "invisible";
constexpr int kMirtAppRecentFiles = 4;
constexpr int kMirtAppShowNormal = 1;

// "Views" entries, in the order they are written.
struct MirtAppViewEntry {
  const char* entry;
  MirtBar bar;
};
constexpr MirtAppViewEntry kMirtAppViewEntries[] = {
    {"ProjectBar", kBarProject},   {"RegisterBar", kBarRegisters},     {"CallStackBar", kBarCallStack},
    {"VariableBar", kBarVariable}, {"OutputBar", kBarOutput},          {"ToolBar", kBarToolBar},
    {"StatusBar", kBarStatusBar},  {"DocumentTabs", kBarDocumentTabs},
};

// Editor defaults written at every start. Legend: a null text is not
// written; caseValue and tabSize -1 are not written.
struct MirtAppEditorDefaults {
  const char* section;
  const char* keywords;
  const char* extraWordChars;
  const char* commentStart1;
  const char* commentEnd1;
  const char* commentStart2;
  const char* commentEnd2;
  int caseValue;
  int tabSize;
};
constexpr MirtAppEditorDefaults kMirtAppEditorDefaults[] = {
    {"Editor\\C Files", "c.ini", "#", "//", "", "/*", "*/", -1, -1},
    {"Editor\\CPP Files", "c.ini", "#", "//", "", "/*", "*/", -1, -1},
    {"Editor\\INS Files", "ins.ini", "#", ";", "", "'", "", 1, 4},
    {"Editor\\PAS Files", "pas.ini", "#", "{", "}", "(*", "*)", 1, 4},
    {"Editor\\ASM Files", "asm.ini", "@@", ";", "", ";", "", 1, 4},
    {"Editor\\S Files", "s.ini", "#", "@", "", "", "", 1, 4},
};
constexpr int kMirtAppChroma = 1;

CString MirtAppNumbered(const char* format, int n) {
  CString text;
  text.Format(format, n);
  return text;
}

// The directory of the running program, without a trailing separator.
CString MirtAppProgramDir() {
  char path[MAX_PATH] = {};
  GetModuleFileName(nullptr, path, MAX_PATH);
  CString dir(path);
  int cut = std::max(dir.ReverseFind('\\'), dir.ReverseFind('/'));
  return cut >= 0 ? dir.Left(cut) : CString(".");
}

}  // namespace

// Made by name only (no template uses it): this keeps its class linked in
// and registered.
CRuntimeClass* const g_pTextViewClass = RUNTIME_CLASS(CTextView);

CMirt2App* GetMirt2App() { return dynamic_cast<CMirt2App*>(AfxGetApp()); }

CMirt2App::CMirt2App() {
  m_programDir = MirtAppProgramDir();
  SetCurrentDirectory(m_programDir);
}

CMirt2App::~CMirt2App() = default;

BOOL CMirt2App::InitInstance() {
  // The profile is written once when start-up is done, not per entry.
  plat::RegistryWriteBatch batch;
  SetRegistryKey(kMirtAppRegistryKey);
  UseGdbForHostPrograms();
  WriteEditorDefaults();
  m_environments.ReadConfigFile();
  g_project.SetEnvironmentList(&m_environments);
  LoadStdProfileSettings(kMirtAppRecentFiles);
  ReadBarFlags();
  m_projectToOpen = GetProfileString(m_openProjectSection, "1");
  CCommandLineInfo commandLine;
  ParseCommandLine(commandLine);
  if (!TakeCommandLine(commandLine)) return FALSE;
  m_pSourceTemplate = new CMultiDocTemplate(IDR_MIRT2TYPE, RUNTIME_CLASS(CMirt2Doc),
                                            RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CMirt2View));
  AddDocTemplate(m_pSourceTemplate);
  m_pDisassemblyTemplate = new CMultiDocTemplate(IDR_DISASSTYPE, RUNTIME_CLASS(CDisview0Doc),
                                                 RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CDisview0View));
  AddDocTemplate(m_pDisassemblyTemplate);
  if (!CreateMainFrame()) return FALSE;
  ReopenOpenFiles();
  // A source file named on the command line opens once the templates exist.
  if (!m_commandLineFile.IsEmpty()) OpenDocumentFile(m_commandLineFile);
  return TRUE;
}

void CMirt2App::WriteEditorDefaults() {
  for (const MirtAppEditorDefaults& d : kMirtAppEditorDefaults) {
    WriteProfileInt(d.section, "Chroma", kMirtAppChroma);
    WriteProfileString(d.section, "Keywords", d.keywords);
    WriteProfileString(d.section, "Extra word chars", d.extraWordChars);
    WriteProfileString(d.section, "Comment Start 1", d.commentStart1);
    WriteProfileString(d.section, "Comment End 1", d.commentEnd1);
    WriteProfileString(d.section, "Comment Start 2", d.commentStart2);
    WriteProfileString(d.section, "Comment End 2", d.commentEnd2);
    if (d.caseValue >= 0) WriteProfileInt(d.section, "Case", d.caseValue);
    if (d.tabSize >= 0) WriteProfileInt(d.section, "Tab size", d.tabSize);
  }
}

void CMirt2App::ReadBarFlags() {
  for (const MirtAppViewEntry& v : kMirtAppViewEntries)
    m_barVisible[v.bar] = GetProfileString(m_viewsSection, v.entry) != kMirtAppInvisible;
}

BOOL CMirt2App::TakeCommandLine(CCommandLineInfo& commandLine) {
  const CString& name = commandLine.m_strFileName;
  if (commandLine.m_nShellCommand == CCommandLineInfo::FileOpen) {
    if (name.GetLength() >= 4 && name.Right(4) == ".kpj")
      m_projectToOpen = name;
    else
      m_commandLineFile = name;
    return TRUE;
  }
  if (commandLine.m_nShellCommand == CCommandLineInfo::FileNew) return TRUE;
  return ProcessShellCommand(commandLine);
}

BOOL CMirt2App::CreateMainFrame() {
  auto* frame = new CMainFrame;
  g_pMainFrame = frame;
  m_pMainWnd = frame;
  if (!frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    m_pMainWnd = nullptr;
    g_pMainFrame = nullptr;
    return FALSE;
  }
  // The frame asks to start maximized; a plain "show normally" keeps that.
  const bool maximized = (frame->GetStyle() & WS_MAXIMIZE) && m_nCmdShow == SW_SHOWNORMAL;
  frame->ShowWindow(maximized ? SW_SHOWMAXIMIZED : m_nCmdShow);
  frame->UpdateWindow();
  return TRUE;
}

void CMirt2App::ReopenOpenFiles() {
  // Each document's activation would repaint the frame's tab strip; the
  // frame paints once, after the last one.
  const bool any = !GetProfileString(m_openFilesSection, MirtAppNumbered("%d", 1)).IsEmpty();
  CWnd* frame = any ? m_pMainWnd : nullptr;
  if (frame) frame->SetRedraw(FALSE);
  for (int n = 1;; ++n) {
    CString path = GetProfileString(m_openFilesSection, MirtAppNumbered("%d", n));
    if (path.IsEmpty()) break;
    m_reopenRect = GetProfileString(m_openFilesSection, MirtAppNumbered("Rect%d", n));
    m_nReopenStatus = static_cast<int>(GetProfileInt(m_openFilesSection, MirtAppNumbered("status%d", n), 0));
    int line = static_cast<int>(GetProfileInt(m_openFilesSection, MirtAppNumbered("Line%d", n), 0));
    CDocument* doc = OpenDocumentFile(path);
    if (!doc) continue;
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = pos ? doc->GetNextView(pos) : nullptr;
    if (auto* source = dynamic_cast<CMirt2View*>(view))
      source->GoToLine(line);
    else if (auto* disass = dynamic_cast<CDisview0View*>(view))
      disass->ShowLineAtTop(1);
  }
  m_reopenRect.Empty();
  m_nReopenStatus = -1;
  if (frame && ::IsWindow(frame->m_hWnd)) frame->SetRedraw(TRUE);
}

CDocument* CMirt2App::OpenDocumentFile(LPCSTR lpszFileName) {
  CDocument* doc = CWinApp::OpenDocumentFile(lpszFileName);
  if (!doc || !lpszFileName) return doc;
  WIN32_FIND_DATA found{};
  HANDLE search = FindFirstFile(lpszFileName, &found);
  if (search != INVALID_HANDLE_VALUE) {
    doc->SetTitle(found.cFileName);
    FindClose(search);
  }
  if (g_project.projectDir) {
    const char* name = FileNameFromPath(lpszFileName);
    POSITION at = g_breakpointList.GetHeadPosition();
    while (at) {
      const CBreakpoint& bp = g_breakpointList.GetNext(at);
      if (strcasecmp(bp.file, name) != 0) continue;
      POSITION pos = doc->GetFirstViewPosition();
      while (pos)
        if (auto* source = dynamic_cast<CMirt2View*>(doc->GetNextView(pos)))
          source->MarkBreakpointLine(bp.line);
    }
  }
  return doc;
}

void CMirt2App::SaveOpenFiles() {
  // Documents never saved have no path: they are left out, so the list
  // read at the next start has no gap.
  int n = 0;
  int showState = kMirtAppShowNormal;
  for (CMirt2Doc* doc : CMirt2Doc::OpenDocuments()) {
    if (doc->GetPathName().IsEmpty()) continue;
    ++n;
    POSITION pos = doc->GetFirstViewPosition();
    CView* view = pos ? doc->GetNextView(pos) : nullptr;
    auto* source = dynamic_cast<CMirt2View*>(view);
    WriteProfileString(m_openFilesSection, MirtAppNumbered("%d", n), doc->GetPathName());
    WriteProfileInt(m_openFilesSection, MirtAppNumbered("Line%d", n),
                    source ? source->GetCaretLineNumber() : 1);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (CFrameWnd* frame = view ? view->GetParentFrame() : nullptr) frame->GetWindowPlacement(&placement);
    WriteProfileString(m_openFilesSection, MirtAppNumbered("Rect%d", n),
                       FormatPlacementRect(placement.rcNormalPosition));
    if (placement.showCmd != kMirtAppShowNormal) showState = static_cast<int>(placement.showCmd);
  }
  for (int i = 1; i <= n; ++i) WriteProfileInt(m_openFilesSection, MirtAppNumbered("status%d", i), showState);
  for (int i = n + 1; !GetProfileString(m_openFilesSection, MirtAppNumbered("%d", i)).IsEmpty(); ++i) {
    WriteProfileString(m_openFilesSection, MirtAppNumbered("%d", i), "");
    WriteProfileString(m_openFilesSection, MirtAppNumbered("Rect%d", i), "");
    WriteProfileInt(m_openFilesSection, MirtAppNumbered("status%d", i), 0);
  }
}

// New documents are the main frame's (numbered "untitled %d"), also when a
// child window routes the command here.
void CMirt2App::OnFileNewDocument() {
  if (g_pMainFrame) g_pMainFrame->OnFileNew();
}

void CMirt2App::SaveOpenProject() {
  WriteProfileString(m_openProjectSection, "1", g_project.filePath ? g_project.filePath : "");
}

int CMirt2App::ExitInstance() {
  plat::RegistryWriteBatch batch;
  for (const MirtAppViewEntry& v : kMirtAppViewEntries)
    WriteProfileString(m_viewsSection, v.entry, m_barVisible[v.bar] ? "" : kMirtAppInvisible);
  return CWinApp::ExitInstance();
}
