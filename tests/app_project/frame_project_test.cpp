// The main frame's project commands offscreen: opening and closing a
// project with answered boxes, New Project through its dialog, a real
// host build into the Build pane, settings and install through the frame.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "app/command_ids.h"
#include "app/core/project_data.h"
#include "app/new_project_dialog.h"
#include "app/new_project_values.h"
#include "app/project_tree.h"
#include "debugger/breakpoint_list.h"
#include "debugger/driver_binding.h"
#include "drivers/sim/simulator.h"
#include "editor/view/cmirt2doc.h"
#include "platform/sys/file.h"
#include "platform/sys/library.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/dropfiles.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "shell_fixture.h"
#include "tests/app_project/fake_settings_plugin.h"
#include "tests/support/test_support.h"

namespace {

constexpr auto kHostEnvironment = "Linux host C++ (gcc)";
constexpr auto kProjectText =
    "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=demo.elf\r\nINSFILE=demo.ins\r\n"
    "SOURCEFILES=main.c \r\nHEADER=main.h \r\nTOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nOBJSUFFIX=o\r\n"
    "CARDCLASS=QJX\r\nCARDNUMBER=0\r\nLIBS=m.lib \r\nOBJS=start.o \r\n";
constexpr auto kMainSource = "#include <stdio.h>\nint main(void) { puts(\"hello\"); return 0; }\n";
constexpr DWORD kBuildWaitMs = 60000;

class ProjectFrameTest : public shell_test::ShellTest {
 protected:
  void TearDown() override {
    ShellTest::TearDown();
    g_breakpointList.RemoveAll();
  }
  // Texts of an item's children (the top level for null).
  std::vector<std::string> Children(HTREEITEM item) {
    CProjectTree* tree = frame->GetProjectTree();
    std::vector<std::string> out;
    for (HTREEITEM i = item ? tree->GetChildItem(item) : tree->GetRootItem(); i;
         i = tree->GetNextSiblingItem(i))
      out.push_back(static_cast<const char*>(tree->GetItemText(i)));
    return out;
  }
  HTREEITEM Group(const char* text) {
    CProjectTree* tree = frame->GetProjectTree();
    for (HTREEITEM i = tree->GetChildItem(tree->RootItem()); i; i = tree->GetNextSiblingItem(i))
      if (std::string(tree->GetItemText(i)) == text) return i;
    return nullptr;
  }
  std::string OpenDemoProject() {
    std::string path = MakeFile("demo.kpj", kProjectText);
    MakeFile("main.c", kMainSource);
    CBreakpointList saved;
    saved.AddTail(CBreakpoint((dir + "/main.c").c_str(), 2));
    MakeFile("demo.bpl", saved.ToText());
    frame->OpenProjectFile(path.c_str());
    Pump();
    return path;
  }
  std::string BuildPane() { return frame->GetOutputBar().GetBuildPane().GetStoredText(); }
  std::string DebugPane() { return frame->GetOutputBar().GetDebugPane().GetStoredText(); }
  std::string CurrentFolder() {
    char buffer[4096] = {};
    GetCurrentDirectory(sizeof buffer, buffer);
    return buffer;
  }
  // Waits, serving the build's messages, until the Build pane shows a result.
  bool WaitForBuildResult() {
    return WaitServingMessages(
        [this] {
          std::string text = BuildPane();
          return text.find("Build terminated successfully") != std::string::npos ||
                 text.find("Executable is up to date") != std::string::npos ||
                 text.find("Executable could not be built") != std::string::npos;
        },
        kBuildWaitMs);
  }
};

TEST_F(ProjectFrameTest, OpeningFillsTheTreeEntersTheFolderAndLoadsTheBreakpoints) {
  Start();
  std::string path = OpenDemoProject();
  EXPECT_EQ(Children(nullptr), std::vector<std::string>{"demo.elf"});
  EXPECT_EQ(Children(frame->GetProjectTree()->RootItem()),
            (std::vector<std::string>{"Sources", "Header", "Libraries/OBJs", "Installation file"}));
  EXPECT_EQ(Children(Group("Libraries/OBJs")), (std::vector<std::string>{"m.lib", "start.o"}));
  EXPECT_FALSE(g_project.IsDirty());
  EXPECT_TRUE(std::filesystem::equivalent(CurrentFolder(), dir));
  EXPECT_EQ(std::string((*frame->GetRecentProjects())[0]), path);
  EXPECT_EQ(g_breakpointList.GetCount(), 1);
  EXPECT_TRUE(frame->GetProjectBar()->IsWindowVisible());
  Picture(frame->m_hWnd, "project_open");
}

// Files dropped from another program on the project bar join the project
// in the dropped order, each by its kind.
TEST_F(ProjectFrameTest, FilesDroppedOnTheProjectBarJoinTheProject) {
  Start();
  OpenDemoProject();
  std::vector<std::string> dropped = {dir + "/io.c", dir + "/io.h", dir + "/sub/x.LIB"};
  HWND bar = frame->GetProjectBar()->m_hWnd;
  ASSERT_TRUE(mirt_ui::DropFiles(bar, dropped, POINT{10, 40}));
  Pump();
  EXPECT_EQ(Children(Group("Sources")), (std::vector<std::string>{"main.c", "io.c"}));
  EXPECT_EQ(Children(Group("Header")), (std::vector<std::string>{"main.h", "io.h"}));
  EXPECT_EQ(Children(Group("Libraries/OBJs")), (std::vector<std::string>{"m.lib", "start.o", "sub/x.LIB"}));
  EXPECT_TRUE(g_project.IsDirty());
}

TEST_F(ProjectFrameTest, ABrokenProjectFileLeavesNoProjectOpen) {
  Start();
  std::string path = MakeFile("bad.kpj", "VERSION=MIRT-KPT0\r\n");
  frame->OpenProjectFile(path.c_str());
  EXPECT_EQ(g_project.filePath, nullptr);
  ASSERT_FALSE(plat::MessageBoxRecords().empty());
  EXPECT_EQ(plat::MessageBoxRecords().back().text, "kpj file has wrong version");
}

TEST_F(ProjectFrameTest, CancelInTheProjectsSaveQuestionKeepsItOpen) {
  Start();
  std::string path = OpenDemoProject();
  g_project.AddSourceFile("extra.c");
  plat::PushMessageBoxAnswer(IDCANCEL);
  frame->OnCloseProject();
  ASSERT_NE(g_project.filePath, nullptr);
  EXPECT_EQ(plat::MessageBoxRecords().back().text, "save changes made to the project?");
  EXPECT_FALSE(Children(nullptr).empty());

  plat::PushMessageBoxAnswer(IDNO);
  frame->OnCloseProject();
  Pump();
  EXPECT_EQ(g_project.filePath, nullptr);
  EXPECT_EQ(frame->GetProjectTree()->GetCount(), 0u);
  EXPECT_FALSE(frame->GetProjectBar()->IsWindowVisible());
  EXPECT_EQ(mirt_test::ReadFile(path), kProjectText);  // "No" saved nothing
  // The breakpoints went back into the project's list file.
  EXPECT_NE(mirt_test::ReadFile(dir + "/demo.bpl").find("main.c"), std::string::npos);
  EXPECT_EQ(g_breakpointList.GetCount(), 0);
}

// A document's own save question comes before anything closes: Cancel
// there keeps the project and its documents as they were.
TEST_F(ProjectFrameTest, CancelInADocumentsSaveQuestionKeepsProjectAndDocuments) {
  Start();
  OpenDemoProject();
  ASSERT_NE(frame->OpenFileAtLine((dir + "/main.c").c_str(), 1), nullptr);
  CMirt2Doc* doc = CMirt2Doc::OpenDocuments().front();
  doc->GetEditBuffer().SetModified(TRUE);
  plat::PushMessageBoxAnswer(IDCANCEL);
  frame->OnCloseProject();
  EXPECT_NE(g_project.filePath, nullptr);
  EXPECT_EQ(OpenDocumentCount(), 1);
  EXPECT_FALSE(Children(nullptr).empty());

  plat::PushMessageBoxAnswer(IDNO);
  frame->OnCloseProject();
  Pump();
  EXPECT_EQ(g_project.filePath, nullptr);
  EXPECT_EQ(OpenDocumentCount(), 0);
  EXPECT_EQ(mirt_test::ReadFile(dir + "/main.c"), kMainSource);
}

// File > New Project for this machine's gcc, then Make: the real build's
// output and its result reach the Build pane.
TEST_F(ProjectFrameTest, NewHostProjectFromTheDialogBuildsWithMakeAndGcc) {
  Start();
  std::string folder = dir + "/work";
  ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
  ASSERT_EQ(mkdir((folder + "/demo").c_str(), 0755), 0);
  mirt_test::WriteFile(folder + "/demo/demo.c", kMainSource);
  plat::PushDialogAction([&](HWND h) {
    SetDlgItemText(h, IDC_NEWPROJ_LOCATION, folder.c_str());
    SetDlgItemText(h, IDC_NEWPROJ_NAME, "demo");
    ::SendDlgItemMessage(h, IDC_NEWPROJ_TYPE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(kHostEnvironment));
    ::SendMessage(h, WM_COMMAND, MAKEWPARAM(IDC_NEWPROJ_CREATE, BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_NEWPROJ_CREATE)));
  });
  frame->SendMessage(WM_COMMAND, ID_PROJECT_NEW);
  Pump();
  ASSERT_NE(g_project.filePath, nullptr);
  EXPECT_TRUE(g_project.IsDirty());  // not saved by the command
  EXPECT_EQ(Children(Group("Sources")), std::vector<std::string>{"demo.c"});
  EXPECT_TRUE(std::filesystem::equivalent(CurrentFolder(), folder + "/demo"));

