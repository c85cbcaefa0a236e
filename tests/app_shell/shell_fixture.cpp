#include "shell_fixture.h"

#include <QImage>
#include <filesystem>
#include <fstream>

#include "app/core/project_data.h"
#include "editor/view/cmirt2doc.h"
#include "platform/afx/docmanager.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/registry.h"
#include "platform/ui/modal.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace shell_test {

namespace {

CMirt2App* g_shellApp = nullptr;

void ShellDeleteKeyTree(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  for (;;) {
    DWORD size = sizeof child;
    if (RegEnumKeyEx(key, 0, child, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    ShellDeleteKeyTree(key, child);
  }
  RegCloseKey(key);
  RegDeleteKey(parent, name.c_str());
}

}  // namespace

void ForgetProfile() {
  std::string app = AfxGetApp() ? AfxGetApp()->m_pszAppName : "";
  ShellDeleteKeyTree(HKEY_CURRENT_USER, "Software\\KALVEN\\" + app);
}

CMirt2App& ShellTest::app() {
  if (!g_shellApp) g_shellApp = new CMirt2App;
  return *g_shellApp;
}

void ShellTest::SetUp() {
  ui_test::EnsureApp();
  app().SetRegistryKey("KALVEN");
  ForgetProfile();
  plat::ClearMessageBoxRecords();
  plat::ClearModalRecords();
  dir = mirt_test::MakeTempDir("shell");
  std::filesystem::copy_file(mirt_test::ProgramDir() + "/mirt.cfg", dir + "/mirt.cfg");
  SetCurrentDirectory(dir.c_str());
}

void ShellTest::Start(const std::vector<std::string>& args) {
  app().SetCommandLineArguments(args);
  ASSERT_TRUE(app().InitInstance());
  frame = g_pMainFrame;
  ASSERT_NE(frame, nullptr);
  Pump();
}

void ShellTest::Close() {
  if (!frame) return;
  CMainFrame* closing = frame;
  frame = nullptr;  // the close deletes it
  closing->SendMessage(WM_CLOSE);
  Pump();
  app().ExitInstance();
}

void ShellTest::TearDown() {
  // A build still running ends while the frame can take its reader's messages.
  if (frame && ::IsWindow(frame->m_hWnd)) frame->DeleteBuildProcess();
  if (frame && ::IsWindow(frame->m_hWnd)) {
    CMainFrame* closing = frame;
    frame = nullptr;  // destroying the window deletes it
    closing->DestroyWindow();
    Pump();
  }
  frame = nullptr;
  app().m_pMainWnd = nullptr;
  delete app().m_pDocManager;
  app().m_pDocManager = nullptr;
  app().m_pSourceTemplate = nullptr;
  app().m_pDisassemblyTemplate = nullptr;
  app().m_projectToOpen.Empty();
  app().m_commandLineFile.Empty();
  g_project.SetFilePath(nullptr);
  g_project.kind = 0;
  g_project.SetProjectDir(nullptr);
  g_project.SetLibDirs(nullptr);
  g_project.sources.RemoveAll();
  g_project.headers.RemoveAll();
  g_project.libs.RemoveAll();
  g_project.objs.RemoveAll();
  SetCurrentDirectory(mirt_test::ProgramDir().c_str());
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  // The main window's end asked the thread to quit; left pending, that
  // request would stop every pump of the next test before its paints.
  MSG quit;
  while (::PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

void ShellTest::Pump() {
  for (int i = 0; i < 4; ++i) {
    ::PumpWaitingMessages();
    if (frame && ::IsWindow(frame->m_hWnd)) app().OnIdle(0);
  }
  if (frame && ::IsWindow(frame->m_hWnd)) ::UpdateWindow(frame->m_hWnd);
}

void ShellTest::Picture(HWND hwnd, const char* name) {
  Pump();
  Pump();  // the idle updates' repaints
  QImage image = ui_test::Picture(hwnd);
  image.save(QString::fromStdString(mirt_test::ProgramDir() + "/app_shell_" + name + ".png"));
}

std::string ShellTest::MakeFile(const std::string& name, const std::string& text) {
  return mirt_test::WriteFile(dir + "/" + name, text);
}

int ShellTest::OpenDocumentCount() { return static_cast<int>(CMirt2Doc::OpenDocuments().size()); }

}  // namespace shell_test
