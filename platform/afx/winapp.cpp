#include "platform/afx/winapp.h"

#include "platform/afx/afxstrings.h"
#include "platform/afx/cmdui.h"
#include "platform/afx/docmanager.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/recentfilelist.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/sys/process.h"
#include "platform/sys/profile.h"
#include "platform/ui/application.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {
CWinApp* g_app = nullptr;
afx::HelpHandler g_help = nullptr;
}  // namespace

namespace afx {
void SetHelpHandler(HelpHandler handler) { g_help = handler; }
}  // namespace afx

CWinApp* AfxGetApp() { return g_app; }

CWnd* AfxGetMainWnd() {
  CWinThread* thread = AfxGetThread();
  if (thread && thread->GetMainWnd()) return thread->GetMainWnd();
  return g_app ? g_app->GetMainWnd() : nullptr;
}

LPCSTR AfxGetAppName() { return g_app ? g_app->m_pszAppName : ""; }
HINSTANCE AfxGetInstanceHandle() { return g_app ? g_app->m_hInstance : nullptr; }

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND(ID_HELP, OnHelp)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName) {
  g_app = this;
  afx::SetCurrentThreadObject(this);
  m_nThreadID = ::GetCurrentThreadId();
  m_bAutoDelete = FALSE;
  m_hInstance = AfxGetResourceHandle();
  m_strExeName = plat::FileTitlePart(plat::ProgramPath()).c_str();
  m_pszExeName = m_strExeName;
  if (lpszAppName)
    SetAppName(lpszAppName);
  else
    SetAppName(m_strExeName);
  m_pszRegistryKey = nullptr;
}

CWinApp::~CWinApp() {
  delete m_pDocManager;
  m_pDocManager = nullptr;
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (g_app == this) g_app = nullptr;
}

void CWinApp::SetAppName(LPCSTR name) {
  m_strAppName = name ? name : "";
  m_pszAppName = m_strAppName;
  plat::Profile::App().SetAppName(m_strAppName);
  m_strProfileName = plat::Profile::App().GetProfileName();
  m_pszProfileName = m_strProfileName;
}

