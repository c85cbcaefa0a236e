// The application object: profile forwarding, the recent-file list, the
// command line and the message loop with idle passes.
#include <gtest/gtest.h>

#include "afx_test_support.h"
#include "platform/sys/profile.h"
#include "platform/sys/registry.h"
#include "ui_test_support.h"

namespace {

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("AfxAppTest") {}
  int idlePasses = 0;
  bool closeOnIdle = false;
  BOOL OnIdle(LONG n) override {
    ++idlePasses;
    if (closeOnIdle && m_pMainWnd) {
      closeOnIdle = false;
      m_pMainWnd->PostMessage(WM_CLOSE);  // the main frame's close ends the loop
    }
    return CWinApp::OnIdle(n);
  }
};

TestApp& App() {
  static TestApp* app = new TestApp;
  return *app;
}

TEST(AfxApp, ProfileGoesThroughTheOneApplicationProfile) {
  TestApp& app = App();
  EXPECT_STREQ(AfxGetApp()->m_pszAppName, "AfxAppTest");
  app.WriteProfileInt("Section", "Number", 42);
  app.WriteProfileString("Section", "Text", "hello");
  EXPECT_EQ(plat::Profile::App().GetProfileInt("Section", "Number", 0), 42u);
  EXPECT_EQ(CString(plat::Profile::App().GetProfileString("Section", "Text", "")), "hello");

  app.SetRegistryKey("AfxTestCompany");
  EXPECT_STREQ(app.m_pszRegistryKey, "AfxTestCompany");
  app.WriteProfileInt("Section", "Number", 7);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\AfxTestCompany\\AfxAppTest\\Section", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD value = 0, size = sizeof value, type = 0;
  EXPECT_EQ(RegQueryValueEx(key, "Number", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(value, 7u);
  RegCloseKey(key);
  app.SetRegistryKey(static_cast<LPCSTR>(nullptr));
}

TEST(AfxApp, RecentFilesMoveToTheTopAndSurviveTheProfile) {
  TestApp& app = App();
  app.LoadStdProfileSettings(3);
  ASSERT_NE(app.m_pRecentFileList, nullptr);
  for (const char* path : {"/tmp/a.txt", "/tmp/b.txt", "/tmp/c.txt", "/tmp/A.TXT", "/tmp/d.txt"})
    app.AddToRecentFileList(path);
  CRecentFileList& list = *app.m_pRecentFileList;
  ASSERT_EQ(list.GetSize(), 3);
  // "A.TXT" is the same file as "a.txt" (no letter case), so it moved up in its new spelling.
  EXPECT_EQ(list[0], "/tmp/d.txt");
  EXPECT_EQ(list[1], "/tmp/A.TXT");
  EXPECT_EQ(list[2], "/tmp/c.txt");

  app.SaveStdProfileSettings();
  EXPECT_EQ(CString(app.GetProfileString("Recent File List", "File1", "")), "/tmp/d.txt");
  EXPECT_EQ(CString(app.GetProfileString("Recent File List", "File3", "")), "/tmp/c.txt");
  app.LoadStdProfileSettings(3);
  EXPECT_EQ((*app.m_pRecentFileList)[1], "/tmp/A.TXT");

  // A removed entry leaves a gap at the end, which the next save drops.
  app.m_pRecentFileList->Remove(0);
  app.SaveStdProfileSettings();
  EXPECT_EQ(CString(app.GetProfileString("Recent File List", "File3", "none")), "none");
}

TEST(AfxApp, AbbreviatedNamesKeepTheFileName) {
  struct Case {
    const char* path;
    int max;
    const char* shown;
  } cases[] = {
      {"/short/name.txt", 30, "/short/name.txt"},
      {"/home/user/projects/mirt/src/deep/file.c", 30, "/home/.../mirt/src/deep/file.c"},
      {"/home/user/projects/mirt/src/deep/file.c", 24, "/home/.../deep/file.c"},
      {"/home/user/averyveryverylongfilename.txt", 20, "averyveryverylongfilename.txt"},
  };
  for (const Case& c : cases) EXPECT_EQ(AfxAbbreviateName(c.path, c.max, TRUE), c.shown) << c.path;
}

TEST(AfxApp, CommandLineNamesTheShellCommand) {
  struct Case {
    std::vector<std::string> args;
    int command;
    const char* file;
    const char* printer;
  } cases[] = {
      {{}, CCommandLineInfo::FileNew, "", ""},
      {{"doc.txt"}, CCommandLineInfo::FileOpen, "doc.txt", ""},
      {{"/p", "doc.txt"}, CCommandLineInfo::FilePrint, "doc.txt", ""},
      {{"-pt", "doc.txt", "Printer", "Driver", "Port"}, CCommandLineInfo::FilePrintTo, "doc.txt", "Printer"},
      {{"/Unregserver"}, CCommandLineInfo::AppUnregister, "", ""},
      {{"/nologo", "x.lst"}, CCommandLineInfo::FileOpen, "x.lst", ""},
  };
  for (const Case& c : cases) {
    App().SetCommandLineArguments(c.args);
    CCommandLineInfo info;
    App().ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, c.command);
    EXPECT_EQ(info.m_strFileName, c.file);
    EXPECT_EQ(info.m_strPrinterName, c.printer);
  }
  App().SetCommandLineArguments({"/nologo"});
  CCommandLineInfo info;
  App().ParseCommandLine(info);
  EXPECT_FALSE(info.m_bShowSplash);
}

TEST(AfxApp, RunPassesIdleAndEndsOnQuit) {
  ui_test::EnsureApp();
  TestApp& app = App();
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
  app.m_pMainWnd = frame;
  app.idlePasses = 0;
  app.closeOnIdle = true;
  int code = app.Run();
  EXPECT_EQ(code, 0);
  EXPECT_GE(app.idlePasses, 1);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

}  // namespace
