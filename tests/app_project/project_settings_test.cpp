// The Project Settings command with a test plug-in that records what it
// got and answers as scripted, and once with the real GNU plug-in.
#include <gtest/gtest.h>

#include <string>

#include "app/core/project_data.h"
#include "app/project_settings_command.h"
#include "app/project_tree.h"
#include "platform/sys/library.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/dialog.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "tests/app_project/fake_settings_plugin.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"

namespace {

constexpr auto kTemplate =
    "VERSION=MIRT-KPT0\r\nCFLAGS=-g\r\nTOOLDIR=/usr/bin\r\nCARDCLASS=QJX\r\nBAUDRATE=0\r\nLIBS=\r\nOBJS=\r\n";

class ProjectSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    plat::ClearMessageBoxRecords();
    plat::ClearModalRecords();
    dir = mirt_test::MakeTempDir("settings");
    mirt_test::WriteFile(dir + "/tmpl.kpt", kTemplate);
    project.Clear();
    project.environment.settings = plugin.data();
    project.environment.defaultProject = templateName.data();
    project.environment.name = envName.data();
    project.SetFilePath((dir + "/demo.kpj").c_str());
    project.SetProjectDir(dir.c_str());
    project.SetCFlags("-g -O0");
    project.SetIncDirs("/inc");
    project.SetExeFile("demo.exe");
    project.SetCardNumber(3);
    project.SetCardClass(kCardClassQJ);
    project.SetBaudRate(115200);
    project.AddLibrary("m.lib");
    project.AddObjectFile("start.o");
    project.MarkSaved();
    library = LoadLibrary("fakeopt.dll");
    ASSERT_NE(library, nullptr) << plat::LastLibraryError();
    fake = reinterpret_cast<FakeSettingsProc>(
        reinterpret_cast<void*>(GetProcAddress(library, "FakeSettings")))();
    *fake = FakeSettingsState{};
  }
  void TearDown() override {
    project.environment = CEnviron{};
    if (library) FreeLibrary(library);
  }
  void Run(BOOL session = FALSE, CProjectTree* tree = nullptr) {
    CProjectSettingsCommand(project, dir).Run(session, nullptr, tree);
  }
  std::string ProjectFile() { return mirt_test::ReadFile(dir + "/demo.kpj"); }

  std::string dir;
  std::string plugin = "fakeopt.dll", templateName = "tmpl.kpt", envName = "Test env";
  ProjectData project;
  HMODULE library = nullptr;
  FakeSettingsState* fake = nullptr;
};

TEST_F(ProjectSettingsTest, ConfirmedValuesGoBackAndTheProjectIsSaved) {
  Run(TRUE);
  ASSERT_EQ(fake->calls, 1);
  EXPECT_EQ(fake->seenNoBoardPages, 1);
  EXPECT_EQ(fake->seenCFlags, "-g -O0");
  EXPECT_EQ(fake->seenIncDirs, "/inc");
  EXPECT_EQ(fake->seenCardNumber, 3);
  EXPECT_EQ(fake->seenCardClass, kCardClassQJ);
  EXPECT_EQ(fake->seenBaudRate, 115200u);
  EXPECT_STREQ(project.cFlags, "-O2");
  EXPECT_STREQ(project.insFile, "demo.ins");
  EXPECT_EQ(project.cardNumber, 7);
  EXPECT_FALSE(project.IsDirty());
  EXPECT_NE(ProjectFile().find("CFLAGS=-O2\r\n"), std::string::npos);
  EXPECT_NE(ProjectFile().find("CARDNUMBER=7\r\n"), std::string::npos);
  // The template is untouched without "Set As Default".
  EXPECT_EQ(mirt_test::ReadFile(dir + "/tmpl.kpt"), kTemplate);
}

