#include <dirent.h>
#include <signal.h>

#include <chrono>
#include <thread>

#include "app/api_error.h"
#include "platform/base/winerror.h"
#include "platform/sys/msgbox.h"
#include "tests/app_build/build_fixture.h"

namespace {

int OpenDescriptors() {
  int n = 0;
  if (DIR* d = opendir("/proc/self/fd")) {
    while (readdir(d)) ++n;
    closedir(d);
  }
  return n;
}

TEST_F(BuildTest, MissingProgramShowsItsFirstWordAndIsNotRunning) {
  CCollectingProcess p("no-such-tool-mirt -f demo.mak");
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "MIRT error");
  EXPECT_EQ(boxes[0].text, "Could not execute program no-such-tool-mirt.\nPlease check your path settings.");
  EXPECT_EQ(boxes[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_FALSE(p.IsRunning());
  EXPECT_EQ(p.ResumeReader(), 1u);
  ASSERT_TRUE(p.WaitDone());
  EXPECT_EQ(p.LastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
  EXPECT_EQ(p.Reads(), 1);
}

TEST_F(BuildTest, ErrorOutputArrivesOnTheOutputPipe) {
  CCollectingProcess p("sh -c \"echo one; echo two 1>&2; echo three\"");
  p.ResumeReader();
  ASSERT_TRUE(p.WaitDone());
  EXPECT_EQ(p.Output(), "one\ntwo\nthree\n");
  EXPECT_EQ(p.ChildExitCode(), 0u);
  EXPECT_FALSE(p.IsRunning());
}

TEST_F(BuildTest, WriteLineSendsTheTextAndItsNul) {
  CCollectingProcess p("sh -c \"head -c 4 | od -An -tx1\"");
  p.ResumeReader();
  p.WriteLine("abc");
  ASSERT_TRUE(p.WaitDone());
  EXPECT_EQ(p.Output(), " 61 62 63 00\n");
}

TEST_F(BuildTest, ReaderWaitsInsteadOfSpinningWhenTheChildClosesItsOutput) {
  CCollectingProcess p("sh -c \"exec >&- 2>&-; sleep 0.5\"");
  p.ResumeReader();
  ASSERT_TRUE(p.WaitDone());
  EXPECT_LE(p.Reads(), 3);
  EXPECT_EQ(p.ChildExitCode(), 0u);
}

TEST_F(BuildTest, DeletingEndsTheReaderLeavesTheChildAndLeaksNothing) {
  int before = OpenDescriptors();
  pid_t child = 0;
  {
    CCollectingProcess p("sh -c \"echo started; exec sleep 30\"");
    child = static_cast<pid_t>(p.ChildId());
    p.ResumeReader();
    for (int i = 0; i < 500 && p.Output().empty(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(p.Output(), "started\n");
    EXPECT_TRUE(p.IsRunning());
  }
  ASSERT_GT(child, 0);
  EXPECT_EQ(kill(child, 0), 0);  // the child goes on
  EXPECT_EQ(OpenDescriptors(), before);
  kill(-child, SIGKILL);
}

TEST_F(BuildTest, DeletingAReaderThatNeverRanIsQuick) {
  int before = OpenDescriptors();
  { CCollectingProcess p("sh -c true"); }
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(BuildTest, ApiErrorBoxNamesTheCallAndTheSystemMessage) {
  SetLastError(ERROR_BROKEN_PIPE);
  DisplayApiError("ReadFile");
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(
      boxes[0].text,
      "ERROR: API    = ReadFile.\nerror code    = 109.\nmessage       = The pipe has been ended.\r\n.\n");
}

}  // namespace
