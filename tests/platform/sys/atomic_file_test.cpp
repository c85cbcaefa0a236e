// The atomic-save helper: targets it refuses, the mode of its temporary
// file, and temporary files left by writers that are gone.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sys/atomic_file.h"
#include "platform/sys/file.h"
#include "tests/platform/sys/sys_test_util.h"

namespace {

constexpr auto kOld = "old content";
constexpr auto kNew = "new content";

std::vector<std::string> NamesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct Refusal {
  const char* what;
  void (*prepare)(const std::string& target, HANDLE& held);
  int errnoExpected;
};

TEST(AtomicFileRefusal, TargetsThatMayNotBeReplacedKeepTheirContent) {
  static const Refusal kCases[] = {
      {"read-only attribute", [](const std::string& t, HANDLE&) { chmod(t.c_str(), 0444); }, EACCES},
      {"no write bit at all", [](const std::string& t, HANDLE&) { chmod(t.c_str(), 0400); }, EACCES},
      {"locked by another handle",
       [](const std::string& t, HANDLE& held) {
         held = CreateFile(t.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
         ASSERT_TRUE(LockFile(held, 0, 0, 1, 0));
       },
       EBUSY},
  };
  for (const Refusal& c : kCases) {
    SCOPED_TRACE(c.what);
    std::string dir = mirt_test::MakeTempDir("refuse");
    std::string target = mirt_test::WriteFile(dir + "/t.txt", kOld);
    HANDLE held = nullptr;
    c.prepare(target, held);
    std::string error;
    int err = 0;
    EXPECT_FALSE(plat::ReplaceFileAtomically(target, kNew, &error, &err));
    EXPECT_EQ(c.errnoExpected, err);
    EXPECT_NE(std::string::npos, error.find("t.txt"));
    EXPECT_EQ(kOld, mirt_test::ReadFile(target));
    EXPECT_EQ(std::vector<std::string>{"t.txt"}, NamesIn(dir));
    if (held) CloseHandle(held);
  }
}

TEST(AtomicFileRefusal, AFolderIsNotReplaced) {
  std::string dir = mirt_test::MakeTempDir("refusedir");
  std::filesystem::create_directory(dir + "/sub");
  int err = 0;
  EXPECT_FALSE(plat::ReplaceFileAtomically(dir + "/sub", kNew, nullptr, &err));
  EXPECT_EQ(EISDIR, err);
  EXPECT_TRUE(std::filesystem::is_directory(dir + "/sub"));
}

// A user without write access to the file, in a folder everyone may write,
// is refused as on Windows: the rename would otherwise go around the file's
// own permission.
TEST(AtomicFileRefusal, AnotherUsersFileIsRefusedToAnUnprivilegedUser) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  std::string dir = mirt_test::MakeTempDir("nobody");
  chmod(dir.c_str(), 0777);
  std::string target = mirt_test::WriteFile(dir + "/t.txt", kOld);
  chmod(target.c_str(), 0644);
  int code = sys_test::RunAsNobody(dir, [] {
    int err = 0;
    return plat::ReplaceFileAtomically("t.txt", kNew, nullptr, &err) ? 0 : err;
  });
  EXPECT_EQ(EACCES, code);
  EXPECT_EQ(kOld, mirt_test::ReadFile(target));
  // A new file in the same folder is the user's to write.
  EXPECT_EQ(0,
            sys_test::RunAsNobody(dir, [] { return plat::ReplaceFileAtomically("mine.txt", kNew) ? 0 : 1; }));
}

// The temporary file never has more rights than the target, at no moment:
// a 0600 file's new content is not readable by others during the save.
TEST(AtomicFileTemporary, HasTheTargetsModeWhileBeingWritten) {
  std::string dir = mirt_test::MakeTempDir("tempmode");
  std::string target = mirt_test::WriteFile(dir + "/secret.txt", kOld);
  chmod(target.c_str(), 0600);
  plat::AtomicFileWriter w(target);
  ASSERT_TRUE(w.Open());
  ASSERT_TRUE(w.Write(kNew));
  int seen = 0;
  for (auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    std::string to = std::filesystem::read_symlink(e.path(), ec).string();
    if (ec || to.rfind(dir + "/", 0) != 0 || to == target) continue;
    struct stat st;
    ASSERT_EQ(0, stat(e.path().c_str(), &st));
    EXPECT_EQ(0600u, st.st_mode & 07777) << to;
    ++seen;
  }
  EXPECT_EQ(1, seen);
  for (const std::string& name : NamesIn(dir)) {
    struct stat st;
    ASSERT_EQ(0, stat((dir + "/" + name).c_str(), &st));
    EXPECT_EQ(0600u, st.st_mode & 07777) << name;
  }
  ASSERT_TRUE(w.Commit());
  EXPECT_EQ(kNew, mirt_test::ReadFile(target));
}

// Leftovers of writers that are gone go at the next save of the same
// target; a live writer's file, and other targets' files, stay.
TEST(AtomicFileTemporary, StaleTemporariesGoAtTheNextSave) {
  std::string dir = mirt_test::MakeTempDir("stale");
  std::string target = mirt_test::WriteFile(dir + "/t.txt", kOld);
  constexpr auto kStale = ".t.txt.tmp-abcd1234";
  constexpr auto kLive = ".t.txt.tmp-live0001";
  constexpr auto kOtherTarget = ".u.txt.tmp-abcd1234";
  constexpr auto kNotOurs = ".t.txt.tmp-short";
  for (const char* name : {kStale, kLive, kOtherTarget, kNotOurs})
    mirt_test::WriteFile(dir + "/" + name, "x");
  int ready[2], done[2];
  ASSERT_EQ(0, pipe(ready));
  ASSERT_EQ(0, pipe(done));
  pid_t writer = fork();
  if (writer == 0) {  // a live writer holds its temporary file locked
    int fd = open((dir + "/" + kLive).c_str(), O_RDONLY);
    flock(fd, LOCK_EX);
    (void)!write(ready[1], "r", 1);
    char c;
    (void)!read(done[0], &c, 1);
    _exit(0);
  }
  char c;
  ASSERT_EQ(1, read(ready[0], &c, 1));
  ASSERT_TRUE(plat::ReplaceFileAtomically(target, kNew));
  (void)!write(done[1], "d", 1);
  sys_test::ExitCodeOf(writer);
  std::vector<std::string> expected = {kLive, kNotOurs, kOtherTarget, "t.txt"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, NamesIn(dir));
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
}

// A writer killed in the middle of its save leaves the target whole and no
// file that the next save would have to clear.
TEST(AtomicFileTemporary, AKilledWriterLeavesNothingBehind) {
  std::string dir = mirt_test::MakeTempDir("killed");
  std::string target = mirt_test::WriteFile(dir + "/t.txt", kOld);
  int ready[2];
  ASSERT_EQ(0, pipe(ready));
  pid_t writer = fork();
  if (writer == 0) {
    plat::AtomicFileWriter w(target);
    if (w.Open() && w.Write(std::string(1 << 20, 'x'))) (void)!write(ready[1], "r", 1);
    pause();
    _exit(0);
  }
  char c;
  ASSERT_EQ(1, read(ready[0], &c, 1));
  kill(writer, SIGKILL);
  sys_test::ExitCodeOf(writer);
  EXPECT_EQ(kOld, mirt_test::ReadFile(target));
  ASSERT_TRUE(plat::ReplaceFileAtomically(target, kNew));
  EXPECT_EQ(std::vector<std::string>{"t.txt"}, NamesIn(dir));
  close(ready[0]);
  close(ready[1]);
}

}  // namespace
