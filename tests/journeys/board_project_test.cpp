// A board project on the simulated rack, as a person works with it: New
// Project for a TESSERA board, the debug kernel's folder on the Connection
// page of Project Settings, Install through the installation file, Start
// Debugging, the memory tool paged with the keys, the disassembly at the
// program's entry with a breakpoint on main's first instruction, Go to it,
// the Registers bar, End Debugging.
//
// The rack comes from the file MIRT_BOARDS names, as a user configures the
// simulated boards. The Borland toolchain is not on this machine: the
// program that its build would make is put beside the project as demo.exe.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tests/app_project/real_ide.h"
#include "tests/debugger_session/board_program.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::Control;
using real_ide::Dialog;
using real_ide::kSettingsTitle;
using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::ScreenRect;
using real_ide::WindowManager;
using real_ide::WindowState;

// One TESSERA-4/486 board, number 0, at port 300.
constexpr auto kBoardRack = "board 0 type=8 interface=0 address=300 irq=10\n";
// The program goes to task 1, the project's debuggee task; its number,
// interrupt and flags are those the program is built for.
constexpr auto kInstallationFile = "Q8DEVICE 0\r\nQ8INST demo.exe 77 1 1 0 1180\r\n";
constexpr auto kProjectName = "demo";

constexpr long long kKernelPath = 1143;
// Project menu: New Project, Open Project, CloseProject, Insert File Into
// Project, Settings, Make, Build All, Install (separators are skipped).
constexpr int kInstallItemDowns = 7;
// View menu: Toolbar, Status Bar, Document Tabs, Project Tree, Output, Call
// Stack, Variable Watches, Registers, Disassembly, Memory.
constexpr int kRegistersItemDowns = 7, kDisassemblyItemDowns = 8, kMemoryItemDowns = 9;
// The page tree with its branches closed: General, Connection, ...
constexpr int kConnectionItemDowns = 1;
constexpr int kFirstItemInset = 8;
constexpr int kClickAttempts = 3;

constexpr long long kMemoryList = 1017;
// The memory tool shows 0xA0 bytes a page; its rows begin "XXXXXXXX:".
constexpr unsigned long kMemoryPageBytes = 0xA0;
constexpr size_t kMemoryAddressDigits = 8;
// main's first instruction: its distance from the entry, the lines the
// caret passes at most on the way, and the instruction pointer there in
// the Registers bar.
constexpr unsigned long kMainOffset = session_test::kMainOffset;
constexpr int kMainDownsAtMost = 40;
constexpr auto kMainIp = "IP=0x0020";
constexpr int kBoardWaitMs = 20000;

constexpr auto kConfigVariable = "MIRT_CONFIG_DIR", kRackVariable = "MIRT_BOARDS";

bool HasValue(const ProgramState& s, const std::string& key, const std::string& value) {
  for (const auto& [k, v] : s.values)
    if (k == key && v == value) return true;
  return false;
}

auto Shows(const std::string& key, const std::string& value) {
  return [key, value](const ProgramState& p) { return HasValue(p, key, value); };
}

// Every line of the program's report under `key`, one a line.
std::string Lines(const ProgramState& s, const std::string& key) {
  std::string all;
  for (const auto& [k, v] : s.values)
    if (k == key) all += v + "\n";
  return all;
}

// The address at the start of a memory row.
unsigned long RowAddress(const std::string& row) {
  return row.size() < kMemoryAddressDigits ? 0 : std::stoul(row.substr(0, kMemoryAddressDigits), nullptr, 16);
}

// The disassembly's row of line `number`: its rectangle and text.
bool DisassemblyRow(const ProgramState& s, const std::string& number, ScreenRect& r, std::string& text) {
  for (const auto& [k, v] : s.values) {
    if (k != "disass-line") continue;
    // "x y w h number text"
    std::istringstream in(v);
    std::string n;
    in >> r.x >> r.y >> r.width >> r.height >> n >> std::ws;
    std::getline(in, text);
    if (n == number) return true;
  }
  return false;
}

// The linear address a disassembly line begins with ("00010100: push cs").
unsigned long LineAddress(const std::string& text) { return std::stoul(text, nullptr, 16); }

std::string AddressText(unsigned long address) {
  char text[16];
  std::snprintf(text, sizeof text, "%08lx:", address);
  return text;
}