TEST_F(ProjectSettingsTest, CancelKeepsTheProjectButDefaultsStillReachTheTemplate) {
  fake->confirm = 0;
  fake->setDefaults = 1;
  Run();
  EXPECT_STREQ(project.cFlags, "-g -O0");
  EXPECT_EQ(ProjectFile(), "");  // never saved
  ProjectData saved;
  saved.SetFilePath((dir + "/tmpl.kpt").c_str());
  ASSERT_EQ(saved.Load(kProjectTemplate), 1);
  EXPECT_STREQ(saved.cFlags, "-Os");
  EXPECT_STREQ(saved.toolDir, "/default/tools");
  EXPECT_EQ(saved.baudRate, 9600u);
  EXPECT_EQ(saved.cardClass, kCardClassQJ);  // the template keeps its own
  EXPECT_STREQ(saved.exeFile, "");
  EXPECT_STREQ(saved.libs.Begin() ? saved.GetLib() : "", "m.lib");
  EXPECT_STREQ(saved.objs.Begin() ? saved.GetObj() : "", "start.o");
}

// A value the plug-in's 255-character fields would cut is refused by name
// before anything changes.
TEST_F(ProjectSettingsTest, OverlongValueIsNamedAndNothingChanges) {
  constexpr size_t kFieldLimit = 255;
  std::string flags(kFieldLimit + 1, 'x');
  project.SetLinkFlags(flags.c_str());
  project.MarkSaved();
  Run();
  EXPECT_EQ(fake->calls, 0);
  EXPECT_STREQ(project.linkFlags, flags.c_str());
  EXPECT_FALSE(project.IsDirty());
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("LINKFLAGS"), std::string::npos) << boxes[0].text;
  EXPECT_EQ(boxes[0].caption, "MIRT Error");

  project.SetLinkFlags(std::string(kFieldLimit, 'y').c_str());
  Run();
  EXPECT_EQ(fake->calls, 1);
}

TEST_F(ProjectSettingsTest, MissingOrUnloadablePluginIsShown) {
  struct Case {
    const char* plugin;
    const char* text;
    const char* caption;
  };
  const Case kCases[] = {
      {"", "No settings dll specified", "MIRT Error"},
      {"nosuchopt.dll", "nosuchopt.dll", "Could not load dll"},
  };
  for (const Case& c : kCases) {
    plat::ClearMessageBoxRecords();
    plugin = c.plugin;
    project.environment.settings = plugin.data();
    Run();
    auto boxes = plat::MessageBoxRecords();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.text);
    EXPECT_EQ(boxes[0].caption, c.caption);
  }
}

TEST_F(ProjectSettingsTest, AProjectWithoutInstallationFileLosesItsTreeItem) {
  CWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "p", WS_POPUP, 0, 0, 100, 100, nullptr, 0));
  CProjectTree tree;
  ASSERT_TRUE(tree.Create(WS_CHILD, CRect(0, 0, 100, 100), &parent, CProjectTree::kControlId));
  tree.AddInstallationItem("old.ins");
  fake->newInsFile = "";
  Run(FALSE, &tree);
  EXPECT_EQ(tree.GetChildItem(tree.RootItem()), nullptr);
  tree.DestroyWindow();
  parent.DestroyWindow();
}

// The real GNU plug-in, confirmed with OK.
TEST_F(ProjectSettingsTest, RealGnuPluginSavesTheConfirmedProject) {
  plugin = "gnuopt.dll";
  project.environment.settings = plugin.data();
  std::string caption;
  plat::PushDialogAction([&](HWND h) {
    char text[128] = {};
    GetWindowText(h, text, sizeof text);
    caption = text;
    SendMessage(GetDlgItem(h, IDOK), BM_CLICK, 0, 0);
  });
  Run();
  EXPECT_EQ(caption, "Project Settings");
  EXPECT_FALSE(project.IsDirty());
  EXPECT_NE(ProjectFile().find("VERSION=MIRT-KPJ0"), std::string::npos);
  // "-O0" is the optimisation page's "No optimization", which writes nothing.
  EXPECT_NE(ProjectFile().find("CFLAGS=-I/inc -std=gnu89 -g -Wall \r\n"), std::string::npos) << ProjectFile();
}

}  // namespace
