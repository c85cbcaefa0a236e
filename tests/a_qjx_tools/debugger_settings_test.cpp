#include <QImage>
#include <string>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/debugger_settings.h"
#include "drivers/rizo32/rizo32.h"
#include "platform/base/winctrl.h"
#include "platform/sys/registry.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/ytn1.h"

namespace {

constexpr WORD kDeskType = 2, kTesseraType = 8, kZorType = 16;
constexpr uint16_t kTesseraBoard = 0, kDeskBoard = 1;
constexpr int kKernelState = 1119, kCommState = 1120, kPath = 1121, kStack = 1122;
constexpr int kStart = 1117, kStop = 1118;
constexpr int kBaud = 1055, kInterface = 1113, kVersion = 1116, kQuartz = 1115;
constexpr int kCommLabel = 1139, kInterfaceLabel = 1140, kQuartzLabel = 1141, kKernelLabel = 1144;
constexpr UINT_PTR kPollTimer = 1;
constexpr const char* kTesseraKey = "SOFTWARE\\KALVEN\\YTN32\\QJ8";
constexpr const char* kDeskKey = "SOFTWARE\\KALVEN\\YTN32\\QJ2";
constexpr const char* kKernelProgram =
    "KALVEN-SIM-PROGRAM\r\nrole=kernel\r\nprogram=FF00\r\nprocedures=4\r\nparams=64\r\n";
constexpr const char* kCommProgram =
    "KALVEN-SIM-PROGRAM\r\nrole=comm\r\nprogram=FF01\r\nprocedures=4\r\nparams=64\r\n";

TEST(DebuggerStateTexts, KernelAndCommunicationProgram) {
  struct Case {
    BYTE state, error;
    const char* kernel;
    const char* comm;
  };
  const Case cases[] = {
      {0, 0, "Program ready", "Program ready"},
      {1, 0, "", ""},
      {2, 0, "Kernel activated, waiting for handshake", "Program running"},
      {3, 0, "Error: No error has occured", "Error:No error occured"},
      {3, 1, "Error:", "Error: Wrong communication channel selected"},
      {3, 4, "Error:", "Error: Transmit-Timeout! Break down of connection with Turbo-Debugger"},
      {3, 5, "Error:", "Error: Transmit-Timeout! Break down of connection with Turbo-Debugger"},
      {3, 6, "Error: Wrong Vantor", ""},
      {3, 7, "Error: Communication task not available", ""},
      {3, 8, "Error:", "Error: Wrong module slot detected"},
      {3, 9, "Error:", ""},
      {4, 6, "Program halted", ""},
      {13, 0, "Insufficent memory (maybe stack size should be reduced)", ""},
      {14, 0, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(KernelStateText(c.state, c.error), c.kernel) << int(c.state) << "/" << int(c.error);
    EXPECT_STREQ(CommStateText(c.state, c.error), c.comm) << int(c.state) << "/" << int(c.error);
  }
}

class DebuggerSettingsTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    for (const char* key : {kTesseraKey, kDeskKey}) RegDeleteKey(HKEY_CURRENT_USER, key);
    programs = mirt_test::MakeTempDir("kernel") + "/";
    mirt_test::WriteFile(programs + "QJ8REMOT.EXE", kKernelProgram);
    mirt_test::WriteFile(programs + "QJ8REMCO.EXE", kCommProgram);
    mirt_test::WriteFile(programs + "QJ2REMOT.EXE", kKernelProgram);
  }
  static std::string ProductDriverFolder() {
    char folder[300] = {};
    GetYtn32Path(folder);
    return std::string(folder) + "\\driver\\";
  }
  static std::string Chosen(HWND dialog, int id) {
    const LRESULT at = SendDlgItemMessage(dialog, id, CB_GETCURSEL, 0, 0);
    char text[64] = {};
    if (at >= 0) SendDlgItemMessage(dialog, id, CB_GETLBTEXT, WPARAM(at), LPARAM(text));
    return text;
  }
  static bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)); }
  static void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static void StoreFolder(const char* key, const std::string& folder) {
    HKEY h = nullptr;
    ASSERT_TRUE(CreateReg(key, &h));
    WriteRegString(h, "debug_path", folder.c_str());
    RegCloseKey(h);
  }
  static DWORD StoredDword(const char* key, const char* name) {
    HKEY h = nullptr;
    DWORD value = 0;
    if (CreateReg(key, &h)) {
      if (!ReadRegDword(h, name, &value)) value = ~0u;
      RegCloseKey(h);
    }
    return value;
  }
  static std::string StoredString(const char* key, const char* name) {
    HKEY h = nullptr;
    char text[300] = {};
    if (CreateReg(key, &h)) {
      ReadRegString(h, name, text);
      RegCloseKey(h);
    }
    return text;
  }
  static void SavePicture(HWND dialog, const char* name) {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(dialog);
    ui_test::Picture(dialog).save(QString::fromStdString(mirt_test::ProgramDir() + "/" + name));
  }
  std::string programs;
};