  frame->SendMessage(WM_COMMAND, ID_PROJECT_MAKE);
  ASSERT_TRUE(WaitForBuildResult()) << BuildPane();
  EXPECT_NE(BuildPane().find("demo.c"), std::string::npos) << BuildPane();
  EXPECT_NE(BuildPane().find("Build terminated successfully"), std::string::npos) << BuildPane();
  EXPECT_EQ(access((folder + "/demo/demo.elf").c_str(), X_OK), 0);
  Picture(frame->m_hWnd, "project_built");
}

TEST_F(ProjectFrameTest, NewZorProjectGetsItsMainSourceFromTheBoardTemplate) {
  Start();
  NewProjectValues values;
  values.name = "task";
  values.location = dir + "/zor/task/";
  values.environment = "X-ZOR-400 C++ (GNU xscale-elf)";
  values.programNumber = "12h";
  values.taskType = 1;
  ASSERT_EQ(mkdir((dir + "/zor").c_str(), 0755), 0);
  ASSERT_TRUE(frame->CreateNewProject(values));
  std::string source = mirt_test::ReadFile(dir + "/zor/task/task.c");
  EXPECT_NE(source.find("#define PROGRAMM_NUMBER 0x12\n#define INTERRUPT_NUMBER ZOR1_IRQ_TIMERC"),
            std::string::npos);
  EXPECT_STREQ(g_project.exeFile, "task.elf");
  EXPECT_EQ(std::string(g_project.filePath), dir + "/zor/task/task.kpj");
  EXPECT_EQ(Children(Group("Sources")), std::vector<std::string>{"task.c"});
  EXPECT_FALSE(std::filesystem::exists(dir + "/zor/task/task.kpj"));
}

