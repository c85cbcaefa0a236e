// The library's exports: lookup by name, installation runs, family
// selection of the tools, the board information text and the profile.
#include <filesystem>
#include <string>
#include <vector>

#include "a_qjx/a_qjx.h"
#include "a_qjx/board_family.h"
#include "a_qjx/board_tools_app.h"
#include "a_qjx/eeprom_file_messages.h"
#include "a_qjx/ins_texts.h"
#include "a_qjx/tool_windows.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/sys/file.h"
#include "platform/sys/library.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/registry.h"
#include "tests/a_qjx_ins/ins_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/eeprom_value_file.h"
#include "ytn1/help_viewer.h"
#include "ytn1/prompt.h"
#include "ytn1/ytn1.h"

namespace {

namespace fs = std::filesystem;

std::string CurrentFolder() {
  char buffer[4096] = {};
  GetCurrentDirectory(sizeof buffer, buffer);
  return buffer;
}

std::string InsFolder() {
  char buffer[300] = {};
  GetInsPath(buffer);
  return buffer;
}

// A tool dialog stand-in: one fake window per creation, titles recorded.
std::vector<std::string> g_titles;
HWND FakeDialog(LPCSTR title) {
  g_titles.push_back(title);
  return reinterpret_cast<HWND>(uintptr_t(0x1000 + g_titles.size()));
}

class ExportsTest : public InsTest {
 protected:
  void SetUp() override {
    InsTest::SetUp();
    g_titles.clear();
    for (int t = 0; t < int(ToolWindow::Count); ++t) {
      ToolWindowClosed(ToolWindow(t));
      SetToolDialogFactory(ToolWindow(t), nullptr);
    }
    ModalToolDialogs() = ModalTools{};
    ytn1::PromptRecords().clear();
  }
};

TEST_F(ExportsTest, EveryExportIsFoundByName) {
  HMODULE library = LoadLibrary("a_qjx.dll");
  ASSERT_NE(library, nullptr) << plat::LastLibraryError();
  for (const char* name :
       {"a_qjx_cpu", "a_qjx_fpga", "a_qjx_memory", "a_qjx_task", "a_qjx_led", "a_qjx_time_date",
        "a_qjx_timer", "a_qjx_serial_interface", "a_qjx_interrupt", "a_qjx_init", "a_qjx_filter_msg",
        "a_qjx_install_mdd", "a_qjx_ins", "a_qjx_install", "a_qjx_eeprom", "a_qjx_macro", "a_qjx_srq_test",
        "a_qjx_debugger", "a_qjx_get_board_info_string"})
    EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
  FreeLibrary(library);
}

// As the IDE does it: load the library, look the export up, install.
TEST_F(ExportsTest, InstallByNameInstallsAProgramOnABoard) {
  Program("PROG.EXE");
  std::string file =
      WriteIns("project.ins", {"Q8DEVICE 0", "Q8INST PROG.EXE 100 10 0 0 1180", "Q8PROC 10 2"});
  HMODULE library = LoadLibrary("a_qjx.dll");
  ASSERT_NE(library, nullptr);
  using Install = WORD (*)(LPCSTR, WORD);
  auto install = reinterpret_cast<Install>(GetProcAddress(library, "a_qjx_install"));
  ASSERT_NE(install, nullptr);
  const std::string before = CurrentFolder();
  EXPECT_EQ(install(file.c_str(), 21), 0);
  EXPECT_EQ(board(0).tasks[0x10].program, 0x100);
  EXPECT_EQ(board(0).tasks[0x10].procCalls, std::vector<uint16_t>{2});
  EXPECT_EQ(CurrentFolder(), before);
  EXPECT_TRUE(fs::equivalent(InsFolder(), dir));
  EXPECT_TRUE(BoxTexts().empty());
  FreeLibrary(library);
}

TEST_F(ExportsTest, InstallWithoutFileAsksForOne) {
  const std::string before = CurrentFolder();
  EXPECT_EQ(a_qjx_install(nullptr, 21), kInsFileNotOpened);  // the dialog is cancelled
  EXPECT_EQ(CurrentFolder(), before);
  ASSERT_EQ(ytn1::PromptRecords().size(), 1u);
  EXPECT_EQ(ytn1::PromptRecords()[0].kind, "open");
  EXPECT_EQ(ytn1::PromptRecords()[0].text, "KALVEN installation files (*.ins) |*.ins||");
  EXPECT_TRUE(BoxTexts().empty());

  std::string file = WriteIns("chosen.ins", {"Q8DEVICE 0", "Q8PROC 0 0"});
  ytn1::PushFileAnswer(file);
  EXPECT_EQ(a_qjx_install(nullptr, 21), 0);
  EXPECT_EQ(Args("qj8_call_proc").size(), 1u);
  EXPECT_TRUE(fs::equivalent(InsFolder(), dir));
  EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(ExportsTest, InstallReportsAMissingFileAndFailures) {
  EXPECT_EQ(a_qjx_install((dir + "/missing.ins").c_str(), 21), kInsFileNotOpened);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{ins::kFileNotOpened});
  EXPECT_EQ(a_qjx_install(WriteIns("bad.ins", {"Q8PROC"}).c_str(), 0), kInsSyntaxError);
}

// A relative name is found below the installation-file folder.
TEST_F(ExportsTest, InstallFindsARelativeFileInTheInstallationFolder) {
  fs::create_directories(dir + "/sub");
  mirt_test::WriteFile(dir + "/sub/relative.ins", "Q8DEVICE 0\r\nQ8PROC 0 0\r\n");
  SetInsPath(dir.c_str());
  const std::string before = CurrentFolder();
  EXPECT_EQ(a_qjx_install("sub/relative.ins", 21), 0);
  EXPECT_EQ(Args("qj8_call_proc").size(), 1u);
  EXPECT_TRUE(fs::equivalent(InsFolder(), dir + "/sub"));
  EXPECT_EQ(CurrentFolder(), before);
}

TEST_F(ExportsTest, InstallEndsTheZorConnectionOfItsFile) {
  std::string file = WriteIns("zor.ins", {"ZORCONNECTCPU BOARD=4 SLOT=1 LAYER=0"});
  EXPECT_EQ(a_qjx_install(file.c_str(), 21), 0);
  EXPECT_EQ(Args("zor_exit_cpu").size(), 1u);
  EXPECT_TRUE(sim().ZorConnections().empty());
}

TEST_F(ExportsTest, ToolsChooseTheirFamilyByTheLowWord) {
  SetToolDialogFactory(ToolWindow::Fpga, FakeDialog);
  qj8_select_card(3);
  EXPECT_EQ(a_qjx_fpga(8), nullptr);  // no FPGA text on the TESSERA-4/486
  EXPECT_TRUE(g_titles.empty());
  HWND window = a_qjx_fpga(0x10007);
  EXPECT_NE(window, nullptr);
  EXPECT_EQ(g_titles, std::vector<std::string>{"TESSERA-4/486 FPGA information"});
  ASSERT_EQ(g_currentFamily, FamilyForType(7));
  EXPECT_EQ(g_currentFamily->typeCode, 7);
  EXPECT_NE(std::string(g_currentFamily->fpgaText).find("IC3: Version"), std::string::npos);

  SetToolDialogFactory(ToolWindow::Interrupt, FakeDialog);
  EXPECT_EQ(a_qjx_interrupt(2), nullptr);
  SetToolDialogFactory(ToolWindow::Task, FakeDialog);
  EXPECT_EQ(a_qjx_task(16), nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Wrong parameter"});
  EXPECT_EQ(g_titles.size(), 1u);
}

TEST_F(ExportsTest, OpenToolIsReturnedAgainUntilItCloses) {
  SetToolDialogFactory(ToolWindow::Memory, FakeDialog);
  HWND first = a_qjx_memory(8);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(a_qjx_memory(2), first);
  EXPECT_EQ(g_currentFamily, FamilyForType(8));
  EXPECT_EQ(g_titles, std::vector<std::string>{"TESSERA-4/486 - Memory informations"});

  ToolWindowClosed(ToolWindow::Memory);
  EXPECT_NE(a_qjx_memory(2), first);
  EXPECT_EQ(g_currentFamily, FamilyForType(2));
  EXPECT_EQ(g_titles.back(), "Kora-DESK/2 - Memory informations");
}

TEST_F(ExportsTest, PendingDriverErrorKeepsTheToolClosed) {
  SetToolDialogFactory(ToolWindow::Cpu, FakeDialog);
  qj8_select_card(0);
  sim().Faults().Add({"qj8_read_par_byte", 2, 0x26, 1});
  EXPECT_EQ(a_qjx_cpu(8), nullptr);
  EXPECT_TRUE(g_titles.empty());
  ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
  EXPECT_EQ(plat::MessageBoxRecords()[0].caption, "Error Handler - TESSERA-4/486 (A_QJX.DLL)");
  EXPECT_NE(a_qjx_cpu(8), nullptr);
  EXPECT_EQ(g_titles, std::vector<std::string>{"TESSERA-4/486 - CPU information"});
}

// A tool that does not open leaves no board channel open behind it.
TEST_F(ExportsTest, ChannelsOfAToolThatDidNotOpenAreClosed) {
  qj8_select_card(0);
  FamilyForType(8)->mddTask = 0;
  for (auto open : {a_qjx_led, a_qjx_time_date, a_qjx_timer}) {
    EXPECT_EQ(open(8), nullptr);
    EXPECT_FALSE(Args("mdd8_open_channel").empty());
    EXPECT_TRUE(sim().Channels().All().empty());
    sim().Trace().Clear();
  }
}

TEST_F(ExportsTest, BoardInfoStringTellsTheSizeItNeeds) {
  struct Case {
    int16_t board, type;
    const char* first;
    bool fpga;
  };
  const Case cases[] = {{3, 7, "Module Number: 0", true},
                        {0, 8, "Module Number: 0", false},
                        {1, 2, "Base Board", true},
                        {4, 16, nullptr, false}};
  for (const Case& c : cases) {
    DWORD length = 0;
    EXPECT_EQ(a_qjx_get_board_info_string(c.board, c.type, &length, nullptr), 1) << c.type;
    ASSERT_GT(length, 1u) << c.type;
    std::vector<char> buffer(length + 8, 'x');
    DWORD size = DWORD(buffer.size());
    EXPECT_EQ(a_qjx_get_board_info_string(c.board, c.type, &size, buffer.data()), 0) << c.type;
    std::string text(buffer.data());
    EXPECT_EQ(text.size() + 1, length) << c.type;
    EXPECT_EQ(buffer.back(), '\0');  // the rest is zero-filled
    if (c.first) {
      EXPECT_EQ(text.rfind(c.first, 0), 0u) << c.type;
    }
    EXPECT_EQ(text.find("\n\nIC") != std::string::npos, c.fpga) << c.type;
  }
  DWORD length = 100;
  EXPECT_EQ(a_qjx_get_board_info_string(0, 5, &length, nullptr), 1);
  EXPECT_EQ(length, 100u);
  EXPECT_EQ(a_qjx_get_board_info_string(0, 8, nullptr, nullptr), 1);
}

TEST_F(ExportsTest, BoardInfoOfABoardThatDoesNotRunFails) {
  board(0).osRunning = false;
  plat::PushMessageBoxAnswer(IDNO);
  DWORD length = 0;
  EXPECT_EQ(a_qjx_get_board_info_string(0, 8, &length, nullptr), 1);
  EXPECT_EQ(length, 0u);
}

int g_eepromChanged = 0;
std::vector<std::string> g_eepromTitles;
int FakeEepromEditor(LPCSTR title) {
  g_eepromTitles.push_back(title);
  return g_eepromChanged;
}

TEST_F(ExportsTest, EepromGeometryAndTheResetQuestion) {
  ModalToolDialogs().eepromEditor = FakeEepromEditor;
  g_eepromTitles.clear();
  qj8_select_card(0);
  board(0).Os().params.Set16(100, 0);
  board(0).Os().params.Set16(104, 500);
  board(0).Os().params.Set16(108, 32);
  g_eepromChanged = 0;
  EXPECT_EQ(a_qjx_eeprom(8), 0);
  CBoardFamily* tessera = FamilyForType(8);
  EXPECT_EQ(tessera->eepromModuleCount, 11);
  EXPECT_EQ(tessera->eepromWordCount[0], 1);    // none stored: one word
  EXPECT_EQ(tessera->eepromWordCount[1], 100);  // capped
  EXPECT_EQ(tessera->eepromWordCount[2], 32);
  EXPECT_TRUE(BoxTexts().empty());

  g_eepromChanged = 1;
  for (int answer : {IDYES, IDNO}) {
    plat::ClearMessageBoxRecords();
    plat::PushMessageBoxAnswer(answer);
    EXPECT_EQ(a_qjx_eeprom(8), answer == IDYES ? 1 : 0);
    ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
    EXPECT_EQ(plat::MessageBoxRecords()[0].text,
              "You have changed EEPROM values.\r\nYou have to RESET your KALVEN board!\r\n\r\nDo you want to "
              "RESET now?");
    EXPECT_EQ(plat::MessageBoxRecords()[0].caption, "TESSERA-4/486 - EEPROM");
    EXPECT_EQ(plat::MessageBoxRecords()[0].type, UINT(MB_YESNO | MB_ICONWARNING | MB_TASKMODAL));
  }

  g_eepromChanged = 0;
  EXPECT_EQ(a_qjx_eeprom(6), 0);
  CBoardFamily* line = FamilyForType(6);
  EXPECT_EQ(line->eepromModuleCount, 37);
  const WORD expected[] = {32, 16, 16, 16, 0};
  for (int m = 0; m < 5; ++m) EXPECT_EQ(line->eepromWordCount[m], expected[m]) << m;
  EXPECT_EQ(line->eepromWordCount[32], 64);
  EXPECT_EQ(line->eepromWordCount[33], 0);
  EXPECT_EQ(line->eepromWordCount[37], 64);

  qj8_select_card(1);
  EXPECT_EQ(a_qjx_eeprom(2), 0);
  EXPECT_EQ(FamilyForType(2)->eepromModuleCount, 1);
  EXPECT_EQ(FamilyForType(2)->eepromWordCount[0], 64);
  EXPECT_EQ(g_eepromTitles.back(), "Kora-DESK/2 - EEPROM");

  const size_t opened = g_eepromTitles.size();
  EXPECT_EQ(a_qjx_eeprom(16), 0);
  EXPECT_EQ(g_eepromTitles.size(), opened);
}

TEST_F(ExportsTest, EveryFailedEepromFileResultIsShown) {
  constexpr auto kFileError = "EEPROM file Error.";
  constexpr auto kNotForThisModule = "This file is not a correct EEPROM file for this module.";
  constexpr WORD kUnknownResult = 6;
  struct {
    WORD result;
    const char* text;  // null: no box
  } cases[] = {
      {ytn1::kEepromOk, nullptr},
      {ytn1::kEepromCancelled, nullptr},
      {ytn1::kEepromNoFile, kFileError},
      {ytn1::kEepromWrongHeader, kNotForThisModule},
      {ytn1::kEepromWrongLineCount, kNotForThisModule},
      {ytn1::kEepromNotHex, kNotForThisModule},
      {kUnknownResult, kFileError},
  };
  for (auto& c : cases) {
    plat::ClearMessageBoxRecords();
    EXPECT_EQ(ShowEepromFileResult(c.result), c.text != nullptr) << c.result;
    ASSERT_EQ(plat::MessageBoxRecords().size(), c.text ? 1u : 0u) << c.result;
    if (c.text) {
      EXPECT_EQ(plat::MessageBoxRecords()[0].text, c.text);
      EXPECT_EQ(plat::MessageBoxRecords()[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
    }
  }
}

TEST_F(ExportsTest, AnEepromFileWithALineThatIsNotHexIsReported) {
  constexpr auto kNotHex = "[0041]\r\n0001\r\nZZ02\r\n0003\r\n";
  std::string file = mirt_test::WriteFile(mirt_test::MakeTempDir("eephex") + "/m.eep", kNotHex);
  std::vector<WORD> words(3, 0);
  char path[MAX_PATH] = {};
  ytn1::PushFileAnswer(file);
  WORD result = LoadEepromValues(3, words.data(), "[0041]", "", path);
  EXPECT_EQ(result, ytn1::kEepromNotHex);
  plat::ClearMessageBoxRecords();
  EXPECT_TRUE(ShowEepromFileResult(result));
  ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
  EXPECT_EQ(plat::MessageBoxRecords()[0].text, "This file is not a correct EEPROM file for this module.");
}

TEST_F(ExportsTest, ModuleDeviceDriverInstallation) {
  qj8_select_card(0);
  mirt_test::WriteFile(dir + "/QJ8D0000.LIB", "KALVEN-SIM-PROGRAM\nrole=mdd\nprogram=4FF\nprocedures=3\n");
  EXPECT_EQ(a_qjx_install_mdd(5, 0x30, (dir + "/").c_str()), 1);
  EXPECT_EQ(a_qjx_install_mdd(8, 0x30, std::string(88, 'd').c_str()), 1);  // does not fit the path
  EXPECT_TRUE(Args("qj8_get_pgm_installed").empty());
  EXPECT_EQ(a_qjx_install_mdd(0x10008, 0x30, (dir + "/").c_str()), 0);
  EXPECT_EQ(board(0).tasks[0x30].program, 0x4FF);
  EXPECT_EQ(FamilyForType(8)->mddTask, 0x30);
}

TEST_F(ExportsTest, DebuggerSettingsNameTheKernelFiles) {
  struct Case {
    DWORD type;
    const char* kernel;
    const char* comm;
  };
  const Case cases[] = {{2, "QJ2REMOT.EXE", ""},
                        {6, "QJ6REMOT.EXE", "QJ6REMCO.EXE"},
                        {7, "QJ7REMOT.EXE", "QJ7REMCO.EXE"},
                        {8, "QJ8REMOT.EXE", "QJ8REMCO.EXE"}};
  for (const Case& c : cases) {
    a_qjx_debugger(c.type);
    EXPECT_STREQ(FamilyForType(c.type)->kernelFile, c.kernel);
    EXPECT_STREQ(FamilyForType(c.type)->commFile, c.comm);
  }
  EXPECT_EQ(a_qjx_srq_test(16, 0), 1);
}

TEST_F(ExportsTest, ProfileGetsTheEditorDefaultsOnce) {
  RegDeleteKey(HKEY_CURRENT_USER, "Software\\KALVEN\\YTN32\\InsEditor");
  CBoardToolsApp& app = BoardToolsApp();
  ASSERT_TRUE(app.InitInstance());
  const char* s = CBoardToolsApp::kInsEditorSection;
  EXPECT_STREQ(app.GetProfileString(s, "Keywords", "-"), "ins.ini");
  EXPECT_STREQ(app.GetProfileString(s, "Extra word chars", "-"), "#");
  EXPECT_STREQ(app.GetProfileString(s, "Comment Start 1", "-"), "'");
  EXPECT_STREQ(app.GetProfileString(s, "Comment End 1", "-"), "");
  EXPECT_STREQ(app.GetProfileString(s, "Comment Start 2", "-"), ";");
  EXPECT_STREQ(app.GetProfileString(s, "Comment End 2", "-"), "");
  EXPECT_EQ(app.GetProfileInt(s, "Chroma", 0), 1u);
  EXPECT_EQ(app.GetProfileInt(s, "Case", 0), 1u);
  EXPECT_EQ(app.GetProfileInt(s, "Tab size", 0), 4u);

  app.WriteProfileString(s, "Keywords", "mine.ini");
  app.WriteProfileInt(s, "Tab size", 8);
  app.InitInstance();
  EXPECT_STREQ(app.GetProfileString(s, "Keywords", "-"), "mine.ini");
  EXPECT_EQ(app.GetProfileInt(s, "Tab size", 0), 8u);
  EXPECT_EQ(a_qjx_init(0), 0);
  EXPECT_EQ(a_qjx_filter_msg(nullptr), 0);
}

TEST_F(ExportsTest, HelpOpensTheBoardToolsHelpFile) {
  ytn1::HelpRequests().clear();
  CBoardToolsApp::ShowHelp();
  ASSERT_EQ(ytn1::HelpRequests().size(), 1u);
  EXPECT_NE(ytn1::HelpRequests()[0].file.find("ytn32.chm"), std::string::npos);
  EXPECT_EQ(ytn1::HelpRequests()[0].topic, "");
}

}  // namespace