TEST_F(DebuggerSettingsTest, RegistryDefaultsAndRoundTrip) {
  CBoardFamily& family = Select(kTesseraType, kTesseraBoard);
  SetDebuggerDefaults(family);
  family.commPar4 = 1;  // no default: kept when the value is missing
  ASSERT_TRUE(LoadDebuggerSettings(family));
  EXPECT_EQ(std::string(family.kernelFolder), ProductDriverFolder());
  EXPECT_EQ(family.commPar4, 1);
  EXPECT_EQ(family.kernelParDword, 9600u);
  EXPECT_EQ(family.commPar11, 0);
  EXPECT_EQ(family.kernelPar6, 2);
  EXPECT_EQ(family.kernelPar2, 10000);

  family.kernelFolder = "/opt/kernels\\";
  family.commPar4 = 0;
  family.kernelParDword = 115200;
  family.commPar11 = 1;
  family.kernelPar6 = 5;
  family.kernelPar2 = 65520;
  ASSERT_TRUE(StoreDebuggerSettings(family));
  SetDebuggerDefaults(family);
  ASSERT_TRUE(LoadDebuggerSettings(family));
  EXPECT_EQ(std::string(family.kernelFolder), "/opt/kernels\\");
  EXPECT_EQ(family.kernelParDword, 115200u);
  EXPECT_EQ(family.commPar11, 1);
  EXPECT_EQ(family.kernelPar6, 5);
  EXPECT_EQ(family.kernelPar2, 65520);

  CBoardFamily& zor = Select(kZorType, 4);
  EXPECT_FALSE(LoadDebuggerSettings(zor));
  EXPECT_FALSE(StoreDebuggerSettings(zor));
}