TEST_F(ProjectFrameTest, SettingsDuringADebugSessionLeaveOutTheBoardPages) {
  Start();
  OpenDemoProject();
  HMODULE fakeLibrary = LoadLibrary("fakeopt.dll");
  ASSERT_NE(fakeLibrary, nullptr);
  FakeSettingsState* fake = reinterpret_cast<FakeSettingsProc>(
      reinterpret_cast<void*>(GetProcAddress(fakeLibrary, "FakeSettings")))();
  *fake = FakeSettingsState{};
  std::string plugin = "fakeopt.dll";
  CEnviron environment = g_project.environment;
  g_project.environment.settings = plugin.data();
  frame->m_bSessionActive = TRUE;
  frame->SendMessage(WM_COMMAND, ID_PROJECT_SETTINGS);
  frame->m_bSessionActive = FALSE;
  g_project.environment = environment;
  EXPECT_EQ(fake->calls, 1);
  EXPECT_EQ(fake->seenNoBoardPages, 1);
  EXPECT_EQ(fake->seenParent, frame->m_hWnd);
  EXPECT_NE(mirt_test::ReadFile(g_project.filePath).find("CFLAGS=-O2"), std::string::npos);
  FreeLibrary(fakeLibrary);
}

TEST_F(ProjectFrameTest, InstallRunsTheInstallationFileOnASimulatedBoard) {
  sim::Simulator::Instance().Configure();
  SetDriverLibraryName(DriverLibrary::Rizo, "rizo32.dll");
  Start();
  OpenDemoProject();
  MakeFile("demo.ins", "Q8DEVICE 0\r\nQ8PROC 0 0\r\n");
  frame->SendMessage(WM_COMMAND, ID_PROJECT_INSTALL);
  Pump();
  EXPECT_NE(DebugPane().find("executing installation file...\r\ninstallation was succesful\r\n"),
            std::string::npos)
      << DebugPane();
  EXPECT_EQ(sim::Simulator::Instance().Trace().Of("qj8_call_proc").size(), 1u);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

// Two Pascal sources: two compiler calls into one "out", the rule line,
// and a verdict that a failing first call decides.
TEST_F(ProjectFrameTest, PascalBuildRunsTheCompilerPerSourceAndJudgesThemAll) {
  Start();
  OpenDemoProject();
  std::string tools = dir + "/tools";
  ASSERT_EQ(mkdir(tools.c_str(), 0755), 0);
  std::string pc = mirt_test::WriteFile(
      tools + "/pc", "#!/bin/sh\nfor a; do f=$a; done\necho \"compiling $f\"\n[ \"$f\" != a.pas ]\n");
  chmod(pc.c_str(), 0755);
  g_project.SetToolDir(tools.c_str());
  g_project.SetPascalCompiler("pc");
  g_project.sources.RemoveAll();
  for (const char* s : {"a.pas", "b.PAS", "c.c"}) g_project.AddSourceFile(s);
  g_project.kind = kProjectKindPascal;
  frame->SendMessage(WM_COMMAND, ID_PROJECT_BUILD_ALL);
  ASSERT_TRUE(WaitForBuildResult()) << BuildPane();
  std::string pane = BuildPane();
  EXPECT_NE(pane.find("Executing " + tools + "\\pc -M a.pas\r\nExecuting " + tools + "\\pc -M b.PAS\r\n"),
            std::string::npos)
      << pane;
  EXPECT_NE(pane.find("#########################################################\r\n"), std::string::npos);
  EXPECT_NE(pane.find("compiling a.pas\r\ncompiling b.PAS\r\nExecutable could not be built\r\n"),
            std::string::npos)
      << pane;
}

}  // namespace
