// The make process against small tool scripts: its output reaches the
// owner window as WM_OUTPUT_TEXT, its end as one of the three build
// results; Pascal compiler calls write one output file and are judged
// together.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/frame_messages.h"
#include "app/make_process.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/message.h"
#include "platform/ui/ui.h"
#include "tests/platform/ui/ui_test_support.h"
#include "tests/support/test_support.h"

namespace {

// What the owner window received.
struct OwnerRecord {
  std::string text;
  std::vector<UINT> results;
  int textMessages = 0;
};
OwnerRecord g_owner;

LRESULT CALLBACK OwnerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_OUTPUT_TEXT) {
    EXPECT_EQ(w, kOutputPaneBuild);
    g_owner.text += reinterpret_cast<const char*>(l);
    ++g_owner.textMessages;
    return 0;
  }
  if (m == WM_BUILD_OK || m == WM_BUILD_UP_TO_DATE || m == WM_BUILD_FAILED) {
    g_owner.results.push_back(m);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

constexpr DWORD kWaitMs = 20000;

class MakeProcessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plat::ClearMessageBoxRecords();
    g_owner = OwnerRecord{};
    owner = ui_test::MakeTop(10, 10, WS_POPUP, OwnerProc);
    dir = mirt_test::MakeTempDir("make");
  }
  void TearDown() override { DestroyWindow(owner); }

  std::string Script(const std::string& name, const std::string& body) {
    std::string path = dir + "/" + name;
    mirt_test::WriteFile(path, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
    return path;
  }
  std::unique_ptr<CMakeProcess> Start(const std::string& commandLine) {
    auto p = std::make_unique<CMakeProcess>(commandLine.c_str(), nullptr, dir.c_str());
    p->m_hOwner = owner;
    return p;
  }
  // Runs the process to its end, serving its messages.
  void RunToEnd(CMakeProcess& p) {
    p.ResumeReader();
    EXPECT_TRUE(WaitServingMessages([&] { return p.ReaderDone(); }, kWaitMs));
  }

  HWND owner = nullptr;
  std::string dir;
};

struct ResultCase {
  const char* name;
  const char* body;
  UINT result;
};

const ResultCase kResultCases[] = {
    {"borland compile", "echo 'MAKE 5'; printf '\\tbcc -c main.c\\n'; exit 0\n", WM_BUILD_OK},
    {"borland banner only", "echo 'MAKE 5'; exit 0\n", WM_BUILD_UP_TO_DATE},
    {"gnu compile", "echo 'xscale-elf-gcc -c main.c'; exit 0\n", WM_BUILD_OK},
    {"tool failed", "echo 'xscale-elf-gcc -c main.c'; echo 'main.c:3: error' >&2; exit 2\n", WM_BUILD_FAILED},
};

TEST_F(MakeProcessTest, OutputReachesTheOwnerAndTheEndIsJudged) {
  for (const ResultCase& c : kResultCases) {
    SCOPED_TRACE(c.name);
    g_owner = OwnerRecord{};
    auto p = Start(Script("tool", c.body));
    RunToEnd(*p);
    EXPECT_EQ(g_owner.results, std::vector<UINT>{c.result});
    EXPECT_FALSE(g_owner.text.empty());
  }
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
}

TEST_F(MakeProcessTest, ErrorOutputArrivesInOrderWithTheOutput) {
  auto p = Start(Script("tool", "echo one; echo two >&2; echo three; exit 0\n"));
  RunToEnd(*p);
  EXPECT_EQ(g_owner.text, "one\ntwo\nthree\n");
}

TEST_F(MakeProcessTest, AToolThatCannotStartEndsAsFailed) {
  auto p = Start(dir + "/no-such-make -f x.mak");
  RunToEnd(*p);
  EXPECT_EQ(g_owner.results, std::vector<UINT>{WM_BUILD_FAILED});
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "Could not execute program " + dir + "/no-such-make.\nPlease check your path settings.");
}

// Every compiler call's output lands in the one file, in call order, and a
// failing call in the middle fails the build although the last one passed.
TEST_F(MakeProcessTest, PascalCallsShareTheOutputFileAndTheVerdict) {
  const std::string out = dir + "/out";
  mirt_test::WriteFile(out, "old output\n");
  const char* kBodies[] = {"echo 'a.pas(1) compiled'; exit 0\n", "echo 'b.pas(3): Error 3'; exit 1\n",
                           "echo 'c.pas(1) compiled'; exit 0\n"};
  auto series = std::make_shared<CBuildSeries>(3);
  std::unique_ptr<CMakeProcess> previous;
  int n = 0;
  for (const char* body : kBodies) {
    auto p = Start(Script("pc" + std::to_string(n), body));
    p->RedirectOutput(out, n == 0 ? OutputFileMode::kTruncate : OutputFileMode::kAppend);
    p->JoinSeries(series);
    RunToEnd(*p);
    EXPECT_EQ(g_owner.results.size(), n == 2 ? 1u : 0u);
    previous = std::move(p);
    ++n;
  }
  EXPECT_EQ(g_owner.results, std::vector<UINT>{WM_BUILD_FAILED});
  EXPECT_EQ(g_owner.textMessages, 0);
  EXPECT_EQ(mirt_test::ReadFile(out), "a.pas(1) compiled\r\nb.pas(3): Error 3\r\nc.pas(1) compiled\r\n");
}

TEST_F(MakeProcessTest, PascalSeriesThatAllPassReportsUpToDate) {
  auto series = std::make_shared<CBuildSeries>(2);
  for (int i = 0; i < 2; ++i) {
    auto p = Start(Script("ok" + std::to_string(i), "echo fine; exit 0\n"));
    p->RedirectOutput(dir + "/out", i == 0 ? OutputFileMode::kTruncate : OutputFileMode::kAppend);
    p->JoinSeries(series);
    RunToEnd(*p);
  }
  EXPECT_EQ(g_owner.results, std::vector<UINT>{WM_BUILD_UP_TO_DATE});
}

// A build deleted while its reader waits for the GUI thread to take a text
// ends without a hang; the reader sends nothing afterwards.
TEST_F(MakeProcessTest, DeletingWhileTheReaderSendsDoesNotHang) {
  constexpr int kLines = 20000;
  auto p = Start(Script("chatty", "i=0; while [ $i -lt " + std::to_string(kLines) +
                                      " ]; do echo line $i; i=$((i+1)); done; sleep 30\n"));
  p->ResumeReader();
  // Let the reader block in a send that nobody serves.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  auto started = std::chrono::steady_clock::now();
  p.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  int texts = g_owner.textMessages;
  PumpWaitingMessages();
  EXPECT_EQ(g_owner.textMessages, texts);
  EXPECT_TRUE(g_owner.results.empty());
}

}  // namespace