TEST_F(DebuggerSettingsTest, DefaultsShownWithProgramsNotLoaded) {
  Select(kTesseraType, kTesseraBoard);
  plat::PushDialogAction([&](HWND dialog) {
    char caption[64] = {};
    GetWindowText(dialog, caption, sizeof caption);
    EXPECT_STREQ(caption, "YTN32 - Debugger settings");
    EXPECT_EQ(Chosen(dialog, kBaud), "9600");
    EXPECT_EQ(SendDlgItemMessage(dialog, kBaud, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(Chosen(dialog, kInterface), "A");
    EXPECT_EQ(Chosen(dialog, kQuartz), "4.9152");
    EXPECT_EQ(Chosen(dialog, kVersion), "2.0 ... 3.1");
    EXPECT_EQ(ui_test::ItemText(dialog, kStack), "10000");
    EXPECT_EQ(ui_test::ItemText(dialog, kPath), ProductDriverFolder());
    EXPECT_EQ(ui_test::ItemText(dialog, kKernelState), "not loaded");
    EXPECT_EQ(ui_test::ItemText(dialog, kCommState), "not loaded");
    EXPECT_TRUE(Enabled(dialog, kStart));
    EXPECT_FALSE(Enabled(dialog, kStop));
    SavePicture(dialog, "a_qjx_debugger_settings.png");
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  a_qjx_debugger(kTesseraType);
  ASSERT_EQ(plat::ModalRecords().size(), 1u);
  EXPECT_EQ(StoredDword(kTesseraKey, "debug_baud"), ~0u);  // Esc stores nothing
}

// Start installs both programs from the typed folder, writes the chosen
// settings and starts the kernel; the poll shows its state; Stop halts it;
// Exit stores the settings.
TEST_F(DebuggerSettingsTest, StartPollStopAndExitAgainstTheBoard) {
  Select(kTesseraType, kTesseraBoard);
  const std::string typed = "  " + programs.substr(0, programs.size() - 1) + "  ";
  std::string started, polled, stopped, comm;
  plat::PushDialogAction([&](HWND dialog) {
    SetDlgItemText(dialog, kPath, typed.c_str());
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kPath, EN_KILLFOCUS), LPARAM(GetDlgItem(dialog, kPath)));
    SendDlgItemMessage(dialog, kBaud, CB_SETCURSEL, 3, 0);       // 115200
    SendDlgItemMessage(dialog, kInterface, CB_SETCURSEL, 1, 0);  // B
    SendDlgItemMessage(dialog, kVersion, CB_SETCURSEL, 2, 0);    // 4.0 ... 4.5
    SetDlgItemText(dialog, kStack, "8192");
    Click(dialog, kStart);
    EXPECT_FALSE(Enabled(dialog, kStart));
    EXPECT_TRUE(Enabled(dialog, kStop));
    started = Chosen(dialog, kBaud);
    SendMessage(dialog, WM_TIMER, kPollTimer, 0);
    polled = ui_test::ItemText(dialog, kKernelState);
    comm = ui_test::ItemText(dialog, kCommState);
    Click(dialog, kStop);
    EXPECT_TRUE(Enabled(dialog, kStart));
    EXPECT_FALSE(Enabled(dialog, kStop));
    SendMessage(dialog, WM_TIMER, kPollTimer, 0);
    stopped = ui_test::ItemText(dialog, kKernelState);
    SavePicture(dialog, "a_qjx_debugger_settings_running.png");
    Click(dialog, IDOK);
  });
  a_qjx_debugger(kTesseraType);
  EXPECT_EQ(started, "115200");
  EXPECT_EQ(polled, "Kernel activated, waiting for handshake");
  EXPECT_EQ(comm, "Program running");
  EXPECT_EQ(stopped, "Program ready");
  EXPECT_EQ(Args("qj8_call_proc"), (std::vector<std::string>{"255, 2", "255, 3"}));
  int32_t found = 0;
  const uint16_t kernel = qj8_get_task_number(0xFF00, &found);
  ASSERT_TRUE(found);
  EXPECT_EQ(qj8_read_par_word(kernel, 2), 8192);
  EXPECT_EQ(StoredString(kTesseraKey, "debug_path"), programs.substr(0, programs.size() - 1) + "\\");
  EXPECT_EQ(StoredDword(kTesseraKey, "debug_baud"), 115200u);
  EXPECT_EQ(StoredDword(kTesseraKey, "debug_interface"), 1u);
  EXPECT_EQ(StoredDword(kTesseraKey, "debug_version"), 4u);
  EXPECT_EQ(StoredDword(kTesseraKey, "debug_stack"), 8192u);
}

TEST_F(DebuggerSettingsTest, KernelErrorStateShownByThePoll) {
  CBoardFamily& family = Select(kTesseraType, kTesseraBoard);
  family.kernelFolder = programs.c_str();
  family.kernelFile = "QJ8REMOT.EXE";
  family.commFile = "QJ8REMCO.EXE";
  ASSERT_EQ(family.TransferAndInstall(), 0);
  constexpr BYTE kErrorState = 3, kWrongVantor = 6;
  qj8_write_par_byte(family.kernelTask, 0, kErrorState);
  qj8_write_par_byte(family.kernelTask, 1, kWrongVantor);
  std::string shown;
  bool startEnabled = true;
  plat::PushDialogAction([&](HWND dialog) {
    shown = ui_test::ItemText(dialog, kKernelState);
    startEnabled = Enabled(dialog, kStart);
    SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  a_qjx_debugger(kTesseraType);
  EXPECT_EQ(shown, "Error: Wrong Vantor");
  EXPECT_FALSE(startEnabled);  // both programs are on the board
}

TEST_F(DebuggerSettingsTest, KoraDesk2ShowsKernelOnly) {
  Select(kDeskType, kDeskBoard);
  plat::PushDialogAction([&](HWND dialog) {
    for (int id : {kKernelLabel, kKernelState, kBaud, kVersion, kStack, kPath})
      EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, id))) << id;
    for (int id : {kCommLabel, kInterfaceLabel, kQuartzLabel, kCommState, kInterface, kQuartz})
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, id))) << id;
    EXPECT_EQ(SendDlgItemMessage(dialog, kBaud, CB_GETCOUNT, 0, 0), 3);
    SavePicture(dialog, "a_qjx_debugger_settings_desk2.png");
    Click(dialog, IDOK);
  });
  a_qjx_debugger(kDeskType);
  EXPECT_EQ(StoredDword(kDeskKey, "debug_baud"), 9600u);
  EXPECT_EQ(StoredString(kDeskKey, "debug_path"), ProductDriverFolder());
}

TEST_F(DebuggerSettingsTest, StackAboveTheLimitIsRefused) {
  Select(kTesseraType, kTesseraBoard);
  DWORD storedAfterRefusal = 0;
  plat::PushDialogAction([&](HWND dialog) {
    SetDlgItemText(dialog, kStack, "65521");
    Click(dialog, IDOK);
    storedAfterRefusal = StoredDword(kTesseraKey, "debug_stack");
    SetDlgItemText(dialog, kStack, "65520");
    Click(dialog, IDOK);
  });
  a_qjx_debugger(kTesseraType);
  EXPECT_EQ(storedAfterRefusal, ~0u);
  EXPECT_EQ(BoxTexts().size(), 1u);
  EXPECT_EQ(StoredDword(kTesseraKey, "debug_stack"), 65520u);
}

}  // namespace
