// CMirt2App: the IDE's application object: start-up, the environments,
// the documents of the last run, and the bar flags kept under "Views".
#pragma once

#include "app/core/environment_list.h"
#include "platform/afx/afx.h"
#include "platform/afx/winapp.h"

class CDocument;
class CMultiDocTemplate;

// The eight bars whose visibility is kept under "Views", in that order.
enum MirtBar {
  kBarProject,
  kBarCallStack,
  kBarVariable,
  kBarRegisters,
  kBarOutput,
  kBarToolBar,
  kBarStatusBar,
  kBarDocumentTabs,
  kBarCount
};

class CMirt2App : public CWinApp {
 public:
  CMirt2App();
  ~CMirt2App() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  CDocument* OpenDocumentFile(LPCSTR lpszFileName) override;

  BOOL FindEnvironment(const char* name, CEnviron& out) const {
    return m_environments.FindEnvironment(name, out);
  }
  void SaveOpenFiles();
  void SaveOpenProject();
  void OnAppAbout();
  void OnFileNewDocument();

  CString m_reopenRect;
  int m_nReopenStatus = -1;
  CMultiDocTemplate* m_pSourceTemplate = nullptr;
  CMultiDocTemplate* m_pDisassemblyTemplate = nullptr;
  CString m_projectToOpen;
  CString m_viewsSection = "Views";
  CString m_openFilesSection = "Open Files";
  CString m_openProjectSection = "Open Project";
  CString m_programDir;
  BOOL m_barVisible[kBarCount] = {TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE};
  CEnvironmentList m_environments;
  CString m_commandLineFile;  // a source file named on the command line

 protected:
  void WriteEditorDefaults();
  void ReadBarFlags();
  BOOL TakeCommandLine(CCommandLineInfo& commandLine);
  BOOL CreateMainFrame();
  void ReopenOpenFiles();

  DECLARE_MESSAGE_MAP()
};

CMirt2App* GetMirt2App();
