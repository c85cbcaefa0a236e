#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/sys/file.h"
#include "platform/sys/pipe.h"
#include "platform/sys/process.h"

namespace {

struct Pipe {
  HANDLE r = nullptr, w = nullptr;
  Pipe() { EXPECT_TRUE(CreatePipe(&r, &w, nullptr, 0)); }
  ~Pipe() {
    if (r) CloseHandle(r);
    if (w) CloseHandle(w);
  }
  void CloseWrite() { CloseHandle(w), w = nullptr; }
  void CloseRead() { CloseHandle(r), r = nullptr; }
};

TEST(Pipe, ReadReturnsWhatIsThereThenBrokenPipe) {
  Pipe p;
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(p.w, "hello", 5, &n, nullptr));
  char buf[100];
  ASSERT_TRUE(ReadFile(p.r, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), "hello");
  p.CloseWrite();
  EXPECT_FALSE(ReadFile(p.r, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
  EXPECT_EQ(n, 0u);
}

TEST(Pipe, WriteWithoutReaderFailsWithoutSignal) {
  Pipe p;
  p.CloseRead();
  DWORD n = 7;
  EXPECT_FALSE(WriteFile(p.w, "x", 1, &n, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_DATA));
  EXPECT_EQ(n, 0u);
}

TEST(Pipe, PeekLeavesTheBytesForRead) {
  Pipe p;
  DWORD copied = 9, avail = 9, n;
  ASSERT_TRUE(PeekNamedPipe(p.r, nullptr, 0, &copied, &avail, nullptr));
  EXPECT_EQ(avail, 0u);
  WriteFile(p.w, "abcdef", 6, &n, nullptr);
  char buf[4];
  ASSERT_TRUE(PeekNamedPipe(p.r, buf, 3, &copied, &avail, nullptr));
  EXPECT_EQ(std::string(buf, copied), "abc");
  EXPECT_EQ(avail, 6u);
  ASSERT_TRUE(ReadFile(p.r, buf, 4, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), "abcd");
  ASSERT_TRUE(ReadFile(p.r, buf, 4, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), "ef");
  p.CloseWrite();
  EXPECT_FALSE(PeekNamedPipe(p.r, buf, 3, &copied, &avail, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
}

TEST(Pipe, ClosingTheHandleWakesABlockedReader) {
  Pipe p;
  std::atomic<DWORD> error{0};
  std::thread reader([&] {
    char buf[8];
    DWORD n;
    if (!ReadFile(p.r, buf, sizeof buf, &n, nullptr)) error = GetLastError();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  p.CloseRead();
  reader.join();
  EXPECT_EQ(error.load(), static_cast<DWORD>(ERROR_OPERATION_ABORTED));
}

TEST(Pipe, DuplicateKeepsThePipeOpenUntilEveryHandleIsClosed) {
  Pipe p;
  HANDLE copy = nullptr;
  ASSERT_TRUE(
      DuplicateHandle(GetCurrentProcess(), p.w, GetCurrentProcess(), &copy, 0, TRUE, DUPLICATE_SAME_ACCESS));
  p.CloseWrite();
  DWORD n;
  ASSERT_TRUE(WriteFile(copy, "z", 1, &n, nullptr));
  CloseHandle(copy);
  char buf[4];
  ASSERT_TRUE(ReadFile(p.r, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(std::string(buf, n), "z");
  EXPECT_FALSE(ReadFile(p.r, buf, sizeof buf, &n, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BROKEN_PIPE));
}

TEST(Pipe, BadHandlesAreRefused) {
  HANDLE bogus = reinterpret_cast<HANDLE>(0x7777);
  DWORD n;
  EXPECT_FALSE(PeekNamedPipe(bogus, nullptr, 0, &n, &n, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  HANDLE out;
  EXPECT_FALSE(DuplicateHandle(GetCurrentProcess(), bogus, GetCurrentProcess(), &out, 0, FALSE, 0));
}

}  // namespace
