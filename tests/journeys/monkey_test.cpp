// The monkey: for a minute, random real keys and pointer input into the IDE
// with a project and three of its sources open. After each action the IDE
// must answer the hook's sync within 5 s (no crash, no hang); at the end it
// must close and exit 0 (in the sanitizer build a report makes the exit
// status non-zero), and every file of the project must be either untouched
// or saved whole: byte for byte what an editor window held at some sync.
//
// The seed is printed; MIRT_MONKEY_SEED=<seed> repeats a run. Bare server
// only: without a window manager the frame keeps its size and place, so
// the pointer stays within the IDE's windows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/app_project/real_ide.h"
#include "tests/support/host_debug_program.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::ScreenRect;
using real_ide::WindowManager;
using real_ide::WindowState;

constexpr auto kMonkeyTime = std::chrono::seconds(60);
constexpr int kMonkeySyncMs = 5000;
constexpr auto kMonkeySeedVariable = "MIRT_MONKEY_SEED";
constexpr int kMonkeyMaxTextLength = 12;
constexpr size_t kMonkeyShownBytes = 400;  // of a file that fails
constexpr int kMonkeyMaxRestarts = 20;     // the monkey may reach File > Exit
constexpr int kMonkeyCloseRounds = 30;
constexpr int kMonkeyEndWaitSteps = 100;
constexpr auto kMonkeyEndWaitStep = std::chrono::milliseconds(50);
constexpr long long kMonkeyNoButton = 7, kMonkeyCancelButton = 2;  // IDNO, IDCANCEL
constexpr long long kMonkeyStatusBar = 59393;                      // the frame's status bar

constexpr auto kMonkeyUtil = "int util_twice(int v) { return 2 * v; }\n";
constexpr auto kMonkeyExtra = "/* extra */\nint extra_value = 3;\n";
constexpr auto kMonkeyProject =
    "VERSION=MIRT-KPJ0\r\nENVIRON=Linux host C++ (gcc)\r\nEXE=demo.elf\r\nSOURCEFILES=demo.c util.c extra.c "
    "\r\n"
    "TOOLDIR=/usr/bin\r\nMAKE=make\r\nCC=gcc\r\nCFLAGS=-g "
    "-O0\r\nOBJSUFFIX=o\r\nCARDCLASS=QJX\r\nCARDNUMBER=0\r\n";
constexpr auto kMonkeyProjectHead = "VERSION=MIRT-KPJ0";

// Typed text: no "/", "\" or ".", with which a file dialog would wander
// out of the test's folder.
constexpr char kMonkeyTyped[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789  ;,=-+_:()";

// The keys the monkey presses. Kind: E edits or moves the caret, C runs a
// command, M opens a menu or answers a modal window (Escape and Return keep
// modal windows from holding the monkey), D debugs.
struct MonkeyKey {
  const char* combo;
  char kind;
};
constexpr MonkeyKey kMonkeyKeys[] = {
    {"Left", 'E'},        {"Right", 'E'},      {"Up", 'E'},        {"Down", 'E'},      {"Home", 'E'},
    {"End", 'E'},         {"Prior", 'E'},      {"Next", 'E'},      {"ctrl+Home", 'E'}, {"ctrl+End", 'E'},
    {"shift+Right", 'E'}, {"shift+Down", 'E'}, {"shift+End", 'E'}, {"Tab", 'E'},       {"BackSpace", 'E'},
    {"Delete", 'E'},      {"Insert", 'E'},     {"ctrl+z", 'E'},    {"ctrl+x", 'E'},    {"ctrl+v", 'E'},
    {"ctrl+c", 'E'},      {"ctrl+a", 'E'},     {"ctrl+s", 'C'},    {"ctrl+o", 'C'},    {"ctrl+p", 'C'},
    {"ctrl+g", 'C'},      {"ctrl+y", 'C'},     {"ctrl+F4", 'C'},   {"ctrl+Tab", 'C'},  {"Return", 'M'},
    {"Escape", 'M'},      {"Escape", 'M'},     {"alt+f", 'M'},     {"alt+e", 'M'},     {"alt+p", 'M'},
    {"alt+v", 'M'},       {"alt+d", 'M'},      {"F10", 'D'},       {"F9", 'D'},        {"F5", 'D'},
    {"shift+F5", 'D'},    {"F11", 'D'},        {"shift+F11", 'D'}, {"ctrl+F10", 'D'},  {"alt+F9", 'D'},
};

// Keys the monkey never presses. Why: X starts a program outside the IDE
// that need never end, L leaves the IDE or the test's folder.
struct MonkeyFilteredKey {
  const char* combo;
  char why;
  const char* what;
};
constexpr MonkeyFilteredKey kMonkeyFiltered[] = {
    {"F1", 'X', "help, shown in the desktop's browser"},
    {"alt+h", 'X', "the Help menu, whose first item opens that browser"},
    {"alt+F4", 'L', "closes the IDE"},
    {"ctrl+n", 'L', "an untitled document, whose first save asks for a place anywhere on the disk"},
};

// What one action of the monkey is. Weight out of the table's sum.
enum class MonkeyAct { kType, kKey, kClick, kDoubleClick, kRightClick, kDrag };
struct MonkeyActWeight {
  MonkeyAct act;
  int weight;
};
constexpr MonkeyActWeight kMonkeyActs[] = {
    {MonkeyAct::kType, 30},       {MonkeyAct::kKey, 35},       {MonkeyAct::kClick, 18},
    {MonkeyAct::kDoubleClick, 6}, {MonkeyAct::kRightClick, 4}, {MonkeyAct::kDrag, 7},
};

struct MonkeyFile {
  std::string name, original;
};

unsigned MonkeySeed() {
  if (const char* s = std::getenv(kMonkeySeedVariable); s && *s)
    return static_cast<unsigned>(std::strtoul(s, nullptr, 10));
  return std::random_device{}();
}

// The same size and FNV-1a hash the IDE reports for a document.
std::string MonkeyDigest(const std::string& bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char text[48];
  std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(), static_cast<unsigned long long>(hash));
  return text;
}