BOOL CWinApp::InitApplication() {
  // A title string in the program's resources names the application.
  CString title;
  if (title.LoadString(AFX_IDS_APP_TITLE)) SetAppName(title);
  return TRUE;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return CWinThread::ExitInstance();
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

int CWinApp::Run() {
  // Without a main window there is nothing to run the loop for.
  if (!m_pMainWnd) AfxPostQuitMessage(0);
  return CWinThread::Run();
}

// ---- Profile ----

void CWinApp::SetRegistryKey(LPCSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey ? lpszRegistryKey : "";
  m_pszRegistryKey = m_strRegistryKey.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_strRegistryKey);
  plat::Profile::App().SetRegistryKey(m_strRegistryKey);
  plat::Profile::App().SetAppName(m_strAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() { return plat::Profile::App().GetAppRegistryKey(); }
HKEY CWinApp::GetSectionKey(LPCSTR s) { return plat::Profile::App().GetSectionKey(s); }
UINT CWinApp::GetProfileInt(LPCSTR s, LPCSTR e, int d) { return plat::Profile::App().GetProfileInt(s, e, d); }
CString CWinApp::GetProfileString(LPCSTR s, LPCSTR e, LPCSTR d) {
  return plat::Profile::App().GetProfileString(s, e, d);
}
BOOL CWinApp::GetProfileBinary(LPCSTR s, LPCSTR e, LPBYTE* p, UINT* n) {
  return plat::Profile::App().GetProfileBinary(s, e, p, n);
}
BOOL CWinApp::WriteProfileInt(LPCSTR s, LPCSTR e, int v) {
  return plat::Profile::App().WriteProfileInt(s, e, v);
}
BOOL CWinApp::WriteProfileString(LPCSTR s, LPCSTR e, LPCSTR v) {
  return plat::Profile::App().WriteProfileString(s, e, v);
}
BOOL CWinApp::WriteProfileBinary(LPCSTR s, LPCSTR e, LPBYTE p, UINT n) {
  return plat::Profile::App().WriteProfileBinary(s, e, p, n);
}

// ---- Recent files ----

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  delete m_pRecentFileList;
  m_pRecentFileList = nullptr;
  if (nMaxMRU > 16) nMaxMRU = 16;
  if (nMaxMRU != 0) {
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
    m_pRecentFileList->ReadList();
  }
  m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
  if (m_nNumPreviewPages != 0)
    WriteProfileInt("Settings", "PreviewPages", static_cast<int>(m_nNumPreviewPages));
}

void CWinApp::AddToRecentFileList(LPCSTR lpszPathName) {
  if (m_pRecentFileList) m_pRecentFileList->Add(lpszPathName);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
  if (!m_pRecentFileList) return FALSE;
  int index = static_cast<int>(nID - ID_FILE_MRU_FILE1);
  if (index < 0 || index >= m_pRecentFileList->GetSize() || (*m_pRecentFileList)[index].IsEmpty())
    return FALSE;
  CString path = (*m_pRecentFileList)[index];
  if (!OpenDocumentFile(path)) m_pRecentFileList->Remove(index);
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
  if (m_pRecentFileList)
    m_pRecentFileList->UpdateMenu(pCmdUI);
  else
    pCmdUI->Enable(FALSE);
}

// ---- Command line ----

void CWinApp::SetCommandLineArguments(const std::vector<std::string>& args) {
  m_args = args;
  m_argsSet = true;
  m_strCmdLine.Empty();
  for (size_t i = 0; i < args.size(); ++i) {
    if (i) m_strCmdLine += ' ';
    bool quote = args[i].find(' ') != std::string::npos || args[i].empty();
    if (quote) m_strCmdLine += '"';
    m_strCmdLine += args[i].c_str();
    if (quote) m_strCmdLine += '"';
  }
  m_lpCmdLine = const_cast<LPSTR>(static_cast<LPCSTR>(m_strCmdLine));
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
  std::vector<std::string> args = m_argsSet ? m_args : plat::SplitCommandLine(m_lpCmdLine ? m_lpCmdLine : "");
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    bool flag = a.size() > 1 && (a[0] == '-' || (a[0] == '/' && CCommandLineInfo::IsFlagName(a.c_str() + 1)));
    rCmdInfo.ParseParam(flag ? a.c_str() + 1 : a.c_str(), flag, i + 1 == args.size());
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
  switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
      if (!AfxGetApp()->OnCmdMsg(ID_FILE_NEW, 0, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
      return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint: {
      if (!OpenDocumentFile(rCmdInfo.m_strFileName)) return FALSE;
      if (m_pMainWnd) {
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
        m_pMainWnd->SendMessage(WM_CLOSE, 0, 0);
      }
      return FALSE;  // printed: nothing more to run
    }
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::AppUnregister:
      return FALSE;
    case CCommandLineInfo::FileNothing:
    default:
      return TRUE;
  }
}

// ---- Documents ----

void CWinApp::EnsureDocManager() {
  if (!m_pDocManager) m_pDocManager = new CDocManager;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
  EnsureDocManager();
  m_pDocManager->AddDocTemplate(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
  return m_pDocManager ? m_pDocManager->GetFirstDocTemplatePosition() : nullptr;
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
  return m_pDocManager ? m_pDocManager->GetNextDocTemplate(pos) : nullptr;
}

CDocument* CWinApp::OpenDocumentFile(LPCSTR lpszFileName) {
  return m_pDocManager ? m_pDocManager->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::SaveAllModified() { return m_pDocManager ? m_pDocManager->SaveAllModified() : TRUE; }

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
  if (m_pDocManager) m_pDocManager->CloseAllDocuments(bEndSession);
}

int CWinApp::GetOpenDocumentCount() { return m_pDocManager ? m_pDocManager->GetOpenDocumentCount() : 0; }

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpen, CDocTemplate* t) {
  EnsureDocManager();
  return m_pDocManager->DoPromptFileName(fileName, nIDSTitle, lFlags, bOpen, t);
}

void CWinApp::OnFileNew() {
  if (m_pDocManager) m_pDocManager->OnFileNew();
}

void CWinApp::OnFileOpen() {
  EnsureDocManager();
  m_pDocManager->OnFileOpen();
}

void CWinApp::OnFilePrintSetup() {}

void CWinApp::HideApplication() {
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->ShowWindow(SW_HIDE);
}

void CWinApp::OnAppExit() {
  if (m_pMainWnd && m_pMainWnd->m_hWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

// ---- Help and messages ----

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd) {
  if (g_help) g_help(m_pszHelpFilePath ? m_pszHelpFilePath : "", nCmd, dwData);
}

void CWinApp::OnHelp() {
  // The window with the focus (or its frame) names the context first.
  HWND focus = ::GetFocus();
  for (HWND h = focus; h; h = ::GetParent(h))
    if (::SendMessage(h, WM_COMMANDHELP, 0, 0)) return;
  if (m_pMainWnd && m_pMainWnd->m_hWnd && m_pMainWnd->SendMessage(WM_COMMANDHELP, 0, 0)) return;
  WinHelp(0, 0x000B /* HELP_FINDER */);
}

int CWinApp::DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt) {
  return ::AfxMessageBox(lpszPrompt, nType, nIDPrompt);
}

// ---- Start-up ----

int AfxWinMain(int argc, char** argv) {
  CWinApp* app = AfxGetApp();
  if (!app) return -1;
  mirt_ui::EnsureApplication(argc, argv);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  app->SetCommandLineArguments(args);
  int code;
  if (!app->InitApplication() || !app->InitInstance()) {
    if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd) app->m_pMainWnd->DestroyWindow();
    code = app->ExitInstance();
  } else {
    code = app->Run();
  }
  return code;
}