class BoardProjectJourney : public ::testing::TestWithParam<WindowManager> {
 protected:
  // The IDE starts with a profile of its own and the rack of one board.
  void SetUp() override {
    Remember(kConfigVariable, m_oldConfig);
    Remember(kRackVariable, m_oldRack);
    setenv(kConfigVariable, mirt_test::MakeTempDir("jboardcfg").c_str(), 1);
    const std::string rack =
        mirt_test::WriteFile(mirt_test::MakeTempDir("jboardrack") + "/rack.txt", kBoardRack);
    setenv(kRackVariable, rack.c_str(), 1);
  }
  void TearDown() override {
    Restore(kConfigVariable, m_oldConfig);
    Restore(kRackVariable, m_oldRack);
  }

  static void Remember(const char* name, std::string& old) {
    const char* value = std::getenv(name);
    old = value ? value : "";
  }
  static void Restore(const char* name, const std::string& old) {
    if (old.empty())
      unsetenv(name);
    else
      setenv(name, old.c_str(), 1);
  }

  std::string Picture(const std::string& name) const {
    return name + (GetParam() == WindowManager::kNone ? "" : "_openbox");
  }

  std::string m_oldConfig, m_oldRack;
};

TEST_P(BoardProjectJourney, NewProjectInstallMemoryDisassemblyBreakpointRegisters) {
  // The folder holds what the build made: the program and its
  // installation file.
  const std::string folder = mirt_test::MakeTempDir("jboard");
  const std::string projectDir = folder + "/" + kProjectName;
  ASSERT_EQ(mkdir(projectDir.c_str(), 0755), 0);
  mirt_test::WriteFile(projectDir + "/demo.exe", mirt_test::ReadFile(session_test::WriteBoardProgram()));
  mirt_test::WriteFile(projectDir + "/demo.ins", kInstallationFile);

  RealIde ide(GetParam());
  ASSERT_TRUE(ide.Start());
  RealDisplay& display = ide.Display();
  ASSERT_TRUE(ide.NewBoardProject(folder, kProjectName));

  // Project > Settings, Connection page: the debug kernel is in the
  // program's own folder.
  ProgramState s = ide.OpenSettingsPage(kConnectionItemDowns, kKernelPath, "the Connection page");
  const WindowState* path = Control(s, *Dialog(s, kSettingsTitle), kKernelPath);
  ASSERT_NE(path, nullptr);
  const std::string pathHandle = path->hwnd;
  display.Click(path->rect.x + path->rect.width / 2, path->rect.y + kFirstItemInset);
  display.WaitFor(
      [&pathHandle](const ProgramState& p) {
        const WindowState* f = p.ByHandle(p.focus);
        return f && (f->hwnd == pathHandle || f->parent == pathHandle);
      },
      "the keys in the kernel path");
  // The program's folder by a name a keyboard can type (the build may lie
  // in a folder named with letters no key gives).
  const std::string kernelDir = folder + "/kernel";
  ASSERT_EQ(symlink(mirt_test::ProgramDir().c_str(), kernelDir.c_str()), 0);
  display.Key("End");
  display.Key("shift+Home");
  display.Type(kernelDir + "/");
  display.Sync();
  display.SavePicture(Picture("journey_board_kernel_path"));
  ide.PressOk(kSettingsTitle);
  const std::string project = mirt_test::ReadFile(projectDir + "/demo.kpj");
  EXPECT_NE(project.find("KERNELDIR=" + kernelDir + "/\r\n"), std::string::npos) << project;

  // Project > Install runs the installation file on the board.
  display.Key("alt+p");
  for (int i = 0; i < kInstallItemDowns; ++i) display.Key("Down");
  display.Key("Return");
  s = display.WaitFor(
      [](const ProgramState& p) {
        return HasValue(p, "debug-pane-line", "installation was succesful") ||
               HasValue(p, "debug-pane-line", "installation failed");
      },
      "the installation's end", kBoardWaitMs);
  ASSERT_TRUE(HasValue(s, "debug-pane-line", "installation was succesful")) << Lines(s, "debug-pane-line");
  display.SavePicture(Picture("journey_board_installed"));

  // Debug > Start Debugging: the kernel goes onto the board and the
  // program waits at its start.
  display.Key("alt+d");
  display.Key("Return");
  s = display.WaitFor(Shows("debug-session", "1"), "the session", kBoardWaitMs);
  ASSERT_FALSE(HasFailure()) << Lines(s, "debug-pane-line");
  EXPECT_TRUE(HasValue(s, "debug-pane-line", "debug kernel succesfully installed"))
      << Lines(s, "debug-pane-line");

  // View > Memory; Page Down in its list shows the next page.
  display.Key("alt+v");
  for (int i = 0; i < kMemoryItemDowns; ++i) display.Key("Down");
  display.Key("Return");
  s = display.WaitFor([](const ProgramState& p) { return !p.Value("memory-first-row").empty(); },
                      "the memory tool");
  const unsigned long firstPage = RowAddress(s.Value("memory-first-row"));
  const WindowState* list = s.Find("LISTBOX", kMemoryList);
  ASSERT_NE(list, nullptr);
  const WindowState* tool = s.ByHandle(list->parent);
  ASSERT_NE(tool, nullptr);
  const std::string toolTitle = tool->text;
  s = ide.SettledDialog(toolTitle);
  ASSERT_TRUE(ide.ClickControl(s, toolTitle, kMemoryList));
  display.Key("Next");
  s = display.WaitFor(
      [firstPage](const ProgramState& p) {
        return RowAddress(p.Value("memory-first-row")) == firstPage + kMemoryPageBytes;
      },
      "the next page");
  ASSERT_FALSE(HasFailure());
  display.SavePicture(Picture("journey_board_memory"));
  display.Key("Escape");
  display.WaitFor([](const ProgramState& p) { return p.Value("memory-first-row").empty(); },
                  "the memory tool closed");
  // A window manager hands the keys back to the main window in its own time.
  if (GetParam() == WindowManager::kOpenbox)
    display.WaitFor([&](const ProgramState&) { return display.HasInputFocus(ide.MainWindow()); },
                    "the keys back in the main window");

  // View > Disassembly opens at the program's entry, marked as the
  // execution line; the caret keys go down to main's first instruction,
  // where F9 puts a breakpoint.
  display.Key("alt+v");
  for (int i = 0; i < kDisassemblyItemDowns; ++i) display.Key("Down");
  display.Key("Return");
  std::string entryLine, entryText;
  ScreenRect entryRow;
  s = display.WaitFor(
      [&](const ProgramState& p) {
        entryLine = p.Value("disass-execution-line");
        return !entryLine.empty() && DisassemblyRow(p, entryLine, entryRow, entryText);
      },
      "the entry in the disassembly", kBoardWaitMs);
  ASSERT_FALSE(HasFailure());
  display.SavePicture(Picture("journey_board_disassembly"));
  const std::string mainText = AddressText(LineAddress(entryText) + kMainOffset);
  // The caret starts on the entry: a click there gives the view the keys,
  // and is repeated until Down moves the caret (a window manager may take
  // the first click for itself).
  for (int attempt = 0; attempt < kClickAttempts && s.Value("disass-caret-line") == entryLine; ++attempt) {
    display.Click(entryRow.x + entryRow.width / 2, entryRow.CenterY());
    display.Sync();
    display.Key("Down");
    s = display.Sync();
  }
  std::string mainLine;
  for (int i = 0; i < kMainDownsAtMost && mainLine.empty(); ++i) {
    const std::string caret = s.Value("disass-caret-line");
    std::string text;
    ScreenRect row;
    if (DisassemblyRow(s, caret, row, text) && text.rfind(mainText, 0) == 0) {
      mainLine = caret;
      break;
    }
    display.Key("Down");
    s = display.Sync();
  }
  ASSERT_FALSE(mainLine.empty()) << "no line " << mainText << " below the entry";
  display.Key("F9");
  display.WaitFor(Shows("disass-breakpoint-line", mainLine), "the breakpoint mark");
  ASSERT_FALSE(HasFailure());

  // Go runs the program on the board's kernel to the breakpoint.
  display.Key("F5");
  s = display.WaitFor(Shows("disass-execution-line", mainLine), "the stop on main", kBoardWaitMs);
  ASSERT_FALSE(HasFailure()) << Lines(s, "debug-pane-line");

  // View > Registers shows the instruction pointer there.
  display.Key("alt+v");
  for (int i = 0; i < kRegistersItemDowns; ++i) display.Key("Down");
  display.Key("Return");
  s = display.WaitFor(Shows("register", kMainIp), "the registers at main", kBoardWaitMs);
  display.SavePicture(Picture("journey_board_registers"));

  // Debug > End Debugging.
  display.Key("shift+F5");
  s = display.WaitFor(Shows("debug-session", "0"), "the end of the session", kBoardWaitMs);
  EXPECT_TRUE(HasValue(s, "debug-pane-line", "End of debugging")) << Lines(s, "debug-pane-line");
  ide.End();
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, BoardProjectJourney,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
