// The application object: profile forwarding, the recent-file list, the
// command line and the message loop with idle passes.
#include <gtest/gtest.h>

#include "afx_test_support.h"
#include "platform/sys/profile.h"
#include "tests/support/test_support.h"
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
  ASSERT_EQ(
      RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\AfxTestCompany\\AfxAppTest\\Section", 0, KEY_READ, &key),
      ERROR_SUCCESS);
  DWORD value = 0, size = sizeof value, type = 0;
  EXPECT_EQ(RegQueryValueEx(key, "Number", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
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
      {{"/home/user/missing.txt"},
       CCommandLineInfo::FileOpen,
       "/home/user/missing.txt",
       ""},  // a path, not a flag
      {{"/p", "/tmp/doc.txt"}, CCommandLineInfo::FilePrint, "/tmp/doc.txt", ""},
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

namespace {

TEST(AfxDockState, ArchiveRoundTripKeepsEveryRecord) {
  std::string path = mirt_test::MakeTempDir("dock") + "/layout.bin";
  CDockState out;
  auto* dock = new CControlBarInfo;
  dock->m_nBarID = AFX_IDW_DOCKBAR_TOP;
  dock->m_bDockBar = TRUE;
  for (UINT_PTR id : {0u, 0xE840u, 0u, 0xE841u + 0x10000u, 0u})
    dock->m_arrBarID.Add(reinterpret_cast<void*>(id));
  auto* bar = new CControlBarInfo;
  bar->m_nBarID = 0xE840;
  bar->m_bVisible = FALSE;
  bar->m_pointPos = CPoint(12, 34);
  bar->m_bDocking = TRUE;
  bar->m_uMRUDockID = AFX_IDW_DOCKBAR_LEFT;
  bar->m_rectMRUDockPos = CRect(1, 2, 3, 4);
  bar->m_dwMRUFloatStyle = CBRS_ALIGN_TOP;
  bar->m_ptMRUFloatPos = CPoint(-1, -1);
  out.m_arrBarInfo.Add(dock);
  out.m_arrBarInfo.Add(bar);
  {
    CFile file;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    CArchive ar(&file, CArchive::store);
    out.Serialize(ar);
    ar << CString("after");
    ar.Close();
  }
  CDockState in;
  CFile file;
  ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
  CArchive ar(&file, CArchive::load);
  in.Serialize(ar);
  CString after;
  ar >> after;
  EXPECT_EQ(after, "after");
  ASSERT_EQ(in.m_arrBarInfo.GetSize(), 2);
  auto* d = static_cast<CControlBarInfo*>(in.m_arrBarInfo[0]);
  ASSERT_EQ(d->m_arrBarID.GetSize(), 5);
  EXPECT_EQ(reinterpret_cast<UINT_PTR>(d->m_arrBarID[3]), 0xE841u + 0x10000u);
  auto* b = static_cast<CControlBarInfo*>(in.m_arrBarInfo[1]);
  EXPECT_FALSE(b->m_bVisible);
  EXPECT_EQ(b->m_pointPos, CPoint(12, 34));
  EXPECT_EQ(b->m_uMRUDockID, static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));
  EXPECT_EQ(b->m_rectMRUDockPos, CRect(1, 2, 3, 4));
  EXPECT_EQ(b->m_ptMRUFloatPos, CPoint(-1, -1));

  // A layout cut short ends in an archive exception, not in garbage.
  std::string bytes = mirt_test::ReadFile(path);
  mirt_test::WriteFile(path, bytes.substr(0, bytes.size() / 2));
  CFile cut;
  ASSERT_TRUE(cut.Open(path.c_str(), CFile::modeRead));
  CArchive ar2(&cut, CArchive::load);
  CDockState broken;
  bool threw = false;
  try {
    broken.Serialize(ar2);
  } catch (CException* e) {
    threw = true;
    e->Delete();
  }
  EXPECT_TRUE(threw);
}

}  // namespace

namespace {

TEST(AfxModuleState, ManagedStateShowsThisModulesResourcesForTheScope) {
  HINSTANCE mine = AfxGetStaticModuleState()->m_hCurrentResourceHandle;
  ASSERT_NE(mine, nullptr);
  EXPECT_EQ(mine, mirt_ui::ModuleHandleOf(reinterpret_cast<const void*>(&App)));
  HINSTANCE before = AfxGetResourceHandle();
  HINSTANCE other = reinterpret_cast<HINSTANCE>(static_cast<UINT_PTR>(0x1234));
  AfxSetResourceHandle(other);
  {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    EXPECT_EQ(AfxGetResourceHandle(), mine);
  }
  EXPECT_EQ(AfxGetResourceHandle(), other);
  AfxSetResourceHandle(before);
}

}  // namespace

namespace {

TEST(AfxDockState, PositionsSavedOnAnotherScreenSizeAreScaled) {
  plat::Profile& p = plat::Profile::App();
  int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  p.WriteProfileInt("Scaled-Summary", "Bars", 1);
  p.WriteProfileInt("Scaled-Summary", "ScreenCX", cx / 2);
  p.WriteProfileInt("Scaled-Summary", "ScreenCY", cy / 2);
  p.WriteProfileInt("Scaled-Bar0", "BarID", 0xE840);
  p.WriteProfileInt("Scaled-Bar0", "XPos", 10);
  p.WriteProfileInt("Scaled-Bar0", "YPos", 20);
  p.WriteProfileInt("Scaled-Bar0", "Docking", 1);
  p.WriteProfileInt("Scaled-Bar0", "MRUDockLeftPos", 30);
  p.WriteProfileInt("Scaled-Bar0", "MRUDockTopPos", 40);
  p.WriteProfileInt("Scaled-Bar0", "MRUDockRightPos", 130);
  p.WriteProfileInt("Scaled-Bar0", "MRUDockBottomPos", 64);
  CDockState state;
  state.LoadState("Scaled");
  ASSERT_EQ(state.m_arrBarInfo.GetSize(), 1);
  auto* info = static_cast<CControlBarInfo*>(state.m_arrBarInfo[0]);
  EXPECT_EQ(info->m_pointPos, CPoint(20, 40));
  EXPECT_EQ(info->m_rectMRUDockPos, CRect(60, 80, 160, 104));  // moved, not resized
  EXPECT_TRUE(info->m_bVisible);
  EXPECT_EQ(info->m_nMRUWidth, 32767u);

  // Saved again, only what differs from the defaults is written.
  state.SaveState("Again");
  EXPECT_EQ(p.GetProfileInt("Again-Bar0", "Visible", 99), 99u);
  EXPECT_EQ(p.GetProfileInt("Again-Bar0", "MRUWidth", 99), 99u);
  EXPECT_EQ(p.GetProfileInt("Again-Bar0", "XPos", 0), 20u);
  EXPECT_EQ(p.GetProfileInt("Again-Summary", "Bars", 0), 1u);
}

}  // namespace

namespace {

TEST(AfxDockState, ASecondSaveLeavesNoStaleKeysBehind) {
  // Keys are only written when they differ from their defaults, so a key
  // of an earlier save must not survive into the next one.
  for (BOOL visible : {FALSE, TRUE}) {
    CDockState state;
    auto* info = new CControlBarInfo;
    info->m_nBarID = 0xE840;
    info->m_bVisible = visible;
    state.m_arrBarInfo.Add(info);
    state.SaveState("Stale");
  }
  CDockState loaded;
  loaded.LoadState("Stale");
  ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 1);
  EXPECT_TRUE(static_cast<CControlBarInfo*>(loaded.m_arrBarInfo[0])->m_bVisible);
}

}  // namespace
