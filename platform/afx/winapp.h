// CWinApp: the application object: start-up and message loop, the
// profile, the recent-file list, the command line, document templates and
// help.
#pragma once

#include <string>
#include <vector>

#include "platform/afx/commandline.h"
#include "platform/afx/winthread.h"

class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;

  // Read-only views of the names below.
  LPCSTR m_pszAppName = nullptr;
  LPCSTR m_pszExeName = nullptr;
  LPCSTR m_pszRegistryKey = nullptr;
  LPCSTR m_pszProfileName = nullptr;
  LPCSTR m_pszHelpFilePath = nullptr;
  HINSTANCE m_hInstance = nullptr;
  LPSTR m_lpCmdLine = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  CRecentFileList* m_pRecentFileList = nullptr;
  CDocManager* m_pDocManager = nullptr;
  UINT m_nNumPreviewPages = 0;

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int ExitInstance() override;
  BOOL OnIdle(LONG lCount) override;
  int Run() override;

  // Profile: forwarded to the application profile.
  void SetRegistryKey(LPCSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCSTR lpszSection);
  UINT GetProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nDefault);
  CString GetProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszDefault = nullptr);
  BOOL GetProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileInt(LPCSTR lpszSection, LPCSTR lpszEntry, int nValue);
  BOOL WriteProfileString(LPCSTR lpszSection, LPCSTR lpszEntry, LPCSTR lpszValue);
  BOOL WriteProfileBinary(LPCSTR lpszSection, LPCSTR lpszEntry, LPBYTE pData, UINT nBytes);

  // Recent files and standard settings.
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  void SaveStdProfileSettings();
  virtual void AddToRecentFileList(LPCSTR lpszPathName);

  // The command line.
  void ParseCommandLine(CCommandLineInfo& rCmdInfo);
  BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);
  // The program's arguments after its name (AfxWinMain sets them).
  void SetCommandLineArguments(const std::vector<std::string>& args);

  // Documents.
  void AddDocTemplate(CDocTemplate* pTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& pos) const;
  virtual CDocument* OpenDocumentFile(LPCSTR lpszFileName);
  virtual BOOL SaveAllModified();
  void CloseAllDocuments(BOOL bEndSession);
  int GetOpenDocumentCount();
  BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                        CDocTemplate* pTemplate);
  void HideApplication();

  // Help and messages.
  virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = 0x0001 /* HELP_CONTEXT */);
  virtual int DoMessageBox(LPCSTR lpszPrompt, UINT nType, UINT nIDPrompt);

  // Command handlers.
  void OnFileNew();
  void OnFileOpen();
  void OnFilePrintSetup();
  void OnAppExit();
  void OnHelp();
  BOOL OnOpenRecentFile(UINT nID);
  void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  void SetAppName(LPCSTR name);
  void EnsureDocManager();
  CString m_strAppName;
  CString m_strExeName;
  CString m_strRegistryKey;
  CString m_strProfileName;
  CString m_strHelpFilePath;
  CString m_strCmdLine;
  std::vector<std::string> m_args;
  bool m_argsSet = false;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
LPCSTR AfxGetAppName();
HINSTANCE AfxGetInstanceHandle();
// Runs the application object: InitApplication, InitInstance, Run.
int AfxWinMain(int argc, char** argv);

namespace afx {
// Requests to the help system: file, command, data. Tests and the help
// layer install a handler; without one help requests are dropped.
using HelpHandler = void (*)(LPCSTR helpFile, UINT command, DWORD_PTR data);
void SetHelpHandler(HelpHandler handler);
}  // namespace afx
