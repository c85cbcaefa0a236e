// The programs and libraries find each other wherever bin/ lies, and
// "cmake --install" puts a program that starts into any prefix.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace fs = std::filesystem;

namespace {

constexpr auto kMainTitle = "MIRT";
constexpr int kStartTimeoutMs = 20000;
constexpr int kEndWaitSteps = 100;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);

// What a command printed on its standard output; the exit status in *status.
std::string Output(const std::string& command, int* status = nullptr) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char block[4096];
  size_t n;
  while ((n = fread(block, 1, sizeof block, pipe)) > 0) out.append(block, n);
  int rc = pclose(pipe);
  if (status) *status = rc;
  return out;
}

std::string Quoted(const std::string& s) { return "'" + s + "'"; }

// The run path of an ELF file, as readelf shows it ("" when none).
std::string RunPath(const fs::path& file) {
  std::string dynamic = Output("readelf -d " + Quoted(file.string()) + " 2>/dev/null");
  size_t at = dynamic.find("path: [");
  if (at == std::string::npos) return "";
  at += 7;
  return dynamic.substr(at, dynamic.find(']', at) - at);
}

bool IsElf(const fs::path& file) {
  return mirt_test::ReadFile(file.string())
             .rfind(
                 "\x7f"
                 "ELF",
                 0) == 0;
}

TEST(Installation, ProgramsAndLibrariesOfBinLookOnlyBesideThemselves) {
  int checked = 0;
  for (const fs::directory_entry& e : fs::directory_iterator(mirt_test::ProgramDir())) {
    if (!e.is_regular_file() || !IsElf(e.path())) continue;
    EXPECT_EQ(RunPath(e.path()), "$ORIGIN") << e.path();
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(Installation, InstalledProgramStartsAndEnds) {
  const std::string prefix = mirt_test::MakeTempDir("install") + "/a prefix";
  int status = -1;
  std::string log = Output(Quoted(MIRT_CMAKE_COMMAND) + " --install " + Quoted(MIRT_BUILD_DIR) +
                               " --prefix " + Quoted(prefix) + " 2>&1",
                           &status);
  ASSERT_EQ(status, 0) << log;
  const fs::path bin = fs::path(prefix) / "bin";
  for (const char* name : {"mirt2", "libmirtplatform.so", "libytn1.so", "liba_qjx.so", "libtbcopt.so",
                           "libgnuopt.so", "librizo32.so", "mirt.cfg", "host_gcc.kpt", "KERNLQJX.EXE"})
    EXPECT_TRUE(fs::exists(bin / name)) << name;
  EXPECT_EQ(RunPath(bin / "libytn1.so"), "$ORIGIN");

  // The installed program comes up on a display and ends with its window.
  {
    ::unsetenv("LD_LIBRARY_PATH");
    mirt_test::RealDisplay display(mirt_test::WindowManager::kNone);
    ASSERT_TRUE(display.Start((bin / "mirt2").string())) << display.Error();
    display.WaitFor([](const mirt_test::ProgramState& s) { return s.TopLevelTitled(kMainTitle) != nullptr; },
                    "the installed program's main window", kStartTimeoutMs);
    display.Key("alt+F4");
    for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
      std::this_thread::sleep_for(kEndWaitStep);
    EXPECT_FALSE(display.ProgramRunning());
  }
  fs::remove_all(prefix);
}

}  // namespace