class Monkey {
 public:
  Monkey(unsigned seed, const std::string& folder) : m_random(seed), m_folder(folder) {}

  // "document <modified> <bytes> <hash> <path>": what each editor holds.
  void NoteDocuments(const ProgramState& s) {
    for (const auto& [key, rest] : s.values) {
      if (key != "document") continue;
      const size_t bytes = rest.find(' '), hash = rest.find(' ', bytes + 1), path = rest.find(' ', hash + 1);
      if (path == std::string::npos) continue;
      m_held[rest.substr(path + 1)].insert(rest.substr(bytes + 1, path - bytes - 1));
    }
  }
  std::string HeldList(const std::string& path) const {
    std::string list;
    auto it = m_held.find(path);
    if (it != m_held.end())
      for (const std::string& d : it->second) list += " [" + d + "]";
    return list;
  }
  bool Held(const std::string& path, const std::string& digest) const {
    auto it = m_held.find(path);
    return it != m_held.end() && it->second.count(digest) > 0;
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

  std::string Text() {
    std::string text;
    for (int n = 1 + Pick(kMonkeyMaxTextLength); n > 0; --n)
      text += kMonkeyTyped[Pick(sizeof kMonkeyTyped - 1)];
    return text;
  }

  MonkeyAct Act() {
    int total = 0;
    for (const MonkeyActWeight& a : kMonkeyActs) total += a.weight;
    int at = Pick(total);
    for (const MonkeyActWeight& a : kMonkeyActs) {
      if (at < a.weight) return a.act;
      at -= a.weight;
    }
    return MonkeyAct::kType;
  }

  // A point in a window of the program: a dialog's when one is up, else
  // the main window below its menu bar (menus open from the keyboard).
  bool Point(const ProgramState& s, int& x, int& y) {
    std::vector<const WindowState*> dialogs;
    const WindowState* main = nullptr;
    for (const WindowState& w : s.windows) {
      if (w.parent != "0" || !w.visible || w.rect.width <= 0 || w.rect.height <= 0) continue;
      if (w.text.rfind("MIRT", 0) == 0)
        main = &w;
      else
        dialogs.push_back(&w);
    }
    const WindowState* target = !dialogs.empty() ? dialogs[Pick(static_cast<int>(dialogs.size()))] : main;
    if (!target) return false;
    ScreenRect r = target->rect;
    if (target == main) {
      int top = r.y + r.height;
      for (const auto& [key, rest] : s.values) {
        ScreenRect b;
        if (key == "toolbar-button" && std::sscanf(rest.c_str(), "%d %d", &b.x, &b.y) == 2)
          top = std::min(top, b.y);
      }
      if (top < r.y + r.height) {
        r.height -= top - r.y;
        r.y = top;
      }
    }
    x = r.x + Pick(r.width);
    y = r.y + Pick(r.height);
    return true;
  }

  std::mt19937 m_random;
  std::string m_folder;
  std::map<std::string, std::set<std::string>> m_held;
};

// Where a hanging IDE's threads stand, for the report: gdb's stacks where
// the system lets it attach, else each thread's state and wait channel.
void MonkeyPrintStacks(pid_t pid) {
  const std::string p = std::to_string(pid);
  const std::string command =
      "gdb -p " + p + " -batch -ex 'thread apply all bt 30' 2>&1 || for t in /proc/" + p +
      "/task/*; do echo \"$(cat $t/comm) $(cut -d' ' -f3 $t/stat) $(cat $t/wchan)\"; done";
  std::fflush(stdout);
  if (std::system(command.c_str()) != 0) std::cout << "(no stacks)" << std::endl;
}

// Ends the IDE as a person does: Escape in a toolkit dialog, No to every
// save question, Cancel in every other dialog, then a click into the main window and Alt+F4; false
// when it would not end.
bool MonkeyClose(RealDisplay& display, std::string& last) {
  for (int round = 0; round < kMonkeyCloseRounds && display.ProgramRunning(); ++round) {
    ProgramState s;
    if (!display.TrySync(kMonkeySyncMs, s)) break;
    last = "toolkit dialog '" + s.Value("toolkit-dialog") + "', menu '" + s.Value("menu") + "', focus " +
           s.focus + ", windows:";
    for (const WindowState& w : s.windows)
      if (w.visible && w.parent == "0") last += " '" + w.text + "' (" + w.className + ")";
    const WindowState *no = nullptr, *cancel = nullptr, *main = nullptr, *status = nullptr;
    for (const WindowState& w : s.windows) {
      if (!w.visible) continue;
      if (w.id == kMonkeyNoButton && w.className == "Button") no = &w;
      if (w.id == kMonkeyCancelButton && w.className == "Button") cancel = &w;
      if (w.parent == "0" && w.text.rfind("MIRT", 0) == 0) main = &w;
      if (w.id == kMonkeyStatusBar) status = &w;
    }
    if (!s.Value("toolkit-dialog").empty()) {
      display.Key("Escape");
    } else if (no) {
      display.Click(no->rect.CenterX(), no->rect.CenterY());
    } else if (cancel) {
      display.Click(cancel->rect.CenterX(), cancel->rect.CenterY());
    } else {
      display.Key("Escape");
      const WindowState* into = status ? status : main;
      if (into) display.Click(into->rect.CenterX(), into->rect.CenterY());
      display.Key("alt+F4");
    }
    for (int i = 0; i < kMonkeyEndWaitSteps / 10 && display.ProgramRunning(); ++i)
      std::this_thread::sleep_for(kMonkeyEndWaitStep);
  }
  for (int i = 0; i < kMonkeyEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kMonkeyEndWaitStep);
  return !display.ProgramRunning();
}

// A private copy of the program's folder (without the test programs and
// pictures): the IDE keeps its project templates and language settings
// beside itself, and the monkey's input must change none of the build's.
std::string MonkeyProgramCopy(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::path from = mirt_test::ProgramDir(), to = fs::path(folder) / "ide";
  fs::create_directories(to);
  for (const fs::directory_entry& e : fs::directory_iterator(from)) {
    const std::string name = e.path().filename().string();
    if (name == "pictures" || name.ends_with("_test")) continue;
    fs::copy(e.path(), to / name, fs::copy_options::recursive);
  }
  return (to / "mirt2").string();
}

// One action of the monkey.
void MonkeyAct1(RealDisplay& display, Monkey& monkey, const ProgramState& s) {
  int x = 0, y = 0, x2 = 0, y2 = 0;
  switch (monkey.Act()) {
    case MonkeyAct::kType:
      display.Type(monkey.Text());
      break;
    case MonkeyAct::kKey:
      display.Key(kMonkeyKeys[monkey.Pick(std::size(kMonkeyKeys))].combo);
      break;
    case MonkeyAct::kClick:
      if (monkey.Point(s, x, y)) display.Click(x, y);
      break;
    case MonkeyAct::kDoubleClick:
      if (monkey.Point(s, x, y)) display.DoubleClick(x, y);
      break;
    case MonkeyAct::kRightClick:
      if (monkey.Point(s, x, y)) display.Click(x, y, 3);
      break;
    case MonkeyAct::kDrag:
      // No sync while the button is down: a drag may run a loop of its own.
      if (monkey.Point(s, x, y) && monkey.Point(s, x2, y2)) {
        display.MoveTo(x, y);
        display.Press();
        display.MoveTo((x + x2) / 2, (y + y2) / 2);
        display.MoveTo(x2, y2);
        display.Release();
      }
      break;
  }
}

TEST(MonkeyJourney, RandomInputNeitherCrashesNorHangsNorTearsFiles) {
  for (const MonkeyFilteredKey& f : kMonkeyFiltered)
    for (const MonkeyKey& k : kMonkeyKeys) ASSERT_NE(std::string(k.combo), f.combo) << f.what;
  const unsigned seed = MonkeySeed();
  std::cout << "monkey seed " << seed << " (" << kMonkeySeedVariable << "=" << seed << " repeats the run)"
            << std::endl;
  RecordProperty("seed", std::to_string(seed));

  const std::string folder = mirt_test::MakeTempDir("monkey");
  const std::vector<MonkeyFile> files = {
      {"demo.c", mirt_test::kHostDebugProgram}, {"util.c", kMonkeyUtil}, {"extra.c", kMonkeyExtra}};
  for (const MonkeyFile& f : files) mirt_test::WriteFile(folder + "/" + f.name, f.original);
  const std::string project = mirt_test::WriteFile(folder + "/demo.kpj", kMonkeyProject);
  // The IDE's own files (new ones, builds) land in the test's folder.
  ASSERT_EQ(::chdir(folder.c_str()), 0);

  const std::string program = MonkeyProgramCopy(folder);
  RealIde ide(WindowManager::kNone);
  ASSERT_TRUE(ide.Start({project}, program));
  RealDisplay& display = ide.Display();
  ASSERT_TRUE(ide.OpenProjectSources("demo.elf", {"demo.c", "util.c", "extra.c"}));
  display.SavePicture("monkey_start");

  Monkey monkey(seed, folder);
  ProgramState s = display.Sync();
  monkey.NoteDocuments(s);
  int restarts = 0, actions = 0;
  const auto end = std::chrono::steady_clock::now() + kMonkeyTime;
  while (std::chrono::steady_clock::now() < end) {
    // One action, then a sync, so what an editor holds is known before
    // every save. A toolkit dialog (a file dialog reaches the whole disk)
    // only ever gets Escape.
    ++actions;
    if (!s.Value("toolkit-dialog").empty())
      display.Key("Escape");
    else
      MonkeyAct1(display, monkey, s);
    if (display.TrySync(kMonkeySyncMs, s)) {
      monkey.NoteDocuments(s);
      continue;
    }
    // No answer: the IDE hangs, or it is ending (the hook's pipe closed first).
    for (int i = 0; i < kMonkeyEndWaitSteps && display.ProgramRunning(); ++i)
      std::this_thread::sleep_for(kMonkeyEndWaitStep);
    if (display.ProgramRunning()) {
      display.SavePicture("monkey_hang");
      MonkeyPrintStacks(display.ProgramPid());
      FAIL() << "the IDE did not answer within " << kMonkeySyncMs << " ms after action " << actions
             << " (seed " << seed << ")";
    }
    // Ended: File > Exit is fine, anything else is a crash or a report.
    ASSERT_EQ(display.ProgramExitStatus(), 0)
        << "the IDE ended after action " << actions << " (seed " << seed << ")";
    ASSERT_LT(++restarts, kMonkeyMaxRestarts) << "seed " << seed;
    ASSERT_TRUE(display.Start(program, {project})) << display.Error();
    s = display.Sync();
    monkey.NoteDocuments(s);
  }
  display.SavePicture("monkey_end");
  std::string last;
  ASSERT_TRUE(MonkeyClose(display, last)) << "the IDE did not close (seed " << seed << "): " << last;
  EXPECT_EQ(display.ProgramExitStatus(), 0) << "seed " << seed;

  for (const MonkeyFile& f : files) {
    const std::string path = folder + "/" + f.name, now = mirt_test::ReadFile(path);
    std::cout << "monkey: " << f.name << (now == f.original ? " untouched" : " saved") << std::endl;
    EXPECT_TRUE(now == f.original || monkey.Held(path, MonkeyDigest(now)))
        << f.name << " is neither untouched nor what an editor held (seed " << seed << "): ["
        << MonkeyDigest(now) << "] \"" << now.substr(0, kMonkeyShownBytes)
        << "\" held:" << monkey.HeldList(path);
  }
  const std::string saved = mirt_test::ReadFile(project);
  EXPECT_EQ(saved.rfind(kMonkeyProjectHead, 0), 0u) << "seed " << seed;
  EXPECT_TRUE(!saved.empty() && saved.back() == '\n')
      << "the project file ends within a line (seed " << seed << ")";
  std::cout << "monkey: " << actions << " actions, " << restarts << " restarts" << std::endl;
}

}  // namespace
